#include "app/Application.h"

#include "app/TForm1.h"
#include "app/TipsOfTheDay.h"
#include "app/recovery/SessionEnd.h"
#include "app/recovery/TObnoveni.h"
#include "platform/Prompter.h"
#include "settings/AutoRestart.h"

#include <QCoreApplication>
#include <QIcon>
#include <QTimer>

namespace kora {

Application::Application(Prompter &prompter, Shell &shell)
    : m_prompter(prompter)
    , m_shell(shell)
    , m_userColors(m_registry)
{
}

Application::~Application() = default;

void Application::start(const QStringList &arguments)
{
    AutoRestart::finishRestart(m_registry);
    // Without a desktop theme the toolbars take their pictures from the installed icon theme.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    if (QIcon::fromTheme(QStringLiteral("document-new")).isNull())
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    m_form = std::make_unique<TForm1>(m_prompter, m_shell);
    m_prompter.setDialogParent(m_form.get());
    m_form->setUserColorStore(&m_userColors);
    DocumentController &documents = m_form->documents();
    documents.setRecoveryStore(&m_recovery);
    m_sessionEnd = std::make_unique<SessionEnd>();
    QObject::connect(m_sessionEnd.get(), &SessionEnd::ending, m_form.get(), [this] { endNow(); });
    // The tips come before anything else is shown, when their stored flag asks for them.
    if (m_form->tips()->showAtStartup())
        m_form->tips()->execute();
    m_form->FormCreate(arguments);
    m_form->createDialogs();
    offerRecoveryCopies(m_recovery, m_prompter, m_form.get(),
                        [&documents](const RecoveryCopy &copy) { return documents.restoreRecoveryCopy(copy); });
    if (m_ended)
        return;
    m_form->show();
    // Reading the user's hive once finds a damaged settings file now rather than mid-command.
    m_registry.root(Hive::CurrentUser).subKeyNames();
    const QString damage = m_registry.takeDamageReport();
    if (!damage.isEmpty())
        m_prompter.ask(MessageKind::Warning, damage, ButtonOk);
}

void Application::endNow()
{
    m_ended = true;
    m_form->documents().endSession();
    // Leaves every running event loop, a dialog's too; the program's own loop, when it has not
    // started yet, is left as soon as it starts.
    QCoreApplication::exit(0);
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

} // namespace kora
