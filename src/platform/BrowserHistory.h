#pragma once

#include <QString>
#include <QStringList>

namespace kora {

// The addresses the user's web browsers have visited, as they stored them.
class BrowserHistory
{
public:
    virtual ~BrowserHistory() = default;
    virtual QStringList visitedAddresses() = 0;
};

// Reads the history databases of the browsers found under a home folder: Firefox and LibreWolf
// (places.sqlite) and Chromium, Chrome, Brave, Edge and Vivaldi (History), every profile. Each
// database is copied first, since a running browser keeps it locked; one that cannot be read is
// skipped.
class SqliteBrowserHistory : public BrowserHistory
{
public:
    // `home` empty: the user's home folder.
    explicit SqliteBrowserHistory(QString home = {});

    QStringList visitedAddresses() override;

    // The history databases found, Firefox-like ones first.
    QStringList firefoxDatabases() const;
    QStringList chromiumDatabases() const;

private:
    QString m_home;
};

} // namespace kora
