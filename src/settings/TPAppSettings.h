#pragma once

#include "settings/TPSettings.h"

#include <QPointer>

namespace kora {

class TPFormSettings;

// Named values of the whole application, kept in the key "AppSettings" beside the windows' keys
// (Software\<CompanyName>\<SoftwareName>\[<SoftwareVersion>]); restored by Loaded(), saved when the component goes. The
// form components attached to it take over its names and root and follow their changes, and
// their settings that name an application setting (RelAppSetting) take its value.
class TPAppSettings : public TPSettings
{
    Q_OBJECT
    Q_PROPERTY(TPAppSaveLocType SaveLocation READ SaveLocation WRITE setSaveLocation)

public:
    enum TPAppSaveLocType { palRegistry, palUser };
    Q_ENUM(TPAppSaveLocType)

    explicit TPAppSettings(QObject *owner);
    ~TPAppSettings() override;

    TPAppSaveLocType SaveLocation() const { return m_saveLocation; }
    void setSaveLocation(TPAppSaveLocType location) { m_saveLocation = location; }

    void setCompanyName(const QString &name) override;
    void setSoftwareName(const QString &name) override;
    void setSoftwareVersion(const QString &version) override;
    void setRegistryRootKey(TPRootKeyType root) override;

    TPSetting *addSetting(const QString &name, bool encrypted = false);

    void Loaded();
    void save();
    void restore();
    QString appKeyPath() const { return keyPrefix() + QStringLiteral("AppSettings"); }

private:
    friend class TPFormSettings;
    void attach(TPFormSettings *form);
    void detach(TPFormSettings *form);
    void passOn();

    TPAppSaveLocType m_saveLocation = palRegistry;
    QList<QPointer<TPFormSettings>> m_forms;
};

} // namespace kora
