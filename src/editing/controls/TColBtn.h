#pragma once

#include <QColor>
#include <QPixmap>
#include <QToolButton>

namespace kora {

// A swatch: a flat, grouped speed button that paints its colour. With a glyph it draws the
// picture and a 17 x 4 bar of the colour under it; with a caption (the automatic button) a grey
// frame, a small square of the colour and the caption; with neither a rectangle of the colour
// in a grey outline. A disabled swatch paints grey in place of its colour.
class TColBtn : public QToolButton
{
    Q_OBJECT
public:
    explicit TColBtn(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

    // Images side by side, each as wide as the strip is high: normal, then disabled.
    QPixmap glyph() const { return m_glyph; }
    void setGlyph(const QPixmap &glyph);

signals:
    void rightClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap glyphImage() const;

    QColor m_color = Qt::black;
    QPixmap m_glyph;
};

} // namespace kora
