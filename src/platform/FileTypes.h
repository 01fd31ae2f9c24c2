#pragma once

#include "platform/DesktopEntry.h"

#include <QString>
#include <QStringList>

namespace kora {

class Registry;

// Makes the program the opener of files by extension, in two places: the emulated
// HKEY_CLASSES_ROOT (the extension's key names a file type whose Shell\Open\Command starts the
// program) and the desktop (the extension's MIME type, the program's desktop entry listing it,
// and the user's default application for it in mimeapps.list, as `xdg-mime default` sets it).
// Unregistering takes back only what is the program's: another program's open command or
// default application stays.
class FileTypes
{
public:
    // The desktop entry that carries the associations; kept out of the applications menu.
    static const QString kDesktopId;
    // The program's own document type, for ".kora".
    static const QString kKoraMimeType;

    FileTypes(Registry &registry, QString executable, DesktopPaths paths);

    // `extension` begins with "."; letters may be in either case. False with a Czech message
    // when something could not be written.
    bool registerExtension(const QString &extension, QString *error);
    bool unregisterExtension(const QString &extension, QString *error);

    // The MIME type files with `extension` have: the system's when it knows the extension, else
    // one of the program's own ("application/x-kora-<extension>").
    QString mimeTypeFor(const QString &extension) const;
    // "\"<executable>\" \"%1\"", the open command written under HKEY_CLASSES_ROOT.
    QString openCommand() const;
    // The types the program's desktop entry lists now.
    QStringList registeredMimeTypes() const;

    QString desktopEntryPath() const;
    QString mimePackagePath() const;
    QString mimeAppsPath() const;

private:
    bool registerClass(const QString &extension, QString *error);
    bool unregisterClass(const QString &extension, QString *error);
    bool writeDesktopSide(const QStringList &types, QString *error);

    Registry &m_registry;
    QString m_executable;
    DesktopPaths m_paths;
};

} // namespace kora
