#include "exchange/TJvRgbToHtml.h"

#include <QGuiApplication>
#include <QPalette>

namespace kora {

void TJvRgbToHtml::setRgbColor(const QColor &color)
{
    m_rgbColor = color;
    const QColor rgb = color.isValid() ? color.toRgb() : QGuiApplication::palette().color(QPalette::WindowText);
    static const char kDigits[] = "0123456789ABCDEF";
    const int bytes[] = {rgb.red(), rgb.green(), rgb.blue()};
    m_htmlColor.resize(6);
    for (int i = 0; i < 3; ++i) {
        m_htmlColor[2 * i] = QLatin1Char(kDigits[bytes[i] >> 4]);
        m_htmlColor[2 * i + 1] = QLatin1Char(kDigits[bytes[i] & 15]);
    }
}

} // namespace kora
