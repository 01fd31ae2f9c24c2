#include "app/TipsOfTheDay.h"
#include "support/ScriptedPrompter.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace kora;

namespace {

QString tipShown(QDialog *window)
{
    auto *label = window->findChild<QLabel *>(QStringLiteral("lTip"));
    return label ? label->text() : QStringLiteral("<no tip label>");
}

QPushButton *button(QDialog *window, const QString &text)
{
    for (QPushButton *b : window->findChildren<QPushButton *>()) {
        if (b->text() == text)
            return b;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

QCheckBox *startupBox(QDialog *window)
{
    auto *box = window->findChild<QCheckBox *>();
    EXPECT_NE(box, nullptr);
    return box;
}

class TipsOfTheDayTest : public ::testing::Test
{
protected:
    // A random source that always picks `index` and remembers the bound it was given.
    void pick(int index)
    {
        tips.setRandomSource([this, index](int bound) {
            lastBound = bound;
            return index;
        });
    }

    test::ScriptedPrompter prompter;
    TipsOfTheDay tips{prompter};
    int lastBound = -1;
};

TEST_F(TipsOfTheDayTest, HoldsFourteenTipsWithTheirSpacing)
{
    EXPECT_EQ(tips.objectName(), "tipdne");
    EXPECT_FALSE(tips.showAtStartup());
    const QStringList all = tips.tips();
    ASSERT_EQ(all.size(), 14);
    EXPECT_EQ(all[0], "Pomocí pravítka si můžete libovolně volit okraje stránky. ");
    EXPECT_TRUE(all[2].startsWith("Registrace přípon -  Pomocí"));
    EXPECT_TRUE(all[7].endsWith("funkce \"Otevřít z internetu\""));
    EXPECT_TRUE(all[9].endsWith("zvuky.   "));
    EXPECT_EQ(all[13], "KORA Editor umí text uložit i do html");
}

TEST_F(TipsOfTheDayTest, TheWindowStartsAtTheRandomTip)
{
    pick(4);
    QString title, heading, shown;
    prompter.answerDialog([&](QDialog *window) {
        title = window->windowTitle();
        auto *headingLabel = window->findChild<QLabel *>(QStringLiteral("lHeading"));
        heading = headingLabel ? headingLabel->text() : QString();
        shown = tipShown(window);
    });
    tips.execute();
    EXPECT_EQ(lastBound, 14);
    EXPECT_EQ(prompter.dialogNames().size(), 1);
    EXPECT_EQ(title, "Tipy a triky");
    EXPECT_EQ(heading, "Víte, že");
    EXPECT_EQ(shown, tips.tips()[4]);
}

TEST_F(TipsOfTheDayTest, AnEmptyRandomTipFallsBackToTheFirst)
{
    tips.setTips({QStringLiteral("první"), QString(), QStringLiteral("třetí")});
    pick(1);
    QString shown;
    prompter.answerDialog([&](QDialog *window) { shown = tipShown(window); });
    tips.execute();
    EXPECT_EQ(lastBound, 3);
    EXPECT_EQ(shown, "první");
}

TEST_F(TipsOfTheDayTest, NextTipWrapsFromTheLastToTheFirst)
{
    tips.setTips({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    pick(1);
    QStringList seen;
    prompter.answerDialog([&](QDialog *window) {
        seen << tipShown(window);
        for (int i = 0; i < 3; ++i) {
            button(window, QStringLiteral("Další typ"))->click();
            seen << tipShown(window);
        }
    });
    tips.execute();
    EXPECT_EQ(seen, (QStringList{"b", "c", "a", "b"}));
}

TEST_F(TipsOfTheDayTest, TheCheckBoxBecomesTheStartupFlagOnClose)
{
    struct Case
    {
        const char *name;
        bool flagBefore;
        bool untick;
        std::function<void(QDialog *)> close;
        bool flagAfter;
    };
    const auto closeButton = [](QDialog *w) { button(w, QStringLiteral("Zavřít"))->click(); };
    const auto escape = [](QDialog *w) { QTest::keyClick(w, Qt::Key_Escape); };
    const auto closeBox = [](QDialog *w) { w->close(); };
    const Case cases[] = {
        {"left ticked, Zavřít", false, false, closeButton, true},
        {"left ticked, Esc", false, false, escape, true},
        {"unticked, Zavřít", true, true, closeButton, false},
        {"unticked, close box", true, true, closeBox, false},
    };
    pick(0);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        tips.setShowAtStartup(c.flagBefore);
        bool tickedAtOpen = false;
        bool openAfterClose = true;
        prompter.answerDialog([&](QDialog *window) {
            QCheckBox *box = startupBox(window);
            tickedAtOpen = box->isChecked();
            EXPECT_EQ(box->text(), "&Zobrazit při startu");
            if (c.untick)
                box->click();
            c.close(window);
            openAfterClose = window->isVisible();
        });
        tips.execute();
        EXPECT_TRUE(tickedAtOpen);
        EXPECT_FALSE(openAfterClose);
        EXPECT_EQ(tips.showAtStartup(), c.flagAfter);
    }
}

TEST_F(TipsOfTheDayTest, WithoutTipsNothingIsShown)
{
    tips.setTips({});
    tips.setShowAtStartup(true);
    pick(0);
    tips.execute();
    EXPECT_TRUE(prompter.calls().empty());
    EXPECT_EQ(lastBound, -1);
    EXPECT_TRUE(tips.showAtStartup());
}

} // namespace
