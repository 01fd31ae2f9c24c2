#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

namespace kora::test {

// Sets an environment variable for as long as it lives, then restores what was there.
class ScopedVariable
{
public:
    ScopedVariable(const char *name, const QString &value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedVariable()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable &) = delete;
    ScopedVariable &operator=(const ScopedVariable &) = delete;

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

// Points KORA_HOME (history lists, dictionaries) at a fresh temporary folder, KORA_CONFIG_DIR
// (the settings store) at its "config" subfolder, KORA_CACHE_DIR (downloads, attachments) at its
// "cache" subfolder and XDG_STATE_HOME (recovery copies) at its "state" subfolder for as long as it
// lives, then restores them.
class TemporaryHome
{
public:
    TemporaryHome()
        : m_home("KORA_HOME", m_dir.path())
        , m_config("KORA_CONFIG_DIR", m_dir.filePath(QStringLiteral("config")))
        , m_cache("KORA_CACHE_DIR", m_dir.filePath(QStringLiteral("cache")))
        , m_state("XDG_STATE_HOME", m_dir.filePath(QStringLiteral("state")))
    {
    }
    TemporaryHome(const TemporaryHome &) = delete;
    TemporaryHome &operator=(const TemporaryHome &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString configPath() const { return m_dir.filePath(QStringLiteral("config")); }
    QString cachePath() const { return m_dir.filePath(QStringLiteral("cache")); }
    QString recoveryPath() const { return m_dir.filePath(QStringLiteral("state/kora-editor/recovery")); }

private:
    QTemporaryDir m_dir;
    ScopedVariable m_home;
    ScopedVariable m_config;
    ScopedVariable m_cache;
    ScopedVariable m_state;
};

} // namespace kora::test
