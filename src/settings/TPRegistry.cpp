#include "settings/TPRegistry.h"

namespace kora {

namespace {

QString noKeyText()
{
    return QStringLiteral("Žádný klíč registru není otevřený.");
}

} // namespace

TPRegistry::TPRegistry(Hive root)
    : m_root(root)
{
}

void TPRegistry::setRootKey(Hive root)
{
    m_root = root;
    closeKey();
}

std::optional<RegistryKey> TPRegistry::keyAt(const QString &path, bool create)
{
    QString error;
    std::optional<RegistryKey> key;
    if (path.startsWith(u'\\') || !m_current)
        key = m_registry.openKey(m_root, path.startsWith(u'\\') ? path.mid(1) : path, create, &error);
    else
        key = m_current->openKey(path, create, &error);
    if (!key)
        m_error = error;
    return key;
}

bool TPRegistry::openKey(const QString &path, bool canCreate)
{
    std::optional<RegistryKey> key = keyAt(path, canCreate);
    if (!key)
        return false;
    m_current = std::move(key);
    return true;
}

void TPRegistry::closeKey()
{
    m_current.reset();
}

QString TPRegistry::currentPath() const
{
    return m_current ? m_current->path() : QString();
}

bool TPRegistry::valueExists(const QString &name) const
{
    return m_current && m_current->valueExists(name);
}

ValueType TPRegistry::dataType(const QString &name) const
{
    return m_current ? m_current->valueType(name) : ValueType::None;
}

qsizetype TPRegistry::dataSize(const QString &name) const
{
    return m_current ? m_current->valueSize(name) : -1;
}

QStringList TPRegistry::valueNames() const
{
    return m_current ? m_current->valueNames() : QStringList();
}

bool TPRegistry::hasSubKeys() const
{
    return m_current && !m_current->subKeyNames().isEmpty();
}

bool TPRegistry::failed(const QString &error)
{
    m_error = error;
    return false;
}

bool TPRegistry::deleteValue(const QString &name)
{
    QString error;
    if (!m_current)
        return failed(noKeyText());
    return m_current->deleteValue(name, &error) || failed(error);
}

bool TPRegistry::deleteKey(const QString &path)
{
    QString error;
    const bool absolute = path.startsWith(u'\\') || !m_current;
    const bool deleted = absolute
                             ? m_registry.root(m_root).deleteKey(path.startsWith(u'\\') ? path.mid(1) : path, &error)
                             : m_current->deleteKey(path, &error);
    return deleted || failed(error);
}

std::optional<QString> TPRegistry::readString(const QString &name) const
{
    return m_current ? m_current->readString(name) : std::nullopt;
}

std::optional<qint32> TPRegistry::readInteger(const QString &name) const
{
    const std::optional<quint32> dword = m_current ? m_current->readDword(name) : std::nullopt;
    return dword ? std::optional(qint32(*dword)) : std::nullopt;
}

std::optional<QByteArray> TPRegistry::readBinary(const QString &name) const
{
    return m_current ? m_current->readBinary(name) : std::nullopt;
}

bool TPRegistry::writeString(const QString &name, const QString &value)
{
    QString error;
    if (!m_current)
        return failed(noKeyText());
    return m_current->writeString(name, value, &error) || failed(error);
}

bool TPRegistry::writeInteger(const QString &name, qint32 value)
{
    QString error;
    if (!m_current)
        return failed(noKeyText());
    return m_current->writeDword(name, quint32(value), &error) || failed(error);
}

bool TPRegistry::writeBinary(const QString &name, const QByteArray &value)
{
    QString error;
    if (!m_current)
        return failed(noKeyText());
    return m_current->writeBinary(name, value, &error) || failed(error);
}

} // namespace kora
