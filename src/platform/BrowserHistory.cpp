#include "platform/BrowserHistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace kora {

namespace {

const char *const kFirefoxFolders[] = {
    ".mozilla/firefox",
    ".librewolf",
    "snap/firefox/common/.mozilla/firefox",
    ".var/app/org.mozilla.firefox/.mozilla/firefox",
    ".var/app/io.gitlab.librewolf-community/.librewolf",
};

const char *const kChromiumFolders[] = {
    ".config/chromium",
    ".config/google-chrome",
    ".config/BraveSoftware/Brave-Browser",
    ".config/microsoft-edge",
    ".config/vivaldi",
    "snap/chromium/common/chromium",
    ".var/app/org.chromium.Chromium/config/chromium",
};

template <std::size_t N>
QStringList databasesIn(const QString &home, const char *const (&folders)[N], const QString &fileName)
{
    QStringList found;
    for (const char *folder : folders) {
        const QDir browser(QDir(home).filePath(QString::fromLatin1(folder)));
        // Every profile is a folder of its own ("abcd1234.default-release", "Default", "Profile 1").
        for (const QString &profile : browser.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString database = QDir(browser.filePath(profile)).filePath(fileName);
            if (QFileInfo(database).isFile())
                found << database;
        }
    }
    return found;
}

// The text of the first column of every row; nothing when the database cannot be read.
QStringList readColumn(const QString &database, const char *query)
{
    // The browser may hold the database locked and keep recent rows in its write-ahead log:
    // read a copy of both.
    QTemporaryDir copyDir;
    if (!copyDir.isValid())
        return {};
    const QString copy = copyDir.filePath(QStringLiteral("history.sqlite"));
    if (!QFile::copy(database, copy))
        return {};
    QFile::copy(database + QStringLiteral("-wal"), copy + QStringLiteral("-wal"));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    QStringList values;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(copy).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, query, -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
                if (text)
                    values << QString::fromUtf8(text, sqlite3_column_bytes(statement, 0));
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return values;
}

} // namespace

SqliteBrowserHistory::SqliteBrowserHistory(QString home)
    : m_home(home.isEmpty() ? QDir::homePath() : std::move(home))
{
}

QStringList SqliteBrowserHistory::firefoxDatabases() const
{
    return databasesIn(m_home, kFirefoxFolders, QStringLiteral("places.sqlite"));
}

QStringList SqliteBrowserHistory::chromiumDatabases() const
{
    return databasesIn(m_home, kChromiumFolders, QStringLiteral("History"));
}

QStringList SqliteBrowserHistory::visitedAddresses()
{
    QStringList addresses;
    for (const QString &database : firefoxDatabases())
        addresses += readColumn(database, "SELECT url FROM moz_places WHERE visit_count > 0");
    for (const QString &database : chromiumDatabases())
        addresses += readColumn(database, "SELECT url FROM urls");
    return addresses;
}

} // namespace kora
