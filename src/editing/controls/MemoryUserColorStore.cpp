#include "editing/controls/MemoryUserColorStore.h"

namespace kora {

std::optional<QString> MemoryUserColorStore::read(const QString &key, const QString &name)
{
    const auto found = m_keys.constFind(key.toLower());
    if (found == m_keys.constEnd())
        return std::nullopt;
    const auto value = found->constFind(name.toLower());
    if (value == found->constEnd())
        return std::nullopt;
    return *value;
}

bool MemoryUserColorStore::write(const QString &key, const QString &name, const QString &text)
{
    m_keys[key.toLower()].insert(name.toLower(), text);
    return true;
}

} // namespace kora
