#include "exchange/TJvStrToHtml.h"

namespace kora {

namespace {

const TJvHtmlCodeRec kCodes[] = {
    {U'"', "&quot;"},   {U'<', "&lt;"},     {U'>', "&gt;"},      {U'&', "&amp;"},    {U'\u00E0', "&agrave;"},
    {U'\u00E7', "&ccedil;"}, {U'\u00E8', "&egrave;"}, {U'\u00E9', "&eacute;"}, {U'\u00EA', "&ecirc;"},
    {U'\u00EB', "&euml;"}, {U'\u00F9', "&ugrave;"},
};

void appendChar(char32_t ch, QString &html)
{
    for (const TJvHtmlCodeRec &code : kCodes) {
        if (code.ch == ch) {
            html += QLatin1String(code.html);
            return;
        }
    }
    // A picture has no text.
    if (ch == QChar::ObjectReplacementCharacter)
        return;
    if (ch < 0x80) {
        html += QChar(char16_t(ch));
        return;
    }
    if (QChar::isSurrogate(ch))
        ch = QChar::ReplacementCharacter;
    html += QLatin1String("&#");
    html += QString::number(uint(ch));
    html += QLatin1Char(';');
}

} // namespace

void TJvStrToHtml::setText(const QString &text)
{
    m_text = text;
    m_html.clear();
    appendHtml(text, m_html);
}

QString TJvStrToHtml::CharToHtml(char32_t ch)
{
    QString html;
    appendChar(ch, html);
    return html;
}

void TJvStrToHtml::appendHtml(QStringView text, QString &html)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar ch = text[i];
        // Plain ASCII text is the common case and goes as it is.
        if (ch.unicode() < 0x80 && ch != u'"' && ch != u'<' && ch != u'>' && ch != u'&') {
            html += ch;
            continue;
        }
        if (ch.isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate()) {
            appendChar(QChar::surrogateToUcs4(ch, text[i + 1]), html);
            ++i;
            continue;
        }
        appendChar(ch.unicode(), html);
    }
}

} // namespace kora
