#pragma once

#include "platform/DesktopEntry.h"

namespace kora {

// Launchers "KORA Editor.desktop" that start the program: on the user's desktop and in the
// applications menu. An existing launcher of that name is replaced.
class Shortcuts
{
public:
    static const QString kFileName;

    Shortcuts(QString executable, DesktopPaths paths);

    // False with a Czech message when the launcher could not be written.
    bool createOnDesktop(QString *error) const;
    bool createInApplicationsMenu(QString *error) const;

    QString desktopLauncherPath() const;
    QString menuLauncherPath() const;

private:
    QString m_executable;
    DesktopPaths m_paths;
};

} // namespace kora
