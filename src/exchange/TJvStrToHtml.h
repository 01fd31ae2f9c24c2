#pragma once

#include <QString>
#include <QStringView>

namespace kora {

// One row of the character table: a character and how HTML writes it.
struct TJvHtmlCodeRec
{
    char32_t ch;
    const char *html;
};

// Text as HTML: markup characters and "&" as entities, every other non-ASCII character as a
// reference to its code point (by name where HTML has one for that very character), so that the
// text reads the same in every browser whatever code page it assumes.
class TJvStrToHtml
{
public:
    QString Text() const { return m_text; }
    void setText(const QString &text);
    QString Html() const { return m_html; }

    static QString CharToHtml(char32_t ch);
    // Appends the HTML of `text` to `html`.
    static void appendHtml(QStringView text, QString &html);

private:
    QString m_text;
    QString m_html;
};

} // namespace kora
