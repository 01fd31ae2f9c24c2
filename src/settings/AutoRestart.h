#pragma once

#include <QString>

namespace kora {

class Registry;

// Starting the program again at the next login after the desktop session ended while it ran:
// a value in HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce, and, since
// Linux desktops read no such value, an XDG autostart entry beside it. The entry starts the
// program with KORA_RUN_ONCE naming the value; the program then removes both before anything
// else (finishRestart), so it is started once.
namespace AutoRestart {

// "SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce"
QString runOnceKey();

// "PS" + software + company: ASCII letters only, upper case, at most 20 of them.
QString valueName(const QString &softwareName, const QString &companyName);

// $XDG_CONFIG_HOME/autostart/<valueName>.desktop
QString entryPath(const QString &valueName);

// The autostart entry's text for starting `program`.
QString entryText(const QString &valueName, const QString &program);

// Writes the RunOnce value (the program's path in double quotes) and the autostart entry.
bool writeEntry(Registry &registry, const QString &valueName, const QString &program, QString *error = nullptr);

// When this process was started by an entry (KORA_RUN_ONCE is set), removes that entry and its
// value and forgets the variable, so instances started from here do not see it.
void finishRestart(Registry &registry);

} // namespace AutoRestart

} // namespace kora
