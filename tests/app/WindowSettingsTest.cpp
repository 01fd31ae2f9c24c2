// The main window and the welcome dialog keep what the user left them with: saved when they
// close, restored when they are built again.
#include "app/TForm1.h"
#include "app/TfUvitani.h"
#include "app/TipsOfTheDay.h"
#include "editing/controls/TanlRuler.h"
#include "platform/Shell.h"
#include "richedit/RichEdit.h"
#include "settings/Registry.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QtTest/qtestspontaneevent.h>

#include <gtest/gtest.h>

using namespace kora;

namespace {

const QString kMainKey = QStringLiteral("Software\\Lumasoft\\KORA Editor\\Form1");
const QString kWelcomeKey = QStringLiteral("Software\\Lumasoft\\KORA Editor\\fUvitani");
const QString kAskClose = QStringLiteral("Přejte si uložit změny v daném souboru \r\r");

class NoShell : public Shell
{
public:
    bool startDetached(const QString &, const QStringList &) override { return true; }
    bool openUrl(const QString &) override { return true; }
};

class WindowSettingsTest : public ::testing::Test
{
protected:
    TForm1 &start()
    {
        form.reset();
        form = std::make_unique<TForm1>(prompter, shell);
        form->FormCreate({"kora-editor"});
        form->createDialogs();
        form->show();
        QApplication::processEvents();
        return *form;
    }

    void trigger(const char *name)
    {
        QAction *action = form->action(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }

    // The window system's close box: a spontaneous close event, the window hidden when accepted.
    bool closeBox()
    {
        QCloseEvent event;
        QSpontaneKeyEvent::setSpontaneous(&event);
        QCoreApplication::instance()->notify(form.get(), &event);
        if (event.isAccepted())
            form->hide();
        return event.isAccepted();
    }

    std::optional<RegistryKey> key(const QString &path) { return registry.openKey(Hive::CurrentUser, path, false); }

    std::optional<QString> stored(const QString &component, const QString &value)
    {
        const std::optional<RegistryKey> k = key(kMainKey + "\\" + component);
        return k ? k->readString(value) : std::nullopt;
    }

    test::TemporaryHome home;
    Registry registry;
    test::ScriptedPrompter prompter;
    NoShell shell;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(WindowSettingsTest, HiddenBarsAndAnUntickedWelcomeBoxStayAsLeftAfterARestart)
{
    prompter.answerDialog([](QDialog *welcome) { welcome->findChild<QCheckBox *>("cbZavrit")->click(); });
    start();
    EXPECT_EQ(prompter.dialogNames(), QStringList{"fUvitani"});
    trigger("Skrt1");
    trigger("ZobrazitSkrt1");
    trigger("mKonec");
    EXPECT_FALSE(form->isVisible());

    start();
    const MainWindowUi &ui = form->ui();
    EXPECT_TRUE(ui.tbFormat->isHidden());
    EXPECT_FALSE(ui.actions.mToolBarFormat->isChecked());
    EXPECT_TRUE(ui.StatusBar1->isHidden());
    EXPECT_FALSE(ui.actions.mStatusBar->isChecked());
    EXPECT_FALSE(ui.tbStandardni->isHidden());
    EXPECT_TRUE(ui.actions.ToolBarStandart->isChecked());
    EXPECT_FALSE(ui.Ruler->isHidden());
    EXPECT_FALSE(form->dialogs().welcome()->cbZavrit()->isChecked());
    EXPECT_EQ(prompter.dialogNames(), QStringList{"fUvitani"}) << "the welcome dialog is not offered again";

    // The bars come back through the View menu, and stay so.
    trigger("mToolBarFormat");
    trigger("mStatusBar");
    trigger("mKonec");
    start();
    EXPECT_FALSE(form->ui().tbFormat->isHidden());
    EXPECT_FALSE(form->ui().StatusBar1->isHidden());
    EXPECT_TRUE(form->ui().actions.mStatusBar->isChecked());
}

TEST_F(WindowSettingsTest, TheMainWindowsValuesAreStoredInTheirForms)
{
    start();
    trigger("mKonec");

    const std::optional<RegistryKey> main = key(kMainKey);
    ASSERT_TRUE(main);
    QStringList components{"tbFormat",   "tbStandardni", "ToolBarStandart", "mToolBarFormat", "mPravitko", "mStatusBar",
                           "StatusBar1", "Ruler",        "mKonec",          "RichEdit1",      "tipdne",    "mikona"};
    components.sort(Qt::CaseInsensitive);
    EXPECT_EQ(main->subKeyNames(), components) << "components the window does not have store nothing";
    for (const char *component : {"tbFormat", "tbStandardni", "StatusBar1", "Ruler"})
        EXPECT_EQ(stored(component, "Visible"), "True") << component;
    for (const char *item : {"ToolBarStandart", "mToolBarFormat", "mPravitko", "mStatusBar"})
        EXPECT_EQ(stored(item, "Checked"), "True") << item;
    EXPECT_EQ(key(kMainKey + "\\StatusBar1")->readDword("Color"), 0x8000000fu) << "button face";
    EXPECT_EQ(key(kMainKey + "\\Ruler")->readDword("Color"), 0x80000005u) << "window";
    EXPECT_EQ(key(kMainKey + "\\RichEdit1")->readDword("Color"), 0x80000005u) << "window";
    EXPECT_EQ(key(kMainKey + "\\mKonec")->readDword("ShortCut"), 32883u) << "Alt+F4";
    EXPECT_EQ(key(kMainKey + "\\mikona")->readDword("ShortCut"), 121u) << "F10";
    EXPECT_EQ(stored("tipdne", "ShowHintsOnStartUp"), "False");
    EXPECT_EQ(stored("tipdne", "TextShowOnStartup"), "&Zobrazit při startu");
    EXPECT_EQ(main->valueNames(), (QStringList{"Left", "Top", "Width", "Height", "MainForm", "State", "ScreenRes"}));
    EXPECT_EQ(main->readDword("Width"), 722u);
    EXPECT_EQ(main->readDword("State"), 0u);
    EXPECT_EQ(main->readBinary("MainForm"), QByteArray("\x04\0\0\0\x01", 5));

    const std::optional<RegistryKey> welcome = key(kWelcomeKey);
    ASSERT_TRUE(welcome);
    EXPECT_EQ(welcome->subKeyNames(), QStringList{"cbZavrit"});
    EXPECT_EQ(welcome->openKey("cbZavrit", false)->readString("Checked"), "True");
    EXPECT_EQ(welcome->valueNames(), (QStringList{"Left", "Top", "ScreenRes"}));
}

TEST_F(WindowSettingsTest, StoredColoursAndShortcutsComeBack)
{
    start();
    trigger("mKonec");
    registry.openKey(Hive::CurrentUser, kMainKey + "\\mKonec", false)->writeDword("ShortCut", 27);
    registry.openKey(Hive::CurrentUser, kMainKey + "\\mikona", false)->writeDword("ShortCut", 0x4000 | 'M');
    registry.openKey(Hive::CurrentUser, kMainKey + "\\StatusBar1", false)->writeDword("Color", 0x0000ff);
    registry.openKey(Hive::CurrentUser, kMainKey + "\\Ruler", false)->writeDword("Color", 0x00ff00);
    registry.openKey(Hive::CurrentUser, kMainKey + "\\RichEdit1", false)->writeDword("Color", 0xe0ffff);

    start();
    const MainWindowUi &ui = form->ui();
    EXPECT_EQ(ui.actions.mKonec->shortcut(), QKeySequence(Qt::Key_Escape));
    EXPECT_EQ(ui.actions.mikona->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_EQ(ui.StatusBar1->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(ui.Ruler->color(), QColor(Qt::green));
    EXPECT_EQ(ui.RichEdit1->backgroundColor(), QColor(0xff, 0xff, 0xe0));
}

TEST_F(WindowSettingsTest, OptionsFromTheirShortcutMakeEscEndTheProgramAndClearTheFloppyHistory)
{
    const QString floppyHistory = home.filePath("Uložit na disketu.INI");
    const QString mailHistory = home.filePath("Příjemce e-Mailu.INI");
    for (const QString &path : {floppyHistory, mailHistory}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("dopis.rtf\r\n");
    }
    start();
    ASSERT_TRUE(QTest::qWaitFor([this] {
        if (QApplication::activeWindow() != form.get())
            form->activateWindow();
        QApplication::processEvents();
        return QApplication::activeWindow() == form.get();
    }));

    prompter.clearCalls();
    prompter.answerDialog([](QDialog *options) {
        auto *pages = options->findChild<QTabWidget *>("PageControl1");
        EXPECT_EQ(pages->tabText(pages->currentIndex()), "Editor");
        QTest::mouseClick(options->findChild<QCheckBox *>("cbclose"), Qt::LeftButton);
        QTest::mouseClick(options->findChild<QPushButton *>("Button29"), Qt::LeftButton);
        QLineEdit *format = options->findChild<QComboBox *>("cbdatum")->lineEdit();
        format->selectAll();
        QTest::keyClicks(format, "\"rok\" yyyy");
        QTest::keyClick(options->findChild<QSpinBox *>("seundo"), Qt::Key_Escape); // Esc acts as "OK"
    });
    QTest::keyClick(form->editor(), Qt::Key_F3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(prompter.dialogNames(), QStringList{"nastaveni"});
    EXPECT_EQ(prompter.messageTexts(), QStringList{"Historie byla úspěšně smazána"});
    QFile floppy(floppyHistory);
    ASSERT_TRUE(floppy.open(QIODevice::ReadOnly));
    EXPECT_EQ(floppy.readAll(), "") << "written when OK closed the floppy dialog";
    QFile mail(mailHistory);
    ASSERT_TRUE(mail.open(QIODevice::ReadOnly));
    EXPECT_EQ(mail.readAll(), "dopis.rtf\r\n") << "the e-mail recipients are kept";
    QTest::keyClick(form->editor(), Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(form->editor()->text(), "rok " + QString::number(QDate::currentDate().year()))
        << "\"Datum a čas\" uses the format the options show";
    form->editor()->setModified(false);

    QTest::keyClick(form->editor(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible()) << "Esc performs Konec";

    start();
    EXPECT_EQ(form->ui().actions.mKonec->shortcut(), QKeySequence(Qt::Key_Escape));
    EXPECT_TRUE(form->dialogs().options()->findChild<QCheckBox *>("cbclose")->isChecked());
}

TEST_F(WindowSettingsTest, TheCloseBoxSavesBeforeTheQuestionAndARefusedCloseWritesOnce)
{
    start();
    form->editor()->setText("změna");
    prompter.answerMessage(ButtonCancel);
    EXPECT_FALSE(closeBox());
    EXPECT_EQ(prompter.messageTexts(), QStringList{kAskClose});
    EXPECT_EQ(stored("tbFormat", "Visible"), "True") << "written before the question";

    trigger("Skrt1");
    prompter.answerMessage(ButtonNo);
    EXPECT_TRUE(closeBox());
    EXPECT_EQ(stored("tbFormat", "Visible"), "True") << "not written a second time";
}

TEST_F(WindowSettingsTest, KonecSavesWhenTheWindowGoes)
{
    start();
    form->editor()->setText("změna");
    trigger("Skrt1");
    prompter.answerMessage(ButtonCancel);
    trigger("mKonec");
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(key(kMainKey)) << "nothing before the close is confirmed";

    prompter.answerMessage(ButtonNo);
    trigger("mKonec");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(stored("tbFormat", "Visible"), "False");
}
