#pragma once

#include "exchange/TJvRichEditToHtml.h"

#include <QObject>
#include <QPointer>
#include <QString>


namespace kora {

class Printer;
class Prompter;
class RichEdit;
class TForm3;

// The commands that send the document out: as an HTML or a PDF file and to the printer.
class OutputCommands : public QObject
{
    Q_OBJECT

public:
    static inline const QString kNoPrinter = QStringLiteral("V sytému není nainstalovaná žádná tiskárna");
    static inline const QString kHtmlFilter = QStringLiteral("Html soubory (.*.htm)|*.htm");
    static inline const QString kPdfFilter = QStringLiteral("PDF soubory (*.pdf)|*.pdf");
    // The job title of the menu's print commands: this fixed text, not the document's name.
    static inline const QString kJobTitle = QStringLiteral("jmenosouboru");

    OutputCommands(RichEdit &editor, Prompter &prompter, Printer &printer, TForm3 &form3, QObject *parent = nullptr);

    // The converter of the HTML export (JvRichEditToHtml1).
    TJvRichEditToHtml &JvRichEditToHtml1() { return m_converter; }

public slots:
    // "Uložit speciál" › "Jako HTML ": the document as an HTML file.
    void jakoHTML1Click();
    // "Uložit speciál" › "Jako PDF": the document printed into a PDF file.
    void JakoPDF1Click();
    // "Tisk": the print dialog, then the whole document.
    void mTiskClick();
    // "Tisk (Jen označený text)": the print dialog, then the selected text alone.
    void TiskJenozanentext1Click();
    // "Nastavení tiskárny": the printer set-up dialog.
    void mTiskarnaClick();
    // The toolbar's print button: prints at once, without a dialog.
    void tbTiskClick();

private:
    void warnNoPrinter();

    RichEdit &m_editor;
    Prompter &m_prompter;
    Printer &m_printer;
    TForm3 &m_form3;
    TJvRichEditToHtml m_converter;
};

} // namespace kora
