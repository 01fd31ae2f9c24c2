#include "editing/controls/TanlRuler.h"

#include <QMouseEvent>
#include <QPainter>

namespace kora {

// A dotted vertical line over the linked editor's client area that inverts what lies below it.
// It sits above the editor's viewport and lets the mouse through.
class GuideLineOverlay : public QWidget
{
public:
    explicit GuideLineOverlay(QTextEdit *editor)
        : QWidget(editor)
        , m_editor(editor)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

    // x in the overlay's coordinates.
    void showAt(int x)
    {
        setGeometry(m_editor->viewport()->geometry());
        if (x != m_x || isHidden()) {
            m_x = x;
            raise();
            show();
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        QPen pen(Qt::white, 0);
        pen.setDashPattern({1, 1});
        painter.setPen(pen);
        painter.drawLine(m_x, 1, m_x, height() - 1);
    }

private:
    QTextEdit *m_editor;
    int m_x = 0;
};

TanlRuler::TanlRuler(QWidget *parent)
    : QWidget(parent)
    , m_color(palette().color(QPalette::Base))
{
    QFont rulerFont(QStringLiteral("Small Fonts"));
    rulerFont.setPointSize(7);
    setFont(rulerFont);
    resize(300, 25);
    setMouseTracking(true);
    m_model.setEventListener([this](const RulerEvent &event) { report(event); });
}

TanlRuler::~TanlRuler()
{
    delete m_guide;
}

RulerModel &TanlRuler::sized()
{
    m_model.setSize(width(), height());
    return m_model;
}

void TanlRuler::report(const RulerEvent &event)
{
    switch (event.kind) {
    case RulerEvent::IndentClick:
        emit OnIndentClick(this, event.id);
        break;
    case RulerEvent::IndentDrag:
        emit OnIndentDrag(this, event.id);
        break;
    case RulerEvent::IndentChange:
        emit OnIndentChange(this, event.id);
        break;
    case RulerEvent::IndentDblClick:
        emit OnIndentDblClick(this, event.id);
        break;
    case RulerEvent::MarginClick:
        emit OnMarginClick(this, event.id);
        break;
    case RulerEvent::MarginDrag:
        emit OnMarginDrag(this, event.id);
        break;
    case RulerEvent::MarginChange:
        emit OnMarginChange(this, event.id);
        break;
    }
}

void TanlRuler::setRichedit(QTextEdit *editor)
{
    if (editor == m_richedit)
        return;
    delete m_guide;
    m_richedit = editor;
    if (editor)
        m_guide = new GuideLineOverlay(editor);
    syncGuideLine();
}

void TanlRuler::syncGuideLine()
{
    if (!m_guide)
        return;
    const std::optional<int> x = m_model.guideX();
    if (!x) {
        m_guide->hide();
        return;
    }
    const QPoint global = mapToGlobal(QPoint(*x, 0));
    const QWidget *viewport = m_richedit->viewport();
    m_guide->showAt(viewport->mapFromGlobal(global).x());
}

void TanlRuler::setRulerTab(int tab)
{
    m_model.setRulerTab(tab);
}

void TanlRuler::setMinIndentDist(int distance)
{
    m_model.setMinIndentDist(distance);
}

void TanlRuler::setFactor(int factor)
{
    if (factor != m_model.factor() && m_model.setFactor(factor))
        update();
}

void TanlRuler::setTabDist(int distance)
{
    if (distance != m_model.tabDist() && m_model.setTabDist(distance))
        update();
}

void TanlRuler::setMarginLeft(int margin)
{
    if (sized().setMarginLeft(margin))
        update();
}

void TanlRuler::setMarginRight(int margin)
{
    if (sized().setMarginRight(margin))
        update();
}

void TanlRuler::setBorderLeft(int border)
{
    m_model.setBorderLeft(border);
    update();
}

void TanlRuler::setBorderUp(int border)
{
    m_model.setBorderUp(border);
    update();
}

void TanlRuler::setBorderDown(int border)
{
    m_model.setBorderDown(border);
    update();
}

void TanlRuler::setBorderRight(int border)
{
    m_model.setBorderRight(border);
    update();
}

void TanlRuler::setIndentFirst(int x)
{
    if (sized().setIndentFirst(x))
        update();
}

void TanlRuler::setIndentLeft(int x)
{
    if (sized().setIndentLeft(x))
        update();
}

void TanlRuler::setIndentRight(int x)
{
    if (sized().setIndentRight(x))
        update();
}

void TanlRuler::setShowSmallLines(bool show)
{
    m_model.showSmallLines = show;
    update();
}

void TanlRuler::setShowLargeLines(bool show)
{
    m_model.showLargeLines = show;
    update();
}

void TanlRuler::setShowIndents(bool show)
{
    m_model.showIndents = show;
    update();
}

void TanlRuler::setShowNumbers(bool show)
{
    m_model.showNumbers = show;
    update();
}

void TanlRuler::setShowMarginHandlers(bool show)
{
    m_model.showMarginHandlers = show;
    update();
}

void TanlRuler::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void TanlRuler::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    sized().mousePress(pos, event->button());
    afterMouse(pos);
}

void TanlRuler::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    sized().mouseMove(pos);
    afterMouse(pos);
}

void TanlRuler::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    sized().mouseRelease(event->button(), event->buttons());
    afterMouse(pos);
}

void TanlRuler::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    sized().mouseDoubleClick(pos, event->button());
    afterMouse(pos);
}

void TanlRuler::afterMouse(QPoint pos)
{
    setCursor(m_model.cursorAt(pos));
    syncGuideLine();
    update();
}

namespace {

// Fills x1..x2 × y1..y2, the far ends excluded; an empty or inverted span fills nothing.
void fillSpan(QPainter &painter, int x1, int y1, int x2, int y2, const QColor &color)
{
    if (x2 > x1 && y2 > y1)
        painter.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), color);
}

} // namespace

void TanlRuler::paintEvent(QPaintEvent *)
{
    const RulerModel &m = sized();
    const int w = width();
    const int h = height();
    const QColor face = palette().color(QPalette::Button);
    const QColor shadow = palette().color(QPalette::Dark);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);

    fillSpan(painter, 0, 0, w, m.borderUp(), face);
    fillSpan(painter, 0, h - m.borderDown(), w, h, face);
    fillSpan(painter, 0, 0, m.borderLeft(), h, face);
    fillSpan(painter, w - m.borderRight(), 0, w, h, face);

    const int top = m.borderUp();
    const int bottom = h - m.borderDown();
    const int leftEdge = m.leftMarginEdge();
    const int rightEdge = m.rightMarginEdge();
    fillSpan(painter, m.borderLeft(), top, leftEdge, bottom, shadow);
    fillSpan(painter, rightEdge, top, w - m.borderRight(), bottom, shadow);
    fillSpan(painter, leftEdge, top, rightEdge, bottom, m_color);

    if (m.showMarginHandlers) {
        fillSpan(painter, leftEdge - 1, top, leftEdge + 1, bottom, m.marginLeft() != 0 ? face : shadow);
        fillSpan(painter, rightEdge - 1, top, rightEdge + 1, bottom, m.marginRight() != 0 ? face : shadow);
    }

    painter.setPen(QPen(palette().color(QPalette::Text), 0));
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int largeTop = (h - 5) / 2;
    const int smallTop = (h - 2) / 2;
    for (const ScaleMark &mark : m.scaleMarks()) {
        switch (mark.kind) {
        case ScaleMark::Number: {
            const QString text = QString::number(mark.number);
            const int left = mark.x - metrics.horizontalAdvance(text) / 2;
            const int textTop = (h - metrics.height()) / 2;
            painter.drawText(QPoint(left, textTop + metrics.ascent()), text);
            break;
        }
        case ScaleMark::LargeTick:
            painter.drawLine(mark.x, largeTop, mark.x, largeTop + 4);
            break;
        case ScaleMark::SmallTick:
            painter.drawLine(mark.x, smallTop, mark.x, smallTop + 1);
            break;
        }
    }

    for (const RulerModel::Ghost &ghost : m.ghosts())
        paintMarker(painter, ghost.id, ghost.x, true);
    if (m.showIndents) {
        for (const RulerIndentId id : {IndentIdFirst, IndentIdLeft, IndentIdRight, IndentIdBoth})
            paintMarker(painter, id, m.markerX(id), false);
    }
}

// A marker's shape at x: filled and outlined with its highlight line, or, as a ghost, only its
// outline in the shadow colour.
void TanlRuler::paintMarker(QPainter &painter, RulerIndentId id, int x, bool ghost) const
{
    const QPoint origin(x, m_model.markerTop(id));
    const QPolygon outline = markerOutline(id).translated(origin);
    const bool closed = id != IndentIdBoth;
    if (!ghost) {
        const QColor face = palette().color(QPalette::Button);
        if (closed) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(face);
            painter.drawPolygon(outline);
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.fillRect(QRect(origin, QSize(kMarkerWidth, markerHeight(id))), face);
        }
    }
    const std::vector<QPoint> edge = penPixels(outline, closed);
    painter.setPen(QPen(ghost ? palette().color(QPalette::Dark) : QColor(Qt::black), 0));
    painter.drawPoints(edge.data(), int(edge.size()));
    if (ghost)
        return;
    const std::vector<QPoint> highlight = penPixels(markerHighlight(id).translated(origin), false);
    painter.setPen(QPen(palette().color(QPalette::Light), 0));
    painter.drawPoints(highlight.data(), int(highlight.size()));
}

} // namespace kora
