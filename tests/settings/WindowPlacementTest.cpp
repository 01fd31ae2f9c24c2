// Where a window comes back: the clamping rules against the screen.
#include "settings/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace kora;

namespace {

WindowPlacement stored(int left, int top, int width, int height, const char *screenRes)
{
    WindowPlacement p;
    p.left = left;
    p.top = top;
    p.width = width;
    p.height = height;
    p.screenRes = QString::fromLatin1(screenRes);
    return p;
}

} // namespace

TEST(WindowPlacement, StoredValuesAreKeptInsideTheScreen)
{
    const QRect screen(0, 0, 1024, 768);
    const QRect current(10, 10, 722, 505);
    struct Case
    {
        const char *what;
        WindowPlacement stored;
        QRect expected;
    };
    const Case cases[] = {
        {"as stored", stored(100, 50, 600, 400, "1024x768"), QRect(100, 50, 600, 400)},
        {"left 5000 on the same resolution: W - 20", stored(5000, 50, 600, 400, "1024x768"), QRect(1004, 50, 600, 400)},
        {"top beyond the bottom on the same resolution: H - 20", stored(100, 900, 600, 400, "1024x768"),
         QRect(100, 748, 600, 400)},
        {"from a larger screen: the right edge meets the screen's", stored(900, 50, 600, 400, "1920x1080"),
         QRect(424, 50, 600, 400)},
        {"from a larger screen: the bottom edge meets the screen's", stored(0, 700, 600, 400, "1920x1080"),
         QRect(0, 368, 600, 400)},
        {"left -30 becomes 0", stored(-30, 50, 600, 400, "1024x768"), QRect(0, 50, 600, 400)},
        {"top -30 from another screen becomes 0", stored(50, -30, 600, 400, "800x600"), QRect(50, 0, 600, 400)},
        {"only left and top stored: the size stays", stored(100, 50, -1, -1, "1024x768"), QRect(100, 50, 722, 505)},
        {"left and top of a window without size, from a smaller screen", stored(900, 700, -1, -1, "800x600"),
         QRect(302, 263, 722, 505)},
        {"only the size stored", stored(-1, -1, 300, 200, "1024x768"), QRect(10, 10, 300, 200)},
        {"width 0 is ignored", stored(100, 50, 0, 400, "1024x768"), QRect(100, 50, 722, 400)},
        {"a size of 100000 becomes the screen's", stored(100, 50, 100000, 100000, "1024x768"),
         QRect(100, 50, 1024, 768)},
        {"a size of 100000 from another screen starts at the corner", stored(100, 50, 100000, 100000, "1x1"),
         QRect(0, 0, 1024, 768)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(placedRect(c.stored, current, false, {screen}), c.expected) << c.what;
}

TEST(WindowPlacement, NothingStoredKeepsTheWindowInsideOrCentresIt)
{
    const QRect screen(0, 0, 1024, 768);
    const WindowPlacement none;
    EXPECT_EQ(placedRect(none, QRect(10, 20, 722, 505), false, {screen}), QRect(10, 20, 722, 505));
    EXPECT_EQ(placedRect(none, QRect(600, 500, 722, 505), false, {screen}), QRect(302, 263, 722, 505));
    EXPECT_EQ(placedRect(none, QRect(-50, -10, 200, 100), false, {screen}), QRect(0, 0, 200, 100));
    EXPECT_EQ(placedRect(none, QRect(0, 0, 2000, 1000), false, {screen}), QRect(0, 0, 2000, 1000));
    // Centring divides the free room, rounding toward zero.
    EXPECT_EQ(placedRect(none, QRect(5, 5, 723, 505), true, {screen}), QRect(150, 131, 723, 505));
    EXPECT_EQ(placedRect(none, QRect(5, 5, 1025, 505), true, {screen}), QRect(0, 131, 1025, 505));
}

TEST(WindowPlacement, WorksOnTheScreenTheWindowWasOnAndFallsBackToThePrimary)
{
    const QRect primary(0, 0, 1024, 768);
    const QRect right(1024, 0, 1280, 1024);
    // On the second screen the rules use its size and origin.
    EXPECT_EQ(placedRect(stored(1500, 100, 600, 400, "1280x1024"), QRect(), false, {primary, right}),
              QRect(1500, 100, 600, 400));
    EXPECT_EQ(placedRect(stored(2000, 100, 600, 400, "1920x1080"), QRect(), false, {primary, right}),
              QRect(1024 + 1280 - 600, 100, 600, 400));
    // That screen is gone: the window comes back on the primary screen, fully when the
    // resolutions differ.
    EXPECT_EQ(placedRect(stored(1500, 100, 600, 400, "1280x1024"), QRect(), false, {primary}),
              QRect(424, 100, 600, 400));
    EXPECT_EQ(placedRect(stored(1500, 100, 600, 400, "1024x768"), QRect(), false, {primary}),
              QRect(1004, 100, 600, 400));
    EXPECT_EQ(resolutionText(QSize(1024, 768)), "1024x768");
}
