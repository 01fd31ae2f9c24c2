#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

namespace kora::test {

// Points KORA_HOME (history lists, dictionaries) at a fresh temporary folder and KORA_CONFIG_DIR
// (the settings store) at its "config" subfolder for as long as it lives, then restores both.
class TemporaryHome
{
public:
    TemporaryHome()
        : m_home("KORA_HOME", m_dir.path())
        , m_config("KORA_CONFIG_DIR", m_dir.filePath(QStringLiteral("config")))
    {
    }
    TemporaryHome(const TemporaryHome &) = delete;
    TemporaryHome &operator=(const TemporaryHome &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString configPath() const { return m_dir.filePath(QStringLiteral("config")); }

private:
    class Variable
    {
    public:
        Variable(const char *name, const QString &value)
            : m_name(name)
            , m_had(qEnvironmentVariableIsSet(name))
            , m_old(qgetenv(name))
        {
            qputenv(name, value.toLocal8Bit());
        }
        ~Variable()
        {
            if (m_had)
                qputenv(m_name, m_old);
            else
                qunsetenv(m_name);
        }

    private:
        const char *m_name;
        bool m_had;
        QByteArray m_old;
    };

    QTemporaryDir m_dir;
    Variable m_home;
    Variable m_config;
};

} // namespace kora::test
