#include "editing/controls/RulerModel.h"
#include "editing/controls/RulerIndents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

using kora::RulerEvent;
using kora::RulerModel;

namespace kora {

// Prints events in failure messages as "IndentDrag(1)".
void PrintTo(const RulerEvent &e, std::ostream *out)
{
    static const char *const names[] = {"IndentClick", "IndentDrag", "IndentChange", "IndentDblClick",
                                        "MarginClick", "MarginDrag", "MarginChange"};
    *out << names[e.kind] << "(" << e.id << ")";
}

} // namespace kora

namespace {

// A 300 × 25 ruler that records its events.
struct Ruler
{
    RulerModel model;
    std::vector<RulerEvent> events;

    explicit Ruler(int width = 300, int height = 25)
    {
        model.setSize(width, height);
        model.setEventListener([this](const RulerEvent &e) { events.push_back(e); });
    }

    // Puts the markers anywhere in range, whatever their distances.
    void place(int first, int left, int right)
    {
        const int distance = model.minIndentDist();
        model.setMinIndentDist(-100000);
        model.setIndentFirst(first);
        model.setIndentLeft(left);
        model.setIndentRight(right);
        model.setMinIndentDist(distance);
    }

    // A point inside the marker, offset dx from its left edge.
    QPoint on(kora::RulerIndentId id, int dx = 4) const
    {
        const QRect r = model.markerRect(id);
        return QPoint(r.left() + dx, r.top() + 2);
    }

    void press(QPoint pos) { model.mousePress(pos, Qt::LeftButton); }
    void release() { model.mouseRelease(Qt::LeftButton, Qt::NoButton); }
};

} // namespace

TEST(RulerModel, SnapsToTheGridTruncatingTowardZero)
{
    struct Case
    {
        int value, grid, snapped;
    };
    const Case cases[] = {
        {27, 10, 20}, {-27, 10, -20}, {9, 10, 0}, {-9, 10, 0}, {30, 10, 30}, {5, 1, 5}, {254, 255, 0}, {510, 255, 510},
    };
    for (const Case &c : cases)
        EXPECT_EQ(kora::snapToGrid(c.value, c.grid), c.snapped) << c.value << " on " << c.grid;
}

TEST(RulerModel, IndentAndMarginSettersAcceptOnlyPositionsWithinTheirLimits)
{
    enum Property { First, Left, Right, MarginLeft, MarginRight };
    struct Case
    {
        const char *what;
        Property property;
        int value;
        bool accepted;
        int minDist = 50;
        int first = 45, left = 45, right = 250;
    };
    // Width 300, margins 30 and 20, borders 5.
    const Case cases[] = {
        {"first at 0", First, 0, true},
        {"first below 0", First, -1, false},
        {"first unchanged", First, 45, false},
        {"first 51 left of right", First, 199, true},
        {"first 50 left of right", First, 200, false},
        {"first right of right", First, 260, false},
        {"first at width - 5", First, 295, true, -1000},
        {"first at width - 4", First, 296, false, -1000},
        {"first ignores left", First, 150, true, 50, 45, 190},
        {"left at 0", Left, 0, true},
        {"left below 0", Left, -1, false},
        {"left unchanged", Left, 45, false},
        {"left 51 left of right", Left, 199, true},
        {"left 50 left of right", Left, 200, false},
        {"left at width - 4", Left, 296, false, -1000},
        {"right at width - 5", Right, 295, true},
        {"right at width - 4", Right, 296, false},
        {"right below 0", Right, -1, false, -1000},
        {"right unchanged", Right, 250, false},
        {"right 51 right of left", Right, 96, true},
        {"right 50 right of left", Right, 95, false},
        {"right 51 right of first", Right, 151, true, 50, 100, 0},
        {"right 50 right of first", Right, 150, false, 50, 100, 0},
        {"right 50 right of left, first far", Right, 150, false, 50, 0, 100},
        {"no distance kept", Right, 46, true, 0},
        {"left margin 0", MarginLeft, 0, true},
        {"left margin below 0", MarginLeft, -1, false},
        {"left margin unchanged", MarginLeft, 30, false},
        {"left margin up to the right margin", MarginLeft, 270, true},
        {"left margin past the right margin", MarginLeft, 271, false},
        {"right margin 0", MarginRight, 0, true},
        {"right margin below 0", MarginRight, -1, false},
        {"right margin unchanged", MarginRight, 20, false},
        {"right margin up to the left margin", MarginRight, 260, true},
        {"right margin past the left margin", MarginRight, 261, false},
    };
    for (const Case &c : cases) {
        Ruler r;
        r.place(c.first, c.left, c.right);
        r.model.setMinIndentDist(c.minDist);
        const int before[] = {r.model.indentFirst(), r.model.indentLeft(), r.model.indentRight(), r.model.marginLeft(),
                              r.model.marginRight()};
        bool accepted = false;
        switch (c.property) {
        case First:
            accepted = r.model.setIndentFirst(c.value);
            break;
        case Left:
            accepted = r.model.setIndentLeft(c.value);
            break;
        case Right:
            accepted = r.model.setIndentRight(c.value);
            break;
        case MarginLeft:
            accepted = r.model.setMarginLeft(c.value);
            break;
        case MarginRight:
            accepted = r.model.setMarginRight(c.value);
            break;
        }
        const int after[] = {r.model.indentFirst(), r.model.indentLeft(), r.model.indentRight(), r.model.marginLeft(),
                             r.model.marginRight()};
        EXPECT_EQ(accepted, c.accepted) << c.what;
        EXPECT_EQ(after[c.property], c.accepted ? c.value : before[c.property]) << c.what;
        EXPECT_EQ(r.model.markerX(kora::IndentIdBoth), r.model.indentLeft()) << c.what;
        EXPECT_TRUE(r.events.empty()) << c.what << ": setters outside a drag report nothing";
    }
}

TEST(RulerModel, ScaleSettersKeepTheirTypeRanges)
{
    struct Case
    {
        int value;
        bool tab, factor, tabDist;
    };
    const Case cases[] = {
        {0, false, false, false},   {1, true, true, true},        {255, true, true, true},   {256, false, true, true},
        {30000, false, true, true}, {30001, false, false, false}, {-5, false, false, false},
    };
    for (const Case &c : cases) {
        RulerModel m;
        EXPECT_EQ(m.setRulerTab(c.value), c.tab) << c.value;
        EXPECT_EQ(m.rulerTab(), c.tab ? c.value : 10) << c.value;
        EXPECT_EQ(m.setFactor(c.value), c.factor) << c.value;
        EXPECT_EQ(m.factor(), c.factor ? c.value : 1) << c.value;
        EXPECT_EQ(m.setTabDist(c.value), c.tabDist) << c.value;
        EXPECT_EQ(m.tabDist(), c.tabDist ? c.value : 10) << c.value;
    }
}

TEST(RulerModel, MovingAMarginMovesTheMarkersAlongThroughTheirOwnRules)
{
    enum Margin { Left, Right };
    struct Case
    {
        const char *what;
        Margin margin;
        int value;
        int first, left, right;                         // before
        int expectedFirst, expectedLeft, expectedRight; // after
    };
    const Case cases[] = {
        {"left margin +10", Left, 40, 45, 45, 250, 55, 55, 250},
        {"left margin -10", Left, 20, 45, 45, 250, 35, 35, 250},
        {"left margin to 0, first would fall below 0", Left, 0, 10, 45, 250, 10, 15, 250},
        {"left margin +20, first would come too close to right", Left, 50, 190, 45, 250, 190, 65, 250},
        {"right margin +10", Right, 30, 45, 45, 250, 45, 45, 240},
        {"right margin -10", Right, 10, 45, 45, 250, 45, 45, 260},
        {"right margin +10, right would come too close to left", Right, 30, 45, 45, 100, 45, 45, 100},
        {"right margin to 0, right would reach width - 4", Right, 0, 45, 45, 280, 45, 45, 280},
    };
    for (const Case &c : cases) {
        Ruler r;
        r.place(c.first, c.left, c.right);
        if (c.margin == Left)
            EXPECT_TRUE(r.model.setMarginLeft(c.value)) << c.what;
        else
            EXPECT_TRUE(r.model.setMarginRight(c.value)) << c.what;
        EXPECT_EQ(r.model.indentFirst(), c.expectedFirst) << c.what;
        EXPECT_EQ(r.model.indentLeft(), c.expectedLeft) << c.what;
        EXPECT_EQ(r.model.indentRight(), c.expectedRight) << c.what;
        EXPECT_EQ(c.margin == Left ? r.model.marginLeft() : r.model.marginRight(), c.value) << c.what;
        EXPECT_TRUE(r.events.empty()) << c.what;
    }
}

TEST(RulerModel, MarkersSitAtTheTopAndBottomOfTheScaleWithinTheControl)
{
    struct Case
    {
        int height, borderUp, borderDown;
        int first, left, both;
    };
    const Case cases[] = {
        {25, 5, 5, 2, 12, 20}, {25, 0, 5, 0, 12, 20}, {25, 20, 5, 17, 12, 20}, {25, 5, 0, 2, 12, 20},
        {25, 5, 10, 2, 7, 15}, {40, 5, 5, 2, 27, 35}, {30, 20, 0, 17, 17, 25}, {6, 5, 5, -2, -7, 1},
    };
    for (const Case &c : cases) {
        Ruler r(300, c.height);
        r.model.setBorderUp(c.borderUp);
        r.model.setBorderDown(c.borderDown);
        const auto where = ::testing::Message() << c.height << "/" << c.borderUp << "/" << c.borderDown;
        EXPECT_EQ(r.model.markerTop(kora::IndentIdFirst), c.first) << where;
        EXPECT_EQ(r.model.markerTop(kora::IndentIdLeft), c.left) << where;
        EXPECT_EQ(r.model.markerTop(kora::IndentIdRight), c.left) << where;
        EXPECT_EQ(r.model.markerTop(kora::IndentIdBoth), c.both) << where;
    }
}

TEST(RulerModel, FindsTheMarkerUnderThePointer)
{
    struct Case
    {
        QPoint pos;
        std::optional<kora::RulerIndentId> marker;
    };
    // Default ruler: first line at x 45 rows 2..9, left 45 rows 12..19, combined 45 rows 20..26,
    // right 250 rows 12..19; all 9 wide.
    const Case cases[] = {
        {{45, 2}, kora::IndentIdFirst},   {{53, 9}, kora::IndentIdFirst}, {{54, 5}, std::nullopt},
        {{49, 1}, std::nullopt},          {{49, 10}, std::nullopt},       {{49, 11}, std::nullopt},
        {{45, 12}, kora::IndentIdLeft},   {{53, 19}, kora::IndentIdLeft}, {{45, 20}, kora::IndentIdBoth},
        {{53, 24}, kora::IndentIdBoth},   {{44, 22}, std::nullopt},       {{250, 15}, kora::IndentIdRight},
        {{258, 19}, kora::IndentIdRight}, {{259, 15}, std::nullopt},
    };
    Ruler r;
    for (const Case &c : cases)
        EXPECT_EQ(r.model.markerAt(c.pos), c.marker) << c.pos.x() << "," << c.pos.y();
    r.model.showIndents = false;
    EXPECT_EQ(r.model.markerAt({45, 15}), std::nullopt);
}

TEST(RulerModel, ScaleNumbersEvery4TFromTheLeftMarginEdgeLargeTicksBetweenSmallTicksAtQuarters)
{
    struct Case
    {
        const char *what;
        int width, marginLeft, tabDist, factor;
        bool numbers, large, small;
        std::map<int, int> expectedNumbers; // x → number
        std::set<int> expectedLarge, expectedSmall;
    };
    const Case cases[] = {
        {"T 10 numbers both ways from the edge at 105",
         300,
         100,
         10,
         1,
         true,
         true,
         true,
         {{25, 2}, {65, 1}, {145, 1}, {185, 2}, {225, 3}, {265, 4}},
         {5, 45, 85, 125, 165, 205, 245, 285},
         {15, 35, 55, 75, 95, 115, 135, 155, 175, 195, 215, 235, 255, 275}},
        {"T 5, edge at 35, columns 5..94",
         100,
         30,
         5,
         1,
         true,
         true,
         true,
         {{15, 1}, {55, 1}, {75, 2}},
         {5, 25, 45, 65, 85},
         {10, 20, 30, 40, 50, 60, 70, 80, 90}},
        {"factor multiplies the numbers",
         100,
         30,
         5,
         3,
         true,
         true,
         true,
         {{15, 3}, {55, 3}, {75, 6}},
         {5, 25, 45, 65, 85},
         {10, 20, 30, 40, 50, 60, 70, 80, 90}},
        {"without numbers large ticks take their place, the edge included",
         100,
         30,
         5,
         1,
         false,
         true,
         true,
         {},
         {5, 15, 25, 35, 45, 55, 65, 75, 85},
         {10, 20, 30, 40, 50, 60, 70, 80, 90}},
        {"numbers only", 100, 30, 5, 1, true, false, false, {{15, 1}, {55, 1}, {75, 2}}, {}, {}},
        {"nothing", 100, 30, 5, 1, false, false, false, {}, {}, {}},
    };
    for (const Case &c : cases) {
        Ruler r(c.width);
        r.model.setMarginLeft(c.marginLeft);
        r.model.setTabDist(c.tabDist);
        r.model.setFactor(c.factor);
        r.model.showNumbers = c.numbers;
        r.model.showLargeLines = c.large;
        r.model.showSmallLines = c.small;
        std::map<int, int> numbers;
        std::set<int> large, small;
        for (const kora::ScaleMark &mark : r.model.scaleMarks()) {
            if (mark.kind == kora::ScaleMark::Number)
                numbers[mark.x] = mark.number;
            else if (mark.kind == kora::ScaleMark::LargeTick)
                large.insert(mark.x);
            else
                small.insert(mark.x);
        }
        EXPECT_EQ(numbers, c.expectedNumbers) << c.what;
        EXPECT_EQ(large, c.expectedLarge) << c.what;
        EXPECT_EQ(small, c.expectedSmall) << c.what;
    }
}

TEST(RulerModel, DraggedMarkersSnapToTheGridAndStopAtTheirLimits)
{
    struct Case
    {
        const char *what;
        kora::RulerIndentId marker;
        int first, left, right;
        int grid;
        std::vector<int> moves; // mouse steps from the press, in order
        int expectedFirst, expectedLeft, expectedRight;
    };
    const Case cases[] = {
        {"left from 0 by 27", kora::IndentIdLeft, 0, 0, 250, 10, {27}, 0, 20, 250},
        {"left from 0 by 27 on a grid of 7", kora::IndentIdLeft, 0, 0, 250, 7, {27}, 0, 21, 250},
        {"left back below 0 truncates to 0", kora::IndentIdLeft, 0, 45, 250, 10, {-50}, 0, 0, 250},
        {"first by 27", kora::IndentIdFirst, 45, 45, 250, 10, {27}, 70, 45, 250},
        {"right by -27", kora::IndentIdRight, 45, 45, 250, 10, {-27}, 45, 45, 220},
        {"right too close to left stays at its last place",
         kora::IndentIdRight,
         45,
         45,
         250,
         10,
         {-130, -160},
         45,
         45,
         120},
        {"first too close to right stays", kora::IndentIdFirst, 45, 45, 250, 10, {100, 160}, 140, 45, 250},
        {"right up to width - 5", kora::IndentIdRight, 45, 45, 250, 1, {45, 46, 60}, 45, 45, 295},
        {"combined moves left and first by the mouse step", kora::IndentIdBoth, 45, 45, 250, 10, {27}, 70, 70, 250},
        {"combined with first elsewhere", kora::IndentIdBoth, 20, 45, 250, 10, {27}, 40, 70, 250},
        {"combined keeps first when it cannot follow", kora::IndentIdBoth, 190, 45, 250, 10, {27}, 190, 70, 250},
    };
    for (const Case &c : cases) {
        Ruler r;
        r.place(c.first, c.left, c.right);
        r.model.setRulerTab(c.grid);
        const QPoint start = r.on(c.marker);
        r.press(start);
        for (const int step : c.moves)
            r.model.mouseMove(start + QPoint(step, 0));
        r.release();
        EXPECT_EQ(r.model.indentFirst(), c.expectedFirst) << c.what;
        EXPECT_EQ(r.model.indentLeft(), c.expectedLeft) << c.what;
        EXPECT_EQ(r.model.indentRight(), c.expectedRight) << c.what;
    }
}

TEST(RulerModel, MarkerEventsComeInOrderClickDragsChange)
{
    using E = RulerEvent;
    struct Case
    {
        const char *what;
        kora::RulerIndentId marker;
        std::vector<int> moves;
        std::vector<RulerEvent> expected;
    };
    const Case cases[] = {
        {"press and release", kora::IndentIdFirst, {}, {{E::IndentClick, 0}, {E::IndentChange, 0}}},
        {"within one grid step nothing moves", kora::IndentIdLeft, {3, 5}, {{E::IndentClick, 1}, {E::IndentChange, 1}}},
        {"two accepted moves",
         kora::IndentIdRight,
         {-10, -25},
         {{E::IndentClick, 2}, {E::IndentDrag, 2}, {E::IndentDrag, 2}, {E::IndentChange, 2}}},
        {"a refused move reports nothing",
         kora::IndentIdRight,
         {-10, -160},
         {{E::IndentClick, 2}, {E::IndentDrag, 2}, {E::IndentChange, 2}}},
        {"combined: left, then first",
         kora::IndentIdBoth,
         {20},
         {{E::IndentClick, 3}, {E::IndentDrag, 1}, {E::IndentDrag, 0}, {E::IndentChange, 3}}},
    };
    for (const Case &c : cases) {
        Ruler r;
        r.place(40, 40, 250);
        const QPoint start = r.on(c.marker);
        r.press(start);
        for (const int step : c.moves)
            r.model.mouseMove(start + QPoint(step, 0));
        r.release();
        EXPECT_EQ(r.events, c.expected) << c.what;
        EXPECT_FALSE(r.model.draggingMarker()) << c.what;
    }
}

TEST(RulerModel, DoubleClickReportsClickChangeThenDoubleClickAndItsSecondPressStartsNoDrag)
{
    using E = RulerEvent;
    Ruler r;
    const QPoint pos = r.on(kora::IndentIdLeft);
    r.press(pos);
    r.release();
    r.model.mouseDoubleClick(pos, Qt::LeftButton);
    EXPECT_FALSE(r.model.draggingMarker());
    r.model.mouseMove(pos + QPoint(30, 0));
    r.release();
    EXPECT_EQ(r.events, (std::vector<RulerEvent>{{E::IndentClick, 1}, {E::IndentChange, 1}, {E::IndentDblClick, 1}}));
    EXPECT_EQ(r.model.indentLeft(), 45);

    r.events.clear();
    r.press(pos);
    EXPECT_TRUE(r.model.draggingMarker()) << "the next press drags again";
    r.release();
    EXPECT_EQ(r.events, (std::vector<RulerEvent>{{E::IndentClick, 1}, {E::IndentChange, 1}}));
}

TEST(RulerModel, OnlyTheLeftButtonDragsMarkersAndMargins)
{
    Ruler r;
    for (const QPoint pos : {r.on(kora::IndentIdFirst), QPoint(35, 12)}) {
        r.model.mousePress(pos, Qt::RightButton);
        r.model.mouseMove(pos + QPoint(30, 0));
        r.model.mouseRelease(Qt::RightButton, Qt::NoButton);
        r.model.mouseDoubleClick(pos, Qt::RightButton);
        r.model.mouseRelease(Qt::RightButton, Qt::NoButton);
    }
    EXPECT_TRUE(r.events.empty());
    EXPECT_EQ(r.model.indentFirst(), 45);
    EXPECT_EQ(r.model.marginLeft(), 30);
}

TEST(RulerModel, MarginEdgesGripWithinThreePixelsAndDragInGridSteps)
{
    using E = RulerEvent;
    struct Case
    {
        const char *what;
        int pressX;
        std::vector<int> movesTo;
        int expectedMarginLeft, expectedMarginRight;
        int expectedFirst, expectedLeft, expectedRight;
        std::vector<RulerEvent> expected;
    };
    // Width 300: left edge at 35, right edge at 275.
    const Case cases[] = {
        {"left edge, moved to 47",
         35,
         {47},
         40,
         20,
         55,
         55,
         250,
         {{E::MarginClick, 0}, {E::MarginDrag, 0}, {E::MarginChange, 0}}},
        {"2 px right of the left edge",
         37,
         {47},
         40,
         20,
         55,
         55,
         250,
         {{E::MarginClick, 0}, {E::MarginDrag, 0}, {E::MarginChange, 0}}},
        {"2 px left of the left edge",
         33,
         {20},
         10,
         20,
         25,
         25,
         250,
         {{E::MarginClick, 0}, {E::MarginDrag, 0}, {E::MarginChange, 0}}},
        {"3 px off the left edge", 38, {47}, 30, 20, 45, 45, 250, {}},
        {"3 px off the left edge, other side", 32, {47}, 30, 20, 45, 45, 250, {}},
        {"left edge, moves within a grid step",
         35,
         {36, 44},
         30,
         20,
         45,
         45,
         250,
         {{E::MarginClick, 0}, {E::MarginChange, 0}}},
        {"left edge past the right margin stays at its last place",
         35,
         {100, 299},
         90,
         20,
         105,
         105,
         250,
         {{E::MarginClick, 0}, {E::MarginDrag, 0}, {E::MarginChange, 0}}},
        {"right edge, moved to 262",
         275,
         {262},
         30,
         30,
         45,
         45,
         240,
         {{E::MarginClick, 1}, {E::MarginDrag, 1}, {E::MarginChange, 1}}},
        {"right edge, moved out to 290",
         277,
         {290},
         30,
         0,
         45,
         45,
         270,
         {{E::MarginClick, 1}, {E::MarginDrag, 1}, {E::MarginChange, 1}}},
        {"3 px off the right edge", 272, {262}, 30, 20, 45, 45, 250, {}},
    };
    for (const Case &c : cases) {
        Ruler r;
        r.press({c.pressX, 12});
        for (const int x : c.movesTo)
            r.model.mouseMove({x, 12});
        r.release();
        EXPECT_EQ(r.model.marginLeft(), c.expectedMarginLeft) << c.what;
        EXPECT_EQ(r.model.marginRight(), c.expectedMarginRight) << c.what;
        EXPECT_EQ(r.model.indentFirst(), c.expectedFirst) << c.what;
        EXPECT_EQ(r.model.indentLeft(), c.expectedLeft) << c.what;
        EXPECT_EQ(r.model.indentRight(), c.expectedRight) << c.what;
        EXPECT_EQ(r.events, c.expected) << c.what;
        EXPECT_FALSE(r.model.draggingLeftMargin() || r.model.draggingRightMargin()) << c.what;
    }
}

TEST(RulerModel, MarginHandlersSwitchedOffLeaveTheEdgesAlone)
{
    Ruler r;
    r.model.showMarginHandlers = false;
    r.press({35, 12});
    r.model.mouseMove({55, 12});
    EXPECT_EQ(r.model.cursorAt({35, 12}), Qt::ArrowCursor);
    r.release();
    EXPECT_TRUE(r.events.empty());
    EXPECT_EQ(r.model.marginLeft(), 30);
}

TEST(RulerModel, SizingCursorNearEitherMarginEdgeArrowOnMarkers)
{
    struct Case
    {
        QPoint pos;
        Qt::CursorShape cursor;
    };
    const Case cases[] = {
        {{35, 7}, Qt::SizeHorCursor}, {{33, 7}, Qt::SizeHorCursor}, {{37, 7}, Qt::SizeHorCursor},
        {{32, 7}, Qt::ArrowCursor},   {{38, 7}, Qt::ArrowCursor},   {{275, 7}, Qt::SizeHorCursor},
        {{272, 7}, Qt::ArrowCursor},  {{150, 7}, Qt::ArrowCursor},  {{49, 15}, Qt::ArrowCursor},
    };
    Ruler r;
    r.place(0, 30, 250); // the left marker stands over the left edge
    for (const Case &c : cases) {
        r.model.mouseMove(c.pos);
        EXPECT_EQ(r.model.cursorAt(c.pos), c.cursor) << c.pos.x() << "," << c.pos.y();
    }
    r.model.mouseMove({35, 7});
    EXPECT_EQ(r.model.cursorAt({34, 15}), Qt::ArrowCursor) << "a marker over the edge keeps the arrow";
}

TEST(RulerModel, GuideLineFollowsTheMarkerCentreOrTheMarginEdgeUntilRelease)
{
    Ruler r;
    EXPECT_EQ(r.model.guideX(), std::nullopt);
    const QPoint pos = r.on(kora::IndentIdRight);
    r.press(pos);
    EXPECT_EQ(r.model.guideX(), 254);
    r.model.mouseMove(pos + QPoint(-27, 0));
    EXPECT_EQ(r.model.guideX(), 224);
    r.release();
    EXPECT_EQ(r.model.guideX(), std::nullopt);

    r.press({275, 7});
    EXPECT_EQ(r.model.guideX(), 275);
    r.model.mouseMove({262, 7});
    EXPECT_EQ(r.model.guideX(), 265);
    r.release();
    EXPECT_EQ(r.model.guideX(), std::nullopt);
}

TEST(RulerModel, GhostsMarkWhereMovedMarkersStoodWhileTheDragLasts)
{
    Ruler r;
    const QPoint pos = r.on(kora::IndentIdBoth);
    r.press(pos);
    EXPECT_TRUE(r.model.ghosts().empty());
    r.model.mouseMove(pos + QPoint(30, 0));
    std::vector<std::pair<int, int>> ghosts;
    for (const RulerModel::Ghost &g : r.model.ghosts())
        ghosts.emplace_back(g.id, g.x);
    EXPECT_EQ(ghosts, (std::vector<std::pair<int, int>>{{kora::IndentIdFirst, 45}, {kora::IndentIdBoth, 45}}));
    r.release();
    EXPECT_TRUE(r.model.ghosts().empty());
}

TEST(RulerIndents, PixelsBecomeWholePointsTruncatedTowardZero)
{
    const std::pair<int, int> cases[] = {{0, 0},   {1, 0},  {2, 1},   {3, 2},   {4, 3},    {40, 30},
                                         {41, 30}, {-1, 0}, {-5, -3}, {-8, -6}, {750, 562}};
    for (const auto &[pixels, points] : cases)
        EXPECT_EQ(kora::rulerPixelsToPoints(pixels), points) << pixels;
}

TEST(RulerIndents, ReleasedMarkerSetsTheIndentsOfTheSelection)
{
    using P = kora::RulerIndentPoints;
    struct Case
    {
        const char *what;
        int id;
        kora::RulerPixels ruler;
        int selectionFirst;
        P expected;
    };
    const Case cases[] = {
        {"first line at 40", 0, {40, 40, 500, 700}, 7, {30, 0, std::nullopt}},
        {"first line at 41 truncates", 0, {41, 100, 500, 700}, 7, {30, 45, std::nullopt}},
        {"left at 60 with first 30", 1, {0, 60, 500, 700}, 30, {std::nullopt, 15, std::nullopt}},
        {"left takes the selection's first, not the marker's",
         1,
         {40, 61, 500, 700},
         10,
         {std::nullopt, 35, std::nullopt}},
        {"left before the first line", 1, {0, 0, 500, 700}, 30, {std::nullopt, -30, std::nullopt}},
        {"right at width - 10", 2, {0, 0, 690, 700}, 0, {std::nullopt, std::nullopt, 0}},
        {"right at 500 of 700", 2, {0, 0, 500, 700}, 0, {std::nullopt, std::nullopt, 142}},
        {"right at width - 5 truncates toward zero", 2, {0, 0, 695, 700}, 0, {std::nullopt, std::nullopt, -3}},
        {"combined sets first, then left relative to it", 3, {40, 100, 500, 700}, 99, {30, 45, std::nullopt}},
        {"unknown marker", 4, {40, 100, 500, 700}, 0, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(kora::rulerIndentPoints(c.id, c.ruler, c.selectionFirst), c.expected) << c.what;
}
