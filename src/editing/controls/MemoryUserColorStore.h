#pragma once

#include "editing/controls/UserColorStore.h"

#include <QHash>

namespace kora {

// A UserColorStore in memory. Key paths and value names compare without regard to case, as in
// the registry.
class MemoryUserColorStore : public UserColorStore
{
public:
    std::optional<QString> read(const QString &key, const QString &name) override;
    bool write(const QString &key, const QString &name, const QString &text) override;

    bool hasKey(const QString &key) const { return m_keys.contains(key.toLower()); }

private:
    QHash<QString, QHash<QString, QString>> m_keys;
};

} // namespace kora
