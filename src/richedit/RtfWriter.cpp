#include "richedit/RtfWriter.h"

#include "richedit/DocumentProperties.h"
#include "richedit/FormatMapping.h"
#include "richedit/RtfSink.h"
#include "text/CodePage.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextList>
#include <QUrl>

#include <cmath>

namespace kora::rtf {

namespace {

constexpr int kLineLength = 200;

int verticalOf(const QTextCharFormat &format)
{
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSubScript: return 1;
    case QTextCharFormat::AlignSuperScript: return 2;
    default: return 0;
    }
}

struct WriterCharState
{
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0;
    int background = 0;
};

class Writer
{
public:
    Writer(const QTextDocument &document, int from, int to)
        : m_document(document)
        , m_from(from)
        , m_to(to)
    {
        m_defaultFace = document.defaultFont().family();
        fontIndex(m_defaultFace);
        m_body.reserve(1 << 16);
    }

    QByteArray run();

private:
    void findLists();
    int fontIndex(const QString &face);
    int colorIndex(const QColor &color);
    void word(const char *text) { m_body.append(text); }
    void wordNumber(const char *text, int value);
    void paragraph(const QTextBlock &block, bool last);
    void paragraphProperties(const QTextBlock &block);
    void characterProperties(const QTextCharFormat &format);
    void characters(QStringView text);
    void picture(const QTextImageFormat &format);
    void appendHex(const QByteArray &data);
    void delimit();

    const QTextDocument &m_document;
    int m_from;
    int m_to;
    QString m_defaultFace;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    std::vector<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
    int m_symbolFont = -1; // the bullets' own font entry, never shared with the text's fonts
    // Lists in the list table, by their \ls from 1: whether each is a bullet list, and its level.
    // Without numbered lists the table is not written and bullets take the \pn form alone.
    QHash<const QTextList *, int> m_listNumbers;
    std::vector<std::pair<bool, int>> m_tableLists;
    bool m_writeListTable = false;
    QByteArray m_body;
    qsizetype m_lineStart = 0;
    bool m_needsDelimiter = false;
    WriterCharState m_state;
};

int Writer::fontIndex(const QString &face)
{
    const auto it = m_fontIndex.constFind(face);
    if (it != m_fontIndex.constEnd())
        return *it;
    const int index = int(m_fonts.size());
    m_fonts << face;
    m_fontIndex.insert(face, index);
    return index;
}

int Writer::colorIndex(const QColor &color)
{
    const QRgb rgb = color.rgb() | 0xFF000000u;
    const auto it = m_colorIndex.constFind(rgb);
    if (it != m_colorIndex.constEnd())
        return *it;
    m_colors.push_back(rgb);
    const int index = int(m_colors.size()); // index 0 is "automatic"
    m_colorIndex.insert(rgb, index);
    return index;
}

void Writer::wordNumber(const char *text, int value)
{
    m_body.append(text);
    m_body.append(QByteArray::number(value));
    m_needsDelimiter = true;
}

void Writer::delimit()
{
    if (m_needsDelimiter) {
        m_body.append(' ');
        m_needsDelimiter = false;
    }
}

QByteArray Writer::run()
{
    const int end = m_to < 0 ? m_document.characterCount() - 1 : m_to;
    findLists();
    QTextBlock block = m_document.findBlock(m_from);
    while (block.isValid() && block.position() <= end) {
        const QTextBlock next = block.next();
        const bool last = !next.isValid() || next.position() > end;
        paragraph(block, last);
        block = next;
    }

    QByteArray out;
    out.reserve(m_body.size() + 1024);
    out.append("{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl");
    const int symbolFont = m_symbolFont;
    for (int i = 0; i < m_fonts.size(); ++i) {
        out.append("{\\f").append(QByteArray::number(i));
        out.append(i == symbolFont ? "\\ftech\\fcharset2 " : "\\fnil\\fcharset238 ");
        for (const QChar ch : m_fonts.at(i)) {
            const int b = codepage::toWindows1250(ch.unicode());
            // A semicolon would end the name: it goes as a hex escape, which readers keep.
            if (ch == u'\\' || ch == u'{' || ch == u'}') {
                out.append('\\').append(char(ch.unicode()));
            } else if (ch == u';') {
                out.append("\\'3b");
            } else if (b >= 0x20 && b < 0x80) {
                out.append(char(b));
            } else if (b >= 0x80) {
                out.append("\\'").append(QByteArray::number(b, 16).rightJustified(2, '0'));
            } else if (ch.unicode() >= 0x20) {
                out.append("\\u").append(QByteArray::number(int(qint16(ch.unicode())))).append('?');
            }
        }
        out.append(";}");
    }
    out.append("}\r\n");
    if (!m_colors.empty()) {
        out.append("{\\colortbl ;");
        for (QRgb c : m_colors) {
            out.append("\\red").append(QByteArray::number(qRed(c)));
            out.append("\\green").append(QByteArray::number(qGreen(c)));
            out.append("\\blue").append(QByteArray::number(qBlue(c))).append(';');
        }
        out.append("}\r\n");
    }
    if (m_writeListTable) {
        // A numbered list's label is its level's number alone ("3."), as the editor shows it.
        out.append("{\\*\\listtable");
        for (size_t i = 0; i < m_tableLists.size(); ++i) {
            const auto [bullet, listLevel] = m_tableLists[i];
            const QByteArray id = QByteArray::number(qsizetype(i + 1));
            out.append("{\\list\\listtemplateid").append(id);
            for (int level = 0; level <= listLevel; ++level) {
                if (bullet) {
                    out.append("{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
                               "{\\leveltext\\'01\\u-3913 ?;}{\\levelnumbers;}\\f")
                        .append(QByteArray::number(m_symbolFont))
                        .append('}');
                } else {
                    out.append("{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
                               "{\\leveltext\\'02\\'0");
                    out.append(char('0' + level));
                    out.append(".;}{\\levelnumbers\\'01;}}");
                }
            }
            out.append("\\listid").append(id).append('}');
        }
        out.append("}\r\n{\\*\\listoverridetable");
        for (size_t i = 0; i < m_tableLists.size(); ++i) {
            const QByteArray id = QByteArray::number(qsizetype(i + 1));
            out.append("{\\listoverride\\listid").append(id).append("\\listoverridecount0\\ls").append(id).append('}');
        }
        out.append("}\r\n");
    }
    out.append("{\\*\\generator KORA Editor 1.1.8;}\\viewkind4\\uc1\r\n");
    out.append(m_body);
    out.append("}\r\n");
    return out;
}

void Writer::paragraph(const QTextBlock &block, bool last)
{
    paragraphProperties(block);
    const int blockStart = block.position();
    const int blockEnd = blockStart + block.length() - 1; // without the paragraph end
    const int end = m_to < 0 ? blockEnd : std::min(blockEnd, m_to);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const int fs = std::max(fragment.position(), m_from);
        const int fe = std::min(fragment.position() + fragment.length(), end);
        if (fs >= fe)
            continue;
        const QTextCharFormat format = fragment.charFormat();
        characterProperties(format);
        // Superscript and subscript runs stand in their own group: every reader ends them at the
        // group's end, while not all know \nosupersub.
        const int vertical = verticalOf(format);
        if (vertical) {
            m_body.append(vertical == 1 ? "{\\sub" : "{\\super");
            m_needsDelimiter = true;
        }
        if (format.isImageFormat()) {
            for (int i = fs; i < fe; ++i)
                picture(format.toImageFormat());
        } else {
            characters(QStringView(fragment.text()).sliced(fs - fragment.position(), fe - fs));
        }
        if (vertical) {
            m_body.append('}');
            m_needsDelimiter = false;
        }
    }
    // The end of the paragraph belongs to the range when the range goes past it.
    const bool breakInRange = m_to < 0 || m_to > blockEnd;
    if (breakInRange || !last) {
        m_body.append("\\par\r\n");
        m_needsDelimiter = false;
        m_lineStart = m_body.size();
    }
}

void Writer::findLists()
{
    const int end = m_to < 0 ? m_document.characterCount() - 1 : m_to;
    for (QTextBlock b = m_document.findBlock(m_from); b.isValid() && b.position() <= end; b = b.next()) {
        const QTextList *list = b.textList();
        if (!list)
            continue;
        if (m_listNumbers.contains(list))
            continue;
        const bool bullet = isBulletList(list);
        if (bullet && m_symbolFont < 0) {
            m_symbolFont = int(m_fonts.size());
            m_fonts << QStringLiteral("Symbol");
        }
        m_writeListTable = m_writeListTable || !bullet;
        m_tableLists.emplace_back(bullet, bullet ? 0 : std::clamp(list->format().intProperty(PropListLevel), 0, 8));
        m_listNumbers.insert(list, int(m_tableLists.size()));
    }
}

void Writer::paragraphProperties(const QTextBlock &block)
{
    const QTextBlockFormat f = block.blockFormat();
    word("\\pard");
    switch (alignmentCode(f.alignment())) {
    case 1: word("\\qr"); break;
    case 2: word("\\qc"); break;
    case 3: word("\\qj"); break;
    default: break;
    }
    const ParagraphTwips t = paragraphTwips(f);
    if (t.firstLine)
        wordNumber("\\fi", t.firstLine);
    if (t.left)
        wordNumber("\\li", t.left);
    if (t.right)
        wordNumber("\\ri", t.right);
    m_needsDelimiter = true;
    const QTextList *list = block.textList();
    if (!list)
        return;
    const QByteArray symbol = QByteArray::number(m_symbolFont);
    if (m_writeListTable) {
        // Readers that know lists number the item again; the others show the label's text. Bullets
        // take the same form here: readers mix up \pn bullets with list-table numbering.
        const int ls = m_listNumbers.value(list);
        const auto [bullet, level] = m_tableLists[size_t(ls - 1)];
        wordNumber("\\ls", ls);
        wordNumber("\\ilvl", level);
        if (bullet)
            m_body.append("{\\listtext\\f" + symbol + "\\'B7\\tab}");
        else
            m_body.append("{\\listtext " + QByteArray::number(list->itemNumber(block) + 1) + ".\\tab}");
        m_needsDelimiter = false;
    } else {
        m_body.append("{\\pntext\\f" + symbol + "\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf" + symbol
                      + "\\pnindent0{\\pntxtb\\'B7}}");
        m_needsDelimiter = false;
    }
}

void Writer::characterProperties(const QTextCharFormat &format)
{
    WriterCharState s;
    const QVariant families = format.property(QTextFormat::FontFamilies);
    QString face = m_defaultFace;
    if (families.isValid()) {
        const QStringList list = families.toStringList();
        if (!list.isEmpty() && !list.first().isEmpty())
            face = list.first();
    }
    s.font = fontIndex(face);
    const double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                         : m_document.defaultFont().pointSizeF();
    s.halfPoints = std::max(1, int(std::lround(points * 2)));
    s.bold = format.fontWeight() >= QFont::DemiBold;
    s.italic = format.fontItalic();
    s.underline = format.fontUnderline();
    s.strike = format.fontStrikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        s.color = colorIndex(format.foreground().color());
    if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
        s.background = colorIndex(format.background().color());

    WriterCharState &c = m_state;
    if (s.font != c.font)
        wordNumber("\\f", s.font);
    if (s.halfPoints != c.halfPoints)
        wordNumber("\\fs", s.halfPoints);
    if (s.bold != c.bold) {
        word(s.bold ? "\\b" : "\\b0");
        m_needsDelimiter = true;
    }
    if (s.italic != c.italic) {
        word(s.italic ? "\\i" : "\\i0");
        m_needsDelimiter = true;
    }
    if (s.underline != c.underline) {
        word(s.underline ? "\\ul" : "\\ulnone");
        m_needsDelimiter = true;
    }
    if (s.strike != c.strike) {
        word(s.strike ? "\\strike" : "\\strike0");
        m_needsDelimiter = true;
    }
    if (s.color != c.color)
        wordNumber("\\cf", s.color);
    if (s.background != c.background)
        wordNumber("\\highlight", s.background);
    c = s;
}

void Writer::characters(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (m_body.size() - m_lineStart > kLineLength && !m_needsDelimiter) {
            m_body.append("\r\n");
            m_lineStart = m_body.size();
        }
        if (ch >= 0x20 && ch < 0x80) {
            if (ch == '\\' || ch == '{' || ch == '}') {
                m_needsDelimiter = false;
                m_body.append('\\');
                m_body.append(char(ch));
                continue;
            }
            delimit();
            m_body.append(char(ch));
            continue;
        }
        m_needsDelimiter = false;
        switch (ch) {
        case '\t': m_body.append("\\tab "); continue;
        case 0x2028:
        case 0x2029: m_body.append("\\line "); continue;
        case 0x00A0: m_body.append("\\~"); continue;
        case 0x00AD: m_body.append("\\-"); continue;
        case 0x2011: m_body.append("\\_"); continue;
        default: break;
        }
        if (ch < 0x20)
            continue;
        const int b = codepage::toWindows1250(ch);
        if (b >= 0x80) {
            static const char hex[] = "0123456789abcdef";
            m_body.append("\\'");
            m_body.append(hex[b >> 4]);
            m_body.append(hex[b & 15]);
            continue;
        }
        m_body.append("\\u");
        m_body.append(QByteArray::number(int(qint16(ch))));
        m_body.append('?');
    }
}

void Writer::picture(const QTextImageFormat &format)
{
    const int widthTwips = int(std::lround(format.width() / kPixelsPerTwip));
    const int heightTwips = int(std::lround(format.height() / kPixelsPerTwip));
    QByteArray data = format.property(PropPictureData).toByteArray();
    auto kind = PictureKind(format.intProperty(PropPictureKind));
    int picw = format.intProperty(PropPictureWidth);
    int pich = format.intProperty(PropPictureHeight);
    if (data.isEmpty()) {
        const QVariant resource = m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
        const QImage image = resource.value<QImage>();
        if (image.isNull())
            return;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        kind = PictureKind::Png;
        picw = image.width();
        pich = image.height();
    }
    m_needsDelimiter = false;
    const QByteArray objectData = format.property(PropObjectData).toByteArray();
    if (!objectData.isEmpty()) {
        m_body.append(format.boolProperty(PropObjectLinked) ? "{\\object\\objlink" : "{\\object\\objemb");
        m_body.append("{\\*\\objclass Package}");
        m_body.append("\\objw").append(QByteArray::number(widthTwips));
        m_body.append("\\objh").append(QByteArray::number(heightTwips));
        m_body.append("{\\*\\objdata\r\n");
        appendHex(objectData);
        m_body.append("}{\\result");
    }
    m_body.append("{\\pict");
    switch (kind) {
    case PictureKind::Png: m_body.append("\\pngblip"); break;
    case PictureKind::Jpeg: m_body.append("\\jpegblip"); break;
    case PictureKind::Emf: m_body.append("\\emfblip"); break;
    case PictureKind::Wmf:
        m_body.append("\\wmetafile").append(QByteArray::number(format.intProperty(PropPictureMetafileMode)));
        break;
    case PictureKind::Dib: m_body.append("\\dibitmap0"); break;
    case PictureKind::DeviceBitmap:
        m_body.append("\\wbitmap0\\wbmbitspixel")
            .append(QByteArray::number(format.intProperty(PropPictureBitsPerPixel)))
            .append("\\wbmplanes1\\wbmwidthbytes")
            .append(QByteArray::number(format.intProperty(PropPictureWidthBytes)));
        break;
    case PictureKind::Other: m_body.append("\\macpict"); break;
    }
    m_body.append("\\picw").append(QByteArray::number(picw));
    m_body.append("\\pich").append(QByteArray::number(pich));
    m_body.append("\\picwgoal").append(QByteArray::number(widthTwips));
    m_body.append("\\pichgoal").append(QByteArray::number(heightTwips));
    m_body.append("\r\n");
    appendHex(data);
    m_body.append('}');
    if (!objectData.isEmpty())
        m_body.append("}}");
    m_lineStart = m_body.size();
}

void Writer::appendHex(const QByteArray &data)
{
    static const char hex[] = "0123456789abcdef";
    for (qsizetype i = 0; i < data.size(); ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        m_body.append(hex[b >> 4]);
        m_body.append(hex[b & 15]);
        if (i % 64 == 63)
            m_body.append("\r\n");
    }
}

} // namespace

QByteArray write(const QTextDocument &document, int from, int to)
{
    Writer writer(document, std::max(0, from), to);
    return writer.run();
}

} // namespace kora::rtf
