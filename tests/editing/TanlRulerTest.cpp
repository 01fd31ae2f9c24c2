#include "editing/controls/TanlRuler.h"
#include "editing/controls/RulerIndents.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

using kora::TanlRuler;

namespace {

// Every event of a ruler, in the order it came, as "Name(id)".
struct EventLog
{
    QStringList entries;

    explicit EventLog(TanlRuler &ruler)
    {
        const auto record = [this, &ruler](const char *name) {
            return [this, name, &ruler](TanlRuler *sender, int id) {
                entries << QStringLiteral("%1(%2)%3").arg(QLatin1String(name)).arg(id).arg(sender == &ruler ? "" : "?");
            };
        };
        QObject::connect(&ruler, &TanlRuler::OnIndentClick, &ruler, record("IndentClick"));
        QObject::connect(&ruler, &TanlRuler::OnIndentDrag, &ruler, record("IndentDrag"));
        QObject::connect(&ruler, &TanlRuler::OnIndentChange, &ruler, record("IndentChange"));
        QObject::connect(&ruler, &TanlRuler::OnIndentDblClick, &ruler, record("IndentDblClick"));
        QObject::connect(&ruler, &TanlRuler::OnMarginClick, &ruler, record("MarginClick"));
        QObject::connect(&ruler, &TanlRuler::OnMarginDrag, &ruler, record("MarginDrag"));
        QObject::connect(&ruler, &TanlRuler::OnMarginChange, &ruler, record("MarginChange"));
    }
};

// The ruler as the main window has it: 700 × 25 on top of an editor.
struct Window
{
    QWidget top;
    TanlRuler *ruler;
    QTextEdit *editor;

    Window()
    {
        auto *layout = new QVBoxLayout(&top);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        ruler = new TanlRuler;
        ruler->setFixedHeight(25);
        editor = new QTextEdit;
        layout->addWidget(ruler);
        layout->addWidget(editor);
        top.resize(700, 300);
        top.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&top));
    }
};

int darkPixelsInColumn(const QImage &image, int x)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        dark += qGray(image.pixel(x, y)) < 64;
    return dark;
}

} // namespace

TEST(TanlRuler, NewRulerHasThePublishedDefaults)
{
    TanlRuler ruler;
    const std::pair<const char *, QVariant> defaults[] = {
        {"RulerTab", 10},      {"MinIndentDist", 50},    {"Factor", 1},
        {"TabDist", 10},       {"MarginRight", 20},      {"MarginLeft", 30},
        {"BorderLeft", 5},     {"BorderUp", 5},          {"BorderDown", 5},
        {"BorderRight", 5},    {"IndentFirst", 45},      {"IndentLeft", 45},
        {"IndentRight", 250},  {"ShowSmallLines", true}, {"ShowLargeLines", true},
        {"ShowIndents", true}, {"ShowNumbers", true},    {"ShowMarginHandlers", true},
    };
    for (const auto &[name, value] : defaults)
        EXPECT_EQ(ruler.property(name), value) << name;
    EXPECT_EQ(ruler.property("Richedit").value<QTextEdit *>(), nullptr);
    EXPECT_EQ(ruler.property("Color").value<QColor>(), ruler.palette().color(QPalette::Base));
    EXPECT_EQ(ruler.size(), QSize(300, 25));
    EXPECT_EQ(ruler.font().family(), QStringLiteral("Small Fonts"));
    EXPECT_EQ(ruler.font().pointSize(), 7);
}

TEST(TanlRuler, PropertiesWrittenByNameFollowTheSetterRules)
{
    TanlRuler ruler;
    ruler.resize(700, 25);
    struct Write
    {
        const char *property;
        int value, expected;
        const char *why;
    };
    const Write writes[] = {
        {"IndentRight", 750, 250, "past width - 4"},
        {"IndentRight", 600, 600, "taken"},
        {"IndentFirst", 549, 549, "51 from the right marker"},
        {"IndentFirst", 550, 549, "50 from the right marker"},
        {"IndentFirst", 500, 500, "taken"},
        {"IndentLeft", 500, 500, "taken"},
        {"MarginLeft", 40, 40, "moves first and left along"},
        {"RulerTab", 0, 10, "below 1"},
        {"TabDist", 30001, 10, "above 30000"},
        {"Factor", 2, 2, "taken"},
    };
    for (const Write &w : writes) {
        ruler.setProperty(w.property, w.value);
        EXPECT_EQ(ruler.property(w.property).toInt(), w.expected) << w.property << " := " << w.value << ": " << w.why;
    }
    EXPECT_EQ(ruler.indentFirst(), 510);
    EXPECT_EQ(ruler.indentLeft(), 510);
}

TEST(TanlRuler, PaintsBordersMarginsScaleAndMarkersAtTheirPixels)
{
    const QColor face(0xc0, 0xc0, 0xc0), shadow(0x80, 0x80, 0x80), light(Qt::white), text(Qt::black);
    const QColor window(0xff, 0xff, 0xf0);
    enum Setup { Default, NoNumbers, ZeroMargins, NoHandlers };
    struct Probe
    {
        const char *what;
        Setup setup;
        QPoint pixel;
        QColor color;
    };
    // 700 × 25: left margin edge at 35, right edge at 675; ticks and numbers counted from 35.
    const Probe probes[] = {
        {"top border", Default, {300, 4}, face},
        {"bottom border", Default, {300, 20}, face},
        {"left border", Default, {4, 12}, face},
        {"right border", Default, {695, 12}, face},
        {"left margin band", Default, {20, 8}, shadow},
        {"left margin band's last column", Default, {33, 8}, shadow},
        {"left handler", Default, {34, 8}, face},
        {"left handler, edge column", Default, {35, 8}, face},
        {"between the margins", Default, {36, 8}, window},
        {"right handler", Default, {674, 8}, face},
        {"right handler, edge column", Default, {675, 8}, face},
        {"right margin band", Default, {686, 8}, shadow},
        {"right margin band's last column", Default, {694, 8}, shadow},
        {"no handlers: left edge", NoHandlers, {34, 8}, shadow},
        {"no handlers: right edge", NoHandlers, {675, 8}, shadow},
        {"zero left margin: handler in shadow", ZeroMargins, {4, 8}, shadow},
        {"zero right margin: handler in shadow", ZeroMargins, {695, 8}, shadow},
        {"large tick top", Default, {55, 10}, text},
        {"large tick bottom", Default, {55, 14}, text},
        {"above the large tick", Default, {55, 9}, window},
        {"below the large tick", Default, {55, 15}, window},
        {"small tick top", Default, {65, 11}, text},
        {"small tick bottom", Default, {65, 12}, text},
        {"above the small tick", Default, {65, 10}, window},
        {"below the small tick", Default, {65, 13}, window},
        {"large tick inside the left margin", Default, {15, 12}, text},
        {"large tick for a number", NoNumbers, {75, 10}, text},
        {"large tick for a number, bottom", NoNumbers, {75, 14}, text},
        {"large tick at the edge", NoNumbers, {35, 12}, text},
        {"first-line marker corner", Default, {45, 2}, text},
        {"first-line marker tip", Default, {49, 9}, text},
        {"first-line marker inside", Default, {50, 5}, face},
        {"first-line marker highlight", Default, {46, 3}, light},
        {"beside the first-line marker tip", Default, {48, 9}, window},
        {"left marker tip", Default, {49, 12}, text},
        {"left marker base", Default, {45, 19}, text},
        {"left marker inside", Default, {50, 17}, face},
        {"left marker highlight", Default, {46, 17}, light},
        {"combined marker bottom", Default, {53, 24}, text},
        {"combined marker inside", Default, {50, 22}, face},
        {"right marker tip", Default, {254, 12}, text},
    };
    for (const Probe &probe : probes) {
        TanlRuler ruler;
        QPalette palette = ruler.palette();
        palette.setColor(QPalette::Button, face);
        palette.setColor(QPalette::Dark, shadow);
        palette.setColor(QPalette::Light, light);
        palette.setColor(QPalette::Text, text);
        ruler.setPalette(palette);
        ruler.setColor(window);
        ruler.resize(700, 25);
        if (probe.setup == NoNumbers)
            ruler.setShowNumbers(false);
        if (probe.setup == NoHandlers)
            ruler.setShowMarginHandlers(false);
        if (probe.setup == ZeroMargins) {
            ruler.setMarginLeft(0);
            ruler.setMarginRight(0);
        }
        const QImage image = ruler.grab().toImage();
        EXPECT_EQ(image.pixelColor(probe.pixel), probe.color) << probe.what;
    }
}

TEST(TanlRuler, WritesEachNumberCentredOnItsColumnAndNothingAtTheMarginEdge)
{
    TanlRuler ruler;
    ruler.resize(700, 25);
    ruler.setIndentFirst(400);
    ruler.setIndentLeft(400);
    // The band between the borders, where numbers go.
    const QImage band = ruler.grab().toImage().copy(0, 5, 700, 15);
    const auto inkBetween = [&](int from, int to) {
        int ink = 0;
        for (int x = from; x <= to; ++x)
            ink += darkPixelsInColumn(band, x);
        return ink;
    };
    // Ticks stand at 25 and 45 around the edge at 35; "1" belongs at 75 and "10" at 435.
    EXPECT_EQ(inkBetween(26, 44), 0) << "nothing written at the margin edge";
    EXPECT_GT(inkBetween(72, 78), 0);
    EXPECT_GT(inkBetween(428, 434), 0) << "left half of 10";
    EXPECT_GT(inkBetween(436, 442), 0) << "right half of 10";
    EXPECT_EQ(inkBetween(426, 427) + inkBetween(443, 444), 0) << "10 stays within its 40 pixels";
}

TEST(TanlRuler, DraggingTheLeftMarkerWithTheMouseSnapsAndReportsClickDragChange)
{
    Window w;
    w.ruler->setIndentFirst(0);
    w.ruler->setIndentLeft(0);
    EventLog log(*w.ruler);
    const QPoint press(4, 15);
    QTest::mousePress(w.ruler, Qt::LeftButton, {}, press);
    QTest::mouseMove(w.ruler, press + QPoint(27, 0));
    QTest::mouseRelease(w.ruler, Qt::LeftButton, {}, press + QPoint(27, 0));
    EXPECT_EQ(w.ruler->indentLeft(), 20);
    EXPECT_EQ(w.ruler->indentFirst(), 0);
    EXPECT_EQ(log.entries, QStringList({"IndentClick(1)", "IndentDrag(1)", "IndentChange(1)"}));
}

TEST(TanlRuler, DoubleClickOnAMarkerReportsClickChangeDoubleClickAndStartsNoDrag)
{
    Window w;
    EventLog log(*w.ruler);
    const QPoint onFirst(49, 5);
    QTest::mouseDClick(w.top.windowHandle(), Qt::LeftButton, {}, w.ruler->mapTo(&w.top, onFirst));
    EXPECT_EQ(log.entries, QStringList({"IndentClick(0)", "IndentChange(0)", "IndentDblClick(0)"}));
    EXPECT_FALSE(w.ruler->model().draggingMarker());
    EXPECT_EQ(w.ruler->indentFirst(), 45);
}

TEST(TanlRuler, DraggingTheLeftMarginMovesTheMarkersAndReportsOnlyMarginEvents)
{
    Window w;
    EventLog log(*w.ruler);
    QTest::mousePress(w.ruler, Qt::LeftButton, {}, {35, 7});
    QTest::mouseMove(w.ruler, {47, 7});
    QTest::mouseRelease(w.ruler, Qt::LeftButton, {}, {47, 7});
    EXPECT_EQ(w.ruler->marginLeft(), 40);
    EXPECT_EQ(w.ruler->indentFirst(), 55);
    EXPECT_EQ(w.ruler->indentLeft(), 55);
    EXPECT_EQ(log.entries, QStringList({"MarginClick(0)", "MarginDrag(0)", "MarginChange(0)"}));
}

TEST(TanlRuler, HoveringAMarginEdgeShowsTheSizingCursor)
{
    TanlRuler ruler;
    const std::pair<QPoint, Qt::CursorShape> hovers[] = {
        {{36, 7}, Qt::SizeHorCursor},
        {{150, 7}, Qt::ArrowCursor},
        {{274, 7}, Qt::SizeHorCursor},
        {{49, 15}, Qt::ArrowCursor},
    };
    for (const auto &[pos, shape] : hovers) {
        QMouseEvent hover(QEvent::MouseMove, pos, ruler.mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&ruler, &hover);
        EXPECT_EQ(ruler.cursor().shape(), shape) << pos.x() << "," << pos.y();
    }
}

TEST(TanlRuler, LinkedEditorShowsAnInvertingGuideLineOnlyWhileDragging)
{
    for (const bool linked : {true, false}) {
        Window w;
        if (linked)
            w.ruler->setRichedit(w.editor);
        EXPECT_EQ(w.ruler->property("Richedit").value<QTextEdit *>(), linked ? w.editor : nullptr);
        // The right marker stands at 250; its centre column 254 crosses the editor's client area.
        const QWidget *client = w.editor->viewport();
        const int column = client->mapFromGlobal(w.ruler->mapToGlobal(QPoint(254, 0))).x();
        const auto darkInClient = [&](int x) {
            return darkPixelsInColumn(w.editor->grab(client->geometry()).toImage(), x);
        };
        EXPECT_EQ(darkInClient(column), 0);
        QTest::mousePress(w.ruler, Qt::LeftButton, {}, {254, 15});
        EXPECT_EQ(darkInClient(column) > client->height() / 3, linked) << "linked " << linked;
        EXPECT_EQ(darkInClient(column + 1), 0) << "linked " << linked;
        QTest::mouseMove(w.ruler, {281, 15});
        const int moved = column + 20; // the marker snaps to 270
        EXPECT_EQ(darkInClient(column), 0) << "linked " << linked;
        EXPECT_EQ(darkInClient(moved) > client->height() / 3, linked) << "linked " << linked;
        QTest::mouseRelease(w.ruler, Qt::LeftButton, {}, {281, 15});
        EXPECT_EQ(darkInClient(moved), 0) << "linked " << linked;
    }
}

TEST(TanlRuler, UnlinkingOrDestroyingTheRulerRemovesTheGuideLine)
{
    Window w;
    w.ruler->setRichedit(w.editor);
    const int before = w.editor->findChildren<QWidget *>().size();
    w.ruler->setRichedit(nullptr);
    EXPECT_EQ(w.editor->findChildren<QWidget *>().size(), before - 1);
    w.ruler->setRichedit(w.editor);
    delete w.ruler;
    EXPECT_EQ(w.editor->findChildren<QWidget *>().size(), before - 1);
}

TEST(TanlRuler, ConversionReadsTheRulersMarkersAndClientWidth)
{
    TanlRuler ruler;
    ruler.resize(700, 25);
    ruler.setIndentRight(690);
    ruler.setIndentFirst(40);
    ruler.setIndentLeft(100);
    EXPECT_EQ(kora::rulerIndentPoints(kora::IndentIdRight, ruler, 0).right, 0);
    EXPECT_EQ(kora::rulerIndentPoints(kora::IndentIdBoth, ruler, 0), (kora::RulerIndentPoints{30, 45, std::nullopt}));
}
