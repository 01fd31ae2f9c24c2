#include "tools/spell/SpellCommands.h"

#include "richedit/RichEdit.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "tools/spell/TjanSpellerF.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace kora;
using namespace kora::spell;

namespace {

const QString kDone = QStringLiteral("Kontrola pravopisu byla dokončna");

QByteArray windows1250(const QString &text)
{
    return QStringEncoder("windows-1250").encode(text);
}

// What the user does in the checking dialog, step by step.
using Step = std::function<void(TjanSpellerF &)>;

Step typeAndChange(const QString &replacement)
{
    return [replacement](TjanSpellerF &d) {
        d.txtspell()->setText(replacement);
        d.btnchange()->click();
    };
}

Step skip()
{
    return [](TjanSpellerF &d) { d.btnSkip()->click(); };
}

Step add(const QString &word)
{
    return [word](TjanSpellerF &d) {
        d.txtspell()->setText(word);
        d.btnAdd()->click();
    };
}

Step cancel()
{
    return [](TjanSpellerF &d) { d.btncancel()->click(); };
}

class SpellCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeFile(mainPath(), windows1250(QStringLiteral("a\r\nahoj\r\nden\r\nkůň\r\npěkný\r\nsvěte\r\nžluťoučký")));
        editor.show();
    }

    QString mainPath() const { return dir.filePath(QStringLiteral("slovník.dic")); }
    QString userPath() const { return dir.filePath(QStringLiteral("englishuser.dic")); }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray userFile() const
    {
        QFile file(userPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    SpellCommands &commands(QStringList suggestionDictionaries = {})
    {
        if (!m_commands)
            m_commands = std::make_unique<SpellCommands>(
                editor, prompter, SpellSettings{mainPath(), userPath(), suggestionDictionaries}, nullptr);
        return *m_commands;
    }

    // Runs the command with the dialog driven by `steps`.
    void check(std::vector<Step> steps)
    {
        prompter.answerDialog([steps](QDialog *dialog) {
            for (const Step &step : steps)
                step(*static_cast<TjanSpellerF *>(dialog));
        });
        commands().mPravopisClick();
    }

    // "<b>" marks bold text and "<i>" italic text up to the next "|", "\n" a paragraph break.
    void setDocument(const QString &marked)
    {
        editor.clearAll();
        QString plain;
        struct Run
        {
            int start;
            int length;
            StyleFlag style;
        };
        QList<Run> runs;
        for (qsizetype i = 0; i < marked.size(); ++i) {
            if (marked.mid(i, 3) == QLatin1String("<b>") || marked.mid(i, 3) == QLatin1String("<i>")) {
                runs.append({int(plain.size()), 0, marked[i + 1] == u'b' ? StyleBold : StyleItalic});
                i += 2;
            } else if (marked[i] == u'|') {
                runs.last().length = int(plain.size()) - runs.last().start;
            } else {
                plain += marked[i];
            }
        }
        editor.setText(plain);
        for (const Run &run : runs) {
            editor.setSelStart(run.start);
            editor.setSelLength(run.length);
            editor.setSelStyle(run.style);
        }
        editor.setSelStart(0);
        editor.setModified(false);
    }

    // The document as setDocument's marked text.
    QString marked()
    {
        const QString text = editor.text().replace(QLatin1String("\r\n"), QLatin1String("\n"));
        QString out;
        int open = 0;
        for (int i = 0; i < text.size(); ++i) {
            editor.setSelStart(i);
            editor.setSelLength(1);
            const int style = text[i] == u'\n' ? 0 : int(editor.selStyle());
            if (style != open && open)
                out += u'|';
            if (style != open && style)
                out += style == 1 ? QStringLiteral("<b>") : QStringLiteral("<i>");
            open = style;
            out += text[i];
        }
        if (open)
            out += u'|';
        return out;
    }

    void expectOnlyTheCompletionMessage()
    {
        ASSERT_EQ(prompter.callsOf(test::PromptCall::Kind::Message).size(), 1u);
        const test::PromptCall done = prompter.callsOf(test::PromptCall::Kind::Message).front();
        EXPECT_EQ(done.text, kDone);
        EXPECT_EQ(done.messageKind, MessageKind::Information);
        EXPECT_EQ(done.buttons, ButtonOk);
    }

    QTemporaryDir dir;
    RichEdit editor;
    test::ScriptedPrompter prompter;

private:
    std::unique_ptr<SpellCommands> m_commands;
};

} // namespace

TEST_F(SpellCommandsTest, AllWordsKnownEndsWithoutADialog)
{
    setDocument(QStringLiteral("Ahoj, <b>pěkný| den!\nžluťoučký kůň"));
    commands().mPravopisClick();
    EXPECT_TRUE(prompter.dialogNames().isEmpty());
    expectOnlyTheCompletionMessage();
    EXPECT_FALSE(editor.isModified());
}

TEST_F(SpellCommandsTest, WithoutAMainListTheCheckStopsAtOnce)
{
    QFile::remove(mainPath());
    setDocument(QStringLiteral("nevim"));
    commands().mPravopisClick();
    EXPECT_TRUE(prompter.dialogNames().isEmpty());
    EXPECT_EQ(prompter.messageTexts(), (QStringList{QStringLiteral("no dictionary loaded"), kDone}));
    EXPECT_EQ(prompter.calls().front().messageKind, MessageKind::Plain);
    EXPECT_EQ(prompter.calls().front().title, QStringLiteral("KORA Editor"));
}

TEST_F(SpellCommandsTest, CorrectionsReplaceOnlyTheWordsAndKeepTheirFormat)
{
    setDocument(QStringLiteral("Ahoj <b>svte|, <i>pkny| den\n\nkun a <b>dne|k"));
    check({typeAndChange(QStringLiteral("světe")), typeAndChange(QStringLiteral("pěkný")),
           typeAndChange(QStringLiteral("kůň")), skip()});
    EXPECT_EQ(marked(), QStringLiteral("Ahoj <b>světe|, <i>pěkný| den\n\nkůň a <b>dne|k"));
    EXPECT_TRUE(editor.isModified());
    expectOnlyTheCompletionMessage();

    editor.undoStep();
    EXPECT_EQ(marked(), QStringLiteral("Ahoj <b>svte|, <i>pkny| den\n\nkun a <b>dne|k")) << "one undo step";
}

TEST_F(SpellCommandsTest, AReplacementTakesTheFormatOfTheWordsFirstCharacter)
{
    setDocument(QStringLiteral("<b>sv|<i>te|"));
    check({typeAndChange(QStringLiteral("světe"))});
    EXPECT_EQ(marked(), QStringLiteral("<b>světe|"));
}

TEST_F(SpellCommandsTest, CancelAfterSeveralReplacementsLeavesTheDocumentAsItWas)
{
    setDocument(QStringLiteral("svte <b>pkny| kun"));
    check({typeAndChange(QStringLiteral("světe")), typeAndChange(QStringLiteral("pěkný")), add(QStringLiteral("kun")),
           cancel()});
    EXPECT_EQ(marked(), QStringLiteral("svte <b>pkny| kun"));
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(userFile(), "(none)") << "nothing is written";
    expectOnlyTheCompletionMessage();
}

TEST_F(SpellCommandsTest, TheUserListIsCreatedAtTheFirstAcceptedCheckAfterAnAddition)
{
    setDocument(QStringLiteral("Brno a Ostrava"));
    check({add(QStringLiteral("Brno")), cancel()});
    EXPECT_EQ(userFile(), "(none)");

    // The word added in the cancelled check is known now; the next accepted check writes it.
    prompter.clearCalls();
    check({add(QStringLiteral("OSTRAVA"))});
    EXPECT_EQ(userFile(), "brno\r\nostrava\r\n");
    EXPECT_EQ(editor.text(), QStringLiteral("Brno a Ostrava"));
    expectOnlyTheCompletionMessage();

    // A later run reads the list: nothing is unknown any more.
    SpellCommands again(editor, prompter, SpellSettings{mainPath(), userPath(), {}}, nullptr);
    prompter.clearCalls();
    again.mPravopisClick();
    EXPECT_TRUE(prompter.dialogNames().isEmpty());
}

TEST_F(SpellCommandsTest, AUserListThatCannotBeWrittenIsReportedAndTheCorrectionsStay)
{
    writeFile(userPath(), "stary\r\n");
    QFile::setPermissions(userPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    setDocument(QStringLiteral("svte Brno"));
    check({typeAndChange(QStringLiteral("světe")), add(QStringLiteral("brno"))});
    EXPECT_EQ(editor.text(), QStringLiteral("světe Brno"));
    EXPECT_EQ(userFile(), "stary\r\n");
    const QStringList messages = prompter.messageTexts();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(prompter.calls()[1].messageKind, MessageKind::Error);
    EXPECT_TRUE(messages[0].contains(userPath())) << messages[0].toStdString();
    EXPECT_EQ(messages[1], kDone);
}

TEST_F(SpellCommandsTest, AReadOnlyDocumentIsNotChecked)
{
    setDocument(QStringLiteral("svte"));
    editor.setReadOnly(true);
    commands().mPravopisClick();
    EXPECT_TRUE(prompter.calls().empty());
    EXPECT_EQ(editor.text(), QStringLiteral("svte"));
}

TEST_F(SpellCommandsTest, TheDialogOffersSuggestionsFromTheSpellingDictionaries)
{
    commands({QStringLiteral(KORA_TEST_DATA_DIR "/mini")});
    setDocument(QStringLiteral("Ahoj prilis"));
    QStringList offered;
    check({[&offered](TjanSpellerF &d) {
        for (int i = 0; i < d.lbNavrhy()->count(); ++i)
            offered << d.lbNavrhy()->item(i)->text();
        d.lbNavrhy()->setCurrentRow(0);
        d.txtspell()->setText(d.lbNavrhy()->item(0)->text());
        d.btnchange()->click();
    }});
    EXPECT_EQ(offered.value(0), QStringLiteral("příliš"));
    EXPECT_EQ(editor.text(), QStringLiteral("Ahoj příliš"));
}
