// The program's start-up as main() runs it, answered by the scripted prompter.
#include "app/Application.h"
#include "app/TForm1.h"
#include "platform/Shell.h"
#include "richedit/RichEdit.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kora;

namespace {

class NoShell : public Shell
{
public:
    bool startDetached(const QString &, const QStringList &) override { return true; }
    void openUrl(const QString &) override {}
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
