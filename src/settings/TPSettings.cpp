#include "settings/TPSettings.h"

#include "platform/Prompter.h"
#include "settings/ScrambledValue.h"

namespace kora {

TPSettings::TPSettings(QObject *owner)
    : QObject(owner)
{
    TPRegistry machine(Hive::LocalMachine);
    if (machine.openKey(QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion"), false)) {
        if (const std::optional<QString> organization = machine.readString(QStringLiteral("RegisteredOrganization")))
            m_companyName = *organization;
    }
}

void TPSettings::setRegistryRootKey(TPRootKeyType root)
{
    m_rootKey = root;
    m_registry.setRootKey(hive());
}

Hive TPSettings::hive() const
{
    return m_rootKey == prkLocalMachine ? Hive::LocalMachine : Hive::CurrentUser;
}

TPSetting *TPSettings::findSetting(const QString &name) const
{
    for (TPSetting *setting : m_settings) {
        if (setting->Name().compare(name, Qt::CaseInsensitive) == 0)
            return setting;
    }
    return nullptr;
}

QString TPSettings::keyPrefix() const
{
    QString prefix = QStringLiteral("Software\\");
    for (const QString &part : {m_companyName, m_softwareName, m_softwareVersion}) {
        if (!part.isEmpty())
            prefix += part + u'\\';
    }
    return prefix;
}

std::pair<QString, QString> TPSettings::placeOf(const TPSetting &setting, const QString &baseKey)
{
    if (!setting.Name().isEmpty())
        return {baseKey, setting.Name()};
    QStringList parts = setting.BoundProperty().split(u'.');
    const QString valueName = parts.takeLast();
    parts.prepend(baseKey);
    return {parts.join(u'\\'), valueName};
}

std::optional<RegistryValue> TPSettings::storedForm(const TPSetting &setting, const QString &keyPath,
                                                    const QString &valueName)
{
    const SettingValue &value = setting.value();
    // A binding that does not resolve stores nothing, not even its key; a path with an empty
    // part names no key and is skipped like a key that cannot be opened.
    if (value.isEmpty() || keyPath.split(u'\\').contains(QString()))
        return std::nullopt;
    RegistryValue stored{keyPath, valueName, {}};
    if (setting.Encrypted())
        stored.data = scrambleValue(value, setting.UniqueName());
    else if (value.kind == ValueKind::String)
        stored.data = value.text;
    else if (value.kind == ValueKind::Integer)
        stored.data = quint32(value.integer);
    else
        stored.data = encodeBinary(value);
    return stored;
}

bool TPSettings::writeValues(const QList<RegistryValue> &values)
{
    QString error;
    if (m_registry.store().writeValues(hive(), values, &error))
        return true;
    if (m_registry.store().claimFailureReport(hive()) && m_prompter)
        m_prompter->showError(error);
    return false;
}

void TPSettings::removeValue(const QString &keyPath, const QString &valueName)
{
    if (!m_registry.openKey(u'\\' + keyPath, false))
        return;
    if (m_registry.valueExists(valueName))
        m_registry.deleteValue(valueName);
    if (m_registry.valueNames().isEmpty() && !m_registry.hasSubKeys()) {
        m_registry.closeKey();
        m_registry.deleteKey(u'\\' + keyPath);
    }
}

std::optional<SettingValue> TPSettings::loadValue(const TPSetting &setting, const QString &keyPath,
                                                  const QString &valueName)
{
    if (!m_registry.openKey(u'\\' + keyPath, false) || !m_registry.valueExists(valueName))
        return std::nullopt;
    switch (m_registry.dataType(valueName)) {
    case ValueType::String:
        if (setting.Encrypted())
            return std::nullopt;
        return SettingValue::string(m_registry.readString(valueName).value_or(QString()));
    case ValueType::Dword:
        if (setting.Encrypted())
            return std::nullopt;
        return SettingValue::fromInteger(m_registry.readInteger(valueName).value_or(0));
    case ValueType::Binary: {
        const QByteArray bytes = m_registry.readBinary(valueName).value_or(QByteArray());
        return setting.Encrypted() ? unscrambleValue(bytes, setting.UniqueName()) : decodeBinary(bytes);
    }
    case ValueType::None:
        break;
    }
    return std::nullopt;
}

} // namespace kora
