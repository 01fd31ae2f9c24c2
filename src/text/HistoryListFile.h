#pragma once

#include <QString>
#include <QStringList>

namespace kora {

// A list of strings kept in a text file, one entry per line, each line ending in CR LF.
// Files are read as UTF-8 when valid, else as Windows-1250, with any line-break style; they are
// written as UTF-8 without a byte-order mark. An entry must not contain a line break: it would
// read back as several entries.
class HistoryListFile
{
public:
    explicit HistoryListFile(QString path);

    const QString &path() const { return m_path; }
    const QStringList &entries() const { return m_entries; }
    void setEntries(QStringList entries) { m_entries = std::move(entries); }
    void append(const QString &entry) { m_entries.append(entry); }

    // A larger file is not a history list.
    static constexpr qint64 kMaxBytes = 64 * 1024 * 1024;

    // Replaces the entries with the file's; a missing file gives an empty list. On failure the
    // entries stay as they were and `error` gets a Czech message naming the file. A file over
    // kMaxBytes fails as damaged; lines holding control characters other than tab are binary data
    // and are left out, so the next save drops them and keeps every readable line.
    bool load(QString *error = nullptr);
    // The last load refused the file as too large or left lines out of it.
    bool isDamaged() const { return m_damaged; }

    // Writes all entries through a temporary file that then replaces the old one, so a failure
    // leaves the old file intact; `error` gets a Czech message naming the file.
    bool save(QString *error = nullptr) const;

    // The entries a file with these bytes holds (`leftOut`: whether binary lines were left out),
    // and the bytes a file of these entries gets.
    static QStringList entriesOf(const QByteArray &bytes, bool *leftOut = nullptr);
    static QByteArray bytesOf(const QStringList &entries);

private:
    QString m_path;
    QStringList m_entries;
    bool m_damaged = false;
};

// The most-recent-first list after using `path`: every entry equal to it regardless of case is
// removed, `path` goes to the front as spelled, and the list is cut to `max` entries.
QStringList addRecent(QStringList list, const QString &path, int max = 7);

} // namespace kora
