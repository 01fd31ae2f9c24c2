// The document's file life cycle without a window: an editor that keeps its text in memory and
// reads and writes real files.
#include "app/DocumentController.h"
#include "app/recovery/RecoveryStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"
#include "text/SafeSave.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace kora;

namespace {

class MemoryEditor : public DocumentEditor
{
public:
    bool isModified() const override { return modified; }
    void setModified(bool on) override { modified = on; }
    bool isReadOnly() const override { return readOnly; }
    void setReadOnly(bool on) override { readOnly = on; }
    bool loadFromFile(const QString &path, QString *error) override
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("Soubor %1 nelze otevřít").arg(path);
            return false;
        }
        const QByteArray bytes = file.readAll();
        text = QString::fromUtf8(bytes);
        stamp = FileStamp::of(path, bytes);
        return true;
    }
    bool saveToFile(const QString &path, QString *error) override
    {
        if (!saveFileSafely(path, text.toUtf8(), QStringLiteral("Zápis selhal"), error))
            return false;
        stamp = FileStamp::of(path, text.toUtf8());
        return true;
    }
    bool saveSelectionToFile(const QString &path, QString *error) override
    {
        return saveFileSafely(path, QByteArray("selection"), QStringLiteral("Zápis selhal"), error);
    }
    void clearAll() override
    {
        text.clear();
        stamp = {};
        ++clears;
    }
    FileStamp fileStamp() const override { return stamp; }
    QByteArray documentRtf() const override { return text.toUtf8(); }
    QString formatName() const override { return QStringLiteral("memory"); }
    void restoreDocument(const QByteArray &rtf, const QString &format, const FileStamp &file) override
    {
        text = QString::fromUtf8(rtf);
        restoredFormat = format;
        stamp = file;
    }
    void type(const QString &more)
    {
        text += more;
        modified = true;
    }

    QString text;
    bool modified = false;
    bool readOnly = false;
    int clears = 0;
    FileStamp stamp;
    QString restoredFormat;
};

class DocumentControllerTest : public ::testing::Test
{
protected:
    QString file(const QString &name, const QByteArray &data)
    {
        const QString path = home.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(data);
        return path;
    }

    QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // Opens `path` with the Open command from an unmodified document.
    void open(const QString &path)
    {
        prompter.answerFile(FileChoice{path, 4});
        documents.open();
    }

    test::TemporaryHome home;
    test::ScriptedPrompter prompter;
    MemoryEditor editor;
    DocumentController documents{editor, prompter};
};

enum class Command { New, Open, Page, Recent, Close };
enum class Answer { Yes, YesSaveFails, YesDialogCancelled, No, Cancel };

struct QuestionCase
{
    const char *name;
    Command command;
    Answer answer;
    bool goesOn;
};

TEST_F(DocumentControllerTest, SaveQuestionLetsTheCallerGoOnOnlyWhenNothingIsLost)
{
    const QuestionCase cases[] = {
        {"New, Ano, saved", Command::New, Answer::Yes, true},
        {"New, Ano, save fails", Command::New, Answer::YesSaveFails, false},
        {"New, Ano, dialog cancelled", Command::New, Answer::YesDialogCancelled, false},
        {"New, Ne", Command::New, Answer::No, true},
        {"New, Storno", Command::New, Answer::Cancel, false},
        {"Open, Ano saves and opens nothing", Command::Open, Answer::Yes, false},
        {"Open, Ano, save fails", Command::Open, Answer::YesSaveFails, false},
        {"Open, Ne", Command::Open, Answer::No, true},
        {"Open, Storno", Command::Open, Answer::Cancel, false},
        {"page, Ano saves and opens nothing", Command::Page, Answer::Yes, false},
        {"page, Ano, save fails", Command::Page, Answer::YesSaveFails, false},
        {"page, Ne", Command::Page, Answer::No, true},
        {"page, Storno", Command::Page, Answer::Cancel, false},
        {"recent, Ano, saved", Command::Recent, Answer::Yes, true},
        {"recent, Ano, save fails", Command::Recent, Answer::YesSaveFails, false},
        {"recent, Ano, dialog cancelled", Command::Recent, Answer::YesDialogCancelled, false},
        {"recent, Ne", Command::Recent, Answer::No, true},
        {"recent, Storno", Command::Recent, Answer::Cancel, false},
        {"close, Ano, saved", Command::Close, Answer::Yes, true},
        {"close, Ano, save fails", Command::Close, Answer::YesSaveFails, false},
        {"close, Ano, dialog cancelled", Command::Close, Answer::YesDialogCancelled, false},
        {"close, Ne", Command::Close, Answer::No, true},
        {"close, Storno", Command::Close, Answer::Cancel, false},
    };
    const QString other = file("other.txt", "other");
    for (const QuestionCase &c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedPrompter prompter;
        MemoryEditor editor;
        DocumentController documents(editor, prompter);
        documents.loadRecentList(home.filePath("Recent.INI"));
        const QString doc = file(QStringLiteral("dir/%1.txt").arg(QString::fromUtf8(c.name)), "saved");
        // A titled document saves without a dialog; only the untitled one is asked for a name.
        if (c.answer != Answer::YesDialogCancelled) {
            prompter.answerFile(FileChoice{doc, 4});
            documents.open();
        }
        editor.type(" edited");
        const QString target = c.answer == Answer::YesSaveFails ? home.filePath("gone/x.txt") : doc;
        prompter.answerMessage(c.answer == Answer::No       ? ButtonNo
                               : c.answer == Answer::Cancel ? ButtonCancel
                                                            : ButtonYes);
        const bool dialogSave = c.command == Command::New || c.command == Command::Open || c.command == Command::Page;
        if (c.answer == Answer::YesDialogCancelled)
            prompter.answerFile(std::nullopt);
        else if (c.answer != Answer::No && c.answer != Answer::Cancel && dialogSave)
            prompter.answerFile(FileChoice{target, 4});
        if (c.answer == Answer::YesSaveFails && !dialogSave)
            QFile::setPermissions(doc, QFile::ReadOwner);
        if (c.command == Command::Open && c.answer == Answer::No)
            prompter.answerFile(FileChoice{other, 4});

        bool wentOn = false;
        switch (c.command) {
        case Command::New:
            documents.newDocument();
            wentOn = editor.clears == 1;
            break;
        case Command::Open:
            documents.open();
            wentOn = editor.text == "other";
            break;
        case Command::Page: {
            QString error;
            wentOn = documents.mayOpenOver() && documents.openUntitled(other, &error) && editor.text == "other";
            break;
        }
        case Command::Recent:
            documents.openRecent(other);
            wentOn = editor.text == "other";
            break;
        case Command::Close: wentOn = documents.queryClose(); break;
        }
        EXPECT_EQ(wentOn, c.goesOn);
        if (!c.goesOn) {
            EXPECT_TRUE(editor.text.endsWith(" edited")) << "the document stays";
            EXPECT_EQ(editor.isModified(), c.answer != Answer::Yes) << "only a save that worked clears the flag";
        }
        if (c.answer == Answer::Yes) {
            EXPECT_EQ(read(doc), "saved edited");
        }
        if (c.answer == Answer::YesSaveFails) {
            EXPECT_EQ(prompter.callsOf(test::PromptCall::Kind::Message).size(), 2u) << "the failure is reported";
        }
        QFile::setPermissions(doc, QFile::ReadOwner | QFile::WriteOwner);
    }
}

TEST_F(DocumentControllerTest, CaptionsFollowHowTheDocumentWasReached)
{
    const QString a = file("a.txt", "a");
    QSignalSpy captions(&documents, &DocumentController::captionChanged);
    EXPECT_EQ(documents.caption(), "KORA Editor - Bez Názvu");
    open(a);
    EXPECT_EQ(documents.caption(), "KORA Editor - ( " + a + " )") << "Open of an unmodified document";
    editor.type("!");
    documents.markModifiedInCaption();
    EXPECT_EQ(documents.caption(), "KORA Editor - ( " + a + "*)");
    documents.save();
    EXPECT_EQ(documents.caption(), "KORA Editor - ( " + a + " )");
    prompter.answerFile(FileChoice{home.filePath("b"), 2});
    documents.saveAs();
    EXPECT_EQ(documents.caption(), "KORA Editor - ( " + home.filePath("b.txt") + ")") << "the type's extension";
    prompter.answerFile(FileChoice{a, 4});
    documents.openReadOnly();
    EXPECT_EQ(documents.caption(), "KORA Editor - ( " + a + ") [Jen pro čtení]");
    EXPECT_TRUE(editor.readOnly);
    documents.newDocument();
    EXPECT_EQ(documents.caption(), "KORA Editor - Bez Názvu");
    EXPECT_EQ(captions.count(), 6);
}

TEST_F(DocumentControllerTest, PageOpensUntitledSoTheNextSaveNeverOverwritesTheUsersFile)
{
    documents.loadRecentList(home.filePath("Recent.INI"));
    const QString mine = file("mine.txt", "mine");
    const QString page = file("cache/temp.htm", "<html>page</html>");
    open(mine);
    editor.readOnly = true;
    QSignalSpy replaced(&documents, &DocumentController::documentReplaced);

    QString error;
    EXPECT_FALSE(documents.openUntitled(home.filePath("cache/missing.htm"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(documents.saveFileName(), mine) << "a failed load changes nothing";
    EXPECT_EQ(editor.text, "mine");

    ASSERT_TRUE(documents.openUntitled(page, &error));
    EXPECT_EQ(editor.text, "<html>page</html>");
    EXPECT_EQ(documents.caption(), "KORA Editor - Bez Názvu");
    EXPECT_EQ(documents.saveFileName(), "");
    EXPECT_FALSE(editor.isModified());
    EXPECT_FALSE(editor.readOnly) << "the page can be edited";
    EXPECT_EQ(documents.recentFiles(), QStringList{mine}) << "a downloaded page is no recent file";
    EXPECT_EQ(documents.openFileName(), mine);
    ASSERT_EQ(replaced.count(), 1);
    EXPECT_EQ(replaced.first().first().toString(), "") << "replaced by a new document";

    editor.type(" edited");
    prompter.answerFile(std::nullopt);
    EXPECT_FALSE(documents.save()) << "Save asks for a name";
    EXPECT_EQ(prompter.callsOf(test::PromptCall::Kind::File).back().file.dialogName, "sdUlozit");
    EXPECT_EQ(read(mine), "mine");
    documents.autosave();
    EXPECT_EQ(read(mine), "mine") << "nor does the autosave write it";
}

TEST_F(DocumentControllerTest, RecentListKeepsSevenWithoutCaseDuplicatesAndIsWrittenAtEveryClose)
{
    QStringList paths;
    for (int i = 0; i < 8; ++i)
        paths << file(QStringLiteral("f%1.txt").arg(i), "x");
    documents.loadRecentList(home.filePath("Recent.INI"));
    for (const QString &path : paths)
        open(path);
    ASSERT_EQ(documents.recentFiles().size(), 7);
    EXPECT_EQ(documents.recentFiles().first(), paths.last());
    EXPECT_FALSE(documents.recentFiles().contains(paths.first()));
    open(file("F3.TXT", "x"));
    EXPECT_EQ(documents.recentFiles().first(), home.filePath("F3.TXT")) << "the new spelling moves to the front";
    EXPECT_EQ(documents.recentFiles().size(), 7);

    editor.type("unsaved");
    prompter.answerMessage(ButtonCancel);
    EXPECT_FALSE(documents.queryClose());
    EXPECT_TRUE(read(home.filePath("Recent.INI")).startsWith(home.filePath("F3.TXT").toUtf8() + "\r\n"))
        << "written also when the close is cancelled";

    // A longer file is cut to seven at start-up.
    file("Long.INI", QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n"));
    DocumentController next(editor, prompter);
    next.loadRecentList(home.filePath("Long.INI"));
    EXPECT_EQ(next.recentFiles().size(), 7);
}

TEST_F(DocumentControllerTest, RecentListThatCannotBeWrittenIsReportedOnceAndClosingGoesOn)
{
    documents.loadRecentList(home.filePath("no/folder/Recent.INI"));
    EXPECT_TRUE(documents.queryClose());
    EXPECT_TRUE(documents.queryClose());
    EXPECT_EQ(prompter.callsOf(test::PromptCall::Kind::Message).size(), 1u);
}

TEST_F(DocumentControllerTest, AutosaveWritesOnlyATitledModifiedWritableDocument)
{
    editor.type("untitled");
    documents.autosave();
    EXPECT_TRUE(prompter.calls().empty()) << "an untitled document is never saved automatically";

    const QString path = file("auto.txt", "a");
    prompter.answerMessage(ButtonNo);
    open(path);
    documents.autosave();
    EXPECT_EQ(read(path), "a") << "nothing changed";
    editor.type("b");
    documents.autosave();
    EXPECT_EQ(read(path), "ab");
    EXPECT_FALSE(editor.isModified());

    editor.type("c");
    editor.readOnly = true;
    documents.autosave();
    EXPECT_EQ(read(path), "ab") << "never a document opened read-only";
}

struct DiskChange
{
    const char *name;
    std::function<void(const QString &path)> change;
    bool asks;
};

TEST_F(DocumentControllerTest, SaveAsksBeforeOverwritingAFileChangedOnDisk)
{
    const auto setTime = [](const QString &path, const QDateTime &time) {
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(time, QFileDevice::FileModificationTime);
    };
    const DiskChange changes[] = {
        {"nothing changed", [](const QString &) {}, false},
        {"another program wrote more",
         [this](const QString &path) { file(QFileInfo(path).fileName(), "saved, then more"); }, true},
        {"the same size and time, other content",
         [&](const QString &path) {
             const QDateTime time = QFileInfo(path).lastModified();
             file(QFileInfo(path).fileName(), "SAVED");
             setTime(path, time);
         },
         true},
        {"only touched", [&](const QString &path) { setTime(path, QDateTime::currentDateTime().addSecs(30)); }, true},
        {"deleted", [](const QString &path) { QFile::remove(path); }, false},
    };
    for (const DiskChange &c : changes) {
        SCOPED_TRACE(c.name);
        const QString path = file(QStringLiteral("disk-%1.txt").arg(&c - changes), "saved");
        open(path);
        editor.type(" edited");
        c.change(path);
        const QByteArray onDisk = read(path);
        if (c.asks) {
            prompter.answerMessage(ButtonNo);
            EXPECT_FALSE(documents.save());
            ASSERT_EQ(prompter.messageTexts(), QStringList{DocumentController::kChangedOnDisk});
            EXPECT_EQ(prompter.calls().back().messageKind, MessageKind::Warning);
            EXPECT_EQ(prompter.calls().back().buttons, ButtonYes | ButtonNo);
            EXPECT_EQ(read(path), onDisk) << "Ne leaves the file";
            EXPECT_TRUE(editor.isModified()) << "and the document";
            prompter.answerMessage(ButtonYes);
        }
        EXPECT_TRUE(documents.save());
        EXPECT_EQ(read(path), "saved edited");
        EXPECT_EQ(prompter.messageTexts().size(), c.asks ? 2 : 0);
        editor.type("!");
        EXPECT_TRUE(documents.save()) << "what it wrote itself is no change";
        EXPECT_EQ(prompter.messageTexts().size(), c.asks ? 2 : 0);
        prompter.clearCalls();
    }
}

TEST_F(DocumentControllerTest, AutosaveLeavesAFileChangedOnDiskAndSaysSoOnce)
{
    const QString path = file("auto.txt", "a");
    open(path);
    editor.type("b");
    file("auto.txt", "changed elsewhere");
    documents.autosave();
    documents.autosave();
    EXPECT_EQ(read(path), "changed elsewhere");
    EXPECT_TRUE(editor.isModified());
    ASSERT_EQ(prompter.messageTexts().size(), 1);
    EXPECT_TRUE(prompter.messageTexts().first().contains(path)) << prompter.messageTexts().first().toStdString();
    EXPECT_EQ(prompter.calls().back().buttons, PromptButtons(ButtonOk));

    prompter.answerMessage(ButtonYes);
    ASSERT_TRUE(documents.save());
    editor.type("c");
    documents.autosave();
    EXPECT_EQ(read(path), "abc") << "saved over once the user said so";
    editor.type("d");
    file("auto.txt", "changed again");
    documents.autosave();
    EXPECT_EQ(prompter.messageTexts().size(), 3) << "a new change is told again";
}

class RecoveryCopiesTest : public DocumentControllerTest
{
protected:
    RecoveryCopiesTest() { documents.setRecoveryStore(&store); }

    QByteArray copy() { return read(store.copyPath(store.id())); }
    bool hasCopy() { return QFile::exists(store.copyPath(store.id())); }

    RecoveryStore store{home.filePath("recovery")};
};

TEST_F(RecoveryCopiesTest, AModifiedDocumentGetsACopyThatACleanEndRemoves)
{
    documents.documentChanged();
    EXPECT_FALSE(documents.recoveryPending()) << "nothing to keep";
    editor.type("first");
    documents.documentChanged();
    EXPECT_TRUE(documents.recoveryPending());
    EXPECT_EQ(documents.recoveryInterval(), 60000);
    documents.updateRecoveryCopy();
    EXPECT_EQ(copy(), "first") << "untitled documents too";
    EXPECT_FALSE(documents.recoveryPending());

    const QString path = home.filePath("saved.txt");
    prompter.answerFile(FileChoice{path, 4});
    ASSERT_TRUE(documents.save());
    EXPECT_FALSE(hasCopy()) << "saved";

    editor.type(" second");
    documents.updateRecoveryCopy();
    EXPECT_EQ(copy(), "first second");
    prompter.answerMessage(ButtonCancel);
    EXPECT_FALSE(documents.queryClose());
    EXPECT_TRUE(hasCopy()) << "Storno keeps the document and its copy";
    prompter.answerMessage(ButtonNo);
    documents.newDocument();
    EXPECT_FALSE(hasCopy()) << "Ne gave the changes up";

    editor.type("third");
    documents.updateRecoveryCopy();
    prompter.answerMessage(ButtonNo);
    EXPECT_TRUE(documents.queryClose());
    EXPECT_FALSE(hasCopy()) << "closed with Ne";

    editor.type("undone");
    documents.updateRecoveryCopy();
    editor.modified = false;
    documents.updateRecoveryCopy();
    EXPECT_FALSE(hasCopy()) << "undone back to the saved state";
}

TEST_F(RecoveryCopiesTest, TheIntervalComesFromTheEnvironmentAndEndsInACopy)
{
    qputenv("KORA_RECOVERY_INTERVAL", "1");
    DocumentController timed(editor, prompter);
    qunsetenv("KORA_RECOVERY_INTERVAL");
    timed.setRecoveryStore(&store);
    EXPECT_EQ(timed.recoveryInterval(), 1000);
    editor.type("typed");
    timed.documentChanged();
    EXPECT_FALSE(hasCopy());
    EXPECT_TRUE(QTest::qWaitFor([this] { return hasCopy(); }, 5000));
    EXPECT_EQ(copy(), "typed");
}

TEST_F(RecoveryCopiesTest, TheEndOfTheSessionKeepsTheCopyAndClosesWithoutQuestions)
{
    const QString path = file("doc.txt", "doc");
    open(path);
    editor.type(" unsaved");
    documents.endSession();
    EXPECT_EQ(copy(), "doc unsaved") << "written at once";
    editor.type("!");
    documents.documentChanged();
    EXPECT_FALSE(documents.recoveryPending());
    EXPECT_TRUE(documents.queryClose());
    EXPECT_TRUE(prompter.messageTexts().isEmpty());
    EXPECT_EQ(copy(), "doc unsaved") << "left for the next start";
    EXPECT_EQ(read(path), "doc");
}

TEST_F(RecoveryCopiesTest, ACopyThatCannotBeWrittenIsReportedOnce)
{
    file("not-a-folder", "x");
    RecoveryStore blocked(home.filePath("not-a-folder/recovery"));
    documents.setRecoveryStore(&blocked);
    editor.type("text");
    documents.updateRecoveryCopy();
    documents.updateRecoveryCopy();
    ASSERT_EQ(prompter.messageTexts().size(), 1);
    EXPECT_TRUE(prompter.messageTexts().first().contains(home.filePath("not-a-folder/recovery")))
        << prompter.messageTexts().first().toStdString();
    EXPECT_EQ(prompter.calls().front().messageKind, MessageKind::Warning);
}

TEST_F(RecoveryCopiesTest, ARestoredCopyIsTheModifiedDocumentOfItsFile)
{
    const QString path = file("original.txt", "original");
    RecoveryCopy left;
    left.fileName = path;
    left.format = QStringLiteral("text:utf-8:lf");
    left.readOnly = true;
    left.file = FileStamp::read(path);
    left.rtf = "restored text";
    ASSERT_TRUE(documents.restoreRecoveryCopy(left));
    EXPECT_EQ(editor.text, "restored text");
    EXPECT_EQ(editor.restoredFormat, "text:utf-8:lf");
    EXPECT_TRUE(editor.isModified());
    EXPECT_TRUE(editor.isReadOnly());
    EXPECT_EQ(documents.saveFileName(), path);
    EXPECT_EQ(documents.caption(), "KORA Editor - ( " + path + "*)");
    EXPECT_EQ(copy(), "restored text") << "this instance keeps its own copy";

    ASSERT_TRUE(documents.save());
    EXPECT_EQ(read(path), "restored text") << "Uložit writes the original";
    EXPECT_TRUE(prompter.calls().empty());
    EXPECT_FALSE(hasCopy());

    left.file = FileStamp::read(path);
    file("original.txt", "changed after the crash");
    ASSERT_TRUE(documents.restoreRecoveryCopy(left));
    prompter.answerMessage(ButtonNo);
    EXPECT_FALSE(documents.save());
    EXPECT_EQ(prompter.messageTexts(), QStringList{DocumentController::kChangedOnDisk})
        << "the file changed since the copy's document last saw it";

    RecoveryCopy untitled;
    untitled.rtf = "untitled";
    ASSERT_TRUE(documents.restoreRecoveryCopy(untitled));
    EXPECT_EQ(documents.caption(), DocumentController::kUntitledCaption);
    EXPECT_TRUE(documents.saveFileName().isEmpty());
}

} // namespace
