#include "richedit/LinkDetector.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLayout>

#include <array>

namespace kora {

namespace {

bool startsWithAt(QStringView text, qsizetype at, QStringView prefix)
{
    return text.sliced(at).startsWith(prefix, Qt::CaseInsensitive);
}

bool endsLink(QChar c)
{
    return c.isSpace() || c == u'<' || c == u'>' || c == u'"' || c == QChar::ObjectReplacementCharacter ||
           c.category() == QChar::Other_Control;
}

bool isTrailingPunctuation(QChar c)
{
    return c == u'.' || c == u',' || c == u';' || c == u':' || c == u'!' || c == u'?' || c == u')' || c == u']' ||
           c == u'\'' || c == u'}';
}

} // namespace

std::vector<LinkSpan> findLinks(QStringView text)
{
    static const std::array<QStringView, 6> kPrefixes{u"http://", u"https://", u"ftp://",
                                                      u"www.",    u"mailto:",  u"file:"};
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
    : QObject(owner)
{
}

void LinkHighlighter::setDocument(QTextDocument *document)
{
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    if (!document)
        return;
    connect(document, &QTextDocument::contentsChange, this, &LinkHighlighter::contentsChanged);
    markParagraphs(0, document->characterCount(), true);
}

// Runs before the layout hears of the change, which then lays out the changed paragraphs with
// their new formats anyway.
void LinkHighlighter::contentsChanged(int from, int, int added)
{
    markParagraphs(from, from + added, false);
}

void LinkHighlighter::markParagraphs(int from, int to, bool relayOutShown)
{
    QTextCharFormat link;
    link.setForeground(QColor(0, 0, 255));
    link.setFontUnderline(true);
    for (QTextBlock block = m_document->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        QList<QTextLayout::FormatRange> ranges;
        for (const LinkSpan &span : findLinks(block.text()))
            ranges.append(QTextLayout::FormatRange{int(span.start), int(span.length), link});
        QTextLayout *layout = block.layout();
        if (layout->formats() == ranges)
            continue;
        // A paragraph already laid out must be laid out again to show its new formats.
        const bool laidOut = layout->lineCount() > 0;
        layout->setFormats(ranges);
        if (relayOutShown && laidOut)
            m_document->markContentsDirty(block.position(), block.length());
    }
}

} // namespace kora
