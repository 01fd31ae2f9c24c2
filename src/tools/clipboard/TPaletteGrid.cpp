#include "tools/clipboard/TPaletteGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace kora {

TPaletteGrid::Layout TPaletteGrid::layoutFor(int clientWidth, int entries)
{
    Layout layout;
    layout.columns = std::max(1, clientWidth / kCellSize);
    layout.rows = std::max(1, (entries + layout.columns - 1) / layout.columns);
    return layout;
}

QList<QColor> TPaletteGrid::paletteFromData(const QByteArray &data)
{
    QList<QColor> entries;
    const qsizetype count = std::min<qsizetype>(data.size() / 4, kMaxEntries);
    for (qsizetype i = 0; i < count; ++i) {
        const auto *entry = reinterpret_cast<const uchar *>(data.constData() + 4 * i);
        entries.append(QColor(entry[0], entry[1], entry[2]));
    }
    return entries;
}

TPaletteGrid::TPaletteGrid(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    m_entries.fill(qRgba(128, 128, 128, 128));
    relayout();
}

void TPaletteGrid::setColorPalette(const QList<QColor> &entries)
{
    m_entries.fill(qRgba(128, 128, 128, 128));
    m_count = int(std::min<qsizetype>(entries.size(), kMaxEntries));
    for (int i = 0; i < m_count; ++i)
        m_entries[size_t(i)] = entries[i].rgb();
    m_current = {0, 0};
    relayout();
}

int TPaletteGrid::entryAt(int column, int row) const
{
    if (column < 0 || row < 0 || column >= m_layout.columns)
        return -1;
    const int entry = column + row * m_layout.columns;
    return entry < m_count ? entry : -1;
}

QColor TPaletteGrid::entryColor(int entry) const
{
    return entry >= 0 && entry < kMaxEntries ? QColor::fromRgba(m_entries[size_t(entry)]) : QColor();
}

void TPaletteGrid::relayout()
{
    // Changing the scroll range can resize the viewport, which lays out again.
    if (m_laying)
        return;
    m_laying = true;
    m_layout = layoutFor(viewport()->width(), m_count);
    QScrollBar *bar = verticalScrollBar();
    bar->setSingleStep(kCellSize);
    bar->setPageStep(std::max(kCellSize, viewport()->height()));
    bar->setRange(0, std::max(0, m_layout.rows * kCellSize - viewport()->height()));
    m_laying = false;
    viewport()->update();
}

bool TPaletteGrid::selectable(int column, int row) const
{
    return (column == 0 && row == 0) || entryAt(column, row) >= 0;
}

void TPaletteGrid::setCurrent(QPoint cell)
{
    if (!selectable(cell.x(), cell.y()))
        return;
    m_current = cell;
    // Keep the current cell in view.
    QScrollBar *bar = verticalScrollBar();
    const int top = cell.y() * kCellSize;
    if (top < bar->value())
        bar->setValue(top);
    else if (top + kCellSize > bar->value() + viewport()->height())
        bar->setValue(top + kCellSize - viewport()->height());
    viewport()->update();
}

void TPaletteGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QPalette &colors = palette();
    const QColor gridColor = colors.color(QPalette::Base);
    painter.fillRect(viewport()->rect(), gridColor);
    const int scrolled = verticalScrollBar()->value();
    const int firstRow = scrolled / kCellSize;
    const int lastRow = std::min(m_layout.rows - 1, (scrolled + viewport()->height()) / kCellSize);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = 0; column < m_layout.columns; ++column) {
            const int entry = entryAt(column, row);
            if (entry < 0)
                continue;
            const QRect cell(column * kCellSize, row * kCellSize - scrolled, kCellSize, kCellSize);
            painter.setPen(colors.color(QPalette::Button));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            // A sunken two-pixel frame one pixel inside, then the entry's colour.
            const QRect frame = cell.adjusted(1, 1, -1, -1);
            for (int i = 0; i < 2; ++i) {
                const QRect r = frame.adjusted(i, i, -i - 1, -i - 1);
                painter.setPen(colors.color(QPalette::Dark));
                painter.drawLine(r.topLeft(), r.topRight());
                painter.drawLine(r.topLeft(), r.bottomLeft());
                painter.setPen(colors.color(QPalette::Light));
                painter.drawLine(r.bottomLeft(), r.bottomRight());
                painter.drawLine(r.topRight(), r.bottomRight());
            }
            const QColor color = entryColor(entry);
            painter.setPen(color);
            painter.setBrush(color);
            painter.drawRect(frame.adjusted(2, 2, -3, -3));
            if (QPoint(column, row) == m_current && hasFocus()) {
                QStyleOptionFocusRect option;
                option.initFrom(this);
                option.rect = frame.adjusted(3, 3, -3, -3);
                option.backgroundColor = gridColor;
                style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
            }
        }
    }
}

void TPaletteGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void TPaletteGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint() + QPoint(0, verticalScrollBar()->value());
    setCurrent({at.x() / kCellSize, at.y() / kCellSize});
}

void TPaletteGrid::keyPressEvent(QKeyEvent *event)
{
    QPoint next = m_current;
    switch (event->key()) {
    case Qt::Key_Left:
        next.rx() -= 1;
        break;
    case Qt::Key_Right:
        next.rx() += 1;
        break;
    case Qt::Key_Up:
        next.ry() -= 1;
        break;
    case Qt::Key_Down:
        next.ry() += 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    setCurrent(next);
}

void TPaletteGrid::scrollContentsBy(int, int)
{
    viewport()->update();
}

} // namespace kora
