#pragma once

#include "settings/TPFormSettings.h"

#include <span>

class QWidget;

namespace kora {

class Prompter;

// The persisted settings of this program's windows, declared once: each window's key name, the
// placement values it keeps, whether it restarts the program after the session, and its bindings
// in list order. All lie under HKEY_CURRENT_USER\Software\Lumasoft\KORA Editor\<window>.
struct WindowSettingsTable
{
    const char *windowName;
    TPFormSettings::TPFormSaveOpts formSaveOpt;
    bool autoRestartApp;
    std::span<const char *const> bindings;
};

std::span<const WindowSettingsTable> windowSettingsTables();

// Gives `window` its settings components as its table (found by the window's object name)
// declares them and restores the window's settings. Call it where the window has been built and
// its own creation steps have not run yet. Failed saves are reported through `prompter`.
// A window without a table stops the program: its settings would silently not persist.
TPFormSettings *attachWindowSettings(QWidget &window, Prompter &prompter);

} // namespace kora
