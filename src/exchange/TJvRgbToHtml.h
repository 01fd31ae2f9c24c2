#pragma once

#include <QColor>
#include <QString>

namespace kora {

// A colour as HTML writes it: six upper-case hexadecimal digits, red, green, blue.
class TJvRgbToHtml
{
public:
    QColor RgbColor() const { return m_rgbColor; }
    // An invalid colour stands for the system's window-text colour.
    void setRgbColor(const QColor &color);
    QString HtmlColor() const { return m_htmlColor; }

private:
    QColor m_rgbColor;
    QString m_htmlColor = QStringLiteral("000000");
};

} // namespace kora
