#pragma once

#include "settings/SettingValue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kora {

// The stored form of a setting marked Encrypted: a plain block ("TPSOK" as a 32-bit length and
// its five letters, the kind code as a 32-bit integer, then the payload as encodePayload writes
// it) scrambled with the setting's unique name as the key. The stored block starts with a random
// byte b; for each plain byte p in turn b = (b + p) mod 256 and the stored byte is b XOR the
// next character of the key, taken cyclically. It hides a value from a casual reader; it is
// no protection.
QByteArray scrambleValue(const SettingValue &value, const QString &key);
// The same with a given first byte instead of a random one.
QByteArray scrambleValue(const SettingValue &value, const QString &key, quint8 firstByte);

// Nothing unless the block unscrambles to "TPSOK" followed by a kind code and its payload.
std::optional<SettingValue> unscrambleValue(QByteArrayView stored, const QString &key);

} // namespace kora
