#pragma once

#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <Qt>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace kora {

// The ruler's markers, numbered as the IndentID of their events.
enum RulerIndentId : int { IndentIdFirst = 0, IndentIdLeft = 1, IndentIdRight = 2, IndentIdBoth = 3 };
// The ruler's margins, numbered as the MarginID of their events.
enum RulerMarginId : int { MarginIdLeft = 0, MarginIdRight = 1 };

struct RulerEvent
{
    enum Kind { IndentClick, IndentDrag, IndentChange, IndentDblClick, MarginClick, MarginDrag, MarginChange };
    Kind kind = IndentClick;
    int id = 0;
    bool operator==(const RulerEvent &) const = default;
};

constexpr int kRulerTabMax = 255;
constexpr int kRulerFactorMax = 30000;
constexpr int kRulerTabDistMax = 30000;
constexpr int kMarkerWidth = 9;
// A press or move counts as on a margin edge strictly within this distance of it.
constexpr int kMarginGrip = 3;

// grid × (value div grid), the division truncating toward zero.
int snapToGrid(int value, int grid);

int markerHeight(RulerIndentId id);
// The marker's black outline, in marker coordinates: a closed polygon, except for the combined
// marker, whose lines form an open polyline over its filled background.
QPolygon markerOutline(RulerIndentId id);
// The marker's open highlight polyline, in marker coordinates.
QPolygon markerHighlight(RulerIndentId id);

// The pixels a one-pixel pen lights moving through points: each segment from its start up to,
// not including, its end; closed, the pen returns to the first point. Segments run straight or at
// 45 degrees.
std::vector<QPoint> penPixels(const QPolygon &points, bool closed);

// One thing the scale draws at column x.
struct ScaleMark
{
    enum Kind { Number, LargeTick, SmallTick };
    Kind kind = Number;
    int x = 0;
    int number = 0; // for Number
    bool operator==(const ScaleMark &) const = default;
};

// The ruler without its painting: properties with their setter rules, marker and margin
// geometry, and the mouse handling that drags markers and margins and reports the events.
// All lengths are pixels of the control.
class RulerModel
{
public:
    RulerModel();

    void setSize(int width, int height);
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Receives every event as it happens.
    void setEventListener(std::function<void(const RulerEvent &)> listener) { m_listener = std::move(listener); }

    int rulerTab() const { return m_rulerTab; }
    bool setRulerTab(int tab); // 1..255
    int minIndentDist() const { return m_minIndentDist; }
    void setMinIndentDist(int distance) { m_minIndentDist = distance; }
    int factor() const { return m_factor; }
    bool setFactor(int factor); // 1..30000
    int tabDist() const { return m_tabDist; }
    bool setTabDist(int distance); // 1..30000

    int marginLeft() const { return m_marginLeft; }
    bool setMarginLeft(int margin);
    int marginRight() const { return m_marginRight; }
    bool setMarginRight(int margin);

    int borderLeft() const { return m_borderLeft; }
    int borderUp() const { return m_borderUp; }
    int borderDown() const { return m_borderDown; }
    int borderRight() const { return m_borderRight; }
    void setBorderLeft(int border) { m_borderLeft = border; }
    void setBorderUp(int border) { m_borderUp = border; }
    void setBorderDown(int border) { m_borderDown = border; }
    void setBorderRight(int border) { m_borderRight = border; }

    int indentFirst() const { return m_indentFirst; }
    bool setIndentFirst(int x);
    int indentLeft() const { return m_indentLeft; }
    bool setIndentLeft(int x); // the combined marker moves with it
    int indentRight() const { return m_indentRight; }
    bool setIndentRight(int x);

    bool showSmallLines = true;
    bool showLargeLines = true;
    bool showIndents = true;
    bool showNumbers = true;
    bool showMarginHandlers = true;

    int leftMarginEdge() const { return m_borderLeft + m_marginLeft; }
    int rightMarginEdge() const { return m_width - m_marginRight - m_borderRight; }

    // What the scale draws, left to right.
    std::vector<ScaleMark> scaleMarks() const;

    int markerX(RulerIndentId id) const;
    int markerTop(RulerIndentId id) const;
    QRect markerRect(RulerIndentId id) const;
    // The topmost shown marker under pos.
    std::optional<RulerIndentId> markerAt(QPoint pos) const;

    // Mouse input in control coordinates, in the order the control receives it. A double click
    // arrives in place of its second press.
    void mousePress(QPoint pos, Qt::MouseButton button);
    void mouseMove(QPoint pos);
    void mouseRelease(Qt::MouseButton button, Qt::MouseButtons stillPressed);
    void mouseDoubleClick(QPoint pos, Qt::MouseButton button);

    bool draggingMarker() const { return m_draggingMarker; }
    bool draggingLeftMargin() const { return m_draggingLeftMargin; }
    bool draggingRightMargin() const { return m_draggingRightMargin; }
    // The cursor to show at pos: markers keep the arrow; over the ruler surface the one the last
    // move chose.
    Qt::CursorShape cursorAt(QPoint pos) const;
    // The x of the guide line while a drag is in progress.
    std::optional<int> guideX() const { return m_guideX; }

    struct Ghost
    {
        RulerIndentId id;
        int x;
    };
    // Markers that have left the position their drag started from, while a marker drag is in
    // progress, with that position.
    std::vector<Ghost> ghosts() const;

private:
    bool indentAccepted(int x, int current) const;
    void fire(RulerEvent::Kind kind, int id);
    void pressMarker(RulerIndentId id, QPoint pos);
    void moveMarker(RulerIndentId id, QPoint pos);
    void pressSurface(QPoint pos);
    void moveSurface(QPoint pos);
    bool nearMarginEdge(int x) const;

    std::function<void(const RulerEvent &)> m_listener;
    int m_width = 300;
    int m_height = 25;
    int m_rulerTab = 10;
    int m_minIndentDist = 50;
    int m_factor = 1;
    int m_tabDist = 10;
    int m_marginRight = 20;
    int m_marginLeft = 30;
    int m_borderLeft = 5;
    int m_borderUp = 5;
    int m_borderDown = 5;
    int m_borderRight = 5;
    int m_indentFirst = 45;
    int m_indentLeft = 45;
    int m_indentRight = 250;

    // Where each marker stood when the current marker drag began. The left marker's is never
    // taken: the combined marker, which moves with it, shows where its drag began.
    std::array<std::optional<int>, 4> m_startX;
    bool m_draggingMarker = false;
    int m_pressX = 0; // mouse x within the marker at the press
    bool m_draggingLeftMargin = false;
    bool m_draggingRightMargin = false;
    bool m_doubleClicked = false;
    bool m_sizingCursor = false;
    std::optional<int> m_guideX;

    // Which marker, if any, holds the mouse from a press until every button is released; the
    // ruler surface holds it when captured without a marker.
    bool m_captured = false;
    std::optional<RulerIndentId> m_capturedMarker;
};

} // namespace kora
