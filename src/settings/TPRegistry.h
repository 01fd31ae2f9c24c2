#pragma once

#include "settings/Registry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace kora {

// The registry accessor of the settings components: one root, one open key at a time, values
// read and written in the open key. Over the program's settings store in AppDirs::configDir().
// Failing calls leave a Czech message in lastError().
class TPRegistry
{
public:
    explicit TPRegistry(Hive root = Hive::CurrentUser);

    Hive rootKey() const { return m_root; }
    // Closes the open key.
    void setRootKey(Hive root);

    // Opens the key at `path`, relative to the open key unless it begins with "\"; with
    // `canCreate`, missing keys are created. On failure the previously open key stays open.
    bool openKey(const QString &path, bool canCreate);
    void closeKey();
    bool hasOpenKey() const { return m_current.has_value(); }
    // The open key's path below the root, "" when none is open.
    QString currentPath() const;

    bool valueExists(const QString &name) const;
    ValueType dataType(const QString &name) const;
    qsizetype dataSize(const QString &name) const;
    QStringList valueNames() const;
    bool hasSubKeys() const;
    bool deleteValue(const QString &name);
    // Deletes the key at `path` (as openKey reads it) with its subkeys.
    bool deleteKey(const QString &path);

    std::optional<QString> readString(const QString &name) const;
    std::optional<qint32> readInteger(const QString &name) const;
    std::optional<QByteArray> readBinary(const QString &name) const;
    bool writeString(const QString &name, const QString &value);
    bool writeInteger(const QString &name, qint32 value);
    bool writeBinary(const QString &name, const QByteArray &value);

    QString lastError() const { return m_error; }
    Registry &store() { return m_registry; }

private:
    std::optional<RegistryKey> keyAt(const QString &path, bool create);
    bool failed(const QString &error);

    Registry m_registry;
    Hive m_root;
    std::optional<RegistryKey> m_current;
    QString m_error;
};

} // namespace kora
