#pragma once

class QCoreApplication;

namespace kora {

// Loads Qt's own Czech texts, so the file, colour and print dialogs and the editing controls'
// menus speak the program's language whatever the desktop's locale. Returns false when the
// translations are not installed (the dialogs then stay in English).
bool installQtTranslations(QCoreApplication &application);

} // namespace kora
