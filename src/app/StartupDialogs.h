#pragma once

#include "app/TfUvitani.h"
#include "app/Tfnovinky.h"
#include "exchange/TForm3.h"
#include "editing/insertion/TCesta.h"
#include "editing/insertion/TDatumCas.h"
#include "editing/insertion/THyperLink.h"
#include "editing/insertion/TTextSouboru.h"
#include "editing/insertion/Tsymbol.h"
#include "editing/search/TJdiRadek.h"
#include "editing/search/Tfhledat.h"
#include "exchange/TOtevritNet.h"
#include "exchange/Taplikace.h"
#include "exchange/Tdisketa.h"
#include "exchange/Todeslat_soubor.h"
#include "settings/Registry.h"
#include "tools/clipboard/Tobsah.h"
#include "tools/options/Tnastaveni.h"
#include "tools/options/Treg.h"
#include "tools/stats/TZnaky.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace kora {

class FileTypes;
class Prompter;
class RichEdit;
class Shortcuts;

// The dialogs the program creates once, right after the main window, and keeps until exit.
class StartupDialogs
{
public:
    StartupDialogs();
    StartupDialogs(const StartupDialogs &) = delete;
    StartupDialogs &operator=(const StartupDialogs &) = delete;
    // Deletes the dialogs that are still alive, the last created first.
    ~StartupDialogs();

    // Creates every dialog as a child window of `mainWindow`; does nothing when already created.
    // The dialogs that act on the document act on `editor`; the options give the tip of the day's
    // start-up flag to `setTipsAtStartup`.
    void create(QWidget *mainWindow, Prompter &prompter, WelcomeActions &actions, RichEdit &editor,
                std::function<void(bool)> setTipsAtStartup = {});

    TfUvitani *welcome() const { return m_welcome; }
    Tfnovinky *whatsNew() const { return m_whatsNew; }
    Tnastaveni *options() const { return m_options; }
    Treg *reg() const { return m_reg; }
    // The hidden scratch window of the HTML export.
    TForm3 *htmlScratch() const { return m_htmlScratch; }
    TOtevritNet *openNet() const { return m_openNet; }
    Taplikace *about() const { return m_about; }
    Tdisketa *floppy() const { return m_floppy; }
    // The e-mail recipients' list, never shown by a command.
    Todeslat_soubor *mailRecipients() const { return m_mailRecipients; }
    TJdiRadek *goToLine() const { return m_goToLine; }
    Tfhledat *findSpecial() const { return m_findSpecial; }
    TZnaky *characterCount() const { return m_characterCount; }
    Tobsah *clipboard() const { return m_clipboard; }
    TDatumCas *dateTime() const { return m_dateTime; }
    THyperLink *hyperLink() const { return m_hyperLink; }
    TTextSouboru *fileText() const { return m_fileText; }
    TCesta *filePath() const { return m_filePath; }
    Tsymbol *symbol() const { return m_symbol; }
    // All dialogs in creation order.
    std::vector<QDialog *> dialogs() const;

private:
    Registry m_registry;
    std::unique_ptr<FileTypes> m_fileTypes;
    std::unique_ptr<Shortcuts> m_shortcuts;
    std::vector<QPointer<QDialog>> m_dialogs;
    QPointer<TfUvitani> m_welcome;
    QPointer<Tfnovinky> m_whatsNew;
    QPointer<Tnastaveni> m_options;
    QPointer<Treg> m_reg;
    QPointer<TForm3> m_htmlScratch;
    QPointer<TOtevritNet> m_openNet;
    QPointer<Taplikace> m_about;
    QPointer<Tdisketa> m_floppy;
    QPointer<Todeslat_soubor> m_mailRecipients;
    QPointer<TJdiRadek> m_goToLine;
    QPointer<Tfhledat> m_findSpecial;
    QPointer<TZnaky> m_characterCount;
    QPointer<Tobsah> m_clipboard;
    QPointer<TDatumCas> m_dateTime;
    QPointer<THyperLink> m_hyperLink;
    QPointer<TTextSouboru> m_fileText;
    QPointer<TCesta> m_filePath;
    QPointer<Tsymbol> m_symbol;
};

} // namespace kora
