#pragma once

#include <QString>

#include <optional>

namespace kora {

// Where the colour buttons keep their 16 user colours: text values under a key of the current
// user's settings ("SoftWare\Tintora"). The program plugs in its registry.
class UserColorStore
{
public:
    virtual ~UserColorStore() = default;
    // The text of the value `name` under `key`; nothing when the key or the value is missing.
    virtual std::optional<QString> read(const QString &key, const QString &name) = 0;
    // Stores the text, creating the key when it is missing; false when it cannot.
    virtual bool write(const QString &key, const QString &name, const QString &text) = 0;
};

} // namespace kora
