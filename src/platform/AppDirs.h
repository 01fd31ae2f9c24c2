#pragma once

#include <QString>

// Where the program keeps its files. Every folder returned exists (it is created when missing)
// and is given as a clean absolute path without a trailing slash.
namespace kora::AppDirs {

// History lists and dictionaries: $KORA_HOME when set; else the executable's folder when it is
// writable; else $XDG_DATA_HOME/kora-editor.
QString dataDir();

// A file named `name` in dataDir().
QString filePath(const QString &name);

// A file shipped with the program, such as the main word list: the first that exists of
// filePath(name), `name` in the executable's folder and `name` in the installed data folder
// (share/kora-editor beside the executable's bin folder); filePath(name) when none exists.
QString shippedFilePath(const QString &name);

// Settings: $KORA_CONFIG_DIR when set, else $XDG_CONFIG_HOME/kora-editor.
QString configDir();

// Working files that can be made again (downloaded pages, mail attachments): $KORA_CACHE_DIR
// when set, else $XDG_CACHE_HOME/kora-editor.
QString cacheDir();

} // namespace kora::AppDirs
