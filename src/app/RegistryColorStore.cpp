#include "app/RegistryColorStore.h"

#include "settings/Registry.h"

namespace kora {

std::optional<QString> RegistryColorStore::read(const QString &key, const QString &name)
{
    const std::optional<RegistryKey> opened = m_registry.openKey(Hive::CurrentUser, key, false);
    if (!opened)
        return std::nullopt;
    return opened->readString(name);
}

bool RegistryColorStore::write(const QString &key, const QString &name, const QString &text)
{
    const std::optional<RegistryKey> opened = m_registry.openKey(Hive::CurrentUser, key, true);
    return opened && opened->writeString(name, text);
}

} // namespace kora
