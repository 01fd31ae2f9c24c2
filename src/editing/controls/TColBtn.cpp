#include "editing/controls/TColBtn.h"

#include "editing/controls/ColorSwatches.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace kora {

using namespace colorswatch;

TColBtn::TColBtn(QWidget *parent)
    : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
}

void TColBtn::setColor(const QColor &color)
{
    if (sameColor(color, m_color))
        return;
    m_color = color;
    update();
}

void TColBtn::setGlyph(const QPixmap &glyph)
{
    m_glyph = glyph;
    update();
}

void TColBtn::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightClicked();
        return;
    }
    QToolButton::mousePressEvent(event);
}

QPixmap TColBtn::glyphImage() const
{
    const int count = std::max(1, m_glyph.width() / std::max(1, m_glyph.height()));
    const int imageWidth = m_glyph.width() / count;
    if (isEnabled())
        return m_glyph.copy(0, 0, imageWidth, m_glyph.height());
    if (count >= 2)
        return m_glyph.copy(imageWidth, 0, imageWidth, m_glyph.height());
    QStyleOption option;
    option.initFrom(this);
    return style()->generatedIconPixmap(QIcon::Disabled, m_glyph.copy(0, 0, imageWidth, m_glyph.height()), &option);
}

void TColBtn::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    const QColor color = isEnabled() ? m_color : kGrey;
    const int inset = height() / 5;
    if (!m_glyph.isNull()) {
        const int shift = (isDown() || isChecked()) ? 1 : 0;
        const QPixmap image = glyphImage();
        painter.drawPixmap((width() - image.width()) / 2 + shift, (height() - image.height()) / 2 + shift, image);
        const QRect bar(width() / 2 - 9 + shift, height() / 2 + 4 + shift, 17, 4);
        if (color.isValid())
            painter.fillRect(bar, color);
        else
            paintColorBox(painter, bar, color);
    } else if (text().isEmpty()) {
        paintColorBox(painter, QRect(inset, inset, width() - 2 * inset, height() - 2 * inset), color);
    } else {
        const QRect frame(inset, inset, width() - 2 * inset, height() - 2 * inset);
        painter.setPen(kGrey);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
        const int side = frame.height() - 4;
        const QRect square(frame.left() + 2, frame.top() + 2, side, side);
        paintColorBox(painter, square, color);
        const QRect caption(square.right() + 1, 0, width() - 2 * (square.right() + 1), height());
        style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), text(),
                              QPalette::ButtonText);
    }
}

} // namespace kora
