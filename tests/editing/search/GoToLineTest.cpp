#include "SearchFixture.h"

#include "editing/controls/IntegerSpinEdit.h"

#include <QPushButton>

using namespace kora;
using kora::test::PromptCall;

namespace {

class GoToLineTest : public test::SearchFixture
{
protected:
    // "Jdi na řádek" with `number` typed in and "OK" pressed; returns whether the dialog closed.
    bool goTo(const QString &number)
    {
        bool closed = false;
        prompter.answerDialog([&](QDialog *dialog) {
            auto *d = static_cast<TJdiRadek *>(dialog);
            typeInto(d->seRadek(), number);
            click(d->bOK());
            closed = !d->isVisible();
        });
        mRadek.trigger();
        return closed;
    }
};

} // namespace

TEST_F(GoToLineTest, TheDialogAsItOpens)
{
    prompter.answerDialog([](QDialog *dialog) {
        auto *d = static_cast<TJdiRadek *>(dialog);
        EXPECT_EQ(d->windowTitle(), "Jít na řádek");
        EXPECT_EQ(d->seRadek()->text(), "0");
        EXPECT_TRUE(d->bOK()->isDefault());
        EXPECT_EQ(d->Button1()->text(), "Storno");
        QTest::keyClick(d->seRadek(), Qt::Key_Down);
        QTest::keyClick(d->seRadek(), Qt::Key_Down);
        EXPECT_EQ(d->seRadek()->text(), "-2") << "no lower bound";
        click(d->Button1());
    });
    mRadek.trigger();
    EXPECT_EQ(prompter.dialogNames(), QStringList{"JdiRadek"});
}

TEST_F(GoToLineTest, LinesCountFromOneAndZeroIsTheCaretsLine)
{
    // Lines start at 0, 6 and 10; the text ends at 13.
    editor->setText(QStringLiteral("jedna\r\ndva\r\ntři"));
    const struct
    {
        const char *number;
        int caret;
    } cases[] = {{"1", 0}, {"3", 10}, {"0", 6}, {"2", 6}, {"99", 13}, {"-5", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.number);
        select(7, 5); // from "va" in line 2 into line 3: collapsed to its start first
        EXPECT_TRUE(goTo(QString::fromLatin1(c.number)));
        EXPECT_EQ(editor->selStart(), c.caret);
        EXPECT_EQ(editor->selLength(), 0);
    }
    EXPECT_TRUE(prompter.messageTexts().isEmpty());
}

TEST_F(GoToLineTest, ANumberThatIsNoIntegerKeepsTheDialogAndTheCaret)
{
    editor->setText(QStringLiteral("jedna\r\ndva"));
    select(2, 1);
    for (const char *number : {"1x", "", "2.0"}) {
        SCOPED_TRACE(number);
        prompter.clearCalls();
        EXPECT_FALSE(goTo(QString::fromLatin1(number)));
        const std::vector<PromptCall> boxes = prompter.callsOf(PromptCall::Kind::Message);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].messageKind, MessageKind::Error);
        EXPECT_EQ(boxes[0].text, QStringLiteral("'%1' is not a valid integer value.").arg(number));
        EXPECT_EQ(editor->selStart(), 2);
        EXPECT_EQ(editor->selLength(), 1);
    }
}

TEST_F(GoToLineTest, StartAndEndOfTheTextScrollIntoView)
{
    mKonecTextu.trigger();
    EXPECT_EQ(editor->selStart(), 0) << "the end of an empty document";

    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("řádek %1").arg(i);
    editor->setText(lines.join("\r\n"));
    const auto caretShown = [this] { return editor->viewport()->rect().contains(editor->cursorRect()); };
    select(5, 3);
    mKonecTextu.trigger();
    EXPECT_EQ(editor->selStart(), editor->document()->characterCount() - 1);
    EXPECT_EQ(editor->selLength(), 0);
    EXPECT_TRUE(caretShown());
    mZacatekTextu.trigger();
    EXPECT_EQ(editor->selStart(), 0);
    EXPECT_EQ(editor->selLength(), 0);
    EXPECT_TRUE(caretShown());

    EXPECT_TRUE(goTo(QStringLiteral("150")));
    EXPECT_EQ(editor->selStart(), editor->lineStart(149));
    EXPECT_TRUE(caretShown());
}
