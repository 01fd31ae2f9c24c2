#include "InsertionFixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

using namespace kora;

namespace {

using DateTimeDialog = test::InsertionFixture;

TEST_F(DateTimeDialog, ListsTheThirteenFormatsOfTheMomentItIsShown)
{
    now = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
    // Shown a day later, after midnight: the list is of that moment, not of the program's start.
    QStringList shown;
    now = QDateTime(QDate(2024, 3, 6), QTime(0, 5, 1));
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<TDatumCas *>(dialog);
        EXPECT_EQ(d->windowTitle(), "Datum čas/Dialog");
        EXPECT_TRUE(d->bVlozit()->isDefault());
        for (int i = 0; i < d->lbCas()->count(); ++i)
            shown << d->lbCas()->item(i)->text();
        click(d->bStorno());
    });
    mDatumcasDialog.trigger();
    EXPECT_EQ(shown,
              (QStringList{"2024-03-06", "2024-3-6", "2024 rok 03 měsíc 06 den", "2024 rok 03 měsíc 06 den st",
                           "2024 rok 03 měsíc 06 den středa", "2024, bře, 06, st", "00-05-01", "2024, bře, 06, středa",
                           "2024-03-06 12:5:1 a", "03-06-2024", "3-6-2024", "bře, 06, 2024", "březen, 6, 2024"}));
}

TEST_F(DateTimeDialog, TheChosenLineIsPreviewedAndInserted)
{
    editor->setText(QStringLiteral("x slovo y"));
    select(2, 5);
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<TDatumCas *>(dialog);
        QListWidget *list = d->lbCas();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(6)).center());
        EXPECT_EQ(d->eNahled()->text(), "03-04-05");
        EXPECT_TRUE(d->eNahled()->isReadOnly());
        click(d->bVlozit());
        EXPECT_FALSE(d->isVisible());
    });
    mDatumcasDialog.trigger();
    EXPECT_EQ(editor->text(), "x 03-04-05 y");
    EXPECT_EQ(editor->selStart(), 10);
    EXPECT_EQ(editor->selLength(), 0);
}

TEST_F(DateTimeDialog, WithoutAChosenLineItWarnsAndStaysOpen)
{
    editor->setText(QStringLiteral("ab"));
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<TDatumCas *>(dialog);
        d->lbCas()->clearSelection();
        d->lbCas()->setCurrentRow(-1);
        click(d->bVlozit());
        EXPECT_TRUE(d->isVisible());
    });
    mDatumcasDialog.trigger();
    EXPECT_EQ(editor->text(), "ab");
    const auto messages = prompter.callsOf(test::PromptCall::Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].messageKind, MessageKind::Warning);
    EXPECT_EQ(messages[0].text, "Vyberte prosím formát. Tato funkce jinak nemá smysl ");
    EXPECT_EQ(messages[0].buttons, PromptButtons(ButtonOk));
}

using SymbolDialog = test::InsertionFixture;

TEST_F(SymbolDialog, CellsHoldTheWindows1250TableRowByRow)
{
    const QTableWidget *grid = symbol->paleta();
    ASSERT_EQ(grid->rowCount(), 16);
    ASSERT_EQ(grid->columnCount(), 16);
    const struct
    {
        int row, column;
        const char *inserted;
    } cells[] = {
        {0, 0, ""},   {4, 1, "A"},   {2, 0, " "}, {7, 14, "~"}, {8, 10, "Š"}, {9, 14, "ž"},
        {14, 8, "č"}, {15, 15, "˙"}, {8, 1, ""},  {9, 8, ""},   {8, 0, "€"},  {0, 9, "\t"},
    };
    for (const auto &c : cells) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
        EXPECT_EQ(Tsymbol::symbolText(16 * c.row + c.column), QString::fromUtf8(c.inserted));
    }
    EXPECT_EQ(grid->item(14, 8)->text(), "č");
    EXPECT_EQ(grid->item(0, 0)->text(), "");
}

TEST_F(SymbolDialog, VlozitInsertsAndKeepsTheDialogOpen)
{
    editor->setText(QStringLiteral("[vybráno]"));
    select(1, 7);
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<Tsymbol *>(dialog);
        EXPECT_EQ(d->windowTitle(), " Vložit symbol");
        QTableWidget *grid = d->paleta();
        // Code 0 inserts nothing but still replaces the selection.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
        click(d->VlozBut());
        EXPECT_TRUE(d->isVisible());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(4, 1)).center());
        click(d->VlozBut());
        // An undefined code inserts nothing.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(8, 1)).center());
        click(d->VlozBut());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(14, 8)).center());
        click(d->VlozBut());
        EXPECT_TRUE(d->isVisible());
        click(d->ZavBut());
        EXPECT_FALSE(d->isVisible());
    });
    mSymboly.trigger();
    EXPECT_EQ(editor->text(), "[Ač]");
    EXPECT_EQ(editor->selStart(), 3);
}

TEST_F(SymbolDialog, ArrowsMoveAndEnterInserts)
{
    editor->setText({});
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<Tsymbol *>(dialog);
        QTableWidget *grid = d->paleta();
        grid->setFocus();
        grid->setCurrentCell(4, 0);
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Return);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Enter);
        EXPECT_TRUE(d->isVisible());
        QTest::keyClick(grid, Qt::Key_Escape);
        EXPECT_FALSE(d->isVisible());
    });
    mSymboly.trigger();
    EXPECT_EQ(editor->text(), "AQ");
}

} // namespace
