#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

class QFile;

namespace kora::spell {

// A read-only word list: one word per line, lines ended by CR LF or LF, the last one with or
// without. A word is in the list only when it is a whole line. A file is mapped, not copied.
// A list in byte order is indexed by the offsets of every 16th line: a lookup binary-searches
// them and reads on through at most 16 lines. A list out of that order is still found whole:
// then the index holds every line's offset, sorted by the lines.
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
    bool isEmpty() const { return m_count == 0; }
    qsizetype count() const { return m_count; }

private:
    static constexpr int kSampleStep = 16;

    void index();
    // visit(line) for each non-empty line, without its CR LF.
    template<typename Visit>
    void forEachLine(Visit visit) const;
    qsizetype lineEnd(qsizetype offset) const;
    QByteArrayView lineAt(qsizetype offset) const;

    std::unique_ptr<QFile> m_file; // keeps the mapping alive
    QByteArray m_bytes;
    const char *m_data = nullptr;
    qsizetype m_size = 0;
    std::vector<quint32> m_lines; // offsets of sampled non-empty lines, in byte order of their text
    int m_step = kSampleStep;     // 1 when every line is in m_lines
    qsizetype m_count = 0;
};

} // namespace kora::spell
