#include "richedit/LinkDetector.h"

#include <QTextCharFormat>

#include <array>

namespace kora {

namespace {

bool startsWithAt(QStringView text, qsizetype at, QStringView prefix)
{
    return text.sliced(at).startsWith(prefix, Qt::CaseInsensitive);
}

bool endsLink(QChar c)
{
    return c.isSpace() || c == u'<' || c == u'>' || c == u'"' || c == QChar::ObjectReplacementCharacter
           || c.category() == QChar::Other_Control;
}

bool isTrailingPunctuation(QChar c)
{
    return c == u'.' || c == u',' || c == u';' || c == u':' || c == u'!' || c == u'?' || c == u')' || c == u']'
           || c == u'\'' || c == u'}';
}

} // namespace

std::vector<LinkSpan> findLinks(QStringView text)
{
    static const std::array<QStringView, 6> kPrefixes{u"http://", u"https://", u"ftp://", u"www.", u"mailto:", u"file:"};
    std::vector<LinkSpan> links;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        const char16_t lower = c.toLower().unicode();
        if (lower != u'h' && lower != u'f' && lower != u'w' && lower != u'm') {
            ++i;
            continue;
        }
        // A link starts a word: not in the middle of one.
        if (i > 0 && (text[i - 1].isLetterOrNumber() || text[i - 1] == u'.' || text[i - 1] == u'/')) {
            ++i;
            continue;
        }
        qsizetype prefixLength = 0;
        for (QStringView prefix : kPrefixes) {
            if (startsWithAt(text, i, prefix)) {
                prefixLength = prefix.size();
                break;
            }
        }
        if (!prefixLength) {
            ++i;
            continue;
        }
        qsizetype end = i + prefixLength;
        while (end < n && !endsLink(text[end]))
            ++end;
        while (end > i + prefixLength && isTrailingPunctuation(text[end - 1]))
            --end;
        if (end > i + prefixLength)
            links.push_back(LinkSpan{i, end - i});
        i = std::max(end, i + 1);
    }
    return links;
}

LinkHighlighter::LinkHighlighter(QObject *owner)
    : QSyntaxHighlighter(owner)
{
}

void LinkHighlighter::highlightBlock(const QString &text)
{
    const auto links = findLinks(text);
    if (links.empty())
        return;
    QTextCharFormat link;
    link.setForeground(QColor(0, 0, 255));
    link.setFontUnderline(true);
    for (const LinkSpan &span : links)
        setFormat(int(span.start), int(span.length), link);
}

} // namespace kora
