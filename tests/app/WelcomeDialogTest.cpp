#include "app/TfUvitani.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace kora;
using test::PromptCall;

namespace {

const QString kListName = QStringLiteral("Otevřené soubory.ini");

class FakeActions : public WelcomeActions
{
public:
    void saveDocument() override
    {
        ++saves;
        if (onSave)
            onSave();
    }
    bool openDocument(const QString &path, QString *error) override
    {
        opened << path;
        if (!openError.isEmpty()) {
            *error = openError;
            return false;
        }
        return true;
    }

    int saves = 0;
    std::function<void()> onSave;
    QStringList opened;
    QString openError;
};

class WelcomeDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }

    QString listPath() const { return QDir(home.path()).filePath(kListName); }

    QByteArray listBytes() const
    {
        QFile file(listPath());
        if (!file.open(QIODevice::ReadOnly))
            return "<missing>";
        return file.readAll();
    }

    void writeList(const QByteArray &bytes)
    {
        QFile file(listPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Shows the dialog through the prompter and lets `script` act on it.
    void run(TfUvitani &dialog, std::function<void(TfUvitani &)> script)
    {
        prompter.answerDialog([&](QDialog *) { script(dialog); });
        prompter.execDialog(&dialog);
    }

    test::TemporaryHome home;
    test::ScriptedPrompter prompter;
    FakeActions actions;

private:
};

TEST_F(WelcomeDialogTest, StartsWithNothingChosenAndTheListOff)
{
    TfUvitani dialog(prompter, actions);
    EXPECT_EQ(dialog.objectName(), "fUvitani");
    EXPECT_EQ(dialog.windowTitle(), "Vítejte");
    EXPECT_EQ(dialog.size(), QSize(439, 272));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "fixed size";
    EXPECT_FALSE(dialog.rbNovyUlozit()->isChecked());
    EXPECT_FALSE(dialog.rbNovy()->isChecked());
    EXPECT_FALSE(dialog.cbOtevrit()->isChecked());
    EXPECT_FALSE(dialog.lbDokumenty()->isEnabled());
    EXPECT_TRUE(dialog.cbZavrit()->isChecked());
    EXPECT_TRUE(dialog.button1()->isDefault());
    EXPECT_TRUE(prompter.calls().empty());
}

TEST_F(WelcomeDialogTest, OpenCheckBoxClearsTheRadiosAndSwitchesTheList)
{
    TfUvitani dialog(prompter, actions);
    const QColor background = dialog.palette().color(QPalette::Window);
    const auto listBase = [&] { return dialog.lbDokumenty()->palette().color(QPalette::Base); };
    EXPECT_EQ(listBase(), background);

    dialog.rbNovy()->click();
    dialog.cbOtevrit()->click();
    EXPECT_FALSE(dialog.rbNovy()->isChecked());
    EXPECT_FALSE(dialog.rbNovyUlozit()->isChecked());
    EXPECT_TRUE(dialog.lbDokumenty()->isEnabled());
    EXPECT_EQ(listBase(), QColor(Qt::white));

    dialog.rbNovyUlozit()->click();
    dialog.cbOtevrit()->click();
    EXPECT_FALSE(dialog.rbNovy()->isChecked());
    EXPECT_FALSE(dialog.rbNovyUlozit()->isChecked());
    EXPECT_FALSE(dialog.lbDokumenty()->isEnabled());
    EXPECT_EQ(listBase(), background);
}

TEST_F(WelcomeDialogTest, OpenWithoutAChosenEntryShowsAnErrorAndStaysOpen)
{
    TfUvitani dialog(prompter, actions);
    dialog.appendDocument(QStringLiteral("a.rtf"));
    bool openAfterOk = false;
    run(dialog, [&](TfUvitani &d) {
        d.cbOtevrit()->click();
        d.button1()->click();
        openAfterOk = d.isVisible();
    });
    EXPECT_TRUE(openAfterOk);
    EXPECT_TRUE(actions.opened.isEmpty());
    const auto messages = prompter.callsOf(PromptCall::Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].messageKind, MessageKind::Error);
    EXPECT_EQ(messages[0].title, "KORA Editor");
    EXPECT_EQ(messages[0].text, "Vyberte dokument ze seznamu.");
}

TEST_F(WelcomeDialogTest, OpenAsksTheMainWindowForTheChosenEntryAndCloses)
{
    TfUvitani dialog(prompter, actions);
    for (const char *path : {"a.rtf", "C:\\Dokumenty\\Příliš.rtf", "c.txt"})
        dialog.appendDocument(QString::fromUtf8(path));
    bool openAfterOk = true;
    run(dialog, [&](TfUvitani &d) {
        d.cbOtevrit()->click();
        d.lbDokumenty()->setCurrentRow(1);
        d.button1()->click();
        openAfterOk = d.isVisible();
    });
    EXPECT_FALSE(openAfterOk);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(actions.opened, QStringList{QStringLiteral("C:\\Dokumenty\\Příliš.rtf")});
    EXPECT_EQ(actions.saves, 0);
    EXPECT_TRUE(prompter.messageTexts().isEmpty());
}

TEST_F(WelcomeDialogTest, AFailedOpenShowsTheMainWindowsMessageAndStaysOpen)
{
    TfUvitani dialog(prompter, actions);
    dialog.appendDocument(QStringLiteral("gone.rtf"));
    actions.openError = QStringLiteral("Soubor gone.rtf nelze otevřít.");
    bool openAfterOk = false;
    run(dialog, [&](TfUvitani &d) {
        d.cbOtevrit()->click();
        d.lbDokumenty()->setCurrentRow(0);
        d.button1()->click();
        openAfterOk = d.isVisible();
    });
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(actions.opened, QStringList{QStringLiteral("gone.rtf")});
    EXPECT_EQ(prompter.messageTexts(), QStringList{actions.openError});
}

TEST_F(WelcomeDialogTest, NewAndSaveClosesFirstThenSaves)
{
    TfUvitani dialog(prompter, actions);
    dialog.appendDocument(QStringLiteral("a.rtf"));
    bool openAtSave = true;
    QByteArray listAtSave;
    actions.onSave = [&] {
        openAtSave = dialog.isVisible();
        listAtSave = listBytes();
    };
    run(dialog, [](TfUvitani &d) {
        d.rbNovyUlozit()->click();
        d.button1()->click();
    });
    EXPECT_EQ(actions.saves, 1);
    EXPECT_FALSE(openAtSave);
    EXPECT_EQ(listAtSave, "a.rtf\r\n") << "the dialog had closed, list written, before saving";
    EXPECT_TRUE(actions.opened.isEmpty());
}

TEST_F(WelcomeDialogTest, OkClosesOnlyWithSomethingChosen)
{
    struct Case
    {
        const char *name;
        std::function<void(TfUvitani &)> choose;
        bool closes;
    };
    const Case cases[] = {
        {"nothing chosen", [](TfUvitani &) {}, false},
        {"new document", [](TfUvitani &d) { d.rbNovy()->click(); }, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeActions caseActions;
        TfUvitani dialog(prompter, caseActions);
        bool openAfterOk = false;
        prompter.answerDialog([&](QDialog *) {
            c.choose(dialog);
            dialog.button1()->click();
            openAfterOk = dialog.isVisible();
        });
        prompter.execDialog(&dialog);
        EXPECT_EQ(openAfterOk, !c.closes);
        EXPECT_EQ(caseActions.saves, 0);
        EXPECT_TRUE(caseActions.opened.isEmpty());
        EXPECT_TRUE(prompter.messageTexts().isEmpty());
    }
}

TEST_F(WelcomeDialogTest, EveryCloseWritesTheWholeListWithCrLf)
{
    struct Case
    {
        const char *name;
        std::function<void(TfUvitani &)> close;
    };
    const Case cases[] = {
        {"Storno", [](TfUvitani &d) { d.bStorno()->click(); }},
        {"Esc", [](TfUvitani &d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close box", [](TfUvitani &d) { d.close(); }},
        {"new document", [](TfUvitani &d) {
             d.rbNovy()->click();
             d.button1()->click();
         }},
    };
    const QByteArray expected = QStringLiteral("old.rtf\r\nC:\\Dokumenty\\Příliš žluťoučký.rtf\r\nb.txt\r\nb.txt\r\n")
                                    .toUtf8();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeList("old.rtf\n");
        TfUvitani dialog(prompter, actions);
        dialog.appendDocument(QStringLiteral("C:\\Dokumenty\\Příliš žluťoučký.rtf"));
        dialog.appendDocument(QStringLiteral("b.txt"));
        dialog.appendDocument(QStringLiteral("b.txt"));
        bool openAfterClose = true;
        run(dialog, [&](TfUvitani &d) {
            c.close(d);
            openAfterClose = d.isVisible();
        });
        EXPECT_FALSE(openAfterClose);
        EXPECT_EQ(listBytes(), expected);
        EXPECT_TRUE(prompter.messageTexts().isEmpty());
    }
}

TEST_F(WelcomeDialogTest, ClosingANeverShownDialogWritesTheList)
{
    TfUvitani dialog(prompter, actions);
    dialog.appendDocument(QStringLiteral("a.rtf"));
    dialog.closeWithoutShowing();
    EXPECT_EQ(listBytes(), "a.rtf\r\n");
    EXPECT_TRUE(prompter.calls().empty());

    QFile::remove(listPath());
    TfUvitani empty(prompter, actions);
    empty.closeWithoutShowing();
    EXPECT_EQ(listBytes(), "") << "an empty list is written as an empty file";
}

TEST_F(WelcomeDialogTest, TheListIsReadFromTheProgramFolderWhenTheDialogIsCreated)
{
    writeList(QStringLiteral("první.rtf\r\ndruhý.txt\r\nprvní.rtf\r\n").toUtf8());
    TfUvitani dialog(prompter, actions);
    const QStringList expected = {QStringLiteral("první.rtf"), QStringLiteral("druhý.txt"),
                                  QStringLiteral("první.rtf")};
    EXPECT_EQ(dialog.documents(), expected);
    ASSERT_EQ(dialog.lbDokumenty()->count(), 3);
    EXPECT_EQ(dialog.lbDokumenty()->item(1)->text(), expected[1]);
    EXPECT_EQ(QFileInfo(dialog.listFilePath()), QFileInfo(listPath()));

    // The folder is fixed at creation: a later change of KORA_HOME does not move the list.
    QTemporaryDir elsewhere;
    qputenv("KORA_HOME", elsewhere.path().toLocal8Bit());
    dialog.appendDocument(QStringLiteral("třetí.rtf"));
    dialog.closeWithoutShowing();
    EXPECT_EQ(listBytes(), QStringLiteral("první.rtf\r\ndruhý.txt\r\nprvní.rtf\r\ntřetí.rtf\r\n").toUtf8());
    EXPECT_FALSE(QFile::exists(QDir(elsewhere.path()).filePath(kListName)));
}

TEST_F(WelcomeDialogTest, AFailedWriteIsReportedOnceAndTheDialogStillCloses)
{
    const QString folder = QDir(home.path()).filePath(QStringLiteral("gone"));
    ASSERT_TRUE(QDir().mkpath(folder));
    qputenv("KORA_HOME", folder.toLocal8Bit());
    TfUvitani dialog(prompter, actions);
    ASSERT_TRUE(QDir(folder).removeRecursively());

    bool openAfterClose = true;
    run(dialog, [&](TfUvitani &d) {
        d.bStorno()->click();
        openAfterClose = d.isVisible();
    });
    EXPECT_FALSE(openAfterClose);
    const auto messages = prompter.callsOf(PromptCall::Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].messageKind, MessageKind::Error);
    EXPECT_TRUE(messages[0].text.contains(kListName)) << messages[0].text.toStdString();
}

TEST_F(WelcomeDialogTest, AnUnreadableListIsReportedAtCreation)
{
    ASSERT_TRUE(QDir(home.path()).mkdir(kListName));
    TfUvitani dialog(prompter, actions);
    EXPECT_TRUE(dialog.documents().isEmpty());
    ASSERT_EQ(prompter.messageTexts().size(), 1);
    EXPECT_TRUE(prompter.messageTexts()[0].contains(kListName));
}

} // namespace
