#pragma once

#include "settings/TPRegistry.h"
#include "settings/TPSetting.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace kora {

class Prompter;

// What the two settings components share: where their values lie in the registry, whether
// unchanged values are written, the events around saving and restoring, and their settings.
class TPSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString CompanyName READ CompanyName WRITE setCompanyName)
    Q_PROPERTY(QString SoftwareName READ SoftwareName WRITE setSoftwareName)
    Q_PROPERTY(QString SoftwareVersion READ SoftwareVersion WRITE setSoftwareVersion)
    Q_PROPERTY(TPRootKeyType RegistryRootKey READ RegistryRootKey WRITE setRegistryRootKey)
    Q_PROPERTY(bool SaveAll READ SaveAll WRITE setSaveAll)

public:
    enum TPRootKeyType { prkCurrentUser, prkLocalMachine };
    Q_ENUM(TPRootKeyType)

    QString CompanyName() const { return m_companyName; }
    virtual void setCompanyName(const QString &name) { m_companyName = name; }
    QString SoftwareName() const { return m_softwareName; }
    virtual void setSoftwareName(const QString &name) { m_softwareName = name; }
    QString SoftwareVersion() const { return m_softwareVersion; }
    virtual void setSoftwareVersion(const QString &version) { m_softwareVersion = version; }
    TPRootKeyType RegistryRootKey() const { return m_rootKey; }
    virtual void setRegistryRootKey(TPRootKeyType root);
    bool SaveAll() const { return m_saveAll; }
    void setSaveAll(bool all) { m_saveAll = all; }

    // Events, called in this order around a save and a restore. OnAutoSave and OnAutoRestore
    // may set their argument false to skip the registry; OnUserSave and OnUserRestore serve
    // the user's own location, once per value.
    std::function<void()> OnPreSave;
    std::function<void(bool &)> OnAutoSave;
    std::function<void(TPSetting &)> OnUserSave;
    std::function<void()> OnPostSave;
    std::function<void()> OnPreRestore;
    std::function<void(bool &)> OnAutoRestore;
    std::function<void(TPSetting &)> OnUserRestore;
    std::function<void()> OnPostRestore;

    const QList<TPSetting *> &settings() const { return m_settings; }
    // The setting named `name` (ASCII case ignored), if any.
    TPSetting *findSetting(const QString &name) const;

    // Where a failed save is reported; without one it is not.
    void setPrompter(Prompter *prompter) { m_prompter = prompter; }

protected:
    // CompanyName starts as HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion's
    // "RegisteredOrganization" when that value exists.
    explicit TPSettings(QObject *owner);

    // "Software\" + CompanyName + "\" + SoftwareName + "\" + [SoftwareVersion + "\"], an empty
    // name leaving out its separator too.
    QString keyPrefix() const;
    Hive hive() const;

    // The key below `baseKey` and the value name where `setting` is kept: its Name in the base
    // key, else the parts of BoundProperty as subkeys and the last one as the value name.
    static std::pair<QString, QString> placeOf(const TPSetting &setting, const QString &baseKey);

    // The registry value the setting's current value becomes; nothing for an empty value.
    static std::optional<RegistryValue> storedForm(const TPSetting &setting, const QString &keyPath,
                                                   const QString &valueName);
    // Writes the values in one change of the store. A failure is reported once (until a write
    // to the hive succeeds again).
    bool writeValues(const QList<RegistryValue> &values);
    // Deletes the value, and the key when that leaves it with no values and no subkeys.
    void removeValue(const QString &keyPath, const QString &valueName);
    // The stored value by its registry type; nothing when absent, damaged or of another type.
    std::optional<SettingValue> loadValue(const TPSetting &setting, const QString &keyPath, const QString &valueName);

    TPRegistry m_registry;
    QList<TPSetting *> m_settings;

private:
    QString m_companyName;
    QString m_softwareName;
    QString m_softwareVersion;
    TPRootKeyType m_rootKey = prkCurrentUser;
    bool m_saveAll = true;
    Prompter *m_prompter = nullptr;
};

} // namespace kora
