#pragma once

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QColor>

#include <array>

namespace kora {

// A palette shown as a grid of 20 × 20 cells, as many columns as fit beside the vertical scroll
// bar and as many rows as the entries need; the current cell moves with the mouse and the
// arrow keys.
class TPaletteGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    static constexpr int kCellSize = 20;
    static constexpr int kMaxEntries = 256;

    struct Layout
    {
        int columns = 1;
        int rows = 1;
    };
    // Columns and rows for a client area `clientWidth` wide (scroll bar excluded). Always at
    // least one column, so a grid narrower than a cell still lays out.
    static Layout layoutFor(int clientWidth, int entries);

    // The entries of the program's palette clipboard format: four bytes (red, green, blue,
    // flags) per entry, at most 256 entries; a trailing partial entry is ignored.
    static QList<QColor> paletteFromData(const QByteArray &data);

    explicit TPaletteGrid(QWidget *parent = nullptr);

    // Takes a copy of `entries` (at most 256 are kept) and lays the grid out again.
    void setColorPalette(const QList<QColor> &entries);
    int entryCount() const { return m_count; }
    // The entry a cell shows, or -1 for a cell past the last entry.
    int entryAt(int column, int row) const;
    QColor entryColor(int entry) const;
    int columns() const { return m_layout.columns; }
    int rows() const { return m_layout.rows; }
    QPoint currentCell() const { return m_current; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void relayout();
    bool selectable(int column, int row) const;
    void setCurrent(QPoint cell);

    // Entries past the palette's size hold 128 in every part, as the copy was made.
    std::array<QRgb, kMaxEntries> m_entries{};
    int m_count = 0;
    Layout m_layout;
    QPoint m_current{0, 0};
    bool m_laying = false;
};

} // namespace kora
