#include "exchange/InternetCommands.h"
#include "exchange/MakerLinks.h"
#include "exchange/TOtevritNet.h"
#include "exchange/TStahovani.h"
#include "exchange/Taplikace.h"
#include "platform/CurlDownloader.h"
#include "richedit/RichEdit.h"
#include "support/LocalHttpServer.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kora {
namespace {

using test::LocalHttpServer;
using test::PromptCall;
using Behaviour = LocalHttpServer::Behaviour;
using DialogScript = test::ScriptedPrompter::DialogScript;

const QString kBadPage = QStringLiteral("Stránka je napsaná špatně a nebo neexistuje");

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The progress window as the user leaves it: open until the download ends.
void untilDownloaded(QDialog *window)
{
    EXPECT_EQ(window->objectName(), "Stahovani");
    EXPECT_TRUE(QTest::qWaitFor([window] { return !window->isVisible(); }, 20000));
}

class OpenFromInternet : public ::testing::Test
{
protected:
    OpenFromInternet()
    {
        commands.setDialogs(&dialog, &about);
        editor.setText(QStringLiteral("můj text"));
    }

    // Runs the command: the user types `address` over the proposed one and presses "Otevřít";
    // `download` acts on the progress window. What happened afterwards is checked in `after`,
    // while the dialog is still up.
    void open(const QString &address, DialogScript download = untilDownloaded,
              std::function<void(QDialog *)> after = {})
    {
        prompter.answerDialog([&](QDialog *shown) {
            EXPECT_EQ(shown, &dialog);
            QLineEdit *edit = dialog.cbOtevrit()->lineEdit();
            edit->selectAll();
            QTest::keyClicks(edit, address);
            QTest::mouseClick(dialog.bOtevrit(), Qt::LeftButton);
            if (after)
                after(shown);
        });
        if (download)
            prompter.answerDialog(download);
        commands.mOtevritInternetClick();
    }

    test::TemporaryHome home;
    test::ScriptedPrompter prompter;
    RichEdit editor;
    LocalHttpServer server;
    CurlDownloader downloader{CurlDownloader::Limits{2, 2}};
    bool mayReplace = true;
    QStringList opened;
    InternetCommands commands{prompter, downloader,
                              PageDocument{[this] { return mayReplace; },
                                           [this](const QString &path, QString *error) {
                                               opened << path;
                                               return editor.loadFromFile(path, error);
                                           }},
                              nullptr};
    TOtevritNet dialog{prompter};
    Taplikace about{prompter};
};

TEST_F(OpenFromInternet, OpensPagesAndRtfAndAppendsEveryAddressToTheWrittenList)
{
    EXPECT_EQ(dialog.cbOtevrit()->currentText(), MakerLinks::homePage());
    EXPECT_TRUE(dialog.history().isEmpty());
    server.route("/index.html", {200, "<html><b>Ahoj</b>\r\nsvěte</html>"});
    server.route("/dopis.rtf", {200, "{\\rtf1\\ansi\\ansicpg1250 {\\b tu\\'e8n\\'e9} text}"});

    const QString page = server.url(QStringLiteral("/index.html"));
    open(page, untilDownloaded, [](QDialog *shown) { EXPECT_FALSE(shown->isVisible()) << "closed after opening"; });
    EXPECT_EQ(editor.text(), "<html><b>Ahoj</b>\r\nsvěte</html>") << "a web page shows as its source";
    const QString target = QDir(home.cachePath()).filePath(QStringLiteral("temp.htm"));
    EXPECT_EQ(opened, QStringList{target}) << "downloaded into the cache folder";
    EXPECT_EQ(read(home.filePath(QStringLiteral("Otevřít_Internetem.INI"))), page.toUtf8() + "\r\n");

    const QString rtf = server.url(QStringLiteral("/dopis.rtf"));
    open(rtf);
    EXPECT_EQ(editor.text(), "tučné text");
    editor.select(0, 2);
    EXPECT_TRUE(editor.selStyle().testFlag(StyleBold)) << "RTF opens formatted";

    open(page);
    EXPECT_EQ(dialog.history(), (QStringList{page, rtf, page})) << "the same address again is appended again";
    EXPECT_EQ(read(dialog.historyPath()), (page + "\r\n" + rtf + "\r\n" + page + "\r\n").toUtf8());
    EXPECT_TRUE(prompter.messageTexts().isEmpty());

    TOtevritNet again(prompter);
    EXPECT_EQ(again.history(), (QStringList{page, rtf, page})) << "the list comes back at the next start";
}

TEST_F(OpenFromInternet, FailuresKeepTheDialogOpenTheDocumentAndTheList)
{
    server.route("/picture.png", {200, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)});
    server.route("/huge", {200, "x", "", 100 * 1024 * 1024});
    server.route("/silent", {200, "", "", -1, Behaviour::Silent});
    struct Case
    {
        const char *name;
        QString address;
        const char *message; // contained in the box's text
        bool downloads;
    };
    const Case cases[] = {
        {"not found", server.url(QStringLiteral("/missing")), "Stránka je napsaná špatně a nebo neexistuje", true},
        {"no answer", server.url(QStringLiteral("/silent")), "Stránka je napsaná špatně a nebo neexistuje", true},
        {"a file address", QStringLiteral("file:///etc/passwd"), "Stránka je napsaná špatně a nebo neexistuje", false},
        {"a script", QStringLiteral("javascript:alert(1)"), "Stránka je napsaná špatně a nebo neexistuje", false},
        {"spaces only", QStringLiteral("   "), "Stránka je napsaná špatně a nebo neexistuje", false},
        {"binary data", server.url(QStringLiteral("/picture.png")), "není stránka ani text", true},
        {"over the size limit", server.url(QStringLiteral("/huge")), "je větší než 20 MB", true},
    };
    for (const Case &c : cases) {
        prompter.clearCalls();
        open(c.address, c.downloads ? DialogScript(untilDownloaded) : DialogScript(), [&](QDialog *shown) {
            EXPECT_TRUE(shown->isVisible()) << c.name;
            EXPECT_EQ(dialog.cbOtevrit()->currentText(), c.address) << c.name;
        });
        const auto boxes = prompter.callsOf(PromptCall::Kind::Message);
        ASSERT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes[0].messageKind, MessageKind::Plain) << c.name;
        EXPECT_EQ(boxes[0].title, "KORA Editor") << c.name;
        EXPECT_TRUE(boxes[0].text.contains(QString::fromUtf8(c.message)))
            << c.name << ": " << boxes[0].text.toStdString();
        EXPECT_EQ(editor.text(), "můj text") << c.name;
        EXPECT_TRUE(opened.isEmpty()) << c.name;
        EXPECT_TRUE(dialog.history().isEmpty()) << c.name;
    }
    EXPECT_EQ(read(dialog.historyPath()), "") << "closing with the close box still writes the list";
}

TEST_F(OpenFromInternet, StornoStopsASlowDownloadSilently)
{
    server.route("/silent", {200, "", "", -1, Behaviour::Silent});
    CurlDownloader patient;
    InternetCommands slow(prompter, patient,
                          PageDocument{[] { return true; },
                                       [this](const QString &path, QString *) {
                                           opened << path;
                                           return true;
                                       }},
                          nullptr);
    slow.setDialogs(&dialog, &about);
    prompter.answerDialog([&](QDialog *) {
        dialog.cbOtevrit()->setEditText(server.url(QStringLiteral("/silent")));
        QTest::mouseClick(dialog.bOtevrit(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
    });
    prompter.answerDialog([](QDialog *window) {
        auto *progress = static_cast<TStahovani *>(window);
        QTest::mouseClick(progress->bStorno(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([window] { return !window->isVisible(); }, 20000));
    });
    slow.mOtevritInternetClick();
    EXPECT_TRUE(prompter.messageTexts().isEmpty()) << "a cancelled download says nothing";
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(dialog.history().isEmpty());
}

TEST_F(OpenFromInternet, TheSaveQuestionComesFirstAndCanEndTheCommand)
{
    mayReplace = false;
    commands.mOtevritInternetClick();
    EXPECT_TRUE(prompter.dialogNames().isEmpty());
}

TEST_F(OpenFromInternet, TheListIsWrittenAtEveryCloseAndTheLinkButtonProposesTheHomePage)
{
    prompter.answerDialog([&](QDialog *) {
        dialog.cbOtevrit()->setEditText(QStringLiteral("něco jiného"));
        QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
        EXPECT_EQ(dialog.cbOtevrit()->currentText(), MakerLinks::homePage());
        QTest::mouseClick(dialog.bStorno(), Qt::LeftButton);
    });
    commands.mOtevritInternetClick();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("Otevřít_Internetem.INI")))) << "created at the first close";
}

TEST_F(OpenFromInternet, BinaryLinesOfTheHistoryFileAreLeftOutSilently)
{
    const QString path = home.filePath(QStringLiteral("Otevřít_Internetem.INI"));
    const QByteArray bytes("http://a.cz/\r\n\x7f"
                           "ELF\x02\x01\x01\0\0\0\r\n",
                           26);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    test::ScriptedPrompter startPrompter;
    TOtevritNet damaged(startPrompter);
    EXPECT_EQ(damaged.history(), QStringList{QStringLiteral("http://a.cz/")});
    EXPECT_TRUE(startPrompter.messageTexts().isEmpty());
    EXPECT_EQ(read(path), bytes) << "nothing is written before the dialog closes";
}

class VersionCheck : public OpenFromInternet
{
};

TEST_F(VersionCheck, ShowsThePageTextBesideOurVersionAsItCame)
{
    const test::ScopedVariable address("KORA_VERSION_PAGE_URL", server.url(QStringLiteral("/verze")));
    struct Case
    {
        const char *name;
        QByteArray page;
        const char *message;
    };
    const Case cases[] = {
        {"without a final line break", "1.2.0", "Na internetu je nejnovější verze : 1.2.0\rVyužíváte verzi : 1.1.8"},
        {"with a final line break", "1.2.0\n", "Na internetu je nejnovější verze : 1.2.0\r\n\rVyužíváte verzi : 1.1.8"},
        {"in lines", "1.2.0\r\nbeta\n",
         "Na internetu je nejnovější verze : 1.2.0\r\nbeta\r\n\rVyužíváte verzi : 1.1.8"},
    };
    for (const Case &c : cases) {
        server.route("/verze", {200, c.page});
        prompter.clearCalls();
        prompter.answerDialog(untilDownloaded);
        commands.Nejnovjverze1Click();
        const auto boxes = prompter.callsOf(PromptCall::Kind::Message);
        ASSERT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes[0].messageKind, MessageKind::Information) << c.name;
        EXPECT_EQ(boxes[0].buttons, PromptButtons(ButtonOk)) << c.name;
        EXPECT_EQ(boxes[0].text.toStdString(), c.message) << c.name;
    }
    EXPECT_EQ(read(QDir(home.cachePath()).filePath(QStringLiteral("nejnovejsi_verze.htm"))), "1.2.0\r\nbeta\n");
    EXPECT_EQ(editor.text(), "můj text") << "the document is not touched";
}

TEST_F(VersionCheck, AFailedDownloadGoesToTheStandardErrorBox)
{
    const test::ScopedVariable address("KORA_VERSION_PAGE_URL", server.url(QStringLiteral("/verze")));
    prompter.answerDialog(untilDownloaded);
    commands.Nejnovjverze1Click();
    const auto boxes = prompter.callsOf(PromptCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].messageKind, MessageKind::Error);
    EXPECT_EQ(boxes[0].title, "KORA Editor");
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("404"))) << boxes[0].text.toStdString();
}

} // namespace
} // namespace kora
