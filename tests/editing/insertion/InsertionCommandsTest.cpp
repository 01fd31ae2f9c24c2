#include "InsertionFixture.h"

using namespace kora;

namespace {

class InsertionCommands : public test::InsertionFixture
{
protected:
    // Runs `action` with "slovo" selected in "před slovo po" and returns the text, checking that
    // the caret ends right after what was inserted and nothing is selected.
    QString insertOverWord(QAction &action, const QString &expectedInsert)
    {
        editor->setText(QStringLiteral("před slovo po"));
        select(5, 5);
        action.trigger();
        EXPECT_EQ(editor->selLength(), 0);
        EXPECT_EQ(editor->selStart(), 5 + expectedInsert.size());
        return editor->text();
    }
};

TEST_F(InsertionCommands, BasicCharactersInsertExactlyTheirTextOverTheSelection)
{
    const struct
    {
        QAction *item;
        const char *text;
    } items[] = {{&N14, "()"}, {&N15, "{}"}, {&N16, "[]"}, {&N27, "<>"}, {&N18, "!"}, {&N19, "@"},  {&N20, "#"},
                 {&N21, "$"},  {&N22, "%"},  {&N23, "^"},  {&N26, "*"},  {&N29, "/"}, {&N30, "\\"}, {&N25, "_"}};
    for (const auto &item : items) {
        SCOPED_TRACE(item.text);
        const QString text = QString::fromLatin1(item.text);
        EXPECT_EQ(insertOverWord(*item.item, text), "před " + text + " po");
    }
}

TEST_F(InsertionCommands, TimeAndDateUseTheirFixedFormats)
{
    now = QDateTime(QDate(2024, 3, 9), QTime(23, 59, 58));
    EXPECT_EQ(insertOverWord(mCas, "23:59:58"), "před 23:59:58 po");
    EXPECT_EQ(insertOverWord(mDatum, "09.03.2024"), "před 09.03.2024 po");
}

TEST_F(InsertionCommands, DateAndTimeReadsTheOptionsFormatAtEachUse)
{
    EXPECT_EQ(insertOverWord(mDatumCas, "2024-01-02 03:04:05"), "před 2024-01-02 03:04:05 po");
    formatBox.format = QStringLiteral("d. mmmm yyyy, h:nn a/p");
    EXPECT_EQ(insertOverWord(mDatumCas, "2. leden 2024, 3:04 a"), "před 2. leden 2024, 3:04 a po");
}

TEST_F(InsertionCommands, DateAndTimeWithoutTheOptionsDialogUsesTheDesignFormat)
{
    InsertionController alone(*editor, prompter, shell, &window, {});
    alone.setClock([this] { return now; });
    editor->setText({});
    alone.mDatumCasClick();
    EXPECT_EQ(editor->text(), "2024-01-02 03:04:05");
}

TEST_F(InsertionCommands, InsertedTextTakesTheFormatOfTypedText)
{
    editor->setText(QStringLiteral("ab"));
    select(0, 1);
    editor->setSelStyle(StyleBold);
    select(1, 0);
    N21.trigger();
    select(1, 1);
    EXPECT_TRUE(editor->selStyle().testFlag(StyleBold)) << "typed after a bold letter, the text is bold";
}

TEST_F(InsertionCommands, AReadOnlyDocumentIsNeverChanged)
{
    editor->setText(QStringLiteral("pevné"));
    editor->setReadOnly(true);
    select(0, 5);
    for (QAction *action : {&N14, &N22, &mCas, &mDatum, &mDatumCas, &mDatumcasDialog, &mSymboly, &mHyperLink, &Cel1,
                            &Text1, &mCestaKSouboru, &mObrazek, &mObjekt, &mVlozitSpecial})
        action->trigger();
    EXPECT_EQ(editor->text(), "pevné");
    EXPECT_TRUE(prompter.calls().empty()) << "no dialog opens for a document that cannot change";
}

// "Celý": the file's raw text, every line followed by a line break.
class WholeFile : public InsertionCommands
{
protected:
    QString insertWhole(const QString &path)
    {
        editor->setText(QStringLiteral("ab"));
        select(1, 0);
        prompter.answerFile(FileChoice{path, 0});
        Cel1.trigger();
        return editor->text();
    }
};

TEST_F(WholeFile, EveryLineEndsInABreakWhateverTheFileUsed)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *inserted;
    } cases[] = {
        {"two lines without a final break", "jedna\r\ndva", "jedna\r\ndva\r\n"},
        {"a final break adds no empty line", "jedna\ndva\n", "jedna\r\ndva\r\n"},
        {"CR alone and mixed breaks", "a\rb\r\nc\nd", "a\r\nb\r\nc\r\nd\r\n"},
        {"UTF-8 Czech is not mojibake", QStringLiteral("Příliš žluťoučký").toUtf8(), nullptr},
        {"Windows-1250 Czech", "\x9Elu\x9Do\x9A", "žluťoš\r\n"},
        {"an RTF file as its source", "{\\rtf1 {\\b x}}", "{\\rtf1 {\\b x}}\r\n"},
        {"an empty file inserts nothing", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = writeFile(QStringLiteral("vstup.txt"), c.bytes);
        const QString expected = c.inserted ? QString::fromUtf8(c.inserted) : QString::fromUtf8(c.bytes) + "\r\n";
        EXPECT_EQ(insertWhole(path), "a" + expected + "b");
        EXPECT_EQ(editor->selStart(), 1 + expected.size() - expected.count(QStringLiteral("\r\n")));
    }
}

TEST_F(WholeFile, AnUnreadableFileShowsTheErrorBoxAndChangesNothing)
{
    EXPECT_EQ(insertWhole(home.filePath(QStringLiteral("chybí.txt"))), "ab");
    ASSERT_EQ(prompter.callsOf(test::PromptCall::Kind::Message).size(), 1u);
    EXPECT_EQ(prompter.calls().back().messageKind, MessageKind::Error);
    EXPECT_TRUE(prompter.calls().back().text.contains(QStringLiteral("chybí.txt")));
}

TEST_F(WholeFile, TheDialogUsesTheDocumentFilterAndCancelChangesNothing)
{
    editor->setText(QStringLiteral("ab"));
    Cel1.trigger();
    EXPECT_EQ(editor->text(), "ab");
    const auto files = prompter.callsOf(test::PromptCall::Kind::File);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].file.dialogName, "odTextSoubor");
    EXPECT_TRUE(files[0].file.filter.startsWith(QStringLiteral("KORA dokumenty ( *.kora )|*.kora|")));
}

} // namespace
