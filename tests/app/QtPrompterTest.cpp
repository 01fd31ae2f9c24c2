// The real dialogs of the Prompter, as the user sees them.
#include "platform/Prompter.h"
#include "platform/QtPrompter.h"
#include "app/DocumentController.h"
#include "platform/QtTranslations.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kora;

namespace {

// Runs `act` on the file dialog once it is up, inside its modal loop.
void whenFileDialogShows(std::function<void(QFileDialog *)> act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

QStringList buttonTexts(const QWidget *dialog)
{
    QStringList texts;
    for (const QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->isVisible())
            texts << button->text().remove(u'&');
    }
    return texts;
}

} // namespace

TEST(QtPrompter, FileDialogIsCzechAndShowsEachTypeAsTheProgramNamesIt)
{
    ASSERT_TRUE(installQtTranslations(*qApp)) << "Qt's Czech translations are installed by setup.sh";
    QtPrompter prompter;
    QStringList types;
    QStringList buttons;
    whenFileDialogShows([&](QFileDialog *dialog) {
        auto *typeBox = dialog->findChild<QComboBox *>("fileTypeCombo");
        for (int i = 0; i < typeBox->count(); ++i)
            types << typeBox->itemText(i);
        buttons = buttonTexts(dialog);
        dialog->reject();
    });
    EXPECT_FALSE(prompter.chooseFile({"sdUlozit", true, DocumentController::kMainFilter, QString(), 0}));
    EXPECT_EQ(types, QStringList({"KORA dokumenty ( *.kora )", "Rich text Formát (*. rtf )", "Poznámkový blok",
                                  "Informační (*.ini )", "Všechny ( *.* )"}));
    EXPECT_TRUE(buttons.contains("Uložit")) << buttons.join(", ").toStdString();
    EXPECT_TRUE(buttons.contains("Zrušit")) << buttons.join(", ").toStdString();
}

TEST(QtPrompter, FileDialogGivesTheTypedNameAndTheChosenType)
{
    QTemporaryDir folder;
    QtPrompter prompter;
    whenFileDialogShows([&](QFileDialog *dialog) {
        auto *typeBox = dialog->findChild<QComboBox *>("fileTypeCombo");
        typeBox->setFocus();
        QTest::keyClick(typeBox, Qt::Key_Down);
        QTest::keyClick(typeBox, Qt::Key_Down);
        auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        name->setFocus();
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name, "dopis");
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<FileChoice> choice =
        prompter.chooseFile({"sdUlozit", true, DocumentController::kMainFilter, folder.filePath("start.kora"), 0});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->filterIndex, 2);
    EXPECT_EQ(QFileInfo(choice->fileName).fileName(), "dopis");
}
