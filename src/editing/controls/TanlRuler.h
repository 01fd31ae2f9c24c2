#pragma once

#include "editing/controls/RulerModel.h"

#include <QColor>
#include <QPointer>
#include <QTextEdit>
#include <QWidget>

namespace kora {

class GuideLineOverlay;

using TRulerTab = quint8;      // 1..255
using TRulerFactor = quint16;  // 1..30000
using TRulerTabdist = quint16; // 1..30000

// A horizontal ruler drawn above the editor: a scale between two shaded margins with draggable
// edges, and four draggable indent markers (first line, left, right, and the combined marker
// under the left one that moves first and left together). Marker and margin drags snap to the
// RulerTab grid. Linked to a rich-text control, it draws a dotted guide line across that control
// while something is dragged. All lengths are pixels of the control.
class TanlRuler : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QTextEdit *Richedit READ richedit WRITE setRichedit)
    Q_PROPERTY(int RulerTab READ rulerTab WRITE setRulerTab)
    Q_PROPERTY(int MinIndentDist READ minIndentDist WRITE setMinIndentDist)
    Q_PROPERTY(int Factor READ factor WRITE setFactor)
    Q_PROPERTY(int TabDist READ tabDist WRITE setTabDist)
    Q_PROPERTY(int MarginRight READ marginRight WRITE setMarginRight)
    Q_PROPERTY(int MarginLeft READ marginLeft WRITE setMarginLeft)
    Q_PROPERTY(int BorderLeft READ borderLeft WRITE setBorderLeft)
    Q_PROPERTY(int BorderUp READ borderUp WRITE setBorderUp)
    Q_PROPERTY(int BorderDown READ borderDown WRITE setBorderDown)
    Q_PROPERTY(int BorderRight READ borderRight WRITE setBorderRight)
    Q_PROPERTY(int IndentFirst READ indentFirst WRITE setIndentFirst)
    Q_PROPERTY(int IndentLeft READ indentLeft WRITE setIndentLeft)
    Q_PROPERTY(int IndentRight READ indentRight WRITE setIndentRight)
    Q_PROPERTY(bool ShowSmallLines READ showSmallLines WRITE setShowSmallLines)
    Q_PROPERTY(bool ShowLargeLines READ showLargeLines WRITE setShowLargeLines)
    Q_PROPERTY(bool ShowIndents READ showIndents WRITE setShowIndents)
    Q_PROPERTY(bool ShowNumbers READ showNumbers WRITE setShowNumbers)
    Q_PROPERTY(bool ShowMarginHandlers READ showMarginHandlers WRITE setShowMarginHandlers)
    Q_PROPERTY(QColor Color READ color WRITE setColor)

public:
    explicit TanlRuler(QWidget *parent = nullptr);
    ~TanlRuler() override;

    // The editor that shows the guide line; none by default.
    QTextEdit *richedit() const { return m_richedit; }
    void setRichedit(QTextEdit *editor);

    // The snapping grid of drags; values outside 1..255 are ignored.
    TRulerTab rulerTab() const { return TRulerTab(m_model.rulerTab()); }
    void setRulerTab(int tab);
    // The right marker stays more than this far from the first-line and left markers.
    int minIndentDist() const { return m_model.minIndentDist(); }
    void setMinIndentDist(int distance);
    // Multiplier of the scale numbers; values outside 1..30000 are ignored.
    TRulerFactor factor() const { return TRulerFactor(m_model.factor()); }
    void setFactor(int factor);
    // Tick spacing unit T: numbers every 4T, large ticks between them, small ticks at the
    // quarters. Values outside 1..30000 are ignored.
    TRulerTabdist tabDist() const { return TRulerTabdist(m_model.tabDist()); }
    void setTabDist(int distance);

    // Margin band widths. A new left margin moves the first-line and left markers by the same
    // step, a new right margin the right marker; a width that does not fit is ignored.
    int marginLeft() const { return m_model.marginLeft(); }
    void setMarginLeft(int margin);
    int marginRight() const { return m_model.marginRight(); }
    void setMarginRight(int margin);

    int borderLeft() const { return m_model.borderLeft(); }
    void setBorderLeft(int border);
    int borderUp() const { return m_model.borderUp(); }
    void setBorderUp(int border);
    int borderDown() const { return m_model.borderDown(); }
    void setBorderDown(int border);
    int borderRight() const { return m_model.borderRight(); }
    void setBorderRight(int border);

    // Marker x positions. A position is taken only when it differs, lies in 0..width − 5 and keeps
    // the right marker more than MinIndentDist to the right of the first-line and left markers;
    // anything else is ignored.
    int indentFirst() const { return m_model.indentFirst(); }
    void setIndentFirst(int x);
    int indentLeft() const { return m_model.indentLeft(); }
    void setIndentLeft(int x);
    int indentRight() const { return m_model.indentRight(); }
    void setIndentRight(int x);

    bool showSmallLines() const { return m_model.showSmallLines; }
    void setShowSmallLines(bool show);
    bool showLargeLines() const { return m_model.showLargeLines; }
    void setShowLargeLines(bool show);
    bool showIndents() const { return m_model.showIndents; }
    void setShowIndents(bool show);
    bool showNumbers() const { return m_model.showNumbers; }
    void setShowNumbers(bool show);
    bool showMarginHandlers() const { return m_model.showMarginHandlers; }
    void setShowMarginHandlers(bool show);

    // The colour of the band between the margins; the system window colour by default.
    QColor color() const { return m_color; }
    void setColor(const QColor &color);

    const RulerModel &model() const { return m_model; }
    QSize sizeHint() const override { return QSize(300, 25); }

signals:
    // IndentID: 0 first-line marker, 1 left, 2 right, 3 combined. Click at the press on a
    // marker, Drag at each accepted move (with the ID of the marker that moved), Change at the
    // release, DblClick at a double click, whose second press starts no drag.
    void OnIndentChange(kora::TanlRuler *sender, int indentId);
    void OnIndentDrag(kora::TanlRuler *sender, int indentId);
    void OnIndentClick(kora::TanlRuler *sender, int indentId);
    void OnIndentDblClick(kora::TanlRuler *sender, int indentId);
    // MarginID: 0 left, 1 right. Click at the press on its edge, Drag at each accepted move,
    // Change at the release.
    void OnMarginChange(kora::TanlRuler *sender, int marginId);
    void OnMarginDrag(kora::TanlRuler *sender, int marginId);
    void OnMarginClick(kora::TanlRuler *sender, int marginId);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    RulerModel &sized();
    void report(const RulerEvent &event);
    void afterMouse(QPoint pos);
    void syncGuideLine();
    void paintMarker(QPainter &painter, RulerIndentId id, int x, bool ghost) const;

    RulerModel m_model;
    QColor m_color;
    QPointer<QTextEdit> m_richedit;
    QPointer<GuideLineOverlay> m_guide;
};

} // namespace kora
