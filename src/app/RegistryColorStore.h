#pragma once

#include "editing/controls/UserColorStore.h"

namespace kora {

class Registry;

// The colour buttons' user colours kept under HKEY_CURRENT_USER in the settings store.
class RegistryColorStore : public UserColorStore
{
public:
    explicit RegistryColorStore(Registry &registry)
        : m_registry(registry)
    {
    }

    std::optional<QString> read(const QString &key, const QString &name) override;
    bool write(const QString &key, const QString &name, const QString &text) override;

private:
    Registry &m_registry;
};

} // namespace kora
