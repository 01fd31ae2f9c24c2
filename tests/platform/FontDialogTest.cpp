#include "platform/FontDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace kora;

namespace {

FontChoice choiceOf(const QString &family, int size, QColor color, bool bold = false, bool italic = false,
                    bool underline = false, bool strikeOut = false)
{
    QFont font(family, size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return FontChoice{font, color};
}

const FontChoice kStart = choiceOf(QStringLiteral("MS Sans Serif"), 8, Qt::black);

class FontDialogTest : public ::testing::Test
{
protected:
    // Shows a dialog starting at `initial` and waits until it has the keyboard.
    void open(const FontChoice &initial, bool withApply = false)
    {
        dialog = std::make_unique<FontDialog>(initial, withApply);
        dialog->show();
        // The window reports active before the application has moved the keyboard to it.
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == dialog.get(); }));
        ASSERT_NE(QApplication::focusWidget(), nullptr);
    }

    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_NE(QApplication::focusWidget(), nullptr) << "the dialog has closed";
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void type(const char *text)
    {
        ASSERT_NE(QApplication::focusWidget(), nullptr) << "the dialog has closed";
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(text));
    }
    static QString focusName() { return QApplication::focusWidget()->objectName(); }

    template<typename T>
    T *child(const char *name) const
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }

    // The sample must show exactly what the dialog gives back.
    void expectSampleShows(const FontChoice &choice) const
    {
        auto *sample = child<QLabel>("lUkazka");
        ASSERT_NE(sample, nullptr);
        const QFont font = sample->font();
        EXPECT_EQ(font.family(), choice.font.family());
        EXPECT_EQ(font.pointSize(), choice.font.pointSize());
        EXPECT_EQ(font.bold(), choice.font.bold());
        EXPECT_EQ(font.italic(), choice.font.italic());
        EXPECT_EQ(font.underline(), choice.font.underline());
        EXPECT_EQ(font.strikeOut(), choice.font.strikeOut());
        EXPECT_EQ(sample->palette().color(QPalette::WindowText), choice.color);
    }

    std::unique_ptr<FontDialog> dialog;
};

void expectSameChoice(const FontChoice &actual, const FontChoice &expected)
{
    EXPECT_EQ(actual.font.family(), expected.font.family());
    EXPECT_EQ(actual.font.pointSize(), expected.font.pointSize());
    EXPECT_EQ(actual.font.bold(), expected.font.bold());
    EXPECT_EQ(actual.font.italic(), expected.font.italic());
    EXPECT_EQ(actual.font.underline(), expected.font.underline());
    EXPECT_EQ(actual.font.strikeOut(), expected.font.strikeOut());
    EXPECT_EQ(actual.color, expected.color);
}

} // namespace

TEST_F(FontDialogTest, CaptionNamesAndKeyboardAccess)
{
    ASSERT_NO_FATAL_FAILURE(open(kStart));
    EXPECT_EQ(dialog->objectName(), "fdPismo");
    EXPECT_EQ(dialog->windowTitle(), "Písmo");
    const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (label->objectName() == "lUkazka")
            continue;
        EXPECT_TRUE(label->text().contains(u'&')) << label->text().toStdString();
        EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
    }

    // Tab walks the fields in reading order; the lists follow their edit fields.
    QStringList order{focusName()};
    for (int i = 0; i < 7; ++i) {
        press(Qt::Key_Tab);
        order << focusName();
    }
    EXPECT_EQ(order, QStringList({"ePismo", "lbRez", "eVelikost", "cbPreskrtnute", "cbPodtrzene", "cbBarvaPisma",
                                  "bOK", "bStorno"}));

    const std::pair<Qt::Key, const char *> mnemonics[] = {
        {Qt::Key_E, "lbRez"}, {Qt::Key_V, "eVelikost"}, {Qt::Key_B, "cbBarvaPisma"}, {Qt::Key_P, "ePismo"}};
    for (const auto &[key, name] : mnemonics) {
        press(key, Qt::AltModifier);
        EXPECT_EQ(focusName(), name);
    }
}

TEST_F(FontDialogTest, ShowsItsStartValuesAndOkGivesThemBackUnchanged)
{
    struct Case
    {
        const char *name;
        FontChoice initial;
        const char *style;
        const char *colorName;
    };
    const Case cases[] = {
        {"the program's first font", kStart, "Obyčejné", "Černá"},
        {"every effect with a named colour",
         choiceOf("Liberation Serif", 20, QColor(255, 0, 0), true, true, true, true), "Tučná kurzíva", "Červená"},
        {"italic in a colour of its own", choiceOf("Liberation Mono", 13, QColor(12, 34, 200), false, true),
         "Kurzíva", "Vlastní"},
        {"bold in an almost-named colour", choiceOf("DejaVu Sans", 72, QColor(254, 0, 0), true), "Tučné", "Vlastní"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(open(c.initial));
        EXPECT_EQ(child<QLineEdit>("ePismo")->text(), c.initial.font.family());
        EXPECT_EQ(child<QLineEdit>("eRez")->text(), QString::fromUtf8(c.style));
        EXPECT_EQ(child<QListWidget>("lbRez")->currentItem()->text(), QString::fromUtf8(c.style));
        EXPECT_EQ(child<QLineEdit>("eVelikost")->text(), QString::number(c.initial.font.pointSize()));
        EXPECT_EQ(child<QCheckBox>("cbPodtrzene")->isChecked(), c.initial.font.underline());
        EXPECT_EQ(child<QCheckBox>("cbPreskrtnute")->isChecked(), c.initial.font.strikeOut());
        EXPECT_EQ(child<QComboBox>("cbBarvaPisma")->currentText(), QString::fromUtf8(c.colorName));
        expectSampleShows(c.initial);

        press(Qt::Key_Return);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_FALSE(dialog->isVisible());
        expectSameChoice(dialog->choice(), c.initial);
    }
}

TEST_F(FontDialogTest, EachFieldChangesTheResultAndTheSample)
{
    struct Case
    {
        const char *name;
        std::function<void()> keys;
        std::function<void(QFont &, QColor &)> change;
    };
    const Case cases[] = {
        {"a family typed over the old one", [] { type("Liberation Mono"); },
         [](QFont &f, QColor &) { f.setFamily("Liberation Mono"); }},
        {"a family typed in other letter case takes the list's spelling", [] { type("liberation mono"); },
         [](QFont &f, QColor &) { f.setFamily("Liberation Mono"); }},
        {"a family not installed is kept as typed", [] { type("Courier New"); },
         [](QFont &f, QColor &) { f.setFamily("Courier New"); }},
        {"the style list", [] { press(Qt::Key_Tab), press(Qt::Key_Down), press(Qt::Key_Down); },
         [](QFont &f, QColor &) { f.setBold(true); }},
        {"the last style", [] { press(Qt::Key_E, Qt::AltModifier), press(Qt::Key_End); },
         [](QFont &f, QColor &) { f.setBold(true), f.setItalic(true); }},
        {"a size typed over the old one", [] { press(Qt::Key_V, Qt::AltModifier), type("37"); },
         [](QFont &f, QColor &) { f.setPointSize(37); }},
        {"arrow keys in the size field walk the list",
         [] { press(Qt::Key_V, Qt::AltModifier), press(Qt::Key_Down), press(Qt::Key_Down); },
         [](QFont &f, QColor &) { f.setPointSize(10); }},
        {"space on strikeout",
         [] {
             for (int i = 0; i < 3; ++i)
                 press(Qt::Key_Tab);
             press(Qt::Key_Space);
         },
         [](QFont &f, QColor &) { f.setStrikeOut(true); }},
        {"space on underline",
         [] {
             for (int i = 0; i < 4; ++i)
                 press(Qt::Key_Tab);
             press(Qt::Key_Space);
         },
         [](QFont &f, QColor &) { f.setUnderline(true); }},
        {"a colour picked with the arrow keys", [] { press(Qt::Key_B, Qt::AltModifier), press(Qt::Key_Down); },
         [](QFont &, QColor &c) { c = QColor(0x80, 0, 0); }},
        {"the last named colour", [] { press(Qt::Key_B, Qt::AltModifier), press(Qt::Key_End); },
         [](QFont &, QColor &c) { c = QColor(Qt::white); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(open(kStart));
        c.keys();
        FontChoice expected = kStart;
        c.change(expected.font, expected.color);
        expectSampleShows(expected);
        press(Qt::Key_Return);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        expectSameChoice(dialog->choice(), expected);
    }
}

TEST_F(FontDialogTest, EverythingAtOnceInOneVisit)
{
    ASSERT_NO_FATAL_FAILURE(open(kStart));
    type("Liberation Serif");
    press(Qt::Key_Tab);
    press(Qt::Key_End);
    press(Qt::Key_Tab);
    type("24");
    press(Qt::Key_Tab);
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    for (int i = 0; i < 9; ++i)
        press(Qt::Key_Down);
    EXPECT_EQ(child<QComboBox>("cbBarvaPisma")->currentText(), "Červená");
    press(Qt::Key_Return);
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    expectSameChoice(dialog->choice(), choiceOf("Liberation Serif", 24, Qt::red, true, true, true, true));
}

TEST_F(FontDialogTest, AColourOfItsOwnComesBackAfterLookingAtOthers)
{
    const QColor own(12, 34, 200, 255);
    ASSERT_NO_FATAL_FAILURE(open(choiceOf("Liberation Sans", 10, own)));
    press(Qt::Key_B, Qt::AltModifier);
    press(Qt::Key_Up);
    EXPECT_EQ(child<QComboBox>("cbBarvaPisma")->currentText(), "Bílá");
    press(Qt::Key_Down);
    EXPECT_EQ(child<QComboBox>("cbBarvaPisma")->currentText(), "Vlastní");
    press(Qt::Key_Return);
    EXPECT_EQ(dialog->choice().color, own);
}

TEST_F(FontDialogTest, FamilyFieldAndListFollowEachOther)
{
    ASSERT_NO_FATAL_FAILURE(open(kStart));
    auto *edit = child<QLineEdit>("ePismo");
    auto *list = child<QListWidget>("lbPismo");
    EXPECT_EQ(list->currentItem(), nullptr) << "a family that is not installed is shown only in the field";
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    EXPECT_FALSE(names.isEmpty());
    EXPECT_EQ(names.filter(QStringLiteral("[")).size(), 0) << "families by name, not by foundry";
    EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size()) << "each family once";
    type("liberation m");
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), "Liberation Mono") << "typing finds the first name it starts";
    EXPECT_EQ(edit->text(), "liberation m") << "typing is not overwritten";
    press(Qt::Key_Down);
    EXPECT_EQ(edit->text(), list->currentItem()->text());
    EXPECT_NE(edit->text(), "Liberation Mono");
    press(Qt::Key_Up);
    EXPECT_EQ(edit->text(), "Liberation Mono");
    press(Qt::Key_Return);
    EXPECT_EQ(dialog->choice().font.family(), "Liberation Mono");
}

TEST_F(FontDialogTest, CancellingGivesNothing)
{
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"Esc", [] { press(Qt::Key_Escape); }},
        {"space on Storno", [] { press(Qt::Key_Space); }},
        {"Enter on Storno", [] { press(Qt::Key_Return); }},
    };
    for (const auto &[name, cancel] : ways) {
        SCOPED_TRACE(name);
        ASSERT_NO_FATAL_FAILURE(open(kStart));
        type("Liberation Serif");
        for (int i = 0; i < 3; ++i)
            press(Qt::Key_Tab);
        press(Qt::Key_Space);
        for (int i = 0; i < 4; ++i)
            press(Qt::Key_Tab);
        ASSERT_EQ(focusName(), "bStorno");
        cancel();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
}

TEST_F(FontDialogTest, ASizeThatIsNoNumberCannotBeConfirmed)
{
    ASSERT_NO_FATAL_FAILURE(open(kStart));
    press(Qt::Key_V, Qt::AltModifier);
    type("x");
    EXPECT_EQ(child<QLineEdit>("eVelikost")->text(), "8") << "letters are not taken";
    press(Qt::Key_Backspace);
    EXPECT_FALSE(child<QPushButton>("bOK")->isEnabled());
    press(Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "an empty size is not confirmed";
    expectSampleShows(kStart);
    type("0");
    EXPECT_FALSE(child<QPushButton>("bOK")->isEnabled());
    press(Qt::Key_Backspace);
    type("11");
    press(Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->choice().font.pointSize(), 11);
}

TEST_F(FontDialogTest, AnEmptyFamilyCannotBeConfirmed)
{
    ASSERT_NO_FATAL_FAILURE(open(kStart));
    press(Qt::Key_Delete);
    EXPECT_FALSE(child<QPushButton>("bOK")->isEnabled());
    type(" ");
    press(Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    type("Liberation Sans");
    press(Qt::Key_Return);
    EXPECT_EQ(dialog->choice().font.family(), "Liberation Sans");
}

TEST_F(FontDialogTest, ApplyButtonOnlyWhenAskedAndWithoutAnAction)
{
    ASSERT_NO_FATAL_FAILURE(open(kStart));
    EXPECT_EQ(child<QPushButton>("bPouzit"), nullptr);
    ASSERT_NO_FATAL_FAILURE(open(kStart, true));
    auto *apply = child<QPushButton>("bPouzit");
    ASSERT_NE(apply, nullptr);
    EXPECT_EQ(apply->text(), "Použít");
    press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focusName(), "bPouzit");
    press(Qt::Key_Space);
    EXPECT_TRUE(dialog->isVisible()) << "Apply does not close the dialog";
    press(Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}
