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
    // "&#" and the decimal code point, without a string for the number.
    char16_t digits[8];
    int count = 0;
    for (uint value = ch; value; value /= 10)
        digits[count++] = char16_t(u'0' + value % 10);
    html += QLatin1String("&#");
    while (count)
        html += QChar(digits[--count]);
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
    qsizetype plain = 0; // start of the stretch of plain ASCII not yet appended
    for (qsizetype i = 0; i < size; ++i) {
        const QChar ch = text[i];
        // Plain ASCII text is the common case and goes as it is, a stretch at a time.
        if (ch.unicode() < 0x80 && ch != u'"' && ch != u'<' && ch != u'>' && ch != u'&')
            continue;
        html += text.mid(plain, i - plain);
        plain = i + 1;
        if (ch.isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate()) {
            appendChar(QChar::surrogateToUcs4(ch, text[i + 1]), html);
            ++i;
            plain = i + 1;
            continue;
        }
        appendChar(ch.unicode(), html);
    }
    html += text.mid(plain);
}

} // namespace kora
