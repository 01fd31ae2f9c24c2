#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace kora {

bool DesktopShell::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

void DesktopShell::openUrl(const QString &address)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

} // namespace kora
