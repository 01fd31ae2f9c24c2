#pragma once

#include "app/RegistryColorStore.h"
#include "settings/Registry.h"

#include <QStringList>

#include <memory>

namespace kora {

class Prompter;
class Shell;
class TForm1;

// The program's start-up, in order: the entry that restarted it after the last session is
// removed, the desktop's icon theme, the settings store and the colour buttons' user colours,
// the main window with its restored settings, the tips when their flag asks for them, the
// creation handler with the command line, the dialogs, showing the window, then a damaged
// settings file is reported. The window goes before the stores it uses.
class Application
{
public:
    Application(Prompter &prompter, Shell &shell);
    ~Application();

    // Everything up to the shown main window; the caller runs the event loop.
    void start(const QStringList &arguments);

    TForm1 &mainWindow() { return *m_form; }

private:
    Prompter &m_prompter;
    Shell &m_shell;
    Registry m_registry;
    RegistryColorStore m_userColors;
    std::unique_ptr<TForm1> m_form;
};

} // namespace kora
