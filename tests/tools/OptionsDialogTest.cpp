#include "platform/FileTypes.h"
#include "platform/Shortcuts.h"
#include "richedit/RichEdit.h"
#include "settings/ColorRef.h"
#include "settings/PropertyBinding.h"
#include "settings/Registry.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"
#include "tools/options/Tnastaveni.h"
#include "tools/options/Treg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace kora;

namespace {

const QString kExecutable = QStringLiteral("/opt/kora/kora-editor");

class OptionsDialogTest : public ::testing::Test
{
protected:
    OptionsDialogTest()
    {
        // The components of the main window that "OK" gives colours and shortcuts.
        main.setObjectName("Form1");
        main.statusBar()->setObjectName("StatusBar1");
        editor = new RichEdit(&main);
        editor->setObjectName("RichEdit1");
        main.setCentralWidget(editor);
        auto *ruler = new QWidget(&main);
        ruler->setObjectName("Ruler");
        for (const auto &[name, key] : {std::pair{"mikona", QKeySequence(Qt::Key_F10)},
                                        std::pair{"mKonec", QKeySequence(Qt::ALT | Qt::Key_F4)}}) {
            auto *action = new QAction(&main);
            action->setObjectName(name);
            action->setShortcut(key);
        }
    }

    std::unique_ptr<Tnastaveni> make()
    {
        Tnastaveni::Targets targets{
            &main,
            editor,
            [this](bool show) { tipsAtStartup = show; },
            [this] { ++welcomeShown; },
            [this] { ++floppyCleared; },
            [this] { ++internetCleared; },
            [this] { ++historiesClosed; },
        };
        return std::make_unique<Tnastaveni>(std::move(targets), Tnastaveni::Desktop{fileTypes, shortcuts, reg},
                                            prompter, &main);
    }

    template <typename T>
    static T *child(QWidget &dialog, const char *name)
    {
        T *found = dialog.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void click(QWidget &dialog, const char *name)
    {
        if (auto *button = child<QPushButton>(dialog, name))
            QTest::mouseClick(button, Qt::LeftButton);
    }

    // Replaces what a field shows by `text`, typed as a user would.
    static void typeInto(QWidget *field, const QString &text)
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
    }

    static quint32 colorRefOf(QWidget *window, const QString &path)
    {
        return quint32(PropertyBinding::resolve(window, path).read().integer);
    }

    test::TemporaryHome home;
    Registry registry;
    DesktopPaths paths{home.filePath("Plocha"), home.filePath(".local/share"), home.filePath(".config")};
    FileTypes fileTypes{registry, kExecutable, paths};
    Shortcuts shortcuts{kExecutable, paths};
    test::ScriptedPrompter prompter;
    Treg reg{fileTypes, prompter, home.filePath("Typy.INI")};
    QMainWindow main;
    RichEdit *editor = nullptr;
    bool tipsAtStartup = false;
    int welcomeShown = 0;
    int floppyCleared = 0;
    int internetCleared = 0;
    int historiesClosed = 0;
};

TEST_F(OptionsDialogTest, FirstStartShowsTheDesignValuesAndPutsThemInEffect)
{
    std::unique_ptr<Tnastaveni> options = make();
    EXPECT_EQ(options->windowTitle(), "Možnosti");
    EXPECT_EQ(options->objectName(), "nastaveni");
    EXPECT_GE(options->width(), 562);
    EXPECT_GE(options->height(), 393);

    auto *pages = child<QTabWidget>(*options, "PageControl1");
    pages->setCurrentIndex(2);
    options->show();
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), "&Program");
    EXPECT_EQ(pages->tabText(pages->currentIndex()), "Editor") << "the dialog opens on its page Editor";
    EXPECT_EQ(pages->tabText(2), "Barvy");

    EXPECT_EQ(child<QSpinBox>(*options, "seUlozit")->value(), 10);
    EXPECT_EQ(child<QSpinBox>(*options, "seundo")->value(), 1024);
    auto *cbdatum = child<QComboBox>(*options, "cbdatum");
    EXPECT_EQ(cbdatum->currentText(), "yyyy-mm-dd hh:nn:ss");
    QStringList listed;
    for (int i = 0; i < cbdatum->count(); ++i)
        listed << cbdatum->itemText(i);
    EXPECT_EQ(listed, Tnastaveni::kDateFormats);
    EXPECT_EQ(listed.value(2), "yyyy \"year\" mm \"month\" dd \"day\"");
    EXPECT_FALSE(child<QCheckBox>(*options, "cbclose")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*options, "cbTip")->isChecked());
    EXPECT_EQ(child<QKeySequenceEdit>(*options, "htikona")->keySequence(), QKeySequence(Qt::Key_F10));

    // The autosave interval counts in minutes; the undo limit shown is the one in effect.
    EXPECT_TRUE(options->tUkladani()->isActive());
    EXPECT_EQ(options->tUkladani()->interval(), 10 * 60 * 1000);
    EXPECT_EQ(editor->undoDepth(), 1024);
    EXPECT_TRUE(prompter.calls().empty());

    QSignalSpy ticks(options.get(), &Tnastaveni::autosaveDue);
    options->tUkladani()->start(1);
    EXPECT_TRUE(ticks.wait(5000)) << "each tick asks for an automatic save";
}

TEST_F(OptionsDialogTest, StoredValuesArriveAsChangesAndTheDateFormatDoesNotPersist)
{
    {
        std::unique_ptr<Tnastaveni> options = make();
        prompter.answerDialog([&](QDialog *dialog) {
            typeInto(child<QSpinBox>(*dialog, "seundo"), "50");
            typeInto(child<QSpinBox>(*dialog, "seUlozit"), "2");
            QTest::mouseClick(child<QCheckBox>(*dialog, "cbTip"), Qt::LeftButton);
            typeInto(child<QComboBox>(*dialog, "cbdatum")->lineEdit(), "dd.mm.yyyy");
            EXPECT_EQ(options->dateTimeFormat(), "dd.mm.yyyy") << "read as it stands, at each use";
            click(*dialog, "Button2"); // "Storno" keeps what was changed
        });
        prompter.execDialog(options.get());
        EXPECT_EQ(editor->undoDepth(), 50);
        EXPECT_EQ(options->tUkladani()->interval(), 2 * 60 * 1000);
        EXPECT_TRUE(tipsAtStartup);
    }

    editor->setUndoDepth(100);
    tipsAtStartup = false;
    std::unique_ptr<Tnastaveni> options = make();
    EXPECT_EQ(child<QSpinBox>(*options, "seundo")->value(), 50);
    EXPECT_EQ(editor->undoDepth(), 50);
    EXPECT_EQ(options->tUkladani()->interval(), 2 * 60 * 1000);
    EXPECT_TRUE(options->tUkladani()->isActive());
    EXPECT_TRUE(tipsAtStartup) << "a stored tick reaches the tips at start";
    EXPECT_EQ(options->dateTimeFormat(), "yyyy-mm-dd hh:nn:ss");
    EXPECT_EQ(registry.openKey(Hive::CurrentUser, "Software\\Lumasoft\\KORA Editor\\nastaveni\\tUkladani", false)
                  ->readDword("Interval"),
              120000u);
}

TEST_F(OptionsDialogTest, AnUndoLimitOfZeroIsRefusedAndAnIntervalOfZeroStopsAutosave)
{
    std::unique_ptr<Tnastaveni> options = make();
    options->show();
    auto *seundo = child<QSpinBox>(*options, "seundo");
    typeInto(seundo, "7");
    EXPECT_EQ(editor->undoDepth(), 7);
    typeInto(seundo, "0");
    ASSERT_EQ(prompter.calls().size(), 1u);
    EXPECT_EQ(prompter.calls()[0].messageKind, MessageKind::Error);
    EXPECT_EQ(prompter.calls()[0].text, "Zadaná hodnota je moc malá. Minimální hodnota je 1");
    EXPECT_EQ(editor->undoDepth(), 7);
    EXPECT_EQ(seundo->value(), 7) << "the refused value is not kept";

    auto *seUlozit = child<QSpinBox>(*options, "seUlozit");
    typeInto(seUlozit, "0");
    EXPECT_FALSE(options->tUkladani()->isActive());
    typeInto(seUlozit, "3");
    EXPECT_TRUE(options->tUkladani()->isActive());
    EXPECT_EQ(options->tUkladani()->interval(), 3 * 60 * 1000);
}

struct CloseCase
{
    const char *how;
    bool applies;
};

TEST_F(OptionsDialogTest, OkAndEscApplyColoursAndShortcutsStornoAppliesNothing)
{
    const CloseCase cases[] = {{"OK", true}, {"Esc", true}, {"Storno", false}, {"close box", false}};
    for (const CloseCase &c : cases) {
        SCOPED_TRACE(c.how);
        registry.root(Hive::CurrentUser).deleteKey("Software");
        main.statusBar()->setPalette(QPalette());
        main.findChild<QAction *>("mKonec")->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
        main.findChild<QAction *>("mikona")->setShortcut(QKeySequence(Qt::Key_F10));
        historiesClosed = 0;
        std::unique_ptr<Tnastaveni> options = make();
        const quint32 statusBarBefore = colorRefOf(&main, "StatusBar1.Color");

        prompter.answerColor(QColor(0xc0, 0x20, 0x20));
        prompter.answerColor(QColor(0x20, 0x20, 0xc0));
        prompter.answerColor(std::nullopt);
        prompter.answerDialog([&](QDialog *dialog) {
            click(*dialog, "Button16");
            click(*dialog, "Button19");
            click(*dialog, "Button20"); // cancelled: the ruler's sample stays
            QTest::mouseClick(child<QCheckBox>(*dialog, "cbclose"), Qt::LeftButton);
            auto *htikona = child<QKeySequenceEdit>(*dialog, "htikona");
            htikona->setFocus();
            QTest::keyClick(htikona, Qt::Key_F9);
            htikona->clearFocus();
            if (c.how == std::string("OK"))
                click(*dialog, "Button1");
            else if (c.how == std::string("Esc"))
                QTest::keyClick(child<QSpinBox>(*dialog, "seundo"), Qt::Key_Escape);
            else if (c.how == std::string("Storno"))
                click(*dialog, "Button2");
            else
                dialog->close();
        });
        prompter.execDialog(options.get());
        EXPECT_FALSE(options->isVisible());

        EXPECT_EQ(colorRefOf(options.get(), "pStatusBar.Color"), 0x2020c0u);
        EXPECT_EQ(colorRefOf(options.get(), "cdPozadi.Color"), 0xc02020u);
        if (c.applies) {
            EXPECT_EQ(colorRefOf(&main, "StatusBar1.Color"), 0x2020c0u);
            EXPECT_EQ(editor->backgroundColor(), QColor(0x20, 0x20, 0xc0));
            EXPECT_EQ(colorRefOf(&main, "Ruler.Color"), ColorRef::kButtonFace);
            EXPECT_EQ(main.findChild<QAction *>("mikona")->shortcut(), QKeySequence(Qt::Key_F9));
            EXPECT_EQ(main.findChild<QAction *>("mKonec")->shortcut(), QKeySequence(Qt::Key_Escape));
            EXPECT_EQ(historiesClosed, 1) << "the history dialogs are closed so their lists are written";
        } else {
            EXPECT_EQ(colorRefOf(&main, "StatusBar1.Color"), statusBarBefore);
            EXPECT_EQ(main.findChild<QAction *>("mikona")->shortcut(), QKeySequence(Qt::Key_F10));
            EXPECT_EQ(main.findChild<QAction *>("mKonec")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
            EXPECT_EQ(historiesClosed, 0);
        }
        // Whichever way it closed, its own controls were written.
        const auto key =
            registry.openKey(Hive::CurrentUser, "Software\\Lumasoft\\KORA Editor\\nastaveni\\cbclose", false);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->readString("Checked"), "True");
    }

    // Unticked again, "OK" gives "Konec" back its Alt+F4.
    std::unique_ptr<Tnastaveni> options = make();
    prompter.answerDialog([&](QDialog *dialog) {
        QTest::mouseClick(child<QCheckBox>(*dialog, "cbclose"), Qt::LeftButton);
        click(*dialog, "Button1");
    });
    prompter.execDialog(options.get());
    EXPECT_EQ(main.findChild<QAction *>("mKonec")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
}

TEST_F(OptionsDialogTest, ResetsHistoryButtonsAndTheWelcomeDialog)
{
    std::unique_ptr<Tnastaveni> options = make();
    options->show();
    prompter.answerColor(Qt::red);
    prompter.answerColor(Qt::red);
    prompter.answerColor(Qt::red);
    for (const char *name : {"Button16", "Button19", "Button20"})
        click(*options, name);
    click(*options, "bpStatusbar");
    click(*options, "bPPozadi");
    click(*options, "bPPravitko");
    EXPECT_EQ(colorRefOf(options.get(), "pStatusBar.Color"), ColorRef::kButtonFace)
        << "the status bar goes back to the desktop's colour, and follows it";
    EXPECT_EQ(colorRefOf(options.get(), "pPozadi.Color"), 0xffffffu);
    EXPECT_EQ(colorRefOf(options.get(), "pPravitko.Color"), 0xffffffu);
    for (const char *disabled : {"Button17", "Button18", "Button21", "Button22"})
        EXPECT_FALSE(child<QPushButton>(*options, disabled)->isEnabled()) << disabled;

    prompter.clearCalls();
    click(*options, "Button29");
    EXPECT_EQ(floppyCleared, 1) << "the floppy button clears the floppy history, as its caption says";
    EXPECT_EQ(internetCleared, 0);
    click(*options, "Button31");
    EXPECT_EQ(internetCleared, 1);
    EXPECT_EQ(prompter.messageTexts(), QStringList({"Historie byla úspěšně smazána", "Historie byla úspěšně smazána"}));
    EXPECT_EQ(prompter.calls()[0].messageKind, MessageKind::Information);
    click(*options, "Button15");
    EXPECT_EQ(welcomeShown, 1);
    EXPECT_EQ(historiesClosed, 0) << "only OK closes the history dialogs";
}

} // namespace
