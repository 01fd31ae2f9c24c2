#include "exchange/OutputCommands.h"

#include "exchange/PdfExport.h"
#include "exchange/TForm3.h"
#include "platform/Printer.h"
#include "platform/Prompter.h"
#include "richedit/RichEdit.h"


namespace kora {

OutputCommands::OutputCommands(RichEdit &editor, Prompter &prompter, Printer &printer, TForm3 &form3,
                               QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_printer(printer)
    , m_form3(form3)
{
}

void OutputCommands::jakoHTML1Click()
{
    FileRequest request{QStringLiteral("sdhtml"), true, kHtmlFilter, QString(), 0, QStringLiteral("htm")};
    const std::optional<FileChoice> choice = m_prompter.chooseFile(request);
    if (!choice)
        return;
    // The document goes into the scratch control directly: the user's clipboard and selection
    // stay as they are.
    RichEdit &scratch = *m_form3.JvRichEdit1();
    scratch.copyDocumentFrom(m_editor);
    QString error;
    const bool written = m_converter.DocumentToHtmlFile(scratch, choice->fileName, &error);
    // A copy of a large document is not kept for the rest of the run.
    scratch.clearAll();
    if (!written)
        m_prompter.showError(error);
}

void OutputCommands::JakoPDF1Click()
{
    FileRequest request{QStringLiteral("sdpdf"), true, kPdfFilter, QString(), 0, QStringLiteral("pdf")};
    const std::optional<FileChoice> choice = m_prompter.chooseFile(request);
    if (!choice)
        return;
    QString error;
    if (!writePdf(m_editor, choice->fileName, &error))
        m_prompter.showError(error);
}

void OutputCommands::warnNoPrinter()
{
    m_prompter.ask(MessageKind::Warning, kNoPrinter, ButtonOk);
}

void OutputCommands::mTiskClick()
{
    if (!m_printer.isInstalled()) {
        warnNoPrinter();
        return;
    }
    QPrinter &device = m_printer.device();
    if (!m_prompter.choosePrinter(device, PrinterDialog::Print))
        return;
    if (!m_editor.print(&device, kJobTitle))
        warnNoPrinter();
}

void OutputCommands::TiskJenozanentext1Click()
{
    // Whatever happens, the editor is not left saving only its selection.
    struct SelectionOnlyOff
    {
        RichEdit &editor;
        ~SelectionOnlyOff() { editor.setSelectionOnly(false); }
    } off{m_editor};
    if (m_editor.selLength() == 0)
        return;
    if (!m_printer.isInstalled()) {
        warnNoPrinter();
        return;
    }
    QPrinter &device = m_printer.device();
    if (!m_prompter.choosePrinter(device, PrinterDialog::Print))
        return;
    if (!m_editor.print(&device, kJobTitle, RichEdit::PrintSelection))
        warnNoPrinter();
}

void OutputCommands::mTiskarnaClick()
{
    if (!m_printer.isInstalled()) {
        warnNoPrinter();
        return;
    }
    m_prompter.choosePrinter(m_printer.device(), PrinterDialog::Setup);
}

void OutputCommands::tbTiskClick()
{
    if (!m_editor.print(&m_printer.device(), QString()))
        m_prompter.showError(m_printer.failureText());
}

} // namespace kora
