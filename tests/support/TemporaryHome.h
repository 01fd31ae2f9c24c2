#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

namespace kora::test {

// Points KORA_HOME at a fresh temporary folder for as long as it lives, then restores it.
class TemporaryHome
{
public:
    TemporaryHome()
        : m_had(qEnvironmentVariableIsSet("KORA_HOME"))
        , m_old(qgetenv("KORA_HOME"))
    {
        qputenv("KORA_HOME", m_dir.path().toLocal8Bit());
    }
    ~TemporaryHome()
    {
        if (m_had)
            qputenv("KORA_HOME", m_old);
        else
            qunsetenv("KORA_HOME");
    }
    TemporaryHome(const TemporaryHome &) = delete;
    TemporaryHome &operator=(const TemporaryHome &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    bool m_had;
    QByteArray m_old;
};

} // namespace kora::test
