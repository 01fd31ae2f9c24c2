#include "richedit/LaidOutLines.h"

#include "richedit/FormatMapping.h"

#include <QFontMetricsF>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <array>
#include <cmath>
#include <map>
#include <memory>

namespace kora {

namespace {

// Advance widths of one font, measured once per character.
class Advances
{
public:
    explicit Advances(const QFont &font)
        : m_metrics(font)
    {
        m_common.fill(-1);
    }

    qreal of(char32_t ch)
    {
        if (ch < m_common.size()) {
            qreal &advance = m_common[ch];
            if (advance < 0)
                advance = measure(ch);
            return advance;
        }
        auto it = m_other.find(ch);
        if (it == m_other.end())
            it = m_other.insert(ch, measure(ch));
        return *it;
    }

private:
    qreal measure(char32_t ch) const
    {
        return m_metrics.horizontalAdvance(QStringView(QChar::fromUcs4(ch)).toString());
    }

    QFontMetricsF m_metrics;
    std::array<qreal, 0x180> m_common; // ASCII, Latin-1 and Latin Extended-A: Czech text
    QHash<char32_t, qreal> m_other;
};

struct ResolvedFormat
{
    CharFormat format;
    Advances *advances = nullptr;
    qreal objectWidth = -1; // pictures: their width
};

// Formats and font metrics met so far, by the document's format index.
class FormatCache
{
public:
    FormatCache(const QTextDocument &document, const LineLayout &layout)
        : m_layout(layout)
        , m_defaultFont(document.defaultFont())
    {
    }

    const ResolvedFormat &at(const QTextFragment &fragment)
    {
        const int index = fragment.charFormatIndex();
        if (index >= int(m_byIndex.size()))
            m_byIndex.resize(index + 1);
        std::unique_ptr<ResolvedFormat> &slot = m_byIndex[index];
        if (!slot)
            slot = resolve(fragment.charFormat());
        return *slot;
    }

private:
    std::unique_ptr<ResolvedFormat> resolve(const QTextCharFormat &format)
    {
        auto resolved = std::make_unique<ResolvedFormat>();
        resolved->format =
            resolvedCharFormat(format, m_defaultFont, m_layout.automaticText, m_layout.automaticBackground);
        QFont font = format.font().resolve(m_defaultFont);
        // Sub- and superscripts are set smaller, as the layout sets them.
        if ((format.verticalAlignment() == QTextCharFormat::AlignSubScript
             || format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            && font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * 2 / 3);
        std::unique_ptr<Advances> &advances = m_advances[font.key()];
        if (!advances)
            advances = std::make_unique<Advances>(font);
        resolved->advances = advances.get();
        if (format.isImageFormat())
            resolved->objectWidth = std::max(0.0, format.toImageFormat().width());
        return resolved;
    }

    const LineLayout &m_layout;
    QFont m_defaultFont;
    std::vector<std::unique_ptr<ResolvedFormat>> m_byIndex;
    std::map<QString, std::unique_ptr<Advances>> m_advances;
};

struct Piece
{
    int start = 0; // in the block
    int end = 0;
    const ResolvedFormat *format = nullptr;
};

// Where a line may wrap: after a run of these.
bool isSpace(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

// Lays out one paragraph at a time.
class LineBreaker
{
public:
    LineBreaker(const QTextDocument &document, const LineLayout &layout, const LineVisitor &visit)
        : m_formats(document, layout)
        , m_layout(layout)
        , m_visit(visit)
        , m_tab(document.defaultTextOption().tabStopDistance() > 0 ? document.defaultTextOption().tabStopDistance()
                                                                    : 80)
    {
    }

    void breakBlock(const QTextBlock &block, bool last)
    {
        const QTextBlockFormat blockFormat = block.blockFormat();
        m_line.alignment = alignmentCode(blockFormat.alignment());
        m_line.numbering = block.textList() ? NumberingBullet : NumberingNone;
        m_text = block.text();
        m_pieces.clear();
        const int blockStart = block.position();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = fragment.position() - blockStart;
            m_pieces.push_back({start, start + fragment.length(), &m_formats.at(fragment)});
        }
        m_piece = 0;
        m_linePiece = 0;

        const bool wrap = m_layout.width > 0;
        const qreal inner = m_layout.width - blockFormat.leftMargin() - blockFormat.rightMargin();
        qreal available = inner - blockFormat.textIndent();
        const int length = int(m_text.size());
        int lineStart = 0;
        int breakAt = -1; // where the line may end: after the spaces that follow a word
        qreal x = 0;
        qreal xAtBreak = 0;
        const auto endLine = [&](int end, int next) {
            emitLine(lineStart, end);
            lineStart = next;
            breakAt = -1;
            available = inner;
        };
        for (int i = 0; i < length; ++i) {
            const QChar ch = m_text.at(i);
            if (ch == QChar::LineSeparator) {
                endLine(i, i + 1);
                x = 0;
                continue;
            }
            const bool pair = ch.isHighSurrogate() && i + 1 < length && m_text.at(i + 1).isLowSurrogate();
            const qreal advance = advanceAt(i, x, pair);
            if (isSpace(ch)) {
                x += advance;
                continue;
            }
            if (i > lineStart && isSpace(m_text.at(i - 1))) {
                breakAt = i;
                xAtBreak = x;
            }
            if (wrap && x + advance > available && i > lineStart) {
                if (breakAt > lineStart) {
                    x -= xAtBreak;
                    endLine(breakAt, breakAt);
                }
                // What remains of the word may still not fit on a line of its own.
                if (x + advance > available && i > lineStart) {
                    x = 0;
                    endLine(i, i);
                }
            }
            x += advance;
            if (pair)
                ++i;
        }
        if (!(last && lineStart == length))
            emitLine(lineStart, length);
    }

private:
    qreal advanceAt(int i, qreal x, bool pair)
    {
        while (m_piece + 1 < m_pieces.size() && m_pieces[m_piece].end <= i)
            ++m_piece;
        const ResolvedFormat *format = m_pieces.empty() ? nullptr : m_pieces[m_piece].format;
        const QChar ch = m_text.at(i);
        if (ch == u'\t')
            return (std::floor(x / m_tab) + 1) * m_tab - x;
        if (!format)
            return 0;
        if (ch == QChar::ObjectReplacementCharacter && format->objectWidth >= 0)
            return format->objectWidth;
        return format->advances->of(pair ? QChar::surrogateToUcs4(ch, m_text.at(i + 1)) : char32_t(ch.unicode()));
    }

    // Lines come in order, so the pieces before this line are never looked at again.
    void emitLine(int start, int end)
    {
        m_line.runs.clear();
        while (m_linePiece < m_pieces.size() && m_pieces[m_linePiece].end <= start)
            ++m_linePiece;
        for (size_t i = m_linePiece; i < m_pieces.size() && m_pieces[i].start < end; ++i) {
            const Piece &piece = m_pieces[i];
            const int from = std::max(piece.start, start);
            const int to = std::min(piece.end, end);
            if (from < to)
                m_line.runs.push_back({QStringView(m_text).mid(from, to - from), piece.format->format});
        }
        m_visit(m_line);
    }

    FormatCache m_formats;
    const LineLayout &m_layout;
    const LineVisitor &m_visit;
    const qreal m_tab;
    QString m_text;
    std::vector<Piece> m_pieces;
    size_t m_piece = 0;     // the piece of the character being measured
    size_t m_linePiece = 0; // the first piece of the line being emitted
    LaidOutLine m_line;
};

} // namespace

CharFormat resolvedCharFormat(const QTextCharFormat &format, const QFont &defaultFont, const QColor &automaticText,
                              const QColor &automaticBackground)
{
    CharFormat f;
    const bool bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                                  : defaultFont.weight() >= QFont::DemiBold;
    const bool italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    const bool underline =
        format.hasProperty(QTextFormat::FontUnderline) || format.hasProperty(QTextFormat::TextUnderlineStyle)
            ? format.fontUnderline()
            : defaultFont.underline();
    const bool strike =
        format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : defaultFont.strikeOut();
    f.style.setFlag(StyleBold, bold);
    f.style.setFlag(StyleItalic, italic);
    f.style.setFlag(StyleUnderline, underline);
    f.style.setFlag(StyleStrikeOut, strike);
    const QBrush foreground = format.foreground();
    f.color = format.hasProperty(QTextFormat::ForegroundBrush) && foreground.style() != Qt::NoBrush
                  ? foreground.color()
                  : automaticText;
    const QBrush background = format.background();
    f.highlight = format.hasProperty(QTextFormat::BackgroundBrush) && background.style() != Qt::NoBrush
                      ? background.color()
                      : automaticBackground;
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    f.face = (families.isEmpty() || families.first().isEmpty() ? defaultFont.family() : families.first())
                 .left(kMaxFaceNameLength);
    f.size = wholePoints(format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                        : defaultFont.pointSizeF());
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSubScript: f.subscript = Subscript; break;
    case QTextCharFormat::AlignSuperScript: f.subscript = Superscript; break;
    default: f.subscript = SubscriptNone; break;
    }
    return f;
}

void forEachLaidOutLine(const QTextDocument &document, const LineLayout &layout, const LineVisitor &visit)
{
    LineBreaker breaker(document, layout, visit);
    const QTextBlock last = document.lastBlock();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        breaker.breakBlock(block, block == last);
}

} // namespace kora
