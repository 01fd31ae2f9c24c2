// The program's start-up as main() runs it, answered by the scripted prompter.
#include "app/Application.h"
#include "app/TForm1.h"
#include "platform/Shell.h"
#include "richedit/RichEdit.h"
#include "settings/AutoRestart.h"
#include "settings/Registry.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace kora;

namespace {

class NoShell : public Shell
{
public:
    bool startDetached(const QString &, const QStringList &) override { return true; }
    bool openUrl(const QString &) override { return true; }
};

void write(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(data);
}

} // namespace

TEST(Application, StartsTheWindowWithTheCommandLineDocumentThenOffersTheWelcomeDialog)
{
    test::TemporaryHome home;
    const QString doc = home.filePath("start.rtf");
    write(doc, "{\\rtf1 start}");
    test::ScriptedPrompter prompter;
    NoShell shell;
    Application program(prompter, shell);
    program.start({"kora-editor", doc});
    QApplication::processEvents();
    TForm1 &form = program.mainWindow();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "KORA Editor - ( " + doc + ")");
    EXPECT_EQ(form.editor()->text(), "start");
    EXPECT_EQ(form.dialogs().dialogs().size(), 19u);
    EXPECT_EQ(prompter.dialogNames(), QStringList{"fUvitani"});
    EXPECT_TRUE(prompter.messageTexts().isEmpty());
}

TEST(Application, ADamagedSettingsFileIsSetAsideAndReportedOnceTheWindowIsUp)
{
    test::TemporaryHome home;
    write(home.configPath() + "/HKEY_CURRENT_USER.reg", "not a registry file\r\n");
    test::ScriptedPrompter prompter;
    NoShell shell;
    Application program(prompter, shell);
    program.start({"kora-editor"});
    ASSERT_EQ(prompter.messageTexts().size(), 1);
    EXPECT_TRUE(prompter.messageTexts().first().contains(".damaged-")) << prompter.messageTexts().first().toStdString();
    EXPECT_EQ(prompter.callsOf(test::PromptCall::Kind::Message).front().messageKind, MessageKind::Warning);
    EXPECT_FALSE(QDir(home.configPath()).entryList({"*.damaged-*"}).isEmpty());
}

TEST(Application, TipsAreShownFirstWhenTheirStoredFlagAsks)
{
    test::TemporaryHome home;
    {
        Registry registry;
        const RegistryKey tips =
            *registry.openKey(Hive::CurrentUser, "Software\\Lumasoft\\KORA Editor\\Form1\\tipdne", true);
        tips.writeString("ShowHintsOnStartUp", "True");
        tips.writeString("TextShowOnStartup", "&Ukázat tipy");
    }
    test::ScriptedPrompter prompter;
    QString boxText;
    prompter.answerDialog([&](QDialog *window) { boxText = window->findChild<QCheckBox *>()->text(); });
    NoShell shell;
    Application program(prompter, shell);
    program.start({"kora-editor"});
    QApplication::processEvents();
    EXPECT_EQ(prompter.dialogNames(), (QStringList{"tipsWindow", "fUvitani"}));
    EXPECT_EQ(boxText, "&Ukázat tipy");
}

TEST(Application, AStartMadeByTheRestartEntryRemovesIt)
{
    test::TemporaryHome home;
    QTemporaryDir xdg;
    const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg.path()));
    Registry registry;
    ASSERT_TRUE(AutoRestart::writeEntry(registry, "PSKORAEDITORLUMASOFT", "/usr/bin/kora-editor"));
    const QString entry = AutoRestart::entryPath("PSKORAEDITORLUMASOFT");
    ASSERT_TRUE(QFile::exists(entry));
    qputenv("KORA_RUN_ONCE", "PSKORAEDITORLUMASOFT");

    test::ScriptedPrompter prompter;
    NoShell shell;
    Application program(prompter, shell);
    program.start({"kora-editor"});
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(registry.openKey(Hive::CurrentUser, AutoRestart::runOnceKey(), false)->valueExists("PSKORAEDITORLUMASOFT"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("KORA_RUN_ONCE"));

    if (oldXdg.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldXdg);
}

TEST(Application, ACopyLeftByAProgramThatIsGoneIsOfferedBeforeTheWelcomeDialogAndRestored)
{
    test::TemporaryHome home;
    const QString doc = home.filePath("dopis.rtf");
    write(doc, "{\\rtf1 saved before}");
    // What a killed instance leaves: the copy, what it is of, and its lock file, no longer locked
    // (the process id in it now names another process).
    write(home.recoveryPath() + "/1-2-3.rtf", "{\\rtf1 Ahoj {\\b sv\\u283?te}!}");
    write(home.recoveryPath() + "/1-2-3.info",
          "{\"fileName\": \"" + doc.toUtf8() + "\", \"format\": \"rtf:utf-8:crlf\", \"readOnly\": false}");
    write(home.recoveryPath() + "/1-2-3.lock", "1\n");
    test::ScriptedPrompter prompter;
    prompter.answerDialog(
        [](QDialog *dialog) { QTest::mouseClick(dialog->findChild<QPushButton *>("bObnovit"), Qt::LeftButton); });
    NoShell shell;
    Application program(prompter, shell);
    program.start({"kora-editor"});
    QApplication::processEvents();
    EXPECT_EQ(prompter.dialogNames(), (QStringList{"Obnoveni", "fUvitani"}));
    TForm1 &form = program.mainWindow();
    RichEdit &editor = *form.editor();
    EXPECT_EQ(editor.text(), "Ahoj světe!");
    editor.select(5, 5);
    EXPECT_EQ(editor.selStyle(), StyleFlags(StyleBold));
    editor.select(0, 4);
    EXPECT_EQ(editor.selStyle(), StyleFlags());
    EXPECT_TRUE(editor.isModified());
    EXPECT_EQ(form.windowTitle(), "KORA Editor - ( " + doc + "*)");
    EXPECT_FALSE(QFile::exists(home.recoveryPath() + "/1-2-3.rtf")) << "taken over by this instance";
    EXPECT_EQ(QDir(home.recoveryPath()).entryList({"*.rtf"}).size(), 1) << "which keeps its own copy";
}
