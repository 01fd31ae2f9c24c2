#include "platform/Printer.h"

#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>

namespace kora {

SystemPrinter::SystemPrinter() = default;

SystemPrinter::~SystemPrinter() = default;

bool SystemPrinter::isInstalled() const
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QPrinter &SystemPrinter::device()
{
    if (!m_device)
        m_device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Printers installed after start-up count too; the default one first.
    if (m_device->printerName().isEmpty()) {
        QString name = QPrinterInfo::defaultPrinterName();
        if (name.isEmpty())
            name = QPrinterInfo::availablePrinterNames().value(0);
        if (!name.isEmpty()) {
            m_device->setOutputFormat(QPrinter::NativeFormat);
            m_device->setPrinterName(name);
        }
    }
    return *m_device;
}

QString SystemPrinter::failureText() const
{
    if (!m_device || m_device->printerName().isEmpty())
        return QStringLiteral("Není vybrána žádná výchozí tiskárna");
    return QStringLiteral("Tiskárna „%1“ nepřijala tiskovou úlohu").arg(m_device->printerName());
}

void setUpPdfOutput(QPrinter &printer, const QString &fileName)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setResolution(1200);
    const bool inches = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    printer.setPageSize(QPageSize(inches ? QPageSize::Letter : QPageSize::A4));
}

} // namespace kora
