#include "settings/AutoRestart.h"

#include "settings/Registry.h"
#include "text/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace kora::AutoRestart {

namespace {

constexpr char kVariable[] = "KORA_RUN_ONCE";
constexpr qsizetype kMaxNameLength = 20;

// One argument of an Exec line: in double quotes with ", `, $ and \ escaped, then as a string
// value of the entry file (backslashes doubled); % doubled so it is no field code.
QString execArgument(const QString &argument)
{
    QString quoted;
    for (const QChar ch : argument) {
        if (ch == u'"' || ch == u'`' || ch == u'$' || ch == u'\\')
            quoted += u'\\';
        quoted += ch;
    }
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + u'"';
}

bool isValueName(const QString &name)
{
    return !name.isEmpty() && name.size() <= kMaxNameLength &&
           std::all_of(name.begin(), name.end(), [](QChar ch) { return ch >= u'A' && ch <= u'Z'; });
}

} // namespace

QString runOnceKey()
{
    return QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
}

QString valueName(const QString &softwareName, const QString &companyName)
{
    QString name;
    for (const QChar ch : QStringLiteral("PS") + softwareName + companyName) {
        const char16_t c = ch.unicode();
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
            name += QChar(c >= u'a' ? c - (u'a' - u'A') : c);
    }
    return name.left(kMaxNameLength);
}

QString entryPath(const QString &valueName)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("autostart/") + valueName + QStringLiteral(".desktop"));
}

QString entryText(const QString &valueName, const QString &program)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=KORA Editor\n"
                          "Comment=Spustí KORA Editor znovu po přihlášení\n"
                          "Exec=env %1=%2 %3\n"
                          "NoDisplay=true\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(QLatin1String(kVariable), valueName, execArgument(program));
}

bool writeEntry(Registry &registry, const QString &valueName, const QString &program, QString *error)
{
    const std::optional<RegistryKey> key = registry.openKey(Hive::CurrentUser, runOnceKey(), true, error);
    if (!key || !key->writeString(valueName, u'"' + program + u'"', error))
        return false;
    const QString path = entryPath(valueName);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return saveFileSafely(path, entryText(valueName, program).toUtf8(),
                          QStringLiteral("Položku automatického spuštění „%1“ nelze uložit.").arg(path), error);
}

void finishRestart(Registry &registry)
{
    const QString name = qEnvironmentVariable(kVariable);
    if (!qEnvironmentVariableIsSet(kVariable))
        return;
    qunsetenv(kVariable);
    // The variable names a file: only a name the program could have written is taken.
    if (!isValueName(name))
        return;
    QFile::remove(entryPath(name));
    if (const std::optional<RegistryKey> key = registry.openKey(Hive::CurrentUser, runOnceKey(), false))
        key->deleteValue(name);
}

} // namespace kora::AutoRestart
