#include "settings/ScrambledValue.h"

#include <QRandomGenerator>
#include <QtEndian>

namespace kora {

namespace {

const QByteArray kSignature = QByteArrayLiteral("TPSOK");

quint8 keyByte(const QByteArray &key, qsizetype i)
{
    return key.isEmpty() ? 0 : quint8(key[i % key.size()]);
}

QByteArray plainBlock(const SettingValue &value)
{
    QByteArray block;
    char number[4];
    qToLittleEndian(qint32(kSignature.size()), number);
    block.append(number, 4);
    block.append(kSignature);
    qToLittleEndian(qint32(value.kind), number);
    block.append(number, 4);
    block.append(encodePayload(value));
    return block;
}

} // namespace

QByteArray scrambleValue(const SettingValue &value, const QString &key)
{
    return scrambleValue(value, key, quint8(QRandomGenerator::global()->bounded(256)));
}

QByteArray scrambleValue(const SettingValue &value, const QString &key, quint8 firstByte)
{
    const QByteArray keyBytes = key.toLatin1();
    const QByteArray plain = plainBlock(value);
    QByteArray stored;
    stored.reserve(plain.size() + 1);
    stored.append(char(firstByte));
    quint8 b = firstByte;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        b = quint8(b + quint8(plain[i]));
        stored.append(char(keyByte(keyBytes, i) ^ b));
    }
    return stored;
}

std::optional<SettingValue> unscrambleValue(QByteArrayView stored, const QString &key)
{
    if (stored.isEmpty())
        return std::nullopt;
    const QByteArray keyBytes = key.toLatin1();
    QByteArray plain;
    plain.reserve(stored.size() - 1);
    quint8 previous = quint8(stored[0]);
    for (qsizetype i = 1; i < stored.size(); ++i) {
        const quint8 c = quint8(stored[i]) ^ keyByte(keyBytes, i - 1);
        plain.append(char(quint8(c - previous)));
        previous = c;
    }
    const qsizetype header = 4 + kSignature.size() + 4;
    if (plain.size() < header || qFromLittleEndian<qint32>(plain.constData()) != kSignature.size() ||
        plain.sliced(4, kSignature.size()) != kSignature) {
        return std::nullopt;
    }
    const qint32 kind = qFromLittleEndian<qint32>(plain.constData() + 4 + kSignature.size());
    if (kind < qint32(ValueKind::Empty) || kind > qint32(ValueKind::StringList))
        return std::nullopt;
    return decodePayload(ValueKind(kind), QByteArrayView(plain).sliced(header));
}

} // namespace kora
