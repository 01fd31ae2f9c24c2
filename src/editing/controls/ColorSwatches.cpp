#include "editing/controls/ColorSwatches.h"

#include <QPainter>
#include <QPainterPath>

namespace kora::colorswatch {

// Colours are equal when both are "no colour" or both have the same RGB value.
bool sameColor(const QColor &a, const QColor &b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    return a.rgb() == b.rgb();
}

// A rectangle of the colour in a grey outline; "no colour" is an empty outline crossed by a
// diagonal.
void paintColorBox(QPainter &painter, const QRect &box, const QColor &color)
{
    painter.setPen(kGrey);
    painter.setBrush(color.isValid() ? QBrush(color) : QBrush(Qt::NoBrush));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (!color.isValid())
        painter.drawLine(box.bottomLeft(), box.topRight());
}

// The built-in 16 x 16 pictures of the main swatch. They leave the bottom rows free, where the
// swatch draws the bar of its colour.
QPixmap builtInGlyph(TGlyphType type)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (type) {
    case gtForeground: {
        // A bold letter "A" over rows 0 to 11.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(20);
        QPainterPath letter;
        letter.addText(0, 0, font, QStringLiteral("A"));
        const QRectF from = letter.boundingRect();
        const QRectF to(2, 0, 12, 12);
        QTransform transform;
        transform.translate(to.left(), to.top());
        transform.scale(to.width() / from.width(), to.height() / from.height());
        transform.translate(-from.left(), -from.top());
        painter.fillPath(transform.map(letter), Qt::black);
        break;
    }
    case gtBackground: {
        // A tilted paint bucket pouring a drop from its left rim.
        QPainterPath bucket;
        bucket.moveTo(7, 1);
        bucket.lineTo(13, 6);
        bucket.lineTo(8, 11);
        bucket.lineTo(3, 6);
        bucket.closeSubpath();
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(0xD0, 0xD0, 0xD0));
        painter.drawPath(bucket);
        painter.drawLine(QPointF(7, 1), QPointF(7, 6));
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRectF(1.5, 7, 2.5, 3.5));
        break;
    }
    case gtLines: {
        // A pencil from the top right down to its point at the bottom left.
        painter.translate(8, 6);
        painter.rotate(-45);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(0xE0, 0xB0, 0x40));
        painter.drawRect(QRectF(-3, -2, 9, 4));
        painter.setBrush(QColor(0xF0, 0xD0, 0xA0));
        QPainterPath point;
        point.moveTo(-3, -2);
        point.lineTo(-7, 0);
        point.lineTo(-3, 2);
        point.closeSubpath();
        painter.drawPath(point);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QPointF(-6.5, 0), 0.8, 0.8);
        break;
    }
    case gtCustom:
        break;
    }
    return pixmap;
}

// The drop-down arrow: a small downward triangle.
QPixmap arrowPicture()
{
    QPixmap pixmap(5, 3);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    for (int row = 0; row < 3; ++row)
        painter.fillRect(row, row, 5 - 2 * row, 1, Qt::black);
    return pixmap;
}

} // namespace kora::colorswatch
