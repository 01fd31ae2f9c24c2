#pragma once

#include "text/HistoryListFile.h"

#include <QString>
#include <QStringList>

namespace kora {

// The history list file of a dialog's box, in the program's data folder: loaded once, written
// back whenever the dialog closes. Lines that are no text a user typed (control characters, or
// longer than any address or path) are left out; a file that could not be read is never
// overwritten, so its entries are not lost.
class DialogHistory
{
public:
    static constexpr qsizetype kMaxEntryLength = 4096;

    explicit DialogHistory(const QString &fileName);

    const QString &path() const { return m_file.path(); }
    QStringList load();
    // False with a Czech message when the file could not be written; the old file stays.
    bool save(const QStringList &entries, QString *error);

private:
    HistoryListFile m_file;
    bool m_readable = true;
};

} // namespace kora
