#include "exchange/ExchangeController.h"

#include "exchange/SendCommands.h"
#include "exchange/Taplikace.h"
#include "exchange/Tdisketa.h"
#include "platform/AppDirs.h"
#include "platform/CurlDownloader.h"
#include "platform/MediaFloppyDrive.h"
#include "platform/XdgMailClient.h"

#include <QAction>
#include <QWidget>

namespace kora {

ExchangeController::Services ExchangeController::Services::system()
{
    return {std::make_unique<CurlDownloader>(), std::make_unique<XdgMailClient>(AppDirs::cacheDir()),
            std::make_unique<MediaFloppyDrive>()};
}

ExchangeController::ExchangeController(RichEdit &editor, Prompter &prompter, Shell &shell, Services services,
                                       PageDocument document, const Actions &actions, QWidget *window)
    : QObject(window)
    , m_shell(shell)
    , m_services(std::move(services))
    , m_internet(new InternetCommands(prompter, *m_services.downloader, std::move(document), window, this))
    , m_sending(new SendCommands(editor, prompter, shell, *m_services.mail, this))
{
    connect(actions.mOtevritInternet, &QAction::triggered, m_internet, &InternetCommands::mOtevritInternetClick);
    connect(actions.Nejnovjverze1, &QAction::triggered, m_internet, &InternetCommands::Nejnovjverze1Click);
    const std::pair<QAction *, void (SendCommands::*)()> sending[] = {
        {actions.DisketaA, &SendCommands::DisketaAClick},
        {actions.mObsahTextu, &SendCommands::mObsahTextuClick},
        {actions.PrilohaEmal, &SendCommands::PrilohaEmalClick},
        {actions.WWWKORAEditoru1, &SendCommands::WWWKORAEditoru1Click},
        {actions.Kontaktovatpodporu1, &SendCommands::Kontaktovatpodporu1Click},
        {actions.OAplikaci1, &SendCommands::OAplikaci1Click},
    };
    for (const auto &[action, handler] : sending)
        connect(action, &QAction::triggered, m_sending, handler);
}

// The commands go before the services they use.
ExchangeController::~ExchangeController()
{
    delete m_sending;
    delete m_internet;
}

void ExchangeController::setDialogs(TOtevritNet *openNet, Taplikace *about, Tdisketa *floppy)
{
    m_internet->setDialogs(openNet, about);
    m_sending->setDialogs(floppy, about);
    if (about)
        about->setShell(&m_shell);
    if (floppy)
        floppy->setDrive(m_services.floppy.get());
}

} // namespace kora
