#include "editing/search/TextMatcher.h"

#include "text/TextStatistics.h"

namespace kora::search {

TextMatcher::TextMatcher(QString text, SearchOptions options)
    : m_text(std::move(text))
    , m_options(options)
{
}

bool TextMatcher::isWholeWordAt(QStringView text, qsizetype index) const
{
    const qsizetype end = index + m_text.size();
    return (index == 0 || !isWordCharacter(text[index - 1])) && (end == text.size() || !isWordCharacter(text[end]));
}

qsizetype TextMatcher::indexIn(QStringView text, qsizetype from) const
{
    if (m_text.isEmpty())
        return -1;
    const Qt::CaseSensitivity cs = m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype i = text.indexOf(m_text, std::max<qsizetype>(from, 0), cs); i >= 0;
         i = text.indexOf(m_text, i + 1, cs)) {
        if (!m_options.wholeWord || isWholeWordAt(text, i))
            return i;
    }
    return -1;
}

qsizetype TextMatcher::lastIndexIn(QStringView text, qsizetype end) const
{
    if (m_text.isEmpty())
        return -1;
    const Qt::CaseSensitivity cs = m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // lastIndexOf takes the last start allowed; -1 there would mean "from the end".
    qsizetype lastStart = std::min(end, text.size()) - m_text.size();
    while (lastStart >= 0) {
        const qsizetype i = text.lastIndexOf(m_text, lastStart, cs);
        if (i < 0)
            return -1;
        if (!m_options.wholeWord || isWholeWordAt(text, i))
            return i;
        lastStart = i - 1;
    }
    return -1;
}

} // namespace kora::search
