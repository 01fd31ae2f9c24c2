#pragma once

#include <QString>
#include <QStringList>

namespace kora {

// Where the desktop keeps what the program writes, from $HOME and the XDG variables.
struct DesktopPaths
{
    QString desktop;    // the user's desktop folder; empty: asked of xdg-user-dir when needed
    QString dataHome;   // $XDG_DATA_HOME, default ~/.local/share
    QString configHome; // $XDG_CONFIG_HOME, default ~/.config

    // Leaves `desktop` empty: asking for it starts a program, which start-up should not wait for.
    static DesktopPaths fromEnvironment();
    // `desktop`, or when empty what `xdg-user-dir DESKTOP` answers (~/Desktop without it).
    QString desktopFolder() const;
    QString applications() const { return dataHome + QStringLiteral("/applications"); }
};

// A launcher in the freedesktop format for `executable`, started in its folder; `mimeTypes`
// (may be empty) are the types it opens; `hidden` keeps it out of the applications menu.
QByteArray desktopEntry(const QString &executable, const QStringList &mimeTypes, bool hidden);

// `argument` as one argument of a desktop entry's Exec key, quoted as the format wants.
QString execArgument(const QString &argument);

// Writes `data` to `path` through a temporary file, creating the folder; the file is made
// executable, as desktops want of launchers. False with a Czech message on failure.
bool writeDesktopFile(const QString &path, const QByteArray &data, QString *error);

} // namespace kora
