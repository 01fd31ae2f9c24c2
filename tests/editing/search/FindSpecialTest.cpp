#include "SearchFixture.h"

#include "editing/controls/TColBtn.h"
#include "editing/controls/TColPickDlg.h"
#include "editing/controls/TColorBtn.h"
#include "editing/controls/TColorPicker.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace kora;
using kora::test::PromptCall;

namespace {

const QString kDone = QStringLiteral("VHledání bylo ukonče. Byl prohledán celý text");

class FindSpecialTest : public test::SearchFixture
{
protected:
    // Opens "Najít speciál" from its menu item and acts in it as `script` says.
    void inFindSpecial(const std::function<void(Tfhledat *)> &script)
    {
        prompter.answerDialog([script](QDialog *dialog) { script(static_cast<Tfhledat *>(dialog)); });
        Najtspecil1.trigger();
        ASSERT_EQ(prompter.dialogNames(), QStringList{"fhledat"});
    }

    // Picks a colour of the palette as the user does: the arrow, then the swatch.
    static void chooseColor(TColorBtn *button, int fixedSwatch)
    {
        QTest::mouseClick(button->arrowButton(), Qt::LeftButton);
        ASSERT_NE(button->dropDownWindow(), nullptr);
        QTest::mouseClick(button->dropDownWindow()->picker()->fixedSwatch(fixedSwatch), Qt::LeftButton);
    }

    void expectFormat(int start, int length, const QColor &color, int size)
    {
        select(start, length);
        EXPECT_EQ(editor->selColor(), color) << "at " << start;
        EXPECT_EQ(editor->selSize(), size) << "at " << start;
    }

    QColor automatic() const { return editor->palette().color(QPalette::WindowText); }
};

constexpr int kRedSwatch = 18; // #FF0000, third row

} // namespace

TEST_F(FindSpecialTest, TheDialogAsItOpens)
{
    inFindSpecial([](Tfhledat *d) {
        EXPECT_EQ(d->windowTitle(), "Hledat speciál");
        EXPECT_EQ(d->Edit1()->text(), "Hledejte ");
        EXPECT_EQ(d->noteLabel()->text(), "Text, který bude nalezen se změní ");
        EXPECT_TRUE(d->noteLabel()->font().bold());
        EXPECT_EQ(d->noteLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));
        EXPECT_EQ(d->barva()->activeColor(), QColor(Qt::black));
        EXPECT_EQ(d->barva()->autoBtnCaption(), "Automatic");
        EXPECT_EQ(d->barva()->otherBtnCaption(), "&Other colors...");
        QStringList sizes;
        for (int i = 0; i < d->cbvelikost()->count(); ++i)
            sizes << d->cbvelikost()->itemText(i);
        EXPECT_EQ(sizes, QString("6 8 10 12 14 16 18 20 22 24 26 50").split(' '));
        EXPECT_EQ(d->cbvelikost()->currentText(), "12");
        EXPECT_TRUE(d->cbvelikost()->isEditable());
        EXPECT_EQ(d->Button1()->text(), "Hledej");
        EXPECT_EQ(d->Button2()->text(), "Storno");
        click(d->Button2());
        EXPECT_FALSE(d->isVisible());
    });
}

TEST_F(FindSpecialTest, FirstOccurrenceOfEveryLineTakesColourAndSizeInOneUndoStep)
{
    // Line 1: "abc" at 0 and 8; line 2: "abc" at 14.
    editor->setText(QStringLiteral("abc xyz abc\r\nq abc"));
    select(15, 0);
    inFindSpecial([this](Tfhledat *d) {
        typeInto(d->Edit1(), QStringLiteral("abc"));
        chooseColor(d->barva(), kRedSwatch);
        EXPECT_EQ(d->barva()->activeColor(), QColor(Qt::red));
        typeInto(d->cbvelikost()->lineEdit(), QStringLiteral("20"));
        click(d->Button1());
        EXPECT_TRUE(d->isVisible()) << "the dialog stays open";
        EXPECT_EQ(editor->selStart(), 0) << "the caret ends at the top";
        EXPECT_EQ(editor->selLength(), 0);
    });
    ASSERT_EQ(prompter.messageTexts(), QStringList{kDone});
    EXPECT_EQ(prompter.callsOf(PromptCall::Kind::Message)[0].messageKind, MessageKind::Warning);
    EXPECT_EQ(prompter.callsOf(PromptCall::Kind::Message)[0].buttons, PromptButtons(ButtonOk));
    expectFormat(0, 3, Qt::red, 20);
    expectFormat(3, 5, automatic(), 12);
    expectFormat(8, 3, automatic(), 12);
    expectFormat(14, 3, Qt::red, 20);

    editor->undoStep();
    expectFormat(0, 17, automatic(), 12);
    EXPECT_EQ(editor->text(), "abc xyz abc\r\nq abc");
}

TEST_F(FindSpecialTest, ASizeThatIsNoNumberStopsAtTheFirstOccurrenceColoured)
{
    editor->setText(QStringLiteral("x abc\r\nabc"));
    select(8, 0);
    inFindSpecial([this](Tfhledat *d) {
        typeInto(d->Edit1(), QStringLiteral("abc"));
        chooseColor(d->barva(), kRedSwatch);
        typeInto(d->cbvelikost()->lineEdit(), QStringLiteral("2x"));
        click(d->Button1());
        EXPECT_EQ(editor->selStart(), 0) << "the caret still goes to the top";
    });
    const std::vector<PromptCall> boxes = prompter.callsOf(PromptCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u) << "no completion message";
    EXPECT_EQ(boxes[0].messageKind, MessageKind::Error);
    EXPECT_EQ(boxes[0].title, "KORA Editor");
    EXPECT_EQ(boxes[0].text, "'2x' is not a valid integer value.");
    expectFormat(2, 3, Qt::red, 12);
    expectFormat(7, 3, automatic(), 12);
}

TEST_F(FindSpecialTest, NothingToFindChangesNothingButStillCompletes)
{
    editor->setText(QStringLiteral("abc\r\nabc"));
    editor->setModified(false);
    inFindSpecial([this](Tfhledat *d) {
        typeInto(d->Edit1(), QString());
        typeInto(d->cbvelikost()->lineEdit(), QStringLiteral("nic"));
        click(d->Button1());
        typeInto(d->Edit1(), QStringLiteral("ABC"));
        click(d->Button1());
    });
    EXPECT_EQ(prompter.messageTexts(), QStringList({kDone, kDone})) << "a size is read only for an occurrence";
    EXPECT_FALSE(editor->isModified());
}
