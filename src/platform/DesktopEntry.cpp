#include "platform/DesktopEntry.h"

#include "text/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace kora {

namespace {

QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    return home.isEmpty() ? QDir::homePath() : home;
}

QString xdgFolder(const char *variable, const QString &fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : homeFolder() + fallback;
}

QString userDesktopFolder()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-user-dir"));
    if (!tool.isEmpty()) {
        QProcess process;
        process.start(tool, {QStringLiteral("DESKTOP")});
        if (process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
            const QString folder = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
            if (QDir::isAbsolutePath(folder))
                return QDir::cleanPath(folder);
        }
    }
    return homeFolder() + QStringLiteral("/Desktop");
}

// A string value of a desktop entry: backslash, line breaks and tabs escaped.
QString entryString(QString value)
{
    value.replace(u'\\', QStringLiteral("\\\\"));
    value.replace(u'\n', QStringLiteral("\\n"));
    value.replace(u'\r', QStringLiteral("\\r"));
    value.replace(u'\t', QStringLiteral("\\t"));
    return value;
}

} // namespace

DesktopPaths DesktopPaths::fromEnvironment()
{
    return {QString(), xdgFolder("XDG_DATA_HOME", QStringLiteral("/.local/share")),
            xdgFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"))};
}

QString DesktopPaths::desktopFolder() const
{
    return desktop.isEmpty() ? userDesktopFolder() : desktop;
}

QString execArgument(const QString &argument)
{
    QString quoted;
    for (const QChar ch : argument) {
        if (ch == u'"' || ch == u'`' || ch == u'$' || ch == u'\\')
            quoted += u'\\';
        quoted += ch;
        if (ch == u'%')
            quoted += u'%';
    }
    return u'"' + quoted + u'"';
}

QByteArray desktopEntry(const QString &executable, const QStringList &mimeTypes, bool hidden)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Version=1.0\n"
                                  "Name=KORA Editor\n"
                                  "GenericName=Textový editor\n"
                                  "Comment=Textový editor\n");
    text += QStringLiteral("Exec=%1 %f\n").arg(entryString(execArgument(executable)));
    text += QStringLiteral("Path=%1\n").arg(entryString(QFileInfo(executable).absolutePath()));
    text += QStringLiteral("Terminal=false\nCategories=Office;WordProcessor;\n");
    if (!mimeTypes.isEmpty())
        text += QStringLiteral("MimeType=%1;\n").arg(mimeTypes.join(u';'));
    if (hidden)
        text += QStringLiteral("NoDisplay=true\n");
    return text.toUtf8();
}

bool writeDesktopFile(const QString &path, const QByteArray &data, QString *error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Složku %1 nelze vytvořit").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (!saveFileSafely(path, data, QStringLiteral("Soubor %1 nelze zapsat").arg(QDir::toNativeSeparators(path)),
                        error))
        return false;
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
    return true;
}

} // namespace kora
