#include "tools/calc/TRxCalculator.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kora;

namespace {

class CalculatorDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    // Keys go where the user's keys go: the focused widget.
    QWidget *focused() { return QApplication::focusWidget() ? QApplication::focusWidget() : &dialog; }
    QString display() const { return dialog.findChild<QLabel *>(QStringLiteral("display"))->text(); }
    void click(const char *name)
    {
        auto *button = dialog.findChild<QPushButton *>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    TRxCalculator dialog;
};

TEST_F(CalculatorDialog, WorksFromTheKeyboard)
{
    QTest::keyClicks(focused(), "12+3.5");
    EXPECT_EQ(display(), QStringLiteral("3,5"));
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(display(), QStringLiteral("15,5"));
    QTest::keyClicks(focused(), "*2");
    QTest::keyClick(focused(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(display(), QStringLiteral("31"));
    QTest::keyClick(focused(), Qt::Key_Backspace);
    EXPECT_EQ(display(), QStringLiteral("31")); // a result is not edited
    QTest::keyClicks(focused(), "/0=");
    EXPECT_EQ(display(), QStringLiteral("Chyba"));
    EXPECT_TRUE(dialog.isVisible());

    // Esc clears first, and closes only when there is nothing left to clear.
    QTest::keyClick(focused(), Qt::Key_Escape);
    EXPECT_EQ(display(), QStringLiteral("0"));
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(focused(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(CalculatorDialog, WorksWithTheMouse)
{
    for (const char *name : {"b6", "bMultiply", "b7", "bEquals"})
        click(name);
    EXPECT_EQ(display(), QStringLiteral("42"));
    click("bMS");
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("memory"))->text(), QStringLiteral("M"));
    for (const char *name : {"bC", "b1", "bDivide", "b0", "bEquals"})
        click(name);
    EXPECT_EQ(display(), QStringLiteral("Chyba"));
    for (const char *name : {"bCE", "bMR", "bRoot"})
        click(name);
    EXPECT_EQ(display(), QStringLiteral("6,48074069840786"));
    EXPECT_TRUE(dialog.isVisible());
}

} // namespace
