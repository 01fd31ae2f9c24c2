#include "SearchFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

using namespace kora;
using kora::search::FindReplaceDialog;
using kora::test::PromptCall;

namespace {

class FindReplaceTest : public test::SearchFixture
{
protected:
    // The find dialog with `text` typed in and "Najít další" pressed `times` times.
    void findNext(FindReplaceDialog *dialog, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            click(dialog->findNextButton());
    }

    void expectSelection(int start, int length)
    {
        EXPECT_EQ(editor->selStart(), start);
        EXPECT_EQ(editor->selLength(), length);
    }

    void expectLastMessage(const QString &text)
    {
        const std::vector<PromptCall> boxes = prompter.callsOf(PromptCall::Kind::Message);
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back().text, text);
        EXPECT_EQ(boxes.back().messageKind, MessageKind::Confirmation);
        EXPECT_EQ(boxes.back().buttons, PromptButtons(ButtonOk));
    }
};

const QString kFindNotFound = QStringLiteral("Další výskyt slova \"%1\" nenalezen!");
const QString kReplaceNotFound = QStringLiteral("Další výskyt slova \"%1\" nenalezen !");

} // namespace

TEST_F(FindReplaceTest, DialogsAreModelessOwnedByTheWindowAndKeepTheirState)
{
    FindReplaceDialog *find = openFind();
    EXPECT_EQ(find->objectName(), "fdNajit");
    EXPECT_EQ(find->windowTitle(), "Najít");
    EXPECT_FALSE(find->isModal());
    EXPECT_EQ(find->parentWidget(), &window);
    EXPECT_TRUE(find->downButton()->isChecked()) << "searching down at first";
    EXPECT_FALSE(find->wholeWordBox()->isChecked());
    EXPECT_FALSE(find->matchCaseBox()->isChecked());
    EXPECT_FALSE(find->findNextButton()->isEnabled()) << "nothing to look for yet";
    EXPECT_EQ(find->replaceEdit(), nullptr);

    typeInto(find->findEdit(), QStringLiteral("kůň"));
    EXPECT_TRUE(find->findNextButton()->isEnabled());
    click(find->matchCaseBox());
    click(find->upButton());
    click(find->cancelButton());
    EXPECT_FALSE(find->isVisible());
    find = openFind();
    EXPECT_EQ(find->findText(), "kůň") << "texts and options stay between showings";
    EXPECT_TRUE(find->matchCaseBox()->isChecked());
    EXPECT_TRUE(find->upButton()->isChecked());
    EXPECT_EQ(find->findEdit()->selectedText(), "kůň") << "ready to be typed over";

    FindReplaceDialog *replace = openReplace();
    EXPECT_EQ(replace->objectName(), "rdNahradit");
    EXPECT_EQ(replace->windowTitle(), "Nahradit");
    EXPECT_FALSE(replace->isModal());
    EXPECT_TRUE(replace->wholeWordBox()->isChecked()) << "whole words ticked at first";
    EXPECT_FALSE(replace->matchCaseBox()->isChecked());
    EXPECT_EQ(replace->upButton(), nullptr);
    EXPECT_FALSE(replace->replaceButton()->isEnabled());
    EXPECT_FALSE(replace->replaceAllButton()->isEnabled());
    EXPECT_TRUE(prompter.calls().empty());
}

TEST_F(FindReplaceTest, FindNextWalksFromTheTopNotFromTheCaret)
{
    editor->setText(QStringLiteral("jedna dva jedna\r\ndva jedna"));
    select(20, 0); // a click near the end: no selection
    FindReplaceDialog *find = openFind();
    typeInto(find->findEdit(), QStringLiteral("jedna"));
    findNext(find);
    expectSelection(0, 5);
    findNext(find);
    expectSelection(10, 5);
    findNext(find);
    expectSelection(20, 5);
    EXPECT_TRUE(prompter.calls().empty());

    findNext(find);
    expectLastMessage(kFindNotFound.arg("jedna"));
    expectSelection(20, 5);

    select(12, 0); // a click that removes the selection
    findNext(find);
    expectSelection(0, 5);
}

TEST_F(FindReplaceTest, FindReadsCaseAndWholeWordOptions)
{
    // Kůňátko 0, kůň-x 8 (a hyphen continues the word), KŮŇ 14, kůň 18.
    editor->setText(QStringLiteral("Kůňátko kůň-x KŮŇ kůň"));
    FindReplaceDialog *find = openFind();
    typeInto(find->findEdit(), QStringLiteral("kůň"));
    findNext(find);
    expectSelection(0, 3);
    click(find->wholeWordBox());
    findNext(find);
    expectSelection(14, 3);
    click(find->matchCaseBox());
    findNext(find);
    expectSelection(18, 3);
    findNext(find);
    expectLastMessage(kFindNotFound.arg("kůň"));
}

TEST_F(FindReplaceTest, UpSearchesBackwardsFromTheSelectionOrTheBottom)
{
    editor->setText(QStringLiteral("ab\r\nab ab"));
    FindReplaceDialog *find = openFind();
    typeInto(find->findEdit(), QStringLiteral("ab"));
    click(find->upButton());
    findNext(find);
    expectSelection(6, 2);
    findNext(find);
    expectSelection(3, 2);
    findNext(find);
    expectSelection(0, 2);
    findNext(find);
    expectLastMessage(kFindNotFound.arg("ab"));
    expectSelection(0, 2);
}

TEST_F(FindReplaceTest, EachReplacePressTakesTheFirstOccurrenceFromTheTop)
{
    editor->setText(QStringLiteral("Ano, banana"));
    FindReplaceDialog *replace = openReplace();
    typeInto(replace->findEdit(), QStringLiteral("a"));
    typeInto(replace->replaceEdit(), QStringLiteral("o"));
    click(replace->matchCaseBox());
    click(replace->wholeWordBox());
    select(11, 0);
    click(replace->replaceButton());
    EXPECT_EQ(editor->text(), "Ano, bonana");
    EXPECT_EQ(editor->selStart(), 7) << "the caret stands after the new text";
    click(replace->replaceButton());
    EXPECT_EQ(editor->text(), "Ano, bonona");
    click(replace->replaceButton());
    EXPECT_EQ(editor->text(), "Ano, bonono");
    EXPECT_TRUE(prompter.calls().empty());
    click(replace->replaceButton());
    EXPECT_EQ(editor->text(), "Ano, bonono");
    expectLastMessage(kReplaceNotFound.arg("a"));

    editor->undoStep();
    EXPECT_EQ(editor->text(), "Ano, bonona") << "each press is one undo step";
}

TEST_F(FindReplaceTest, ReplaceIgnoresTheCaretAndFollowsTheOptions)
{
    editor->setText(QStringLiteral("Kůň kůňátko\r\nkůň"));
    FindReplaceDialog *replace = openReplace();
    typeInto(replace->findEdit(), QStringLiteral("kůň"));
    typeInto(replace->replaceEdit(), QStringLiteral("pes"));
    select(16, 0);
    click(replace->replaceButton());
    EXPECT_EQ(editor->text(), "pes kůňátko\r\nkůň") << "any case, whole words: the first at the top";
    click(replace->replaceButton());
    EXPECT_EQ(editor->text(), "pes kůňátko\r\npes") << "the word inside a longer one is left";
}

TEST_F(FindReplaceTest, ReplaceAllChangesEveryOccurrenceOnceInOneUndoStep)
{
    const QString original = QStringLiteral("a banana\r\na");
    editor->setText(original);
    FindReplaceDialog *replace = openReplace();
    typeInto(replace->findEdit(), QStringLiteral("a"));
    typeInto(replace->replaceEdit(), QStringLiteral("aa"));
    click(replace->replaceAllButton());
    EXPECT_EQ(editor->text(), "aa banana\r\naa") << "whole words, as the dialog starts";

    editor->undoStep();
    EXPECT_EQ(editor->text(), original);
    click(replace->wholeWordBox());
    click(replace->replaceAllButton());
    EXPECT_EQ(editor->text(), "aa baanaanaa\r\naa") << "never matching inside the inserted text";
    editor->undoStep();
    EXPECT_EQ(editor->text(), original) << "one undo step for all";
    EXPECT_TRUE(prompter.calls().empty());

    typeInto(replace->findEdit(), QStringLiteral("xyz"));
    click(replace->replaceAllButton());
    expectLastMessage(kReplaceNotFound.arg("xyz"));
    EXPECT_EQ(editor->text(), original);
}

TEST_F(FindReplaceTest, ReplaceNeverChangesAReadOnlyDocument)
{
    editor->setText(QStringLiteral("kůň a kůň"));
    editor->setModified(false);
    editor->setReadOnly(true);
    FindReplaceDialog *replace = openReplace();
    typeInto(replace->findEdit(), QStringLiteral("kůň"));
    typeInto(replace->replaceEdit(), QStringLiteral("pes"));
    click(replace->replaceButton());
    click(replace->replaceAllButton());
    EXPECT_EQ(editor->text(), "kůň a kůň");
    EXPECT_FALSE(editor->isModified());
}

TEST_F(FindReplaceTest, ReplaceDialogFindsNextWithItsOwnTextAndOptions)
{
    editor->setText(QStringLiteral("kůňátko Kůň"));
    FindReplaceDialog *replace = openReplace();
    typeInto(replace->findEdit(), QStringLiteral("kůň"));
    findNext(replace);
    expectSelection(8, 3);
    EXPECT_EQ(editor->text(), "kůňátko Kůň") << "finding changes nothing";
}

namespace {

struct ReplaceCase
{
    const char *name;
    QString document;
    QString find;
    QString replacement;
};

// A paragraph that wraps several times in the window.
QString wrappingParagraph()
{
    QStringList words;
    for (int i = 0; i < 50; ++i)
        words << QStringLiteral("slovo%1").arg(i);
    return words.join(u' ');
}

} // namespace

TEST_F(FindReplaceTest, ReplaceSelectsExactlyTheOccurrenceFound)
{
    const QString wrapping = wrappingParagraph();
    const ReplaceCase cases[] = {
        {"after several paragraphs", "jedna\r\ndva\r\n\r\ntři čtyři pět", "čtyři", "4"},
        {"after wrapped lines", wrapping + "\r\n" + wrapping + "\r\nkonec cíl konec", "cíl", "X"},
        {"inside a wrapped paragraph", wrapping + " cíl " + wrapping, "cíl", "XYZ"},
        {"at the very end", "abc\r\n\r\nxyz cíl", "cíl", "konec"},
        {"across Czech letters", "Příliš žluťoučký kůň úpěl ďábelské ódy", "ďábelské", "krásné"},
        {"a Czech text in capitals", "ŠÍLENĚ ŽLUŤOUČKÝ KŮŇ", "žluťoučký kůň", "pes"},
    };
    FindReplaceDialog *replace = openReplace();
    for (const ReplaceCase &c : cases) {
        SCOPED_TRACE(c.name);
        editor->setText(c.document);
        if (QString(c.name).contains("wrapped")) {
            ASSERT_GT(editor->lineCount(), editor->document()->blockCount()) << "the document wraps";
        }
        typeInto(replace->findEdit(), c.find);
        typeInto(replace->replaceEdit(), c.replacement);
        select(editor->text().size(), 0);
        click(replace->replaceButton());
        const int at = int(c.document.indexOf(c.find, 0, Qt::CaseInsensitive));
        QString expected = c.document;
        expected.replace(at, c.find.size(), c.replacement);
        EXPECT_EQ(editor->text(), expected);
        // CR LF counts one position in the editor.
        const int editorAt = at - int(c.document.left(at).count(QStringLiteral("\r\n")));
        EXPECT_EQ(editor->selStart(), editorAt + int(c.replacement.size()));
    }
    EXPECT_TRUE(prompter.calls().empty());
}

TEST_F(FindReplaceTest, AnOccurrenceThatASoftWrapSplitsIsReplacedToo)
{
    editor->setText(wrappingParagraph());
    const int wrap = editor->lineStart(1);
    ASSERT_GT(wrap, 0);
    const QString across = editor->text().mid(wrap - 3, 6);
    ASSERT_EQ(editor->text().count(across), 1);
    FindReplaceDialog *replace = openReplace();
    typeInto(replace->findEdit(), across);
    typeInto(replace->replaceEdit(), QStringLiteral("#"));
    click(replace->wholeWordBox());
    click(replace->replaceButton());
    EXPECT_EQ(editor->text(), wrappingParagraph().replace(across, QStringLiteral("#")));
}
