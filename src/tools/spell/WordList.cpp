#include "tools/spell/WordList.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <limits>

namespace kora::spell {

namespace {

// Byte order, as the sorted list files are written.
bool lessThan(QByteArrayView a, QByteArrayView b)
{
    // An empty view may have no data at all, which memcmp must not be given.
    const size_t common = size_t(std::min(a.size(), b.size()));
    const int c = common ? std::memcmp(a.data(), b.data(), common) : 0;
    return c < 0 || (c == 0 && a.size() < b.size());
}

} // namespace

WordList::WordList() = default;
WordList::~WordList() = default;
WordList::WordList(WordList &&other) noexcept = default;
WordList &WordList::operator=(WordList &&other) noexcept = default;

WordList WordList::fromFile(const QString &path)
{
    WordList list;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return list;
    const qint64 size = file->size();
    if (size <= 0 || size > std::numeric_limits<quint32>::max())
        return list;
    if (const uchar *mapped = file->map(0, size)) {
        list.m_data = reinterpret_cast<const char *>(mapped);
        list.m_size = size;
        list.m_file = std::move(file);
    } else {
        list.m_bytes = file->readAll();
        list.m_data = list.m_bytes.constData();
        list.m_size = list.m_bytes.size();
    }
    list.index();
    return list;
}

WordList WordList::fromBytes(QByteArray bytes)
{
    WordList list;
    if (bytes.size() > qsizetype(std::numeric_limits<quint32>::max()))
        return list;
    list.m_bytes = std::move(bytes);
    list.m_data = list.m_bytes.constData();
    list.m_size = list.m_bytes.size();
    list.index();
    return list;
}

qsizetype WordList::lineEnd(qsizetype offset) const
{
    const auto *newline = static_cast<const char *>(std::memchr(m_data + offset, '\n', size_t(m_size - offset)));
    return newline ? newline - m_data : m_size;
}

QByteArrayView WordList::lineAt(qsizetype offset) const
{
    qsizetype length = lineEnd(offset) - offset;
    if (length > 0 && m_data[offset + length - 1] == '\r')
        --length;
    return {m_data + offset, length};
}

template<typename Visit>
void WordList::forEachLine(Visit visit) const
{
    for (qsizetype start = 0; start < m_size;) {
        const qsizetype end = lineEnd(start);
        const qsizetype length = end - start - (end > start && m_data[end - 1] == '\r' ? 1 : 0);
        if (length > 0)
            visit(QByteArrayView(m_data + start, length));
        start = end + 1;
    }
}

void WordList::index()
{
    m_lines.clear();
    m_count = 0;
    m_step = kSampleStep;
    bool sorted = true;
    QByteArrayView previous;
    forEachLine([&](QByteArrayView line) {
        if (sorted && lessThan(line, previous))
            sorted = false;
        if (m_count % kSampleStep == 0)
            m_lines.push_back(quint32(line.data() - m_data));
        ++m_count;
        previous = line;
    });
    if (sorted)
        return;
    m_step = 1;
    m_lines.clear();
    m_lines.reserve(size_t(m_count));
    forEachLine([this](QByteArrayView line) { m_lines.push_back(quint32(line.data() - m_data)); });
    std::sort(m_lines.begin(), m_lines.end(),
              [this](quint32 a, quint32 b) { return lessThan(lineAt(a), lineAt(b)); });
}

bool WordList::contains(QByteArrayView word) const
{
    if (word.isEmpty() || m_lines.empty())
        return false;
    if (m_step == 1) {
        const auto it =
            std::lower_bound(m_lines.begin(), m_lines.end(), word,
                             [this](quint32 offset, QByteArrayView w) { return lessThan(lineAt(offset), w); });
        return it != m_lines.end() && lineAt(*it) == word;
    }
    // The last sample not after the word, then on through the lines up to the next sample.
    const auto it = std::upper_bound(m_lines.begin(), m_lines.end(), word,
                                     [this](QByteArrayView w, quint32 offset) { return lessThan(w, lineAt(offset)); });
    if (it == m_lines.begin())
        return false;
    qsizetype offset = *(it - 1);
    for (int seen = 0; seen < m_step && offset < m_size; offset = lineEnd(offset) + 1) {
        const QByteArrayView line = lineAt(offset);
        if (line.isEmpty())
            continue;
        if (line == word)
            return true;
        if (lessThan(word, line))
            return false;
        ++seen;
    }
    return false;
}

} // namespace kora::spell
