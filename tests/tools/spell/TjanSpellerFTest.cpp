#include "tools/spell/TjanSpellerF.h"

#include "tools/spell/SpellCheck.h"
#include "tools/spell/Suggester.h"
#include "tools/spell/TjanSpeller.h"

#include "support/QtPrinters.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace kora::spell;

namespace {

class FixedSuggester : public Suggester
{
public:
    QStringList suggestions(const QString &word) override
    {
        asked << word;
        return {word + QStringLiteral("a"), word + QStringLiteral("b")};
    }
    QStringList asked;
};

// Types text into the focused widget as key presses, Czech letters included.
void type(const QString &text)
{
    for (const QChar ch : text) {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::sendKeyEvent(QTest::Click, focus, Qt::Key(ch.toUpper().unicode()), QString(ch), Qt::NoModifier);
    }
}

void press(Qt::Key key)
{
    QWidget *focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key);
}

class TjanSpellerFTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile file(dir.filePath(QStringLiteral("slovník.dic")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringEncoder("windows-1250").encode(QStringLiteral("hello\r\nkůň\r\nworld\r\n")));
        file.close();
        speller.loadMainDictionary(file.fileName());
    }

    // Opens the dialog over `text` at its first unknown word and waits until it has the keyboard.
    void open(const QString &text, bool withUserList = true)
    {
        if (withUserList)
            speller.loadUserDictionary(dir.filePath(QStringLiteral("englishuser.dic")));
        check = std::make_unique<SpellCheck>(speller, text);
        ASSERT_TRUE(check->findNextUnknown());
        dialog = std::make_unique<TjanSpellerF>(*check, &suggester);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == dialog->txtspell(); }));
    }

    QTemporaryDir dir;
    TjanSpeller speller;
    FixedSuggester suggester;
    std::unique_ptr<SpellCheck> check;
    std::unique_ptr<TjanSpellerF> dialog;
};

QString caption(const QPushButton *button)
{
    return button->text().remove(QLatin1Char('&'));
}

} // namespace

TEST_F(TjanSpellerFTest, ShowsTheUnknownWordItsContextAndSuggestions)
{
    open(QStringLiteral("hello wrld and kůň"));
    EXPECT_EQ(dialog->objectName(), QStringLiteral("janSpellerF"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Kontrola pravopisu"));
    EXPECT_EQ(dialog->txtspell()->text(), QStringLiteral("wrld"));
    EXPECT_EQ(dialog->txtspell()->selectedText(), QStringLiteral("wrld")) << "typing replaces the word";
    EXPECT_EQ(dialog->lblcontext()->text(), QStringLiteral("wrld and kůň"));
    EXPECT_TRUE(dialog->lblcontext()->font().bold());
    EXPECT_EQ(dialog->lblcontext()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(dialog->lblcontext()->wordWrap());
    EXPECT_EQ(dialog->lblcontext()->toolTip(), QStringLiteral("look ahead box"));
    EXPECT_EQ(dialog->lbNavrhy()->count(), 2);
    EXPECT_EQ(suggester.asked, QStringList{QStringLiteral("wrld")});

    struct Button
    {
        QPushButton *button;
        const char *name;
        QString caption;
        QString hint;
    };
    const Button buttons[] = {
        {dialog->btnchange(), "btnchange", QStringLiteral("Zaměnit"), QStringLiteral("Change to corrected word")},
        {dialog->btnSkip(), "btnSkip", QStringLiteral("Přeskočit"), QStringLiteral("Skip this word")},
        {dialog->btnskipall(), "btnskipall", QStringLiteral("Přeskočit vše"),
         QStringLiteral("Skip all, update and finish")},
        {dialog->btnAdd(), "btnAdd", QStringLiteral("Přidat"), QStringLiteral("Add to user Dictionary")},
        {dialog->btncancel(), "btncancel", QStringLiteral("Cancel"), QStringLiteral("Abort all changes")},
    };
    for (const Button &b : buttons) {
        EXPECT_EQ(b.button->objectName(), QLatin1String(b.name));
        EXPECT_EQ(caption(b.button), b.caption);
        EXPECT_EQ(b.button->toolTip(), b.hint);
        EXPECT_TRUE(b.button->isVisible()) << b.name;
    }
    EXPECT_TRUE(dialog->btnchange()->isDefault());
    for (const QLabel *label : dialog->findChildren<QLabel *>()) {
        if (label != dialog->lblcontext()) {
            EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
        }
    }
}

TEST_F(TjanSpellerFTest, AddIsHiddenWithoutAUserList)
{
    open(QStringLiteral("wrld"), false);
    EXPECT_FALSE(dialog->btnAdd()->isVisible());
    EXPECT_TRUE(dialog->btnchange()->isVisible());
}

TEST_F(TjanSpellerFTest, TypedCorrectionsReplaceWordsUntilNoneIsLeft)
{
    open(QStringLiteral("helo wrld, kun"));
    type(QStringLiteral("hello"));
    press(Qt::Key_Return);
    EXPECT_EQ(dialog->txtspell()->text(), QStringLiteral("wrld"));
    EXPECT_EQ(dialog->lblcontext()->text(), QStringLiteral("wrld, kun"));
    dialog->btnSkip()->click();
    EXPECT_EQ(dialog->txtspell()->text(), QStringLiteral("kun"));
    type(QStringLiteral("kůň"));
    dialog->btnchange()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(check->text(), QStringLiteral("hello wrld, kůň"));
}

TEST_F(TjanSpellerFTest, AnEmptyFieldChangesAndAddsNothing)
{
    open(QStringLiteral("wrld"));
    dialog->txtspell()->clear();
    dialog->btnchange()->click();
    dialog->btnAdd()->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->lblcontext()->text(), QStringLiteral("wrld"));
    EXPECT_TRUE(check->corrections().isEmpty());
    EXPECT_TRUE(speller.userDictionary().isEmpty());
}

TEST_F(TjanSpellerFTest, APickedSuggestionGoesIntoTheFieldAndChangeUsesIt)
{
    open(QStringLiteral("wrld kun"));
    QListWidget *list = dialog->lbNavrhy();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(dialog->txtspell()->text(), QStringLiteral("wrldb"));
    EXPECT_EQ(check->text(), QStringLiteral("wrld kun")) << "picking does not change yet";
    dialog->btnchange()->click();
    EXPECT_EQ(check->text(), QStringLiteral("wrldb kun"));

    // The keyboard: into the list, down to a suggestion, Enter changes.
    EXPECT_EQ(dialog->txtspell()->text(), QStringLiteral("kun"));
    list->setFocus();
    press(Qt::Key_Down);
    EXPECT_EQ(dialog->txtspell()->text(), list->currentItem()->text());
    const QString picked = list->currentItem()->text();
    press(Qt::Key_Return);
    EXPECT_EQ(check->text(), QStringLiteral("wrldb ") + picked);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(TjanSpellerFTest, AddPutsTheTypedWordIntoTheUserList)
{
    open(QStringLiteral("Brno brnoo"));
    type(QStringLiteral("BRNO"));
    dialog->btnAdd()->click();
    EXPECT_EQ(speller.userDictionary().bytes(), "brno\r\n");
    EXPECT_EQ(dialog->txtspell()->text(), QStringLiteral("brnoo"));
    EXPECT_TRUE(check->corrections().isEmpty()) << "the document word stays as written";
}

TEST_F(TjanSpellerFTest, HowTheDialogCloses)
{
    struct Case
    {
        const char *name;
        std::function<void(TjanSpellerF &)> act;
        int result;
    };
    const Case cases[] = {
        {"Přeskočit vše accepts what was done", [](TjanSpellerF &d) { d.btnskipall()->click(); }, QDialog::Accepted},
        {"Cancel drops it", [](TjanSpellerF &d) { d.btncancel()->click(); }, QDialog::Rejected},
        {"Esc drops it", [](TjanSpellerF &) { press(Qt::Key_Escape); }, QDialog::Rejected},
        {"the close box drops it", [](TjanSpellerF &d) { d.close(); }, QDialog::Rejected},
    };
    for (const Case &c : cases) {
        open(QStringLiteral("aaa bbb ccc"));
        dialog->btnchange()->click();
        c.act(*dialog);
        EXPECT_FALSE(dialog->isVisible()) << c.name;
        EXPECT_EQ(dialog->result(), c.result) << c.name;
    }
}
