#include "exchange/TJvRichEditToHtml.h"

#include "richedit/RichEdit.h"
#include "text/SafeSave.h"

#include <QDir>

namespace kora {

bool TJvRichEditToHtml::DocumentToHtmlFile(const RichEdit &source, const QString &fileName, QString *error)
{
    QStringList lines;
    DocumentToHtmlLines(source, lines);
    qsizetype size = 0;
    for (const QString &line : std::as_const(lines))
        size += line.size() + 2;
    // Every character outside ASCII is written as a reference, so the bytes are ASCII.
    QByteArray bytes;
    bytes.reserve(size);
    for (const QString &line : std::as_const(lines)) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return saveFileSafely(fileName, bytes,
                          QStringLiteral("Soubor „%1“ se nepodařilo zapsat").arg(QDir::toNativeSeparators(fileName)),
                          error);
}

void TJvRichEditToHtml::DocumentToHtmlLines(const RichEdit &source, QStringList &lines)
{
    lines.clear();
    lines << QStringLiteral("<HTML>");
    m_strToHtml.setText(m_title);
    lines << QStringLiteral("<TITLE>%1</TITLE>").arg(m_strToHtml.Html());
    lines << QStringLiteral("<BODY>");

    int alignment = AlignLeft;
    int numbering = NumberingNone;
    m_paragraphCloseTags.clear();
    CharFormat font = source.defaultCharFormat();
    lines << FontToHtml(font);
    const QString outerCloseTags = m_fontCloseTags;
    m_fontCloseTags.clear();

    source.walkLines([&](const LaidOutLine &line) {
        QString text;
        text.reserve(256);
        text += QLatin1String("<BR>");
        numbering = NumberingNone;
        for (const LineRun &run : line.runs) {
            if (FontsDiffer(run.format, font)) {
                text += m_fontCloseTags;
                font = run.format;
                text += FontToHtml(font);
            }
            if (line.alignment != alignment || line.numbering != numbering) {
                text += m_paragraphCloseTags;
                alignment = line.alignment;
                numbering = line.numbering;
                text += ParagraphToHtml(alignment, numbering);
            }
            TJvStrToHtml::appendHtml(run.text, text);
        }
        lines << text;
    });

    lines << m_fontCloseTags << m_paragraphCloseTags << outerCloseTags;
    lines << QStringLiteral("</BODY>") << QStringLiteral("</HTML>");
}

QString TJvRichEditToHtml::FontToHtml(const CharFormat &font)
{
    m_fontCloseTags = QStringLiteral("</FONT>");
    m_rgbToHtml.setRgbColor(font.color);
    m_strToHtml.setText(font.face);
    // The remainder keeps the sign of the size, as truncating division does.
    QString open = QLatin1String("<FONT COLOR=#") + m_rgbToHtml.HtmlColor() + QLatin1String(" SIZE=")
                   + QString::number(font.size % 8 + 2) + QLatin1String(" FACE=\"") + m_strToHtml.Html()
                   + QLatin1String("\">");
    struct Style
    {
        int flag;
        const char *open;
        const char *close;
    };
    static const Style kStyles[] = {
        {StyleBold, "<B>", "</B>"},
        {StyleItalic, "<I>", "</I>"},
        {StyleStrikeOut, "<STRIKE>", "</STRIKE>"},
        {StyleUnderline, "<U>", "</U>"},
    };
    for (const Style &style : kStyles) {
        if (font.style & style.flag) {
            open += QLatin1String(style.open);
            m_fontCloseTags.prepend(QLatin1String(style.close));
        }
    }
    return open;
}

QString TJvRichEditToHtml::ParagraphToHtml(int alignment, int numbering)
{
    m_paragraphCloseTags = QStringLiteral("</P>");
    QString open;
    switch (alignment) {
    case AlignRight: open = QStringLiteral("<P ALIGN=\"RIGHT\">"); break;
    case AlignCenter: open = QStringLiteral("<P ALIGN=\"CENTER\">"); break;
    case AlignJustify: open = QStringLiteral("<P ALIGN=\"JUSTIFY\">"); break;
    default: open = QStringLiteral("<P ALIGN=\"LEFT\">"); break;
    }
    if (numbering == NumberingBullet) {
        open.prepend(QStringLiteral("<LI>"));
        m_paragraphCloseTags += QStringLiteral("</LI>");
    }
    return open;
}

bool TJvRichEditToHtml::FontsDiffer(const CharFormat &a, const CharFormat &b)
{
    return a.color != b.color || a.style != b.style || a.face != b.face || a.size != b.size;
}

} // namespace kora
