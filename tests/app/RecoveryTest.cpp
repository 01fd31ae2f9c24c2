// Recovery copies: the store shared by every running instance, and the dialog that offers what
// a process that is gone left behind.
#include "app/recovery/RecoveryStore.h"
#include "app/recovery/TObnoveni.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace kora;

namespace {

RecoveryCopy copyOf(const QString &fileName, const QByteArray &rtf)
{
    RecoveryCopy copy;
    copy.fileName = fileName;
    copy.format = QStringLiteral("rtf:utf-8:crlf");
    copy.rtf = rtf;
    return copy;
}

// A process that writes `copy` into `folder` and is then killed, as a crash would end it.
void crashWithCopy(const QString &folder, const RecoveryCopy &copy)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecoveryStore store(folder);
        QString error;
        if (!store.write(copy, &error))
            _exit(1);
        raise(SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child could not write its copy";
}

QStringList idsOf(const QList<RecoveryCopy> &copies)
{
    QStringList ids;
    for (const RecoveryCopy &copy : copies)
        ids.append(copy.id);
    return ids;
}

class RecoveryStoreTest : public ::testing::Test
{
protected:
    QString folder() const { return home.recoveryPath(); }

    test::TemporaryHome home;
};

TEST_F(RecoveryStoreTest, OnlyCopiesOfProcessesThatAreGoneAreOfferedAndToOneInstanceAtATime)
{
    RecoveryStore running(folder());
    QString error;
    ASSERT_TRUE(running.write(copyOf("/running.rtf", "{\\rtf1 running}"), &error)) << error.toStdString();

    RecoveryCopy crashed = copyOf(home.filePath("doc.txt"), "{\\rtf1 P\\u345?\\'edli\\b \\'9elu\\b0 ou\\u269?k\\'fd}");
    crashed.format = QStringLiteral("text:windows-1250:lf");
    crashed.readOnly = true;
    crashed.file = FileStamp{home.filePath("doc.txt"), true, 42, 1700000000123, QByteArray(32, '\x7f')};
    crashWithCopy(folder(), crashed);

    RecoveryStore first(folder());
    const QList<RecoveryCopy> offered = first.claimOrphans();
    ASSERT_EQ(offered.size(), 1) << "never the copy of an instance that still runs";
    EXPECT_EQ(offered[0].fileName, crashed.fileName);
    EXPECT_EQ(offered[0].format, crashed.format);
    EXPECT_TRUE(offered[0].readOnly);
    EXPECT_EQ(offered[0].file, crashed.file);
    EXPECT_EQ(offered[0].rtf, crashed.rtf);
    EXPECT_TRUE(offered[0].written.isValid());

    RecoveryStore second(folder());
    EXPECT_TRUE(second.claimOrphans().isEmpty()) << "claimed by the first start";
    first.releaseOrphans();
    const QList<RecoveryCopy> again = second.claimOrphans();
    EXPECT_EQ(idsOf(again), idsOf(offered)) << "let go, offered at a later start";
    second.discard(again[0].id);
    EXPECT_FALSE(QFile::exists(second.copyPath(again[0].id)));
    EXPECT_FALSE(QFile::exists(second.infoPath(again[0].id)));
    EXPECT_FALSE(QFile::exists(second.lockPath(again[0].id)));
    EXPECT_TRUE(RecoveryStore(folder()).claimOrphans().isEmpty());
    EXPECT_TRUE(QFile::exists(running.copyPath(running.id())));
}

TEST_F(RecoveryStoreTest, AnInstanceThatEndsKeepsItsCopyOnlyWhileItIsNeeded)
{
    QString error;
    QString keptId;
    {
        RecoveryStore saved(folder());
        ASSERT_TRUE(saved.write(copyOf("", "{\\rtf1 saved}"), &error));
        saved.removeCopy();
        RecoveryStore ended(folder());
        ASSERT_TRUE(ended.write(copyOf("", "{\\rtf1 first}"), &error));
        ASSERT_TRUE(ended.write(copyOf("", "{\\rtf1 second}"), &error));
        keptId = ended.id();
    }
    const QStringList left = QDir(folder()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, (QStringList{keptId + ".info", keptId + ".rtf"})) << "no lock file, nothing of the saved one";
    RecoveryStore next(folder());
    const QList<RecoveryCopy> offered = next.claimOrphans();
    ASSERT_EQ(offered.size(), 1);
    EXPECT_EQ(offered[0].rtf, "{\\rtf1 second}") << "the last copy written";
}

TEST_F(RecoveryStoreTest, DamagedLeftoversNeverStopTheStart)
{
    QDir().mkpath(folder());
    const auto put = [this](const QString &name, const QByteArray &bytes) {
        QFile file(folder() + '/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    put("a.rtf", "{\\rtf1 without info}");
    put("b.rtf", "{\\rtf1 damaged info}");
    put("b.info", "{\"fileName\": 7, \"readOnly\": \"yes\", \"fileHash\": [");
    put("c.info", "{\"fileName\": \"/gone.txt\"}");
    put("d.lock", "99999999\n");
    put("e.rtf", "");
    put("e.lock", "not a process id");
    RecoveryStore store(folder());
    const QList<RecoveryCopy> offered = store.claimOrphans();
    QStringList ids = idsOf(offered);
    ids.sort();
    EXPECT_EQ(ids, (QStringList{"a", "b", "e"}));
    for (const RecoveryCopy &copy : offered) {
        SCOPED_TRACE(copy.id.toStdString());
        EXPECT_TRUE(copy.fileName.isEmpty()) << "offered as an untitled document";
        EXPECT_FALSE(copy.readOnly);
        EXPECT_FALSE(copy.file.exists);
        EXPECT_TRUE(copy.written.isValid());
    }
    EXPECT_FALSE(QFile::exists(folder() + "/c.info")) << "nothing to offer: cleared away";
    EXPECT_FALSE(QFile::exists(folder() + "/d.lock"));
}

class RecoveryDialogTest : public RecoveryStoreTest
{
protected:
    // Three copies left by crashed processes, oldest first.
    void leaveCopies()
    {
        crashWithCopy(folder(), copyOf(home.filePath("dopis.kora"), "{\\rtf1 V\\'e1\\'9een\\'fd pane,}"));
        QTest::qWait(5);
        crashWithCopy(folder(), copyOf("", "{\\rtf1 N\\'e1kupn\\'ed seznam}"));
        QTest::qWait(5);
        crashWithCopy(folder(), copyOf(home.filePath("zápis.txt"), "{\\rtf1 Z\\'e1pis z porady}"));
    }

    QStringList leftTexts()
    {
        RecoveryStore look(folder());
        QStringList texts;
        for (const RecoveryCopy &copy : look.claimOrphans())
            texts.append(QString::fromLatin1(copy.rtf));
        return texts;
    }

    test::ScriptedPrompter prompter;
};

TEST_F(RecoveryDialogTest, TheUserRestoresOneDiscardsAnotherAndLeavesTheRest)
{
    leaveCopies();
    RecoveryStore store(folder());
    QStringList restored;
    prompter.answerMessage(ButtonNo);
    prompter.answerMessage(ButtonYes);
    prompter.answerDialog([&](QDialog *shown) {
        auto *dialog = qobject_cast<TObnoveni *>(shown);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Obnovení dokumentů");
        QListWidget *list = dialog->lbKopie();
        ASSERT_EQ(list->count(), 3);
        EXPECT_TRUE(list->item(0)->text().startsWith("dopis.kora (" + home.path() + "), uloženo "));
        EXPECT_TRUE(list->item(0)->text().endsWith("\nVážený pane,")) << list->item(0)->text().toStdString();
        EXPECT_TRUE(list->item(1)->text().startsWith("Bez Názvu, uloženo "));
        dialog->show();
        dialog->grab().save(QDir::temp().filePath("kora-obnoveni.png"));

        list->setCurrentRow(1);
        QTest::mouseClick(dialog->bZahodit(), Qt::LeftButton);
        EXPECT_EQ(list->count(), 3) << "Ne keeps it";
        QTest::mouseClick(dialog->bZahodit(), Qt::LeftButton);
        ASSERT_EQ(list->count(), 2);
        EXPECT_TRUE(list->item(1)->text().startsWith("zápis.txt"));
        list->setCurrentRow(1);
        QTest::mouseClick(dialog->bObnovit(), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
    });
    offerRecoveryCopies(store, prompter, nullptr, [&](const RecoveryCopy &copy) {
        restored.append(copy.fileName);
        return true;
    });
    EXPECT_EQ(restored, QStringList{home.filePath("zápis.txt")});
    ASSERT_EQ(prompter.messageTexts(),
              (QStringList{"Zahodit neuložený dokument „Bez Názvu“? Jeho obsah bude ztracen.",
                           "Zahodit neuložený dokument „Bez Názvu“? Jeho obsah bude ztracen."}));
    EXPECT_EQ(prompter.callsOf(test::PromptCall::Kind::Message)[0].messageKind, MessageKind::Confirmation);
    EXPECT_EQ(leftTexts(), QStringList{"{\\rtf1 V\\'e1\\'9een\\'fd pane,}"}) << "only the one left alone stays";
}

TEST_F(RecoveryDialogTest, ACopyStaysWhenItCannotBeTakenOverOrTheUserWaits)
{
    leaveCopies();
    {
        RecoveryStore store(folder());
        prompter.answerDialog(
            [](QDialog *shown) { QTest::mouseClick(static_cast<TObnoveni *>(shown)->bObnovit(), Qt::LeftButton); });
        offerRecoveryCopies(store, prompter, nullptr, [](const RecoveryCopy &) { return false; });
    }
    EXPECT_EQ(leftTexts().size(), 3) << "restoring failed: the old copy is still needed";
    {
        RecoveryStore store(folder());
        prompter.answerDialog(
            [](QDialog *shown) { QTest::mouseClick(static_cast<TObnoveni *>(shown)->bPozdeji(), Qt::LeftButton); });
        offerRecoveryCopies(store, prompter, nullptr, [](const RecoveryCopy &) { return true; });
    }
    EXPECT_EQ(leftTexts().size(), 3) << "Později";
    RecoveryStore empty(home.filePath("empty"));
    offerRecoveryCopies(empty, prompter, nullptr, [](const RecoveryCopy &) { return true; });
    EXPECT_EQ(prompter.dialogNames(), (QStringList{"Obnoveni", "Obnoveni"})) << "nothing shown without copies";
}

} // namespace
