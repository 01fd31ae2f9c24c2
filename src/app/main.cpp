#include "platform/Prompter.h"
#include "app/RegistryColorStore.h"
#include "app/TForm1.h"
#include "app/TipsOfTheDay.h"
#include "platform/QtTranslations.h"
#include "settings/Registry.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No display name: the window system would append it to every caption.
    QApplication::setApplicationName(QStringLiteral("KORA Editor"));
    QApplication::setApplicationVersion(QStringLiteral("1.1.8"));
    kora::installQtTranslations(app);

    kora::QtPrompter prompter;
    kora::DesktopShell launcher;
    kora::TForm1 form(prompter, launcher);
    prompter.setParent(&form);
    kora::Registry registry;
    kora::RegistryColorStore userColors(registry);
    form.setUserColorStore(&userColors);
    // The tips come before anything else is shown, when their stored flag asks for them.
    if (form.tips()->showAtStartup())
        form.tips()->execute();
    form.FormCreate(app.arguments());
    form.createDialogs();
    form.show();
    // Reading the user's hive once finds a damaged settings file now rather than mid-command.
    registry.root(kora::Hive::CurrentUser).subKeyNames();
    const QString damage = registry.takeDamageReport();
    if (!damage.isEmpty())
        prompter.ask(kora::MessageKind::Warning, damage, kora::ButtonOk);
    return app.exec();
}
