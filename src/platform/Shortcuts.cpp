#include "platform/Shortcuts.h"

namespace kora {

const QString Shortcuts::kFileName = QStringLiteral("KORA Editor.desktop");

Shortcuts::Shortcuts(QString executable, DesktopPaths paths)
    : m_executable(std::move(executable))
    , m_paths(std::move(paths))
{
}

QString Shortcuts::desktopLauncherPath() const
{
    return m_paths.desktopFolder() + u'/' + kFileName;
}

QString Shortcuts::menuLauncherPath() const
{
    return m_paths.applications() + u'/' + kFileName;
}

bool Shortcuts::createOnDesktop(QString *error) const
{
    return writeDesktopFile(desktopLauncherPath(), desktopEntry(m_executable, {}, false), error);
}

bool Shortcuts::createInApplicationsMenu(QString *error) const
{
    return writeDesktopFile(menuLauncherPath(), desktopEntry(m_executable, {}, false), error);
}

} // namespace kora
