#include "exchange/TJvRgbToHtml.h"

#include <QGuiApplication>
#include <QPalette>

namespace kora {

void TJvRgbToHtml::setRgbColor(const QColor &color)
{
    m_rgbColor = color;
    const QColor rgb = color.isValid() ? color.toRgb() : QGuiApplication::palette().color(QPalette::WindowText);
    m_htmlColor = QStringLiteral("%1%2%3")
                      .arg(rgb.red(), 2, 16, QLatin1Char('0'))
                      .arg(rgb.green(), 2, 16, QLatin1Char('0'))
                      .arg(rgb.blue(), 2, 16, QLatin1Char('0'))
                      .toUpper();
}

} // namespace kora
