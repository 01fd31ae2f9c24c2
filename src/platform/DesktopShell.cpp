#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace kora {

bool DesktopShell::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool DesktopShell::openUrl(const QString &address)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

} // namespace kora
