#include "app/Application.h"
#include "platform/QtPrompter.h"
#include "platform/QtTranslations.h"
#include "platform/DesktopShell.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No display name: the window system would append it to every caption.
    QApplication::setApplicationName(QStringLiteral("KORA Editor"));
    QApplication::setApplicationVersion(QStringLiteral("1.1.8"));
    kora::installQtTranslations(app);

    kora::QtPrompter prompter;
    kora::DesktopShell shell;
    kora::Application program(prompter, shell);
    program.start(app.arguments());
    return app.exec();
}
