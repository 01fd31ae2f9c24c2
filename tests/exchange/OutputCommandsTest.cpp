// The commands "Jako HTML ", "Jako PDF", "Tisk", "Tisk (Jen označený text)", "Nastavení tiskárny",
// the toolbar's print button and its pop-up item, as the main window runs them.
#include "exchange/OutputCommands.h"
#include "exchange/TForm3.h"
#include "richedit/RichEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "support/PdfFilePrinter.h"
#include "support/Poppler.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace kora;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Czech words, numbered so that their order shows.
QString czechLines(int count)
{
    const QStringList words = {"příliš", "žluťoučký", "kůň", "úpěl", "ďábelské", "ódy", "čeřil", "šťávu"};
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString("%1 %2 %3").arg(words.at(i % words.size())).arg(i).arg(words.at((i + 3) % words.size()));
    return lines.join("\r\n");
}

class OutputCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        m_palette = QApplication::palette();
        QPalette palette = m_palette;
        palette.setColor(QPalette::WindowText, Qt::black);
        QApplication::setPalette(palette);
    }
    void TearDown() override
    {
        QApplication::setPalette(m_palette);
        QLocale::setDefault(QLocale::system());
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    std::vector<test::PromptCall> messages() const { return prompter.callsOf(test::PromptCall::Kind::Message); }

    void expectOneNoPrinterWarning()
    {
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].messageKind, MessageKind::Warning);
        EXPECT_EQ(messages()[0].title, "Varování");
        EXPECT_EQ(messages()[0].text, "V sytému není nainstalovaná žádná tiskárna");
        EXPECT_EQ(messages()[0].buttons, ButtonOk);
    }

    QTemporaryDir dir;
    RichEdit editor;
    test::ScriptedPrompter prompter;
    test::PdfFilePrinter printer{dir.filePath("printed.pdf")};
    TForm3 form3;
    OutputCommands commands{editor, prompter, printer, form3};
    QPalette m_palette;
};

} // namespace

TEST_F(OutputCommandsTest, HtmlGoesStraightIntoTheFileWithoutClipboardOrSelection)
{
    ASSERT_TRUE(editor.loadFromFile(QDir(KORA_TEST_DATA_DIR).filePath("less-than-in-times.rtf")));
    editor.setSelStart(1);
    editor.setSelLength(1);
    QApplication::clipboard()->setText("what the user copied");
    prompter.answerFile(FileChoice{path("stranka.htm"), 0});

    commands.jakoHTML1Click();

    const auto files = prompter.callsOf(test::PromptCall::Kind::File);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].file.dialogName, "sdhtml");
    EXPECT_TRUE(files[0].file.save);
    EXPECT_EQ(files[0].file.filter, "Html soubory (.*.htm)|*.htm");
    EXPECT_EQ(files[0].file.defaultSuffix, "htm");
    EXPECT_EQ(readFile(path("stranka.htm")),
              readFile(QDir(KORA_TEST_DATA_DIR).filePath("less-than-in-times.htm")));
    EXPECT_EQ(QApplication::clipboard()->text(), "what the user copied");
    EXPECT_EQ(editor.selStart(), 1);
    EXPECT_EQ(editor.selText(), "<");
    EXPECT_FALSE(editor.isModified());
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(form3.isVisible());
    EXPECT_EQ(form3.JvRichEdit1()->text(), "") << "the copy is not kept";
}

TEST_F(OutputCommandsTest, HtmlCancelledWritesNothingAndAFailureShowsTheErrorBox)
{
    editor.setText("text");
    prompter.answerFile(std::nullopt);
    commands.jakoHTML1Click();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(messages().empty());

    prompter.answerFile(FileChoice{path("chybí/stranka.htm"), 0});
    commands.jakoHTML1Click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].messageKind, MessageKind::Error);
    EXPECT_EQ(messages()[0].title, "KORA Editor");
    EXPECT_TRUE(messages()[0].text.contains("chybí")) << messages()[0].text.toStdString();
    EXPECT_TRUE(messages()[0].text.endsWith('.'));
}

TEST_F(OutputCommandsTest, PdfOfAThreePageCzechDocument)
{
    const QString text = czechLines(150);
    editor.setText(text);
    prompter.answerFile(FileChoice{path("dokument.pdf"), 0});

    commands.JakoPDF1Click();

    const auto files = prompter.callsOf(test::PromptCall::Kind::File);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].file.filter, "PDF soubory (*.pdf)|*.pdf");
    EXPECT_EQ(files[0].file.defaultSuffix, "pdf");
    EXPECT_TRUE(messages().empty());
    const QString pdf = path("dokument.pdf");
    EXPECT_EQ(test::pdfPages(pdf), 3);
    EXPECT_EQ(test::wordsOf(test::pdfText(pdf)), test::wordsOf(text)) << "every word, in order, as text";
    EXPECT_TRUE(test::pdfInfo(pdf, "Page size").startsWith("595 x 842 pts")) << "A4";
    EXPECT_EQ(test::pdfInfo(pdf, "Title"), "dokument");
    const QStringList fonts = test::runPoppler("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString &font : fonts)
        EXPECT_TRUE(font.contains(QRegularExpression("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+$")))
            << "embedded: " << font.toStdString();
}

TEST_F(OutputCommandsTest, PdfThatCannotBeWrittenKeepsTheOldFileAndShowsTheErrorBox)
{
    QFile old(path("stary.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    old.setPermissions(QFile::ReadOwner);
    editor.setText("nový");
    prompter.answerFile(FileChoice{path("stary.pdf"), 0});
    commands.JakoPDF1Click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, "KORA Editor");
    EXPECT_EQ(readFile(path("stary.pdf")), "old");
}

TEST_F(OutputCommandsTest, PrintAsksThenPrintsTheWholeDocumentAsJmenosouboru)
{
    const QString text = czechLines(150);
    editor.setText(text);
    editor.setSelStart(10);
    editor.setSelLength(5);
    prompter.answerPrinter(true);

    commands.mTiskClick();

    const auto dialogs = prompter.callsOf(test::PromptCall::Kind::Printer);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].dialogName, "PrintDialog1");
    EXPECT_TRUE(messages().empty());
    const QString pdf = path("printed.pdf");
    EXPECT_EQ(test::pdfPages(pdf), 3) << "no empty page after the last line";
    EXPECT_EQ(test::wordsOf(test::pdfText(pdf)), test::wordsOf(text)) << "the whole document, not the selection";
    EXPECT_EQ(test::pdfInfo(pdf, "Title"), "jmenosouboru");
}

TEST_F(OutputCommandsTest, CancellingThePrintDialogPrintsNothingAndSaysNothing)
{
    editor.setText("text");
    prompter.answerPrinter(false);
    commands.mTiskClick();
    EXPECT_FALSE(QFile::exists(path("printed.pdf")));
    EXPECT_TRUE(messages().empty());
}

TEST_F(OutputCommandsTest, MenuCommandsWithoutAPrinterWarnAndShowNoDialog)
{
    editor.setText("text");
    editor.selectAllText();
    printer.installed = false;
    for (void (OutputCommands::*command)() :
         {&OutputCommands::mTiskClick, &OutputCommands::TiskJenozanentext1Click, &OutputCommands::mTiskarnaClick}) {
        prompter.clearCalls();
        (commands.*command)();
        expectOneNoPrinterWarning();
        EXPECT_TRUE(prompter.callsOf(test::PromptCall::Kind::Printer).empty());
    }
    EXPECT_FALSE(QFile::exists(path("printed.pdf")));
}

TEST_F(OutputCommandsTest, AJobThatCannotStartWarnsFromTheMenuAndShowsTheErrorFromTheToolbar)
{
    editor.setText("text");
    printer.device().setOutputFileName(path("chybí/printed.pdf"));
    prompter.answerPrinter(true);
    commands.mTiskClick();
    expectOneNoPrinterWarning();

    prompter.clearCalls();
    commands.tbTiskClick();
    EXPECT_TRUE(prompter.callsOf(test::PromptCall::Kind::Printer).empty()) << "the button shows no dialog";
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].messageKind, MessageKind::Error);
    EXPECT_EQ(messages()[0].title, "KORA Editor");
    EXPECT_EQ(messages()[0].text, "Tiskárna nepřijala tiskovou úlohu.");
}

TEST_F(OutputCommandsTest, ToolbarButtonPrintsAtOnceWithAnEmptyTitle)
{
    editor.setText("hned teď");
    commands.tbTiskClick();
    EXPECT_TRUE(prompter.calls().empty());
    EXPECT_EQ(test::wordsOf(test::pdfText(path("printed.pdf"))), QStringList({"hned", "teď"}));
    EXPECT_EQ(test::pdfInfo(path("printed.pdf"), "Title"), "");
}

TEST_F(OutputCommandsTest, SelectionPrintPrintsTheSelectedTextAloneAndLeavesSelectionOnlyOff)
{
    editor.setText("začátek\r\nvybraná slova\r\nkonec");
    editor.setSelStart(8);
    editor.setSelLength(13);
    editor.setSelectionOnly(true);
    prompter.answerPrinter(true);

    commands.TiskJenozanentext1Click();

    ASSERT_EQ(prompter.callsOf(test::PromptCall::Kind::Printer).size(), 1u);
    EXPECT_EQ(test::wordsOf(test::pdfText(path("printed.pdf"))), QStringList({"vybraná", "slova"}));
    EXPECT_EQ(test::pdfInfo(path("printed.pdf"), "Title"), "jmenosouboru");
    EXPECT_FALSE(editor.selectionOnly());
    EXPECT_EQ(editor.selText(), "vybraná slova");

    // Also after a cancelled dialog and a job that could not start.
    for (bool confirm : {false, true}) {
        editor.setSelectionOnly(true);
        printer.device().setOutputFileName(path("chybí/x.pdf"));
        prompter.answerPrinter(confirm);
        commands.TiskJenozanentext1Click();
        EXPECT_FALSE(editor.selectionOnly());
    }
}

TEST_F(OutputCommandsTest, PrinterSetUpHoldsForTheNextPrint)
{
    editor.setText("na šířku");
    prompter.answerPrinter(true, [](QPrinter &device) { device.setPageOrientation(QPageLayout::Landscape); });
    commands.mTiskarnaClick();
    const auto dialogs = prompter.callsOf(test::PromptCall::Kind::Printer);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].dialogName, "PrinterSetupDialog1");

    commands.tbTiskClick();
    EXPECT_TRUE(test::pdfInfo(path("printed.pdf"), "Page size").startsWith("842 x 595 pts"))
        << test::pdfInfo(path("printed.pdf"), "Page size").toStdString();
}
