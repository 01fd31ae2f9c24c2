#pragma once

#include "app/RegistryColorStore.h"
#include "app/recovery/RecoveryStore.h"
#include "settings/Registry.h"

#include <QStringList>

#include <memory>

namespace kora {

class Prompter;
class SessionEnd;
class Shell;
class TForm1;

// The program's start-up, in order: the entry that restarted it after the last session is
// removed, the desktop's icon theme, the settings store and the colour buttons' user colours,
// the main window with its restored settings, the tips when their flag asks for them, the
// creation handler with the command line, the dialogs, the recovery copies that a program which
// ended without saving left behind, showing the window, then a damaged settings file is
// reported. The window goes before the stores it uses. A signal to end or the end of the desktop
// session ends the program at once, the document's recovery copy written.
class Application
{
public:
    Application(Prompter &prompter, Shell &shell);
    ~Application();

    // Everything up to the shown main window; the caller runs the event loop.
    void start(const QStringList &arguments);

    TForm1 &mainWindow() { return *m_form; }
    RecoveryStore &recoveryStore() { return m_recovery; }
    // What a signal to end and the end of the session run.
    void endNow();

private:
    Prompter &m_prompter;
    Shell &m_shell;
    Registry m_registry;
    RegistryColorStore m_userColors;
    RecoveryStore m_recovery;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<SessionEnd> m_sessionEnd;
    bool m_ended = false;
};

} // namespace kora
