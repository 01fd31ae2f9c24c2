#include "platform/QtPrompter.h"
#include "app/RegistryColorStore.h"
#include "app/TForm1.h"
#include "platform/Shell.h"
#include "settings/Registry.h"
#include "editing/FormattingCommands.h"
#include "editing/controls/TColorBtn.h"
#include "editing/controls/TanlRuler.h"
#include "platform/FontDialog.h"
#include "richedit/RichEdit.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using namespace kora;
using test::PromptCall;

namespace {

class NoShell : public Shell
{
public:
    bool startDetached(const QString &, const QStringList &) override { return true; }
    bool openUrl(const QString &address) override
    {
        opened << address;
        return true;
    }
    QStringList opened;
};

class FormattingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm1>(prompter, shell);
        form->FormCreate({"kora-editor"});
        form->show();
        edit = form->editor();
    }

    void select(int start, int length)
    {
        edit->setSelStart(start);
        edit->setSelLength(length);
    }

    void trigger(const char *name) { form->action(QString::fromLatin1(name))->trigger(); }

    test::TemporaryHome home;
    test::ScriptedPrompter prompter;
    NoShell shell;
    std::unique_ptr<TForm1> form;
    RichEdit *edit = nullptr;
};

} // namespace

TEST_F(FormattingTest, StyleTogglesDecideByTheWholeSelection)
{
    edit->setText("bold plain");
    select(0, 4);
    trigger("mTucne");
    EXPECT_EQ(edit->selStyle(), StyleBold);
    select(0, 10);
    trigger("mTucne");
    select(0, 10);
    EXPECT_EQ(edit->selStyle(), StyleBold) << "a mixed selection becomes bold";
    trigger("mTucne");
    EXPECT_EQ(edit->selStyle(), 0) << "a wholly bold selection loses bold";

    select(0, 4);
    trigger("mKurziva");
    trigger("mPodtrzene");
    trigger("mTucne");
    EXPECT_EQ(edit->selStyle(), StyleBold | StyleItalic | StyleUnderline) << "the other flags stay";
    trigger("mPreskrtnute");
    EXPECT_EQ(edit->selStyle(), StyleBold | StyleItalic | StyleUnderline | StyleStrikeOut);
}

TEST_F(FormattingTest, ToolbarTogglesFlipTheirOwnStateExceptStrikeOut)
{
    edit->setText("abc");
    select(0, 3);
    QAction *bold = form->action("tbTucne");
    trigger("tbTucne");
    EXPECT_TRUE(bold->isChecked());
    EXPECT_EQ(edit->selStyle(), StyleBold);

    QAction *strike = form->action("tbPreskrtnute");
    trigger("tbPreskrtnute");
    EXPECT_FALSE(strike->isChecked()) << "left to the refresh";
    EXPECT_EQ(edit->selStyle(), StyleBold | StyleStrikeOut);
    form->Timer1Timer();
    EXPECT_TRUE(strike->isChecked());
}

TEST_F(FormattingTest, SuperscriptOverSubscript)
{
    edit->setText("x2");
    select(1, 1);
    trigger("tbDolniIndex");
    EXPECT_EQ(edit->selSubscript(), Subscript);
    trigger("tbHorniIndex");
    EXPECT_EQ(edit->selSubscript(), Superscript);
    EXPECT_TRUE(form->action("tbDolniIndex")->isChecked()) << "stays pressed until the refresh";
    form->Timer1Timer();
    EXPECT_FALSE(form->action("tbDolniIndex")->isChecked());
    trigger("tbHorniIndex");
    EXPECT_EQ(edit->selSubscript(), SubscriptNone);
}

TEST_F(FormattingTest, AlignmentBulletsAndIndents)
{
    edit->setText("one\r\ntwo");
    select(0, 5);
    trigger("mNaStred");
    EXPECT_EQ(edit->selParaFormat().alignment, AlignCenter);
    trigger("tbVpravo");
    EXPECT_EQ(edit->selParaFormat().alignment, AlignRight);

    trigger("tbTecky");
    EXPECT_EQ(edit->selParaFormat().numbering, NumberingBullet);
    EXPECT_EQ(edit->selParaFormat().leftIndent, 10);

    for (int i = 0; i < 3; ++i)
        trigger("mZvetcitOdsazeni");
    EXPECT_EQ(edit->selParaFormat().firstIndent, 60) << "three steps of 20 points";
    EXPECT_EQ(edit->selParaFormat().leftIndent, 10) << "the relative left indent is not written";
    for (int i = 0; i < 4; ++i)
        trigger("mZmencitOdsazeni");
    EXPECT_EQ(edit->selParaFormat().firstIndent, -20) << "below zero goes to the control as it is";
    trigger("tbZvetsitOdsazeni"); // the toolbar's decrease button
    EXPECT_EQ(edit->selParaFormat().firstIndent, -40);
}

TEST_F(FormattingTest, CaseChangeIncludesCzechLetters)
{
    edit->setText("čůý abc");
    select(0, 7);
    trigger("mVelkaPismena");
    EXPECT_EQ(edit->text(), "ČŮÝ ABC");
    EXPECT_EQ(edit->selLength(), 0);
    EXPECT_EQ(edit->selStart(), 7);
    select(0, 3);
    trigger("mMalaPismena");
    EXPECT_EQ(edit->text(), "čůý ABC");
    edit->setSelStart(2);
    trigger("mVelkaPismena");
    EXPECT_EQ(edit->text(), "čůý ABC") << "an empty selection changes nothing";
}

// The size box as a user types into it: click, select its text, type, with refresh ticks between.
TEST_F(FormattingTest, SizeBoxTakesEveryKeystrokeAndTheRefreshLeavesItAlone)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    edit->setText("abc");
    select(0, 3);
    form->Timer1Timer();
    auto *size = form->findChild<QComboBox *>("cbVelikost");
    ASSERT_EQ(size->currentText(), "12");
    QLineEdit *field = size->lineEdit();
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    form->Timer1Timer();
    QTest::keyClick(field, Qt::Key_1);
    EXPECT_EQ(edit->selSize(), 1) << "every keystroke sets the size";
    form->Timer1Timer();
    QTest::keyClick(field, Qt::Key_4);
    form->Timer1Timer();
    EXPECT_EQ(size->currentText(), "14") << "a tick must not rewrite the box being typed into";
    EXPECT_EQ(edit->selSize(), 14);

    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_TRUE(prompter.messageTexts().isEmpty()) << "an empty box is being retyped";
    QTest::keyClicks(field, "1x");
    ASSERT_EQ(prompter.messageTexts().size(), 1);
    EXPECT_EQ(prompter.messageTexts().first(), "'1x' is not a valid integer value.");
    EXPECT_EQ(edit->selSize(), 1) << "the selection keeps its size";

    // Once the user is back in the text the refresh shows the selection's size again.
    edit->setFocus();
    form->Timer1Timer();
    EXPECT_EQ(size->currentText(), "1");
}

TEST_F(FormattingTest, FontBoxIsNotChangedWhileItsListIsOpen)
{
    edit->setText("ab");
    select(0, 1);
    edit->setSelFaceName("Liberation Sans");
    select(1, 1);
    edit->setSelFaceName("DejaVu Sans");
    form->Timer1Timer();
    auto *font = form->findChild<QComboBox *>("cbpismo");
    EXPECT_EQ(font->currentText(), "DejaVu Sans");
    font->showPopup();
    select(0, 1);
    form->Timer1Timer();
    EXPECT_EQ(font->currentText(), "DejaVu Sans") << "the user is choosing from the list";
    font->hidePopup();
    form->Timer1Timer();
    EXPECT_EQ(font->currentText(), "Liberation Sans");
    EXPECT_EQ(edit->selFaceName(), "Liberation Sans") << "showing never writes the face back";
}

TEST_F(FormattingTest, FontAndColourDialogs)
{
    edit->setText("abc");
    select(0, 3);
    prompter.answerFont(std::nullopt);
    trigger("mpismo");
    const auto first = prompter.callsOf(PromptCall::Kind::Font).back();
    EXPECT_EQ(first.font.font.family(), "MS Sans Serif");
    EXPECT_EQ(first.font.font.pointSize(), 8);
    EXPECT_FALSE(first.withApply);
    EXPECT_EQ(edit->selFaceName(), "Times New Roman") << "cancelling changes nothing";

    QFont chosen("Liberation Sans", 20);
    chosen.setBold(true);
    chosen.setUnderline(true);
    prompter.answerFont(FontChoice{chosen, QColor(Qt::red)});
    trigger("mpismo");
    EXPECT_TRUE(prompter.callsOf(PromptCall::Kind::Font).back().withApply) << "Apply from the second showing on";
    EXPECT_EQ(edit->selFaceName(), "Liberation Sans");
    EXPECT_EQ(edit->selSize(), 20);
    EXPECT_EQ(edit->selStyle(), StyleBold | StyleUnderline);
    EXPECT_EQ(edit->selColor(), QColor(Qt::red));

    prompter.answerColor(QColor(Qt::blue));
    trigger("Barva1");
    EXPECT_EQ(prompter.callsOf(PromptCall::Kind::Color).back().color, QColor(Qt::black));
    EXPECT_EQ(edit->selColor(), QColor(Qt::blue));
    trigger("Barva1");
    EXPECT_EQ(prompter.callsOf(PromptCall::Kind::Color).back().color, QColor(Qt::blue)) << "the last colour chosen";
}

// F5 through the real prompter: the dialog shows the colour it applies, and every choice arrives.
TEST(FontDialogInTheEditor, WhatTheDialogShowsIsWhatIsApplied)
{
    test::TemporaryHome home;
    QtPrompter prompter;
    NoShell shell;
    TForm1 form(prompter, shell);
    prompter.setDialogParent(&form);
    form.FormCreate({"kora-editor"});
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    RichEdit *edit = form.editor();
    edit->setText("red text");
    const auto selectAll = [edit] {
        edit->setSelStart(0);
        edit->setSelLength(8);
    };
    selectAll();
    edit->setSelColor(Qt::red);
    edit->setFocus();

    // Presses F5 in the editor and lets `user` work the dialog it opens; the dialog is closed in any case.
    const auto pressF5 = [&form, edit](const std::function<void(FontDialog *)> &user) {
        FontDialog *seen = nullptr;
        QTimer reach;
        reach.setSingleShot(true);
        QObject::connect(&reach, &QTimer::timeout, &form, [&] {
            seen = qobject_cast<FontDialog *>(QApplication::activeModalWidget());
            if (!seen)
                return;
            // The dialog's window reports active before the application has moved the keyboard to it.
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == seen; }));
            user(seen);
            if (seen->isVisible())
                seen->reject();
        });
        // The editor's window takes keys again once a dialog has gone.
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        reach.start(0);
        QTest::keyClick(edit, Qt::Key_F5);
        EXPECT_NE(seen, nullptr) << "F5 shows the font dialog";
    };
    const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    const auto shownColour = [](FontDialog *dialog) {
        return dialog->findChild<QComboBox *>("cbBarvaPisma")->currentText();
    };
    const auto sampleColour = [](FontDialog *dialog) {
        return dialog->findChild<QLabel *>("lUkazka")->palette().color(QPalette::WindowText);
    };

    pressF5([&](FontDialog *dialog) {
        EXPECT_EQ(shownColour(dialog), "Černá") << "the dialog starts at its own last colour";
        EXPECT_EQ(sampleColour(dialog), QColor(Qt::black));
        EXPECT_EQ(dialog->choice().color, QColor(Qt::black)) << "and that is the colour it would apply";
        EXPECT_EQ(dialog->findChild<QPushButton *>("bPouzit"), nullptr);
        press(Qt::Key_Escape);
    });
    EXPECT_EQ(edit->selColor(), QColor(Qt::red)) << "Storno changes nothing";

    pressF5([&](FontDialog *) {
        QTest::keyClicks(QApplication::focusWidget(), "Liberation Serif");
        press(Qt::Key_Tab);
        press(Qt::Key_End); // Tučná kurzíva
        press(Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "20");
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
        for (int i = 0; i < 9; ++i)
            press(Qt::Key_Down);
        press(Qt::Key_Return);
    });
    selectAll();
    EXPECT_EQ(edit->selFaceName(), "Liberation Serif");
    EXPECT_EQ(edit->selSize(), 20);
    EXPECT_EQ(edit->selStyle(), StyleBold | StyleItalic | StyleUnderline | StyleStrikeOut);
    EXPECT_EQ(edit->selColor(), QColor(Qt::red));

    pressF5([&](FontDialog *dialog) {
        EXPECT_EQ(shownColour(dialog), "Červená") << "the last colour chosen";
        EXPECT_EQ(sampleColour(dialog), QColor(Qt::red));
        EXPECT_NE(dialog->findChild<QPushButton *>("bPouzit"), nullptr) << "Apply from the second showing on";
        press(Qt::Key_Return);
    });
    selectAll();
    EXPECT_EQ(edit->selColor(), QColor(Qt::red)) << "OK with red shown keeps the text red";
    EXPECT_EQ(edit->selStyle(), StyleBold | StyleItalic | StyleUnderline | StyleStrikeOut);
}

TEST_F(FormattingTest, WordWrapItemFollowsItsCheckMark)
{
    EXPECT_TRUE(form->action("mLamani")->isChecked());
    trigger("mLamani");
    EXPECT_FALSE(edit->wordWrap());
    EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_FALSE(form->action("mLamani")->isChecked());
    trigger("mLamani");
    EXPECT_TRUE(edit->wordWrap());
    EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff) << "only the vertical bar again";
}

TEST_F(FormattingTest, ClickedLinkOpensThroughTheShell)
{
    emit edit->urlClicked("http://www.kora.cz");
    EXPECT_EQ(shell.opened, QStringList{"http://www.kora.cz"});
}

TEST_F(FormattingTest, EveryAttributeSurvivesSaveAndReopen)
{
    edit->setText("bold italic\r\nsuper centre\r\nbullet");
    select(0, 4);
    trigger("mTucne");
    select(5, 6);
    trigger("mKurziva");
    trigger("mPreskrtnute");
    prompter.answerColor(QColor(0, 128, 0));
    trigger("Barva1");
    select(12, 5);
    trigger("tbHorniIndex");
    edit->setSelHighlight(Qt::yellow);
    trigger("mNaStred");
    select(25, 3);
    trigger("tbTecky");
    trigger("mZvetcitOdsazeni");
    edit->setSelFaceName("Liberation Mono");
    edit->setSelSize(15);

    const QString path = home.filePath("round.kora");
    ASSERT_TRUE(edit->saveToFile(path));
    RichEdit again;
    ASSERT_TRUE(again.loadFromFile(path));
    auto at = [&again](int start, int length) {
        again.setSelStart(start);
        again.setSelLength(length);
        return std::make_pair(again.selCharFormat(), again.selParaFormat());
    };
    EXPECT_EQ(at(0, 4).first.style, StyleBold);
    auto italic = at(5, 6).first;
    EXPECT_EQ(italic.style, StyleItalic | StyleStrikeOut);
    EXPECT_EQ(italic.color, QColor(0, 128, 0));
    auto [super, centred] = at(12, 5);
    EXPECT_EQ(super.subscript, Superscript);
    EXPECT_EQ(super.highlight, QColor(Qt::yellow));
    EXPECT_EQ(centred.alignment, AlignCenter);
    auto [font, bullet] = at(25, 3);
    EXPECT_EQ(bullet.numbering, NumberingBullet);
    EXPECT_EQ(bullet.firstIndent, 20);
    EXPECT_EQ(bullet.leftIndent, 10);
    EXPECT_EQ(font.face, "Liberation Mono");
    EXPECT_EQ(font.size, 15);
}

TEST(FormattingCommands, SizeTextIsAStrictInteger)
{
    struct Case
    {
        const char *text;
        std::optional<int> size;
    };
    const Case cases[] = {{"12", 12}, {"-3", -3}, {"0", 0}, {"1.5", std::nullopt}, {" 12", 12},
                          {"12a", std::nullopt}, {"", std::nullopt}};
    for (const Case &c : cases)
        EXPECT_EQ(formatting::parseSize(c.text), c.size) << c.text;
}

TEST_F(FormattingTest, ColourButtonsSetTheSelectionAndFollowTheRefresh)
{
    edit->setText("abc");
    select(0, 3);
    TColorBtn *text = form->ui().cbBarva;
    TColorBtn *highlight = form->ui().ColorBtn1;
    ASSERT_NE(text, nullptr);
    ASSERT_NE(highlight, nullptr);
    EXPECT_EQ(text->activeColor(), QColor(Qt::black));
    EXPECT_EQ(highlight->activeColor(), QColor(Qt::white));
    EXPECT_EQ(text->size(), QSize(35, 23));

    text->setActiveColor(Qt::red);
    emit text->clicked();
    highlight->setActiveColor(Qt::yellow);
    emit highlight->clicked();
    EXPECT_EQ(edit->selColor(), QColor(Qt::red));
    EXPECT_EQ(edit->selHighlight(), QColor(Qt::yellow));

    edit->setSelStart(1);
    form->Timer1Timer();
    EXPECT_EQ(text->activeColor(), QColor(Qt::red));
    EXPECT_EQ(text->targetColor(), QColor(Qt::red));
    EXPECT_EQ(highlight->targetColor(), QColor(Qt::yellow));

    // The palette's "no colour" is automatic text colour and no highlight, never a random colour.
    select(0, 3);
    text->setActiveColor(QColor());
    emit text->clicked();
    highlight->setActiveColor(QColor());
    emit highlight->clicked();
    EXPECT_EQ(edit->selColor(), edit->palette().color(QPalette::WindowText));
    EXPECT_EQ(edit->selHighlight(), edit->palette().color(QPalette::Base));
}

TEST_F(FormattingTest, RulerMarkersBecomeTheSelectionsIndents)
{
    TanlRuler *ruler = form->ui().Ruler;
    ruler->resize(700, 25);
    edit->setText("para");
    select(0, 2);
    ruler->setIndentRight(690);
    ruler->setIndentFirst(40);
    emit ruler->OnIndentChange(ruler, 0);
    EXPECT_EQ(edit->selParaFormat().firstIndent, 30) << "40 px are 30 pt";
    ruler->setIndentLeft(60);
    emit ruler->OnIndentChange(ruler, 1);
    EXPECT_EQ(edit->selParaFormat().leftIndent, 15) << "45 pt less the first indent of 30";
    emit ruler->OnIndentChange(ruler, 2);
    EXPECT_EQ(edit->selParaFormat().rightIndent, 0) << "the marker stands 10 px from the edge";
}

TEST(RegistryColorStore, UserColoursLiveUnderTheCurrentUser)
{
    QTemporaryDir folder;
    Registry registry(folder.path());
    RegistryColorStore store(registry);
    EXPECT_EQ(store.read("SoftWare\\Tintora", "ColorA"), std::nullopt) << "no key yet";
    ASSERT_TRUE(store.write("SoftWare\\Tintora", "ColorA", "FFFFFF"));
    EXPECT_EQ(store.read("Software\\TINTORA", "colora"), std::optional<QString>("FFFFFF"));
    Registry again(folder.path());
    EXPECT_EQ(RegistryColorStore(again).read("SoftWare\\Tintora", "ColorA"), std::optional<QString>("FFFFFF"));
}
