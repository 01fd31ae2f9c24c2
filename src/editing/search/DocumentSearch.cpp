#include "editing/search/DocumentSearch.h"

#include "editing/search/TextMatcher.h"

#include <algorithm>

namespace kora::search {

int findInDocument(const RichEdit &editor, const TextMatcher &matcher, int from, bool backward)
{
    int found = -1;
    bool first = true;
    editor.visitParagraphs(from, backward, [&](int start, QStringView text) {
        // Only the paragraph that holds `from` is cut at it.
        const qsizetype cut = first ? std::clamp<qsizetype>(from - start, 0, text.size()) : backward ? text.size() : 0;
        first = false;
        const qsizetype index = backward ? matcher.lastIndexIn(text, cut) : matcher.indexIn(text, cut);
        if (index >= 0)
            found = start + int(index);
        return index < 0;
    });
    return found;
}

QList<RichEdit::TextRange> findAllInDocument(const RichEdit &editor, const TextMatcher &matcher)
{
    QList<RichEdit::TextRange> ranges;
    const int length = int(matcher.length());
    editor.visitParagraphs(0, false, [&](int start, QStringView text) {
        for (qsizetype i = matcher.indexIn(text); i >= 0; i = matcher.indexIn(text, i + length))
            ranges.append({start + int(i), length});
        return true;
    });
    return ranges;
}

QList<RichEdit::TextRange> firstInEachLine(const RichEdit &editor, const QString &text)
{
    QList<RichEdit::TextRange> ranges;
    if (text.isEmpty())
        return ranges;
    const int length = int(text.size());
    editor.visitLines([&](int start, QStringView line) {
        const qsizetype index = line.indexOf(text);
        if (index >= 0)
            ranges.append({start + int(index), length});
        return true;
    });
    return ranges;
}

} // namespace kora::search
