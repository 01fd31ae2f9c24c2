#include "app/StartupDialogs.h"
#include "app/TfUvitani.h"
#include "app/Tfnovinky.h"
#include "richedit/RichEdit.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace kora;

namespace {

class NoActions : public WelcomeActions
{
public:
    void saveDocument() override { ADD_FAILURE() << "unexpected save"; }
    bool openDocument(const QString &, QString *) override
    {
        ADD_FAILURE() << "unexpected open";
        return false;
    }
};

class StartupDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }

    test::TemporaryHome home;
    test::ScriptedPrompter prompter;
    NoActions actions;
    RichEdit editor;

private:
};

TEST_F(StartupDialogsTest, CreatesEveryDialogInOrderWithItsNameAndCaption)
{
    QWidget mainWindow;
    StartupDialogs startup;
    startup.create(&mainWindow, prompter, actions, editor);

    const std::pair<const char *, const char *> expected[] = {
        {"Form3", "Písmo"},
        {"OtevritNet", "Otevřít z interentu"},
        {"DatumCas", "Datum čas/Dialog"},
        {"HyperLink", "Hypertextový odkaz"},
        {"TextSouboru", "Text souboru"},
        {"Znaky", "Počet znaků"},
        {"nastaveni", "Možnosti"},
        {"reg", "Vlastní registrace"},
        {"aplikace", "O Aplikaci KORA Editor"},
        {"disketa", "Odeslání na disketu "},
        {"odeslat_soubor", "Příloha E-mail"},
        {"obsah", "Obsah schránky"},
        {"JdiRadek", "Jít na řádek"},
        {"Cesta", "Cesta k souboru"},
        {"fnovinky", "Co je nového"},
        {"fUvitani", "Vítejte"},
        {"symbol", " Vložit symbol"},
        {"Form4", "Form4"},
        {"fhledat", "Hledat speciál"},
    };
    const std::vector<QDialog *> dialogs = startup.dialogs();
    ASSERT_EQ(dialogs.size(), std::size(expected));
    for (size_t i = 0; i < dialogs.size(); ++i) {
        SCOPED_TRACE(expected[i].first);
        ASSERT_NE(dialogs[i], nullptr);
        EXPECT_EQ(dialogs[i]->objectName(), QString::fromUtf8(expected[i].first));
        EXPECT_EQ(dialogs[i]->windowTitle(), QString::fromUtf8(expected[i].second));
        EXPECT_EQ(dialogs[i]->parentWidget(), &mainWindow);
        EXPECT_FALSE(dialogs[i]->isVisible());
    }
    EXPECT_EQ(dialogs[6], startup.options());
    EXPECT_EQ(dialogs[7], startup.reg());
    EXPECT_EQ(dialogs[14], startup.whatsNew());
    EXPECT_EQ(dialogs[15], startup.welcome());
    EXPECT_EQ(dialogs[12], startup.goToLine());
    EXPECT_EQ(dialogs[18], startup.findSpecial());
    EXPECT_EQ(dialogs[0], startup.htmlScratch());
    EXPECT_TRUE(prompter.calls().empty()) << "creating shows nothing";
}

TEST_F(StartupDialogsTest, TheOptionsDialogRunsTheAutosaveTimerEveryTenMinutes)
{
    QWidget mainWindow;
    StartupDialogs startup;
    startup.create(&mainWindow, prompter, actions, editor);
    QTimer *timer = startup.options()->tUkladani();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->objectName(), "tUkladani");
    EXPECT_EQ(timer->interval(), 600000);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(startup.options()->findChild<QTimer *>(QStringLiteral("tUkladani")), timer);
}

TEST_F(StartupDialogsTest, CreatingTwiceKeepsTheFirstSet)
{
    QWidget mainWindow;
    StartupDialogs startup;
    startup.create(&mainWindow, prompter, actions, editor);
    const std::vector<QDialog *> first = startup.dialogs();
    startup.create(&mainWindow, prompter, actions, editor);
    EXPECT_EQ(startup.dialogs(), first);
}

TEST_F(StartupDialogsTest, OutlivingTheMainWindowIsSafe)
{
    StartupDialogs startup;
    auto mainWindow = std::make_unique<QWidget>();
    startup.create(mainWindow.get(), prompter, actions, editor);
    mainWindow.reset();
    EXPECT_EQ(startup.welcome(), nullptr);
    EXPECT_EQ(startup.options(), nullptr);
}

} // namespace
