#include "platform/AppDirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kora::AppDirs {

namespace {

QString created(const QString &path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    QDir().mkpath(clean);
    return clean;
}

QString underStandard(QStandardPaths::StandardLocation location)
{
    return created(QStandardPaths::writableLocation(location) + QStringLiteral("/kora-editor"));
}

} // namespace

QString dataDir()
{
    const QString home = qEnvironmentVariable("KORA_HOME");
    if (!home.isEmpty())
        return created(home);
    const QString executableDir = QCoreApplication::applicationDirPath();
    if (!executableDir.isEmpty() && QFileInfo(executableDir).isWritable())
        return QDir::cleanPath(executableDir);
    return underStandard(QStandardPaths::GenericDataLocation);
}

QString filePath(const QString &name)
{
    return QDir(dataDir()).filePath(name);
}

QString shippedFilePath(const QString &name)
{
    const QString own = filePath(name);
    const QDir executableDir(QCoreApplication::applicationDirPath());
    for (const QString &candidate :
         {own, executableDir.filePath(name), executableDir.filePath(QStringLiteral("../share/kora-editor/") + name)}) {
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    }
    return own;
}

QString configDir()
{
    const QString config = qEnvironmentVariable("KORA_CONFIG_DIR");
    if (!config.isEmpty())
        return created(config);
    return underStandard(QStandardPaths::GenericConfigLocation);
}

QString cacheDir()
{
    const QString cache = qEnvironmentVariable("KORA_CACHE_DIR");
    if (!cache.isEmpty())
        return created(cache);
    return underStandard(QStandardPaths::GenericCacheLocation);
}

} // namespace kora::AppDirs
