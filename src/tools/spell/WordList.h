#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

class QFile;

namespace kora::spell {

// A read-only word list: one word per line, lines ended by CR LF or LF, the last one with or
// without. A word is in the list only when it is a whole line. A file is mapped, not copied;
// the index is one sorted array of line offsets, so a lookup is a binary search. A list that is
// not in byte order is still found whole: its offsets are sorted instead.
class WordList
{
public:
    WordList();
    ~WordList();
    WordList(WordList &&other) noexcept;
    WordList &operator=(WordList &&other) noexcept;

    // A missing or unreadable file gives an empty list.
    static WordList fromFile(const QString &path);
    static WordList fromBytes(QByteArray bytes);

    bool contains(QByteArrayView word) const;
    bool isEmpty() const { return m_lines.empty(); }
    qsizetype count() const { return qsizetype(m_lines.size()); }

private:
    void index();
    QByteArrayView lineAt(quint32 offset) const;

    std::unique_ptr<QFile> m_file; // keeps the mapping alive
    QByteArray m_bytes;
    const char *m_data = nullptr;
    qsizetype m_size = 0;
    std::vector<quint32> m_lines; // offsets of the non-empty lines, in byte order of their text
};

} // namespace kora::spell
