#include "exchange/SendCommands.h"
#include "exchange/MakerLinks.h"
#include "exchange/Taplikace.h"
#include "exchange/Tdisketa.h"
#include "platform/FloppyDrive.h"
#include "platform/MailClient.h"
#include "platform/Shell.h"
#include "richedit/RichEdit.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kora {
namespace {

using test::PromptCall;

const QString kFloppyFailed = QStringLiteral("Při ukládání souboru na jednotku došlo k chybě!!!!!");

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Types as the user does, Czech letters included.
void typeInto(QWidget *field, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80)
            QTest::keyClick(field, ch.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key(ch.toUpper().unicode()), QString(ch), Qt::NoModifier);
    }
}

class RecordingMail : public MailClient
{
public:
    MailResult compose(const MailMessage &message) override
    {
        sent.push_back(message);
        attachmentsAtSend.push_back({});
        for (const QString &path : message.attachments)
            attachmentsAtSend.back() << QString::fromLatin1(read(path));
        return answer;
    }
    std::vector<MailMessage> sent;
    std::vector<QStringList> attachmentsAtSend; // the files' contents when they were handed over
    MailResult answer;
};

class RecordingShell : public Shell
{
public:
    bool startDetached(const QString &, const QStringList &) override { return true; }
    bool openUrl(const QString &address) override
    {
        opened << address;
        return works;
    }
    QStringList opened;
    bool works = true;
};

class Medium : public FloppyDrive
{
public:
    std::optional<QString> folder() const override { return path; }
    std::optional<QString> path;
};

class Sending : public ::testing::Test
{
protected:
    Sending()
    {
        editor.setText(QStringLiteral("První řádek\r\nDruhý"));
        editor.select(0, 5);
        editor.setSelStyle(StyleBold);
        commands.setDialogs(&floppy, &about);
        floppy.setDrive(&medium);
        about.setShell(&shell);
        QDir().mkpath(mediumDir);
        medium.path = mediumDir;
    }

    // The user types `name` into the floppy dialog and presses "Uložit"; `after` looks at the
    // dialog before it is closed.
    void saveToFloppy(const QString &name, std::function<void()> after = {})
    {
        prompter.answerDialog([&](QDialog *shown) {
            EXPECT_EQ(shown, &floppy);
            QLineEdit *edit = floppy.cbcesta()->lineEdit();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            typeInto(edit, name);
            QTest::mouseClick(floppy.Button2(), Qt::LeftButton);
            if (after)
                after();
        });
        commands.DisketaAClick();
    }

    test::TemporaryHome home;
    QString mediumDir = home.filePath(QStringLiteral("medium"));
    test::ScriptedPrompter prompter;
    RichEdit editor;
    RecordingMail mail;
    RecordingShell shell;
    Medium medium;
    SendCommands commands{editor, prompter, shell, mail};
    Tdisketa floppy{editor, prompter};
    Taplikace about{prompter};
};

TEST_F(Sending, EveryMessageStartsEmptyWithTheTextOrTheRtfFile)
{
    commands.PrilohaEmalClick();
    commands.mObsahTextuClick();
    commands.PrilohaEmalClick();
    editor.setText(QStringLiteral("změna"));
    commands.PrilohaEmalClick();

    const QString attachment = QDir(home.cachePath()).filePath(QStringLiteral("bez_nazvu.rtf"));
    ASSERT_EQ(mail.sent.size(), 4u);
    for (size_t i : {0u, 2u, 3u}) {
        EXPECT_EQ(mail.sent[i].attachments, QStringList{attachment}) << "attached once, send " << i;
        EXPECT_TRUE(mail.sent[i].body.isEmpty()) << "no leftover body, send " << i;
        EXPECT_TRUE(mail.sent[i].subject.isEmpty());
    }
    EXPECT_EQ(mail.sent[1].body, "První řádek\r\nDruhý");
    EXPECT_TRUE(mail.sent[1].attachments.isEmpty()) << "no leftover attachment";
    EXPECT_TRUE(mail.attachmentsAtSend[0][0].startsWith("{\\rtf1")) << "the attachment is RTF";
    EXPECT_TRUE(mail.attachmentsAtSend[0][0].contains("\\b")) << "with its formatting";
    EXPECT_TRUE(mail.attachmentsAtSend[3][0].contains("zm")) << "saved afresh for every send";
    EXPECT_TRUE(prompter.messageTexts().isEmpty());
}

TEST_F(Sending, MailFailuresGoToTheErrorBoxAndACancelSaysNothing)
{
    mail.answer = {1, QString()};
    commands.mObsahTextuClick();
    EXPECT_TRUE(prompter.messageTexts().isEmpty());

    mail.answer = {2, mailErrorText(2)};
    commands.PrilohaEmalClick();
    const auto boxes = prompter.callsOf(PromptCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].messageKind, MessageKind::Error);
    EXPECT_EQ(boxes[0].title, "KORA Editor");
    EXPECT_EQ(boxes[0].text, "MAPI Error: (2) \"General MAPI failure\"");
}

TEST_F(Sending, AnAttachmentThatCannotBeSavedIsNotSent)
{
    const QString attachment = QDir(home.cachePath()).filePath(QStringLiteral("bez_nazvu.rtf"));
    QDir().mkpath(attachment);
    commands.PrilohaEmalClick();
    EXPECT_TRUE(mail.sent.empty());
    ASSERT_EQ(prompter.callsOf(PromptCall::Kind::Message).size(), 1u);
    EXPECT_EQ(prompter.callsOf(PromptCall::Kind::Message)[0].messageKind, MessageKind::Error);
}

TEST_F(Sending, FloppySavesByExtensionOntoTheMediumAndRemembersEachName)
{
    saveToFloppy(QStringLiteral("dopis.rtf"), [&] { EXPECT_FALSE(floppy.isVisible()); });
    EXPECT_TRUE(read(QDir(mediumDir).filePath(QStringLiteral("dopis.rtf"))).startsWith("{\\rtf1"));
    saveToFloppy(QStringLiteral("poznámka.txt"));
    EXPECT_EQ(QString::fromUtf8(read(QDir(mediumDir).filePath(QStringLiteral("poznámka.txt")))),
              "První řádek\r\nDruhý");
    saveToFloppy(QStringLiteral("dopis.rtf"));

    EXPECT_EQ(floppy.history(), (QStringList{"dopis.rtf", "poznámka.txt", "dopis.rtf"}));
    EXPECT_EQ(read(floppy.historyPath()), QStringLiteral("dopis.rtf\r\npoznámka.txt\r\ndopis.rtf\r\n").toUtf8());
    EXPECT_EQ(floppy.historyPath(), home.filePath(QStringLiteral("Uložit na disketu.INI")));
    EXPECT_TRUE(QDir(QDir::currentPath()).entryList({"dopis.rtf"}).isEmpty()) << "no copy in the current folder";
    EXPECT_TRUE(prompter.messageTexts().isEmpty());

    Tdisketa again(editor, prompter);
    EXPECT_EQ(again.history(), floppy.history()) << "the list comes back at the next start";
}

TEST_F(Sending, FloppyFailuresKeepTheDialogOpenAndAddNothing)
{
    QDir(mediumDir).mkdir(QStringLiteral("složka.rtf"));
    struct Case
    {
        const char *name;
        const char *typed;
        bool medium;
    };
    const Case cases[] = {
        {"no medium", "dopis.rtf", false},
        {"a folder of that name", "složka.rtf", true},
        {"a path out of the medium", "../dopis.rtf", true},
        {"a sub-folder", "složka.rtf/dopis.rtf", true},
        {"a backslash", "a\\dopis.rtf", true},
        {"the parent", "..", true},
        {"nothing", "", true},
    };
    for (const Case &c : cases) {
        medium.path = c.medium ? std::optional<QString>(mediumDir) : std::nullopt;
        prompter.clearCalls();
        saveToFloppy(QString::fromUtf8(c.typed), [&] {
            EXPECT_TRUE(floppy.isVisible()) << c.name;
            EXPECT_EQ(floppy.cbcesta()->currentText(), QString::fromUtf8(c.typed)) << c.name;
        });
        const auto boxes = prompter.callsOf(PromptCall::Kind::Message);
        ASSERT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes[0].messageKind, MessageKind::Error) << c.name;
        EXPECT_EQ(boxes[0].text, kFloppyFailed) << c.name;
        EXPECT_TRUE(floppy.history().isEmpty()) << c.name;
    }
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("dopis.rtf")))) << "nothing written beside the medium";
    EXPECT_EQ(QDir(mediumDir).entryList(QDir::Files), QStringList{}) << "nor on it";
    EXPECT_EQ(read(floppy.historyPath()), "") << "closing writes the list all the same";
}

TEST_F(Sending, MakerLinksOpenTheHomePageAndSupportMail)
{
    commands.WWWKORAEditoru1Click();
    commands.Kontaktovatpodporu1Click();
    QTest::mouseClick(about.Label6(), Qt::LeftButton);
    QTest::mouseClick(about.Label8(), Qt::LeftButton);
    EXPECT_EQ(shell.opened, (QStringList{
                                QStringLiteral("http://") + MakerLinks::homePage(),
                                "mailto:" + MakerLinks::kSupportEmail + "?subject=KORA.Editor1.1.8",
                                QStringLiteral("http://") + MakerLinks::homePage(),
                                "mailto:" + MakerLinks::kSupportEmail + "?subject=KORA%20Editor%20verze%201.1.8",
                            }));
    EXPECT_TRUE(prompter.messageTexts().isEmpty());

    shell.works = false;
    commands.WWWKORAEditoru1Click();
    QTest::mouseClick(about.Label6(), Qt::LeftButton);
    commands.Kontaktovatpodporu1Click();
    const auto boxes = prompter.callsOf(PromptCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 2u) << "the mail links say nothing";
    for (const PromptCall &box : boxes) {
        EXPECT_EQ(box.messageKind, MessageKind::Plain);
        EXPECT_EQ(box.title, "KORA Editor");
        EXPECT_EQ(box.text, "Nepodarilo se spustit prohlizec");
    }
}

TEST_F(Sending, TheHomePageComesFromTheEnvironmentWhenSet)
{
    const test::ScopedVariable home("KORA_HOME_PAGE_URL", QStringLiteral(" https://127.0.0.1:1/kora "));
    commands.WWWKORAEditoru1Click();
    EXPECT_EQ(shell.opened, QStringList{"https://127.0.0.1:1/kora"});
}

TEST_F(Sending, AboutDialogShowsTheProgramAndClosesWithOk)
{
    prompter.answerDialog([&](QDialog *shown) {
        EXPECT_EQ(shown, &about);
        EXPECT_EQ(about.windowTitle(), "O Aplikaci KORA Editor");
        EXPECT_EQ(about.lVerze()->text(), "1.1.8");
        const QStringList texts = [&] {
            QStringList list;
            for (const QLabel *label : about.findChildren<QLabel *>())
                list << label->text();
            return list;
        }();
        for (const char *text : {"Autor : ", "Věk : ", "www   : ", "E-Mail : ", "Verze : ", "Datum vydání : ",
                                 "21.1.2004", "Děkuji všem uživatelům, kteří využívají Lumasoft"}) {
            EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
        }
        EXPECT_GE(about.width(), 415);
        EXPECT_GE(about.height(), 174);
        QTest::keyClick(&about, Qt::Key_Return);
        EXPECT_FALSE(about.isVisible()) << "OK is the default button";
    });
    commands.OAplikaci1Click();
    EXPECT_EQ(prompter.dialogNames(), QStringList{"aplikace"});
}

} // namespace
} // namespace kora
