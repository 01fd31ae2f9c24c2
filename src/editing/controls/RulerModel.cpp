#include "editing/controls/RulerModel.h"

#include <cstdlib>
#include <utility>

namespace kora {

int snapToGrid(int value, int grid)
{
    return grid * (value / grid);
}

int markerHeight(RulerIndentId id)
{
    return id == IndentIdBoth ? 7 : 8;
}

QPolygon markerOutline(RulerIndentId id)
{
    switch (id) {
    case IndentIdFirst:
        return QPolygon({{0, 0}, {8, 0}, {8, 3}, {4, 7}, {0, 3}});
    case IndentIdLeft:
    case IndentIdRight:
        return QPolygon({{0, 7}, {0, 4}, {4, 0}, {8, 4}, {8, 7}});
    case IndentIdBoth:
        break;
    }
    return QPolygon({{0, 0}, {0, 4}, {8, 4}, {8, 0}, {7, 0}});
}

QPolygon markerHighlight(RulerIndentId id)
{
    switch (id) {
    case IndentIdFirst:
        return QPolygon({{6, 1}, {1, 1}, {1, 3}, {4, 6}});
    case IndentIdLeft:
    case IndentIdRight:
        return QPolygon({{1, 5}, {1, 4}, {5, 0}});
    case IndentIdBoth:
        break;
    }
    return QPolygon({{1, 2}, {1, 0}, {7, 0}});
}

std::vector<QPoint> penPixels(const QPolygon &points, bool closed)
{
    std::vector<QPoint> pixels;
    QPolygon path = points;
    if (closed && !points.isEmpty())
        path << points.first();
    for (qsizetype i = 1; i < path.size(); ++i) {
        const QPoint step((path[i].x() > path[i - 1].x()) - (path[i].x() < path[i - 1].x()),
                          (path[i].y() > path[i - 1].y()) - (path[i].y() < path[i - 1].y()));
        for (QPoint p = path[i - 1]; p != path[i]; p += step)
            pixels.push_back(p);
    }
    return pixels;
}

RulerModel::RulerModel() = default;

void RulerModel::setSize(int width, int height)
{
    m_width = width;
    m_height = height;
}

bool RulerModel::setRulerTab(int tab)
{
    if (tab < 1 || tab > kRulerTabMax)
        return false;
    m_rulerTab = tab;
    return true;
}

bool RulerModel::setFactor(int factor)
{
    if (factor < 1 || factor > kRulerFactorMax)
        return false;
    m_factor = factor;
    return true;
}

bool RulerModel::setTabDist(int distance)
{
    if (distance < 1 || distance > kRulerTabDistMax)
        return false;
    m_tabDist = distance;
    return true;
}

void RulerModel::fire(RulerEvent::Kind kind, int id)
{
    if (m_listener)
        m_listener(RulerEvent{kind, id});
}

bool RulerModel::indentAccepted(int x, int current) const
{
    return x != current && x >= 0 && x < m_width - 4;
}

bool RulerModel::setIndentFirst(int x)
{
    if (!indentAccepted(x, m_indentFirst) || m_indentRight - x <= m_minIndentDist)
        return false;
    m_indentFirst = x;
    if (m_draggingMarker)
        fire(RulerEvent::IndentDrag, IndentIdFirst);
    return true;
}

bool RulerModel::setIndentLeft(int x)
{
    if (!indentAccepted(x, m_indentLeft) || m_indentRight - x <= m_minIndentDist)
        return false;
    m_indentLeft = x;
    if (m_draggingMarker)
        fire(RulerEvent::IndentDrag, IndentIdLeft);
    return true;
}

bool RulerModel::setIndentRight(int x)
{
    if (!indentAccepted(x, m_indentRight) || x - m_indentLeft <= m_minIndentDist ||
        x - m_indentFirst <= m_minIndentDist)
        return false;
    m_indentRight = x;
    if (m_draggingMarker)
        fire(RulerEvent::IndentDrag, IndentIdRight);
    return true;
}

bool RulerModel::setMarginLeft(int margin)
{
    if (margin == m_marginLeft || margin < 0 || margin > m_width - m_marginRight - m_borderRight - m_borderLeft)
        return false;
    const int step = margin - m_marginLeft;
    setIndentFirst(m_indentFirst + step);
    setIndentLeft(m_indentLeft + step);
    m_marginLeft = margin;
    if (m_draggingLeftMargin)
        fire(RulerEvent::MarginDrag, MarginIdLeft);
    return true;
}

bool RulerModel::setMarginRight(int margin)
{
    if (margin == m_marginRight || margin < 0 || margin > m_width - m_marginLeft - m_borderLeft - m_borderRight)
        return false;
    setIndentRight(m_indentRight + m_marginRight - margin);
    m_marginRight = margin;
    if (m_draggingRightMargin)
        fire(RulerEvent::MarginDrag, MarginIdRight);
    return true;
}

std::vector<ScaleMark> RulerModel::scaleMarks() const
{
    std::vector<ScaleMark> marks;
    const int t = m_tabDist;
    const int origin = leftMarginEdge();
    for (int x = m_borderLeft; x <= m_width - m_borderRight - 1; ++x) {
        const int b = std::abs(x - origin);
        if (b % (4 * t) == 0) {
            if (showNumbers) {
                if (b != 0)
                    marks.push_back({ScaleMark::Number, x, b / (4 * t) * m_factor});
            } else if (showLargeLines) {
                marks.push_back({ScaleMark::LargeTick, x, 0});
            }
        }
        if (showLargeLines && b % (4 * t) == 2 * t)
            marks.push_back({ScaleMark::LargeTick, x, 0});
        if (showSmallLines && b % (2 * t) == t)
            marks.push_back({ScaleMark::SmallTick, x, 0});
    }
    return marks;
}

int RulerModel::markerX(RulerIndentId id) const
{
    switch (id) {
    case IndentIdFirst:
        return m_indentFirst;
    case IndentIdRight:
        return m_indentRight;
    case IndentIdLeft:
    case IndentIdBoth:
        break;
    }
    return m_indentLeft;
}

int RulerModel::markerTop(RulerIndentId id) const
{
    if (id == IndentIdFirst)
        return std::min(std::max(m_borderUp - 3, 0), m_height - 8);
    const int top = std::min(std::max(m_height - m_borderDown - 8, 0), m_height - 13);
    return id == IndentIdBoth ? top + 8 : top;
}

QRect RulerModel::markerRect(RulerIndentId id) const
{
    return QRect(markerX(id), markerTop(id), kMarkerWidth, markerHeight(id));
}

std::optional<RulerIndentId> RulerModel::markerAt(QPoint pos) const
{
    if (!showIndents)
        return std::nullopt;
    for (const RulerIndentId id : {IndentIdBoth, IndentIdRight, IndentIdLeft, IndentIdFirst}) {
        if (markerRect(id).contains(pos))
            return id;
    }
    return std::nullopt;
}

void RulerModel::mousePress(QPoint pos, Qt::MouseButton button)
{
    const bool afterDoubleClick = std::exchange(m_doubleClicked, false);
    if (!m_captured) {
        m_captured = true;
        m_capturedMarker = markerAt(pos);
    }
    if (button != Qt::LeftButton)
        return;
    if (m_capturedMarker) {
        if (!afterDoubleClick)
            pressMarker(*m_capturedMarker, pos);
    } else {
        pressSurface(pos);
    }
}

void RulerModel::pressMarker(RulerIndentId id, QPoint pos)
{
    m_draggingMarker = true;
    m_pressX = pos.x() - markerX(id);
    m_startX[IndentIdFirst] = m_indentFirst;
    m_startX[IndentIdRight] = m_indentRight;
    m_startX[IndentIdBoth] = m_indentLeft;
    m_guideX = markerX(id) + kMarkerWidth / 2;
    fire(RulerEvent::IndentClick, id);
}

void RulerModel::pressSurface(QPoint pos)
{
    if (!showMarginHandlers)
        return;
    const int x = pos.x();
    if (std::abs(x - leftMarginEdge()) < kMarginGrip) {
        m_draggingLeftMargin = true;
        m_guideX = leftMarginEdge();
        fire(RulerEvent::MarginClick, MarginIdLeft);
    } else if (std::abs(x - rightMarginEdge()) < kMarginGrip) {
        m_draggingRightMargin = true;
        m_guideX = rightMarginEdge();
        fire(RulerEvent::MarginClick, MarginIdRight);
    }
}

void RulerModel::mouseMove(QPoint pos)
{
    if (m_captured ? m_capturedMarker.has_value() : markerAt(pos).has_value()) {
        if (m_capturedMarker)
            moveMarker(*m_capturedMarker, pos);
        return;
    }
    moveSurface(pos);
}

void RulerModel::moveMarker(RulerIndentId id, QPoint pos)
{
    if (!m_draggingMarker)
        return;
    const int g = m_rulerTab;
    // The mouse x within the marker, as the marker had it before this move.
    const int x = pos.x() - markerX(id);
    switch (id) {
    case IndentIdFirst:
        setIndentFirst(snapToGrid(x + m_indentFirst - m_pressX, g));
        break;
    case IndentIdLeft:
        setIndentLeft(snapToGrid(x + m_indentLeft - m_pressX, g));
        break;
    case IndentIdRight:
        setIndentRight(snapToGrid(x + m_indentRight - m_pressX, g));
        break;
    case IndentIdBoth:
        setIndentLeft(snapToGrid(x + m_indentLeft - m_pressX, g));
        setIndentFirst(snapToGrid(x + m_indentFirst - m_pressX, g));
        break;
    }
    m_guideX = markerX(id) + kMarkerWidth / 2;
}

void RulerModel::moveSurface(QPoint pos)
{
    const int x = pos.x();
    if (showMarginHandlers)
        m_sizingCursor = nearMarginEdge(x);
    const int g = m_rulerTab;
    if (m_draggingLeftMargin) {
        setMarginLeft(snapToGrid(x - m_borderLeft, g));
        m_guideX = leftMarginEdge();
    }
    if (m_draggingRightMargin) {
        setMarginRight(snapToGrid(m_width - m_borderRight - x, g));
        m_guideX = rightMarginEdge();
    }
}

void RulerModel::mouseRelease(Qt::MouseButton button, Qt::MouseButtons stillPressed)
{
    const std::optional<RulerIndentId> marker = m_capturedMarker;
    if (stillPressed == Qt::NoButton) {
        m_captured = false;
        m_capturedMarker.reset();
    }
    if (button != Qt::LeftButton)
        return;
    if (marker) {
        if (!m_draggingMarker)
            return;
        m_guideX.reset();
        m_draggingMarker = false;
        fire(RulerEvent::IndentChange, *marker);
        return;
    }
    if (m_draggingLeftMargin) {
        m_guideX.reset();
        fire(RulerEvent::MarginChange, MarginIdLeft);
        m_draggingLeftMargin = false;
    } else if (m_draggingRightMargin) {
        m_guideX.reset();
        fire(RulerEvent::MarginChange, MarginIdRight);
        m_draggingRightMargin = false;
    }
}

void RulerModel::mouseDoubleClick(QPoint pos, Qt::MouseButton button)
{
    const std::optional<RulerIndentId> marker = m_captured ? m_capturedMarker : markerAt(pos);
    if (marker && button == Qt::LeftButton) {
        m_doubleClicked = true;
        fire(RulerEvent::IndentDblClick, *marker);
    }
    mousePress(pos, button);
}

bool RulerModel::nearMarginEdge(int x) const
{
    return std::abs(x - leftMarginEdge()) < kMarginGrip || std::abs(x - rightMarginEdge()) < kMarginGrip;
}

Qt::CursorShape RulerModel::cursorAt(QPoint pos) const
{
    if (m_captured ? m_capturedMarker.has_value() : markerAt(pos).has_value())
        return Qt::ArrowCursor;
    return m_sizingCursor ? Qt::SizeHorCursor : Qt::ArrowCursor;
}

std::vector<RulerModel::Ghost> RulerModel::ghosts() const
{
    std::vector<Ghost> result;
    if (!m_draggingMarker || !showIndents)
        return result;
    for (const RulerIndentId id : {IndentIdFirst, IndentIdLeft, IndentIdRight, IndentIdBoth}) {
        if (m_startX[id] && *m_startX[id] != markerX(id))
            result.push_back({id, *m_startX[id]});
    }
    return result;
}

} // namespace kora
