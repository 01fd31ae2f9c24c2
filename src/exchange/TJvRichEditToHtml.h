#pragma once

#include "exchange/TJvRgbToHtml.h"
#include "exchange/TJvStrToHtml.h"
#include "richedit/SelectionFormat.h"

#include <QString>
#include <QStringList>

namespace kora {

class RichEdit;

// Writes a rich-text control's document as simple HTML: a <BR> in front of every laid-out line,
// a <FONT> section with <B>, <I>, <STRIKE>, <U> for every run of equal font, <P ALIGN=...> where
// the paragraph's alignment changes and <LI> for bulleted lines. Reads the control only.
class TJvRichEditToHtml
{
public:
    QString Title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    // Writes the lines of DocumentToHtmlLines to the file, each ended by CR LF, replacing the
    // file safely; false with a message when it cannot be written.
    bool DocumentToHtmlFile(const RichEdit &source, const QString &fileName, QString *error);
    // Clears `lines` and fills them with the HTML of the control's document.
    void DocumentToHtmlLines(const RichEdit &source, QStringList &lines);

    // The opening tags of a font section; sets FontCloseTags to what closes them.
    QString FontToHtml(const CharFormat &font);
    // The opening tags of a paragraph; sets ParagraphCloseTags to what closes them.
    QString ParagraphToHtml(int alignment, int numbering);
    // Colour, style set, face (case-sensitive) or size differ; nothing else counts.
    static bool FontsDiffer(const CharFormat &a, const CharFormat &b);

    QString FontCloseTags() const { return m_fontCloseTags; }
    QString ParagraphCloseTags() const { return m_paragraphCloseTags; }

private:
    QString m_title;
    TJvRgbToHtml m_rgbToHtml;
    TJvStrToHtml m_strToHtml;
    QString m_fontCloseTags;
    QString m_paragraphCloseTags;
};

} // namespace kora
