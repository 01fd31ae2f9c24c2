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
    const int c = std::memcmp(a.data(), b.data(), size_t(std::min(a.size(), b.size())));
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

QByteArrayView WordList::lineAt(quint32 offset) const
{
    const char *start = m_data + offset;
    const auto *newline = static_cast<const char *>(std::memchr(start, '\n', size_t(m_size - offset)));
    qsizetype length = newline ? newline - start : m_size - offset;
    if (length > 0 && start[length - 1] == '\r')
        --length;
    return {start, length};
}

void WordList::index()
{
    m_lines.clear();
    m_lines.reserve(size_t(m_size / 10));
    bool sorted = true;
    QByteArrayView previous;
    qsizetype offset = 0;
    while (offset < m_size) {
        const QByteArrayView line = lineAt(quint32(offset));
        if (!line.isEmpty()) {
            if (sorted && lessThan(line, previous))
                sorted = false;
            m_lines.push_back(quint32(offset));
            previous = line;
        }
        offset = line.data() - m_data + line.size();
        // Past the line's CR (if any) and LF.
        while (offset < m_size && m_data[offset] != '\n')
            ++offset;
        ++offset;
    }
    if (!sorted)
        std::sort(m_lines.begin(), m_lines.end(),
                  [this](quint32 a, quint32 b) { return lessThan(lineAt(a), lineAt(b)); });
}

bool WordList::contains(QByteArrayView word) const
{
    if (word.isEmpty())
        return false;
    const auto it = std::lower_bound(m_lines.begin(), m_lines.end(), word,
                                     [this](quint32 offset, QByteArrayView w) { return lessThan(lineAt(offset), w); });
    return it != m_lines.end() && lineAt(*it) == word;
}

} // namespace kora::spell
