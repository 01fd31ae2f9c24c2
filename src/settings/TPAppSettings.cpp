#include "settings/TPAppSettings.h"

#include "settings/TPFormSettings.h"

namespace kora {

TPAppSettings::TPAppSettings(QObject *owner)
    : TPSettings(owner)
{
}

TPAppSettings::~TPAppSettings()
{
    save();
}

void TPAppSettings::setCompanyName(const QString &name)
{
    TPSettings::setCompanyName(name);
    passOn();
}

void TPAppSettings::setSoftwareName(const QString &name)
{
    TPSettings::setSoftwareName(name);
    passOn();
}

void TPAppSettings::setSoftwareVersion(const QString &version)
{
    TPSettings::setSoftwareVersion(version);
    passOn();
}

void TPAppSettings::setRegistryRootKey(TPRootKeyType root)
{
    TPSettings::setRegistryRootKey(root);
    passOn();
}

void TPAppSettings::passOn()
{
    for (const QPointer<TPFormSettings> &form : std::as_const(m_forms)) {
        if (!form)
            continue;
        form->setCompanyName(CompanyName());
        form->setSoftwareName(SoftwareName());
        form->setSoftwareVersion(SoftwareVersion());
        form->setRegistryRootKey(RegistryRootKey());
    }
}

void TPAppSettings::attach(TPFormSettings *form)
{
    if (!m_forms.contains(form))
        m_forms.append(form);
    form->setCompanyName(CompanyName());
    form->setSoftwareName(SoftwareName());
    form->setSoftwareVersion(SoftwareVersion());
}

void TPAppSettings::detach(TPFormSettings *form)
{
    m_forms.removeAll(form);
}

TPSetting *TPAppSettings::addSetting(const QString &name, bool encrypted)
{
    auto *setting = new TPSetting(nullptr, this);
    setting->setName(name);
    setting->setEncrypted(encrypted);
    m_settings.append(setting);
    return setting;
}

void TPAppSettings::Loaded()
{
    restore();
    for (const QPointer<TPFormSettings> &form : std::as_const(m_forms)) {
        if (form)
            form->refreshRelated();
    }
}

void TPAppSettings::save()
{
    if (OnPreSave)
        OnPreSave();
    bool go = true;
    if (OnAutoSave)
        OnAutoSave(go);
    if (go && m_saveLocation == palRegistry) {
        QList<RegistryValue> values;
        for (const TPSetting *setting : std::as_const(m_settings)) {
            if (std::optional<RegistryValue> stored = storedForm(*setting, appKeyPath(), setting->Name()))
                values.append(std::move(*stored));
        }
        writeValues(values);
    }
    if (OnPostSave)
        OnPostSave();
}

void TPAppSettings::restore()
{
    if (OnPreRestore)
        OnPreRestore();
    if (m_saveLocation == palUser) {
        for (TPSetting *setting : std::as_const(m_settings)) {
            if (OnUserRestore)
                OnUserRestore(*setting);
        }
    } else {
        bool go = true;
        if (OnAutoRestore)
            OnAutoRestore(go);
        for (TPSetting *setting : std::as_const(m_settings)) {
            if (!go)
                break;
            if (const std::optional<SettingValue> value = loadValue(*setting, appKeyPath(), setting->Name()))
                setting->assign(*value);
        }
    }
    if (OnPostRestore)
        OnPostRestore();
}

} // namespace kora
