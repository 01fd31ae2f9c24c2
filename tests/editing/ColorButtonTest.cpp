#include "editing/controls/MemoryUserColorStore.h"
#include "editing/controls/TColBtn.h"
#include "editing/controls/TColPickDlg.h"
#include "editing/controls/TColorBtn.h"
#include "editing/controls/TColorPicker.h"
#include "support/QtPrinters.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

// Shows colours by name in failure messages; "no colour" as "none".
void PrintTo(const QColor &color, std::ostream *os)
{
    *os << (color.isValid() ? color.name().toStdString() : std::string("none"));
}

using namespace kora;

namespace {

const QString kKey = QStringLiteral("SoftWare\\Tintora");

QString userColorName(int index)
{
    return QStringLiteral("Color") + QChar(u'A' + index);
}

// A colour button wired to a store in memory and a colour dialog that answers from a queue.
struct ColorButtonFixture : ::testing::Test
{
    ColorButtonFixture()
    {
        button.setUserColorStore(&store);
        button.setColorDialog([this](const QColor &initial) -> std::optional<QColor> {
            dialogInitials.push_back(initial);
            if (duringDialog)
                duringDialog();
            if (dialogAnswers.empty())
                return std::nullopt;
            const std::optional<QColor> answer = dialogAnswers.front();
            dialogAnswers.erase(dialogAnswers.begin());
            return answer;
        });
    }

    TColorPicker *open()
    {
        button.dropDown();
        TColPickDlg *window = button.dropDownWindow();
        if (!window) {
            ADD_FAILURE() << "no palette window";
            return nullptr;
        }
        EXPECT_TRUE(window->isVisible());
        return window->picker();
    }

    // Lets closed windows delete themselves.
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    MemoryUserColorStore store;
    TColorBtn button;
    QSignalSpy clicked{&button, &TColorBtn::clicked};
    std::vector<QColor> dialogInitials;
    std::vector<std::optional<QColor>> dialogAnswers;
    std::function<void()> duringDialog;
};

TEST(ColorButtonTest, NewButtonIsSwatchSquareAndArrowWithTheDefaults)
{
    TColorBtn button;
    button.show();
    EXPECT_EQ(button.size(), QSize(22 + 12, 22));
    EXPECT_EQ(button.swatch()->geometry(), QRect(0, 0, 22, 22));
    EXPECT_EQ(button.arrowButton()->geometry(), QRect(22, 0, 12, 22));
    EXPECT_EQ(button.activeColor(), QColor(Qt::black));
    EXPECT_EQ(button.targetColor(), QColor(Qt::black));
    EXPECT_EQ(button.automaticColor(), QColor(Qt::black));
    EXPECT_FALSE(button.flat());
    EXPECT_TRUE(button.dropDownFlat());
    EXPECT_TRUE(button.isAutomatic());
    EXPECT_EQ(button.glyphType(), gtForeground);
    EXPECT_FALSE(button.glyph().isNull());
    EXPECT_EQ(button.autoBtnCaption(), "Automatic");
    EXPECT_EQ(button.otherBtnCaption(), "&Other colors...");
    EXPECT_EQ(button.regKey(), "Tintora");
}

TEST(ColorButtonTest, WidthIsAlwaysHeightPlusArrowWidthOfAtLeastSeven)
{
    struct Case
    {
        int arrow;
        int expected;
    };
    for (const Case c : {Case{3, 7}, Case{0, 7}, Case{7, 7}, Case{12, 12}, Case{20, 20}}) {
        SCOPED_TRACE(c.arrow);
        TColorBtn button;
        button.resize(35, 23);
        button.setDDArrowWidth(quint8(c.arrow));
        button.show();
        EXPECT_EQ(button.ddArrowWidth(), c.expected);
        EXPECT_EQ(button.size(), QSize(23 + c.expected, 23));
        EXPECT_EQ(button.sizeHint(), QSize(23 + c.expected, 23));
        EXPECT_EQ(button.swatch()->geometry(), QRect(0, 0, 23, 23));
        EXPECT_EQ(button.arrowButton()->geometry(), QRect(23, 0, c.expected, 23));
    }
    TColorBtn button;
    button.show();
    button.resize(100, 30);
    EXPECT_EQ(button.size(), QSize(30 + 12, 30)) << "a width of its own is not kept";
}

TEST(ColorButtonTest, GlyphTypeAndCustomGlyphAndEmptyRegKey)
{
    TColorBtn button;
    QPixmap custom(32, 16);
    custom.fill(Qt::red);
    button.setGlyph(custom);
    EXPECT_EQ(button.glyphType(), gtCustom);
    EXPECT_EQ(button.glyph().cacheKey(), custom.cacheKey());
    button.setGlyphType(gtLines);
    EXPECT_EQ(button.glyphType(), gtLines);
    EXPECT_NE(button.glyph().cacheKey(), custom.cacheKey());

    button.setRegKey(QStringLiteral("Jiný"));
    EXPECT_EQ(button.regKey(), "Jiný");
    button.setRegKey(QString());
    EXPECT_EQ(button.regKey(), "Tintora");
}

TEST(ColBtnTest, PaintsItsColourWhereItsKindSays)
{
    const QColor grey(0x80, 0x80, 0x80);
    const QColor blue(Qt::blue);
    struct Pixel
    {
        int x;
        int y;
        bool expected; // whether the pixel has the colour
        QColor color;
    };
    struct Case
    {
        const char *name;
        QSize size;
        bool glyph;
        QString caption;
        bool down;
        bool enabled;
        std::vector<Pixel> pixels;
    };
    // Main swatch 23 x 23: the bar is 17 x 4 at (23 / 2 - 9, 23 / 2 + 4) = (2, 15).
    const Case cases[] = {
        {"bar", {23, 23}, true, {}, false, true,
         {{2, 15, true, blue}, {18, 18, true, blue}, {1, 15, false, blue}, {19, 15, false, blue},
          {2, 14, false, blue}, {2, 19, false, blue}}},
        {"bar one pixel further when pressed", {23, 23}, true, {}, true, true,
         {{3, 16, true, blue}, {19, 19, true, blue}, {2, 15, false, blue}}},
        {"bar grey when disabled", {23, 23}, true, {}, false, false, {{2, 15, true, grey}, {18, 18, true, grey}}},
        // Palette swatch 20 x 20: inset 20 / 5 = 4.
        {"swatch rectangle in a grey outline", {20, 20}, false, {}, false, true,
         {{4, 4, true, grey}, {15, 15, true, grey}, {5, 5, true, blue}, {14, 14, true, blue},
          {3, 3, false, grey}, {16, 16, false, grey}}},
        {"swatch grey when disabled", {20, 20}, false, {}, false, false, {{5, 5, true, grey}, {14, 14, true, grey}}},
        // Automatic button 160 x 20: a frame inset by 4 and a square of the colour at its left.
        {"automatic button", {160, 20}, false, QStringLiteral("Automatic"), false, true,
         {{4, 4, true, grey}, {155, 15, true, grey}, {150, 4, true, grey}, {8, 10, true, blue},
          {150, 10, false, blue}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TColBtn swatch;
        swatch.resize(c.size);
        swatch.setColor(blue);
        if (c.glyph) {
            QPixmap glyph(16, 16);
            glyph.fill(Qt::transparent);
            swatch.setGlyph(glyph);
        }
        swatch.setText(c.caption);
        swatch.setDown(c.down);
        swatch.setEnabled(c.enabled);
        const QImage image = swatch.grab().toImage();
        for (const Pixel &p : c.pixels)
            EXPECT_EQ(image.pixelColor(p.x, p.y) == p.color, p.expected)
                << "(" << p.x << ", " << p.y << ") is " << image.pixelColor(p.x, p.y).name().toStdString();
    }
}

TEST(ColorPickerTest, LayoutWithAndWithoutTheAutomaticButton)
{
    for (const bool automatic : {true, false}) {
        SCOPED_TRACE(automatic);
        const int top = automatic ? 0 : -22;
        TColorPicker picker;
        picker.setIsAutomatic(automatic);
        EXPECT_EQ(picker.size(), QSize(170, 210 + top));
        EXPECT_EQ(picker.automaticButton()->isVisibleTo(&picker), automatic);
        EXPECT_EQ(picker.automaticButton()->geometry(), QRect(5, 4, 160, 20));
        for (int i = 0; i < TColorPicker::kFixedCount; ++i)
            EXPECT_EQ(picker.fixedSwatch(i)->geometry(), QRect(5 + 20 * (i % 8), 30 + top + 20 * (i / 8), 20, 20))
                << "fixed swatch " << i;
        EXPECT_EQ(picker.separator()->geometry(), QRect(5, 135 + top, 160, 2));
        for (int j = 0; j < TColorPicker::kUserCount; ++j)
            EXPECT_EQ(picker.userSwatch(j)->geometry(), QRect(5 + 20 * (j % 8), 140 + top + 20 * (j / 8), 20, 20))
                << "user swatch " << j;
        EXPECT_EQ(picker.otherSwatch()->geometry(), QRect(5, 185 + top, 20, 20));
        EXPECT_EQ(picker.otherButton()->geometry(), QRect(25, 185 + top, 140, 20));
        for (QWidget *child : picker.findChildren<QWidget *>()) {
            if (child->isVisibleTo(&picker)) {
                EXPECT_TRUE(picker.rect().contains(child->geometry())) << "inside the panel";
            }
        }
    }
}

TEST(ColorPickerTest, FixedColoursRunRowByRowFromNoColour)
{
    TColorPicker picker;
    EXPECT_FALSE(picker.fixedSwatch(0)->color().isValid()) << "the first is the platform's no-colour value";
    struct Case
    {
        int index;
        QRgb rgb;
    };
    for (const Case c : {Case{1, 0x808080}, Case{7, 0x400040}, Case{8, 0x000000}, Case{18, 0xFF0000},
                         Case{22, 0x0000FF}, Case{33, 0xFFFFFF}, Case{39, 0xFFC0FF}})
        EXPECT_EQ(picker.fixedSwatch(c.index)->color(), QColor::fromRgb(c.rgb)) << "swatch " << c.index;
    for (int i = 1; i < TColorPicker::kFixedCount; ++i)
        for (int k = i + 1; k < TColorPicker::kFixedCount; ++k)
            EXPECT_NE(picker.fixedSwatch(i)->color(), picker.fixedSwatch(k)->color()) << i << " and " << k;
}

TEST_F(ColorButtonFixture, PaletteOpensUnderTheButtonWithTheButtonsSettings)
{
    button.move(40, 30);
    button.show();
    button.setIsAutomatic(false);
    button.setDropDownFlat(false);
    button.setAutomaticColor(Qt::red);
    button.setAutoBtnCaption(QStringLiteral("Autormatická"));
    button.setOtherBtnCaption(QStringLiteral("Další barvy"));

    TColorPicker *picker = open();
    ASSERT_NE(picker, nullptr);
    TColPickDlg *window = button.dropDownWindow();
    EXPECT_EQ(window->pos(), button.mapToGlobal(QPoint(0, button.height())));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window->size(), picker->size());
    EXPECT_EQ(picker->pos(), QPoint(0, 0));
    EXPECT_EQ(picker->size(), QSize(170, 188));
    EXPECT_FALSE(picker->automaticButton()->isVisible());
    EXPECT_EQ(picker->automaticButton()->color(), QColor(Qt::red));
    EXPECT_EQ(picker->automaticButton()->text(), "Autormatická");
    EXPECT_EQ(picker->otherButton()->text(), "Další barvy");
    EXPECT_FALSE(picker->fixedSwatch(5)->autoRaise());
    EXPECT_EQ(picker->otherSwatch()->color(), QColor(Qt::black));
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(ColorButtonFixture, BeforeDropDownFiresBeforeThePaletteIsBuilt)
{
    store.write(kKey, QStringLiteral("ColorA"), QStringLiteral("0000FF"));
    bool paletteExisted = true;
    QObject::connect(&button, &TColorBtn::beforeDropDown, [&] {
        paletteExisted = button.dropDownWindow() != nullptr;
        store.write(kKey, QStringLiteral("ColorA"), QStringLiteral("00FF00"));
    });
    QTest::mouseClick(button.arrowButton(), Qt::LeftButton);
    ASSERT_NE(button.dropDownWindow(), nullptr);
    EXPECT_FALSE(paletteExisted);
    EXPECT_EQ(button.dropDownWindow()->picker()->userSwatch(0)->color(), QColor(0, 255, 0))
        << "user colours are loaded after the event";
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(ColorButtonFixture, TargetColourIsShownPressedOnTheFixedThenLastUserThenOtherSwatch)
{
    store.write(kKey, QStringLiteral("ColorA"), QStringLiteral("0000FF")); // red, also a fixed colour
    store.write(kKey, QStringLiteral("ColorB"), QStringLiteral("563412"));
    store.write(kKey, QStringLiteral("ColorE"), QStringLiteral("563412"));
    enum Where { Fixed, User, Other };
    struct Case
    {
        const char *name;
        QColor target;
        Where where;
        int index;
    };
    const Case cases[] = {
        {"fixed black", Qt::black, Fixed, 8},
        {"fixed red, not the user swatch of red", QColor(255, 0, 0), Fixed, 18},
        {"no colour", QColor(), Fixed, 0},
        {"last user swatch of the colour", QColor(0x12, 0x34, 0x56), User, 4},
        {"white is fixed before the white user swatches", Qt::white, Fixed, 33},
        {"no swatch of it", QColor(0x12, 0x34, 0x57), Other, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        button.setTargetColor(c.target);
        TColorPicker *picker = open();
        ASSERT_NE(picker, nullptr);
        TColBtn *expected = c.where == Fixed  ? picker->fixedSwatch(c.index)
                            : c.where == User ? picker->userSwatch(c.index)
                                              : picker->otherSwatch();
        EXPECT_EQ(picker->pressedSwatch(), expected);
        EXPECT_EQ(picker->otherSwatch()->color(), c.where == Other ? c.target : QColor(Qt::black));
        QTest::keyClick(button.dropDownWindow(), Qt::Key_Escape);
        flushDeletes();
    }
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(ColorButtonFixture, EnterRightAfterOpeningChoosesBlack)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        button.setActiveColor(Qt::red);
        button.setTargetColor(Qt::blue);
        ASSERT_NE(open(), nullptr);
        QTest::keyClick(button.dropDownWindow(), key);
        EXPECT_EQ(button.activeColor(), QColor(Qt::black));
        EXPECT_EQ(button.targetColor(), QColor(Qt::black));
        EXPECT_EQ(button.swatch()->color(), QColor(Qt::black));
        flushDeletes();
        EXPECT_EQ(button.dropDownWindow(), nullptr);
    }
    EXPECT_EQ(clicked.count(), 2);
}

TEST_F(ColorButtonFixture, EscAndOtherKeysChooseNothing)
{
    button.setActiveColor(Qt::red);
    button.setTargetColor(Qt::blue);
    TColorPicker *picker = open();
    ASSERT_NE(picker, nullptr);
    TColPickDlg *window = button.dropDownWindow();
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Down})
        QTest::keyClick(window, key);
    EXPECT_TRUE(window->isVisible()) << "other keys are consumed";
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    flushDeletes();
    EXPECT_EQ(button.dropDownWindow(), nullptr);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(button.activeColor(), QColor(Qt::red));
    EXPECT_EQ(button.targetColor(), QColor(Qt::blue));
    EXPECT_FALSE(store.hasKey(kKey)) << "nothing is written without a choice";
}

TEST_F(ColorButtonFixture, LosingTheFocusChoosesNothing)
{
    QWidget elsewhere;
    elsewhere.resize(50, 50);
    elsewhere.show();
    button.setActiveColor(Qt::red);
    ASSERT_NE(open(), nullptr);
    TColPickDlg *window = button.dropDownWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_FALSE(window->isVisible());
    flushDeletes();
    EXPECT_EQ(button.dropDownWindow(), nullptr);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(button.activeColor(), QColor(Qt::red));
    EXPECT_FALSE(store.hasKey(kKey));
}

TEST_F(ColorButtonFixture, FocusMovingToTheColourDialogKeepsThePaletteOpen)
{
    QWidget dialogStandIn;
    dialogStandIn.resize(50, 50);
    ASSERT_NE(open(), nullptr);
    TColPickDlg *window = button.dropDownWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    duringDialog = [&] {
        dialogStandIn.show();
        dialogStandIn.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialogStandIn));
        dialogStandIn.hide();
    };
    dialogAnswers = {QColor(0x10, 0x20, 0x30)};
    QTest::mouseClick(window->picker()->otherButton(), Qt::LeftButton);
    ASSERT_EQ(button.dropDownWindow(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << "the focus returns to the palette";
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(ColorButtonFixture, UserColoursReadFromHexTextOrWhite)
{
    struct Case
    {
        const char *text; // nullptr: no value
        QColor expected;
    };
    const Case cases[] = {
        {"FF8000", QColor(0x00, 0x80, 0xFF)}, // blue, green, red from the highest byte
        {"0000FF", QColor(0xFF, 0x00, 0x00)},
        {"00ff00", QColor(0x00, 0xFF, 0x00)},
        {"80", QColor(0x80, 0x00, 0x00)},
        {"000000", QColor(Qt::black)},
        {nullptr, QColor(Qt::white)},
        {"", QColor(Qt::white)},
        {"red", QColor(Qt::white)},
        {"$FF", QColor(Qt::white)},
        {"0x12", QColor(Qt::white)},
        {" 12", QColor(Qt::white)},
        {"1FFFFFFF", QColor(Qt::white)},
    };
    static_assert(std::size(cases) <= TColorPicker::kUserCount);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        if (cases[i].text)
            store.write(kKey, userColorName(i), QString::fromUtf8(cases[i].text));
    }
    TColorPicker *picker = open();
    ASSERT_NE(picker, nullptr);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].text ? cases[i].text : "(missing)");
        EXPECT_EQ(picker->userSwatch(i)->color(), cases[i].expected);
        EXPECT_EQ(TColorPicker::userColors()[i], cases[i].expected);
    }
}

TEST_F(ColorButtonFixture, UserColoursComeFromTheButtonsRegKeyUnderSoftWare)
{
    store.write(QStringLiteral("Software\\Jiný klíč"), QStringLiteral("colorc"), QStringLiteral("0000FF"));
    store.write(kKey, QStringLiteral("ColorC"), QStringLiteral("00FF00"));
    button.setRegKey(QStringLiteral("Jiný klíč"));
    TColorPicker *picker = open();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->userSwatch(2)->color(), QColor(Qt::red));
}

TEST_F(ColorButtonFixture, WithNoKeyAllUserColoursAreWhiteAndAChoiceWritesThemAsFFFFFF)
{
    TColorPicker *picker = open();
    ASSERT_NE(picker, nullptr);
    for (int j = 0; j < TColorPicker::kUserCount; ++j)
        EXPECT_EQ(picker->userSwatch(j)->color(), QColor(Qt::white)) << j;
    EXPECT_FALSE(store.hasKey(kKey));

    QTest::mouseClick(picker->fixedSwatch(20), Qt::LeftButton);
    for (int j = 0; j < TColorPicker::kUserCount; ++j)
        EXPECT_EQ(store.read(kKey, userColorName(j)), QString("FFFFFF")) << j;
    EXPECT_EQ(store.read(kKey, QStringLiteral("ColorQ")), std::nullopt);
}

TEST_F(ColorButtonFixture, AChoiceWritesEveryUserColourAsUpperCaseHexOfAtLeastSixDigits)
{
    store.write(kKey, QStringLiteral("ColorA"), QStringLiteral("80"));
    store.write(kKey, QStringLiteral("ColorB"), QStringLiteral("abcdef"));
    store.write(kKey, QStringLiteral("ColorC"), QStringLiteral("nonsense"));
    ASSERT_NE(open(), nullptr);
    QTest::keyClick(button.dropDownWindow(), Qt::Key_Return);
    EXPECT_EQ(store.read(kKey, QStringLiteral("ColorA")), QString("000080"));
    EXPECT_EQ(store.read(kKey, QStringLiteral("ColorB")), QString("ABCDEF"));
    EXPECT_EQ(store.read(kKey, QStringLiteral("ColorC")), QString("FFFFFF"));
}

TEST_F(ColorButtonFixture, RightClickRedefinesAUserColourKeptOnlyWithAChoice)
{
    store.write(kKey, QStringLiteral("ColorC"), QStringLiteral("00FF00"));
    TColorPicker *picker = open();
    ASSERT_NE(picker, nullptr);
    TColBtn *third = picker->userSwatch(2);

    dialogAnswers = {std::nullopt, QColor(0x10, 0x20, 0x30)};
    QTest::mouseClick(third, Qt::RightButton);
    EXPECT_EQ(third->color(), QColor(0, 255, 0)) << "a cancelled dialog changes nothing";
    QTest::mouseClick(third, Qt::RightButton);
    ASSERT_EQ(dialogInitials.size(), 2u);
    EXPECT_EQ(dialogInitials[0], QColor(0, 255, 0)) << "the dialog starts at the swatch's colour";
    EXPECT_EQ(third->color(), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(TColorPicker::userColors()[2], QColor(0x10, 0x20, 0x30)) << "the shared table";
    EXPECT_TRUE(button.dropDownWindow()->isVisible()) << "a redefinition is not a choice";
    EXPECT_EQ(clicked.count(), 0);

    QTest::mouseClick(picker->fixedSwatch(3), Qt::RightButton);
    EXPECT_EQ(dialogInitials.size(), 2u) << "fixed swatches are not redefined";

    // Closed without a choice, the redefinition is not stored and the next opening reloads.
    QTest::keyClick(button.dropDownWindow(), Qt::Key_Escape);
    flushDeletes();
    picker = open();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->userSwatch(2)->color(), QColor(0, 255, 0));

    // Redefined and then chosen, it is stored.
    dialogAnswers = {QColor(0x10, 0x20, 0x30)};
    QTest::mouseClick(picker->userSwatch(2), Qt::RightButton);
    QTest::mouseClick(picker->userSwatch(2), Qt::LeftButton);
    EXPECT_EQ(button.activeColor(), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(store.read(kKey, QStringLiteral("ColorC")), QString("302010"));
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(ColorButtonFixture, ColourDialogButtonFillsTheOtherSwatchWhichAClickThenChooses)
{
    button.setTargetColor(QColor(1, 2, 3));
    TColorPicker *picker = open();
    ASSERT_NE(picker, nullptr);
    dialogAnswers = {QColor(0x44, 0x55, 0x66)};
    QTest::mouseClick(picker->otherButton(), Qt::LeftButton);
    ASSERT_EQ(dialogInitials.size(), 1u);
    EXPECT_EQ(dialogInitials[0], QColor(1, 2, 3)) << "the dialog starts at the other swatch's colour";
    EXPECT_EQ(picker->otherSwatch()->color(), QColor(0x44, 0x55, 0x66));
    EXPECT_EQ(clicked.count(), 0) << "not chosen until clicked";
    EXPECT_TRUE(button.dropDownWindow()->isVisible());

    QTest::mouseClick(picker->otherSwatch(), Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(button.activeColor(), QColor(0x44, 0x55, 0x66));
}

TEST_F(ColorButtonFixture, APaletteChoiceSetsTheColoursAndFiresClickOnce)
{
    button.setAutomaticColor(QColor(0x33, 0x33, 0x33));
    struct Case
    {
        const char *name;
        std::function<TColBtn *(TColorPicker *)> swatch;
        QColor expected;
    };
    const Case cases[] = {
        {"fixed swatch", [](TColorPicker *p) { return p->fixedSwatch(13); }, QColor(0x00, 0x80, 0x80)},
        {"user swatch", [](TColorPicker *p) { return p->userSwatch(15); }, QColor(Qt::white)},
        {"other swatch", [](TColorPicker *p) { return p->otherSwatch(); }, QColor(Qt::black)},
        {"automatic button", [](TColorPicker *p) { return p->automaticButton(); }, QColor(0x33, 0x33, 0x33)},
        {"first fixed swatch: no colour, that is automatic", [](TColorPicker *p) { return p->fixedSwatch(0); },
         QColor()},
    };
    int expectedClicks = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        button.setActiveColor(Qt::red);
        button.setTargetColor(Qt::red);
        TColorPicker *picker = open();
        ASSERT_NE(picker, nullptr);
        TColPickDlg *window = button.dropDownWindow();
        QColor activeAtClick(Qt::red);
        const auto connection =
            QObject::connect(&button, &TColorBtn::clicked, [&] { activeAtClick = button.activeColor(); });
        QTest::mouseClick(c.swatch(picker), Qt::LeftButton);
        QObject::disconnect(connection);

        EXPECT_EQ(clicked.count(), ++expectedClicks);
        EXPECT_EQ(activeAtClick, c.expected) << "the active colour is set before the click event";
        EXPECT_EQ(button.activeColor(), c.expected);
        EXPECT_EQ(button.targetColor(), c.expected);
        EXPECT_EQ(button.swatch()->color(), c.expected);
        EXPECT_FALSE(window->isVisible());
        QTest::keyClick(window, Qt::Key_Return);
        EXPECT_EQ(clicked.count(), expectedClicks) << "a closed palette chooses no more";
        flushDeletes();
        EXPECT_EQ(button.dropDownWindow(), nullptr);
    }
}

TEST_F(ColorButtonFixture, SwatchClickFiresClickWithTheActiveColourAndOpensNothing)
{
    button.setActiveColor(QColor(0x12, 0x34, 0x56));
    QTest::mouseClick(button.swatch(), Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(button.activeColor(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(button.dropDownWindow(), nullptr);
    EXPECT_TRUE(dialogInitials.empty());
}

TEST_F(ColorButtonFixture, ChosenTargetIsPressedAtTheNextOpening)
{
    TColorPicker *picker = open();
    ASSERT_NE(picker, nullptr);
    QTest::mouseClick(picker->fixedSwatch(27), Qt::LeftButton);
    flushDeletes();
    picker = open();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->pressedSwatch(), picker->fixedSwatch(27));
}

} // namespace
