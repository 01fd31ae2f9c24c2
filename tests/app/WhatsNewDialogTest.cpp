#include "app/Tfnovinky.h"
#include "support/ScriptedPrompter.h"

#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <functional>

using namespace kora;

namespace {

QStringList lines(const QPlainTextEdit *edit)
{
    QStringList result;
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next())
        result << block.text();
    return result;
}

TEST(WhatsNewDialogTest, ShowsWhatWasAddedAndFixedLineByLine)
{
    Tfnovinky dialog;
    EXPECT_EQ(dialog.objectName(), "fnovinky");
    EXPECT_EQ(dialog.windowTitle(), "Co je nového");
    EXPECT_EQ(dialog.size(), QSize(603, 376));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "fixed size";

    const QStringList added = {"1. Přeškrtnuté písmo", "", "2. Lepší skrývání všech věcí na hlavním formuláři", "",
                               "3. Písma s náhledem", "", "4. Možnost zobrazení “Tip Dne“", "",
                               "5. Minimalizace do ikony", "", "6. Speciální hledání", "", "7. Kalkulačka", ""};
    const QStringList fixed = {"1.Při kliknutí prvým tlačítkem byly pořád funkční tlačítka Zpět ", "a ", "Vpřed", "",
                               "2.Tlačítko Tisk na ToolBaru netisklo, ale kopírovalo", ""};
    EXPECT_EQ(lines(dialog.added()), added);
    EXPECT_EQ(lines(dialog.fixed()), fixed);

    for (QPlainTextEdit *pane : {dialog.added(), dialog.fixed()}) {
        EXPECT_TRUE(pane->isReadOnly());
        EXPECT_EQ(pane->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
    dialog.layout()->activate();
    EXPECT_LT(dialog.added()->geometry().right(), dialog.fixed()->geometry().left()) << "side by side";
}

TEST(WhatsNewDialogTest, HeadingsAreBoldRedAndBoldBlue)
{
    Tfnovinky dialog;
    struct Case
    {
        const char *text;
        QPlainTextEdit *pane;
        QColor colour;
    };
    const Case cases[] = {{"Přidáno", dialog.added(), Qt::red}, {"Opraveno", dialog.fixed(), Qt::blue}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        QLabel *found = nullptr;
        for (QLabel *label : dialog.findChildren<QLabel *>()) {
            if (label->text() == QString::fromUtf8(c.text))
                found = label;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_TRUE(found->font().bold());
        EXPECT_EQ(found->palette().color(QPalette::WindowText), c.colour);
        EXPECT_EQ(found->buddy(), c.pane);
    }
    EXPECT_EQ(dialog.okButton()->objectName(), "Button1");
    EXPECT_EQ(dialog.okButton()->text(), "OK");
    EXPECT_TRUE(dialog.okButton()->font().bold());
}

TEST(WhatsNewDialogTest, OkAndEscClose)
{
    const std::pair<const char *, std::function<void(Tfnovinky &)>> cases[] = {
        {"OK", [](Tfnovinky &d) { d.okButton()->click(); }},
        {"Esc", [](Tfnovinky &d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    };
    for (const auto &[name, close] : cases) {
        SCOPED_TRACE(name);
        test::ScriptedPrompter prompter;
        Tfnovinky dialog;
        bool openAfter = true;
        prompter.answerDialog([&](QDialog *) {
            close(dialog);
            openAfter = dialog.isVisible();
        });
        prompter.execDialog(&dialog);
        EXPECT_FALSE(openAfter);
    }
}

} // namespace
