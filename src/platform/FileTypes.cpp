#include "platform/FileTypes.h"

#include "settings/Registry.h"
#include "text/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace kora {

const QString FileTypes::kDesktopId = QStringLiteral("kora-editor.desktop");
const QString FileTypes::kKoraMimeType = QStringLiteral("application/x-kora");

namespace {

const QString kOwnTypePrefix = QStringLiteral("application/x-kora-");
const QString kDefaultGroup = QStringLiteral("[Default Applications]");
const QString kAddedGroup = QStringLiteral("[Added Associations]");

// The extension without its dot, in lower case, with anything a MIME type or a glob cannot
// hold replaced by "-".
QString cleanExtension(const QString &extension)
{
    QString clean = extension.mid(1).toLower();
    for (QChar &ch : clean) {
        if (!(ch.isLetterOrNumber() && ch.unicode() < 128) && ch != u'.' && ch != u'+' && ch != u'-' && ch != u'_')
            ch = u'-';
    }
    return clean;
}

QString xmlEscaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// mimeapps.list: sets the default application of `type` to `desktopId` (and lists it first among
// the added associations), or takes `desktopId` out of both lists of `type`. Every other line
// stays as it was.
QByteArray editedMimeApps(const QByteArray &old, const QString &type, const QString &desktopId, bool add)
{
    QStringList lines = QString::fromUtf8(old).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    const auto editGroup = [&](const QString &group, bool replaceWhole) {
        qsizetype start = lines.indexOf(group);
        if (start < 0) {
            if (!add)
                return;
            if (!lines.isEmpty() && !lines.last().isEmpty())
                lines.append(QString());
            lines.append(group);
            start = lines.size() - 1;
        }
        qsizetype end = start + 1;
        while (end < lines.size() && !lines[end].startsWith(u'['))
            ++end;
        for (qsizetype i = start + 1; i < end; ++i) {
            const qsizetype equals = lines[i].indexOf(u'=');
            if (equals < 0 || lines[i].left(equals).trimmed() != type)
                continue;
            QStringList ids = lines[i].mid(equals + 1).split(u';', Qt::SkipEmptyParts);
            ids.removeAll(desktopId);
            if (add)
                ids = replaceWhole ? QStringList{desktopId} : QStringList{desktopId} + ids;
            if (ids.isEmpty())
                lines.removeAt(i);
            else
                lines[i] = type + u'=' + ids.join(u';') + u';';
            return;
        }
        if (add) {
            // After the group's last entry, before any blank line that closes it.
            qsizetype at = end;
            while (at > start + 1 && lines[at - 1].trimmed().isEmpty())
                --at;
            lines.insert(at, type + u'=' + desktopId + u';');
        }
    };
    editGroup(kDefaultGroup, true);
    editGroup(kAddedGroup, false);
    return (lines.join(u'\n') + u'\n').toUtf8();
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

FileTypes::FileTypes(Registry &registry, QString executable, DesktopPaths paths)
    : m_registry(registry)
    , m_executable(std::move(executable))
    , m_paths(std::move(paths))
{
}

QString FileTypes::openCommand() const
{
    return u'"' + m_executable + QStringLiteral("\" \"%1\"");
}

QString FileTypes::desktopEntryPath() const
{
    return m_paths.applications() + u'/' + kDesktopId;
}

QString FileTypes::mimePackagePath() const
{
    return m_paths.dataHome + QStringLiteral("/mime/packages/kora-editor.xml");
}

QString FileTypes::mimeAppsPath() const
{
    return m_paths.configHome + QStringLiteral("/mimeapps.list");
}

QString FileTypes::mimeTypeFor(const QString &extension) const
{
    const QString clean = cleanExtension(extension);
    if (clean == u"kora")
        return kKoraMimeType;
    const QMimeType known =
        QMimeDatabase().mimeTypeForFile(QStringLiteral("x.") + clean, QMimeDatabase::MatchExtension);
    if (known.isValid() && !known.isDefault())
        return known.name();
    return kOwnTypePrefix + clean;
}

QStringList FileTypes::registeredMimeTypes() const
{
    QFile file(desktopEntryPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("MimeType="))
            return QString::fromUtf8(line.mid(9)).trimmed().split(u';', Qt::SkipEmptyParts);
    }
    return {};
}

bool FileTypes::registerExtension(const QString &extension, QString *error)
{
    if (!registerClass(extension, error))
        return false;
    const QString type = mimeTypeFor(extension);
    QStringList types = registeredMimeTypes();
    if (!types.contains(type))
        types.append(type);
    if (!writeDesktopSide(types, error))
        return false;
    QByteArray old;
    if (QFile::exists(mimeAppsPath()) && !readWholeFile(mimeAppsPath(), &old, error))
        return false;
    QDir().mkpath(m_paths.configHome);
    return saveFileSafely(mimeAppsPath(), editedMimeApps(old, type, kDesktopId, true),
                          QStringLiteral("Soubor %1 nelze zapsat").arg(mimeAppsPath()), error);
}

bool FileTypes::unregisterExtension(const QString &extension, QString *error)
{
    if (!unregisterClass(extension, error))
        return false;
    const QString type = mimeTypeFor(extension);
    QStringList types = registeredMimeTypes();
    if (types.removeAll(type) > 0 && !writeDesktopSide(types, error))
        return false;
    if (!QFile::exists(mimeAppsPath()))
        return true;
    QByteArray old;
    if (!readWholeFile(mimeAppsPath(), &old, error))
        return false;
    const QByteArray edited = editedMimeApps(old, type, kDesktopId, false);
    return edited == old ||
           saveFileSafely(mimeAppsPath(), edited, QStringLiteral("Soubor %1 nelze zapsat").arg(mimeAppsPath()), error);
}

bool FileTypes::registerClass(const QString &extension, QString *error)
{
    const RegistryKey root = m_registry.root(Hive::ClassesRoot);
    const std::optional<RegistryKey> extensionKey = root.openKey(extension, true, error);
    if (!extensionKey)
        return false;
    QString typeName = extensionKey->readString(QString()).value_or(QString());
    if (typeName.isEmpty()) {
        typeName = extension.mid(1) + QStringLiteral("file");
        if (!extensionKey->writeString(QString(), typeName, error))
            return false;
    }
    const std::optional<RegistryKey> icon = root.openKey(typeName + QStringLiteral("\\DefaultIcon"), true, error);
    if (!icon)
        return false;
    // An icon that is already set is left alone.
    if (icon->readString(QString()).value_or(QString()).isEmpty() &&
        !icon->writeString(QString(), m_executable + QStringLiteral(",0"), error))
        return false;
    const std::optional<RegistryKey> command =
        root.openKey(typeName + QStringLiteral("\\Shell\\Open\\Command"), true, error);
    if (!command || !command->writeString(QString(), openCommand(), error))
        return false;
    const QString ddeexec = typeName + QStringLiteral("\\Shell\\Open\\ddeexec");
    return !root.keyExists(ddeexec) || root.deleteKey(ddeexec, error);
}

bool FileTypes::unregisterClass(const QString &extension, QString *error)
{
    // Nothing is created here, and only the program's own open command goes.
    const RegistryKey root = m_registry.root(Hive::ClassesRoot);
    const std::optional<RegistryKey> extensionKey = root.openKey(extension, false);
    if (!extensionKey)
        return true;
    const QString typeName = extensionKey->readString(QString()).value_or(QString());
    if (typeName.isEmpty())
        return true;
    const QString commandPath = typeName + QStringLiteral("\\Shell\\Open\\Command");
    const std::optional<RegistryKey> command = root.openKey(commandPath, false);
    if (!command || command->readString(QString()) != openCommand())
        return true;
    return root.deleteKey(commandPath, error);
}

bool FileTypes::writeDesktopSide(const QStringList &types, QString *error)
{
    if (!writeDesktopFile(desktopEntryPath(), desktopEntry(m_executable, types, true), error))
        return false;

    // The program's own types, so the desktop knows which files they are.
    QString package = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                     "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                                     "  <mime-type type=\"%1\">\n"
                                     "    <comment>KORA dokument</comment>\n"
                                     "    <sub-class-of type=\"application/rtf\"/>\n"
                                     "    <glob pattern=\"*.kora\"/>\n"
                                     "  </mime-type>\n")
                          .arg(kKoraMimeType);
    for (const QString &type : types) {
        if (!type.startsWith(kOwnTypePrefix))
            continue;
        package += QStringLiteral("  <mime-type type=\"%1\">\n"
                                  "    <comment>Soubor *.%2</comment>\n"
                                  "    <glob pattern=\"*.%2\"/>\n"
                                  "  </mime-type>\n")
                       .arg(xmlEscaped(type), xmlEscaped(type.mid(kOwnTypePrefix.size())));
    }
    package += QStringLiteral("</mime-info>\n");

    const QString packages = m_paths.dataHome + QStringLiteral("/mime/packages");
    if (!QDir().mkpath(packages))
        return fail(error, QStringLiteral("Složku %1 nelze vytvořit").arg(packages));
    QByteArray old;
    if (QFile::exists(mimePackagePath()) && readWholeFile(mimePackagePath(), &old, nullptr) && old == package.toUtf8())
        return true;
    if (!saveFileSafely(mimePackagePath(), package.toUtf8(),
                        QStringLiteral("Soubor %1 nelze zapsat").arg(mimePackagePath()), error))
        return false;
    const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (update.isEmpty())
        return true;
    QProcess process;
    process.start(update, {m_paths.dataHome + QStringLiteral("/mime")});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return fail(error, QStringLiteral("Databázi typů souborů se nepodařilo obnovit"));
    return true;
}

} // namespace kora
