// The printer set-up dialog, the real print and save dialogs of the Prompter, and PDF output.
#include "platform/Printer.h"
#include "platform/PrinterSetupDialog.h"
#include "platform/QtPrompter.h"
#include "platform/QtTranslations.h"

#include <QPrintDialog>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kora;

namespace {

const QList<PrinterDescription> kPrinters = {
    {"Kancelar", "Laserová tiskárna v kanceláři",
     {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5), QPageSize(QPageSize::Letter)}},
    {"Sklad", "", {QPageSize(QPageSize::A4), QPageSize(QPageSize::A3)}},
};

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Runs `act` on the modal dialog once it is up, inside its modal loop.
void whenModalShows(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

} // namespace

TEST(PrinterSetupDialog, ChoosesPrinterPaperAndOrientationByKeyboard)
{
    PrinterSetupDialog dialog(kPrinters);
    QPrinter start(QPrinter::HighResolution);
    start.setOutputFormat(QPrinter::PdfFormat);
    start.setPageSize(QPageSize(QPageSize::A5));
    dialog.readFrom(start);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return QApplication::activeWindow() == &dialog; }));
    EXPECT_EQ(dialog.windowTitle(), "Nastavení tisku");
    EXPECT_EQ(dialog.printerName(), "Kancelar") << "the first printer, which is the default";
    EXPECT_EQ(dialog.pageSize().id(), QPageSize::A5) << "starts at the printer's settings";

    press(Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cbTiskarna");
    press(Qt::Key_Down);
    EXPECT_EQ(dialog.printerName(), "Sklad");
    const auto *paper = dialog.findChild<QComboBox *>("cbPapir");
    EXPECT_EQ(paper->count(), 2) << "the paper sizes of the chosen printer";
    press(Qt::Key_P, Qt::AltModifier);
    press(Qt::Key_Down);
    EXPECT_EQ(dialog.pageSize().id(), QPageSize::A3);
    press(Qt::Key_V, Qt::AltModifier);
    press(Qt::Key_Right);
    EXPECT_EQ(dialog.orientation(), QPageLayout::Landscape);
    press(Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    QPrinter target(QPrinter::HighResolution);
    target.setOutputFormat(QPrinter::PdfFormat);
    dialog.applyTo(target);
    EXPECT_EQ(target.pageLayout().pageSize().id(), QPageSize::A3);
    EXPECT_EQ(target.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST(PrinterSetupDialog, StornoKeepsThePrinterAsItWas)
{
    ASSERT_TRUE(installQtTranslations(*qApp));
    QtPrompter prompter;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QString title;
    whenModalShows([&title](QWidget *dialog) {
        title = dialog->windowTitle();
        auto *landscape = dialog->findChild<QRadioButton *>("rbNaSirku");
        ASSERT_NE(landscape, nullptr);
        QTest::mouseClick(landscape, Qt::LeftButton);
        QPushButton *storno = nullptr;
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            if (button->text() == "Storno")
                storno = button;
        }
        ASSERT_NE(storno, nullptr);
        QTest::mouseClick(storno, Qt::LeftButton);
    });
    EXPECT_FALSE(prompter.choosePrinter(printer, PrinterDialog::Setup));
    EXPECT_EQ(title, "Nastavení tisku");
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}

TEST(QtPrompterPrinting, PrintDialogIsCzechAndOffersNoRangeOrSelection)
{
    ASSERT_TRUE(installQtTranslations(*qApp));
    QtPrompter prompter;
    QPrinter printer(QPrinter::HighResolution);
    QString title;
    QString name;
    QAbstractPrintDialog::PrintDialogOptions options;
    whenModalShows([&](QWidget *widget) {
        auto *dialog = qobject_cast<QPrintDialog *>(widget);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        name = dialog->objectName();
        options = dialog->options();
        dialog->reject();
    });
    EXPECT_FALSE(prompter.choosePrinter(printer, PrinterDialog::Print));
    EXPECT_EQ(title, "Tisk");
    EXPECT_EQ(name, "PrintDialog1");
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintPageRange));
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintSelection));
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintToFile));
}

TEST(QtPrompterPrinting, SaveDialogAddsTheDefaultExtensionAndAsksBeforeReplacing)
{
    ASSERT_TRUE(installQtTranslations(*qApp));
    QTemporaryDir folder;
    QFile existing(folder.filePath("stranka.htm"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QtPrompter prompter;
    QString question;
    whenModalShows([&](QWidget *widget) {
        auto *name = widget->findChild<QLineEdit *>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setFocus();
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name, "stranka");
        whenModalShows([&](QWidget *box) {
            question = qobject_cast<QMessageBox *>(box) ? qobject_cast<QMessageBox *>(box)->text() : QString();
            for (QPushButton *button : box->findChildren<QPushButton *>()) {
                if (button->text().remove(u'&') == "Ano")
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        QTest::keyClick(name, Qt::Key_Return);
    });
    FileRequest request{"sdhtml", true, "Html soubory (.*.htm)|*.htm", folder.filePath("x.htm"), 0, "htm"};
    const std::optional<FileChoice> choice = prompter.chooseFile(request);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->fileName, folder.filePath("stranka.htm"));
    EXPECT_TRUE(question.contains("stranka.htm")) << question.toStdString();
}

TEST(PdfOutput, A4OrLetterByTheLocale)
{
    const QLocale before;
    QPrinter printer(QPrinter::HighResolution);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    setUpPdfOutput(printer, "dokument.pdf");
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), "dokument.pdf");
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    setUpPdfOutput(printer, "letter.pdf");
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    QLocale::setDefault(before);
}
