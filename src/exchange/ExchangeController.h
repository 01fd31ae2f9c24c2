#pragma once

#include "exchange/InternetCommands.h"
#include "platform/Downloader.h"
#include "platform/FloppyDrive.h"
#include "platform/MailClient.h"

#include <QObject>

#include <memory>

class QAction;
class QWidget;

namespace kora {

class Prompter;
class RichEdit;
class SendCommands;
class Shell;
class Taplikace;
class Tdisketa;

// Bringing pages in from the Internet and sending the document out (floppy, e-mail), with the
// links to the maker: the commands of "Otevřít z interentu", "Odeslat" and "Nápověda".
class ExchangeController : public QObject
{
    Q_OBJECT

public:
    struct Actions
    {
        QAction *mOtevritInternet;
        QAction *Nejnovjverze1;
        QAction *DisketaA;
        QAction *mObsahTextu;
        QAction *PrilohaEmal;
        QAction *WWWKORAEditoru1;
        QAction *Kontaktovatpodporu1;
        QAction *OAplikaci1;
    };

    // The desktop's services the commands use.
    struct Services
    {
        std::unique_ptr<Downloader> downloader;
        std::unique_ptr<MailClient> mail;
        std::unique_ptr<FloppyDrive> floppy;

        // libcurl, xdg-email and the mounted removable medium.
        static Services system();
    };

    ExchangeController(RichEdit &editor, Prompter &prompter, Shell &shell, Services services, PageDocument document,
                       const Actions &actions, QWidget *window);
    ~ExchangeController() override;

    // The dialogs, once created.
    void setDialogs(TOtevritNet *openNet, Taplikace *about, Tdisketa *floppy);

    InternetCommands &internet() const { return *m_internet; }
    SendCommands &sending() const { return *m_sending; }

private:
    Shell &m_shell;
    Services m_services;
    InternetCommands *m_internet;
    SendCommands *m_sending;
};

} // namespace kora
