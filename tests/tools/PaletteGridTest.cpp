#include "tools/clipboard/TPaletteGrid.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace kora;

namespace {

struct LayoutCase
{
    const char *name;
    int clientWidth;
    int entries;
    int columns;
    int rows;
};

const LayoutCase kLayouts[] = {
    {"EntriesFillWholeRows", 200, 20, 10, 2},         {"ARemainderTakesAnotherRow", 200, 21, 10, 3},
    {"PartOfACellIsNoColumn", 219, 10, 10, 1},        {"NoEntriesStillOneRow", 200, 0, 10, 1},
    {"NarrowerThanACellKeepsOneColumn", 10, 5, 1, 5}, {"FullPalette", 320, 256, 16, 16},
};

class PaletteGridLayout : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(PaletteGridLayout, ColumnsAndRows)
{
    const TPaletteGrid::Layout layout = TPaletteGrid::layoutFor(GetParam().clientWidth, GetParam().entries);
    EXPECT_EQ(layout.columns, GetParam().columns);
    EXPECT_EQ(layout.rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Widths, PaletteGridLayout, ::testing::ValuesIn(kLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PaletteGrid, ReadsAtMost256WholeEntries)
{
    QByteArray data;
    for (int i = 0; i < 300; ++i) {
        const char entry[] = {char(i), 1, 2, 0};
        data.append(entry, 4);
    }
    data.append("\x7f\x7f", 2); // a partial entry
    const QList<QColor> entries = TPaletteGrid::paletteFromData(data);
    ASSERT_EQ(entries.size(), 256);
    EXPECT_EQ(entries[255], QColor(255, 1, 2));
    EXPECT_TRUE(TPaletteGrid::paletteFromData(QByteArray("\x01\x02\x03", 3)).isEmpty());
}

TEST(PaletteGrid, CellsPastTheLastEntryAreBlankAndCannotBeSelected)
{
    TPaletteGrid grid;
    grid.resize(100 + grid.verticalScrollBar()->sizeHint().width(), 200);
    grid.show();
    grid.setColorPalette({Qt::red, Qt::green, Qt::blue, Qt::black, Qt::white, Qt::yellow, Qt::cyan});
    ASSERT_EQ(grid.columns(), 5);
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.entryAt(1, 1), 6);
    EXPECT_EQ(grid.entryAt(2, 1), -1);
    EXPECT_EQ(grid.entryColor(7), QColor(128, 128, 128, 128));

    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.currentCell(), QPoint(0, 1));
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Right); // past the last entry: stays
    EXPECT_EQ(grid.currentCell(), QPoint(1, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(3 * 20 + 5, 5));
    EXPECT_EQ(grid.currentCell(), QPoint(3, 0));

    // An empty palette leaves one selectable cell.
    grid.setColorPalette({});
    EXPECT_EQ(grid.rows(), 1);
    EXPECT_EQ(grid.currentCell(), QPoint(0, 0));
}

} // namespace
