#pragma once

// A Printer for tests: prints through Qt's print engine into a PDF file.

#include "platform/Printer.h"

#include <QPrinter>

namespace kora::test {

class PdfFilePrinter : public Printer
{
public:
    explicit PdfFilePrinter(const QString &fileName) { setUpPdfOutput(m_device, fileName); }

    // False makes the system have no printer at all.
    bool installed = true;

    bool isInstalled() const override { return installed; }
    QPrinter &device() override { return m_device; }
    QString failureText() const override { return QStringLiteral("Tiskárna nepřijala tiskovou úlohu"); }

private:
    QPrinter m_device{QPrinter::HighResolution};
};

} // namespace kora::test
