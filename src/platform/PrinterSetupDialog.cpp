#include "platform/PrinterSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kora {

PrinterSetupDialog::PrinterSetupDialog(const QList<PrinterDescription> &printers, QWidget *parent)
    : QDialog(parent)
    , m_printers(printers)
    , m_printer(new QComboBox(this))
    , m_paper(new QComboBox(this))
    , m_portrait(new QRadioButton(QStringLiteral("Na &výšku"), this))
    , m_landscape(new QRadioButton(QStringLiteral("Na &šířku"), this))
{
    setObjectName(QStringLiteral("PrinterSetupDialog1"));
    setWindowTitle(QStringLiteral("Nastavení tisku"));
    m_printer->setObjectName(QStringLiteral("cbTiskarna"));
    m_paper->setObjectName(QStringLiteral("cbPapir"));
    m_portrait->setObjectName(QStringLiteral("rbNaVysku"));
    m_landscape->setObjectName(QStringLiteral("rbNaSirku"));
    m_portrait->setChecked(true);
    qsizetype longest = 20;
    for (const PrinterDescription &printer : m_printers) {
        const bool described = !printer.description.isEmpty() && printer.description != printer.name;
        const QString text = described ? QStringLiteral("%1 (%2)").arg(printer.name, printer.description) : printer.name;
        m_printer->addItem(text, printer.name);
        longest = std::max(longest, text.size());
    }
    // Room for the longest name with a margin: its letters may be wider than the average one.
    m_printer->setMinimumContentsLength(int(longest) + 4);
    m_paper->setMinimumContentsLength(20);

    auto *printerLabel = new QLabel(QStringLiteral("&Tiskárna:"), this);
    printerLabel->setBuddy(m_printer);
    auto *paperLabel = new QLabel(QStringLiteral("&Papír:"), this);
    paperLabel->setBuddy(m_paper);
    auto *form = new QFormLayout;
    form->addRow(printerLabel, m_printer);
    form->addRow(paperLabel, m_paper);

    auto *orientation = new QGroupBox(QStringLiteral("Orientace"), this);
    auto *orientationLayout = new QHBoxLayout(orientation);
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);
    orientationLayout->addStretch();

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(orientation);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_printer, &QComboBox::currentIndexChanged, this, &PrinterSetupDialog::printerChosen);
    printerChosen(m_printer->currentIndex());
}

QList<PrinterDescription> PrinterSetupDialog::systemPrinters()
{
    QList<PrinterDescription> printers;
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    for (const QPrinterInfo &info : QPrinterInfo::availablePrinters()) {
        PrinterDescription printer{info.printerName(), info.description(), info.supportedPageSizes()};
        if (info.printerName() == defaultName)
            printers.prepend(printer);
        else
            printers.append(printer);
    }
    return printers;
}

void PrinterSetupDialog::printerChosen(int index)
{
    const QString previous = m_paper->currentData().toString();
    m_paper->clear();
    m_sizes = index >= 0 ? m_printers.at(index).pageSizes : QList<QPageSize>();
    // A printer that names no sizes offers the common ones.
    if (m_sizes.isEmpty())
        m_sizes = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5), QPageSize(QPageSize::Letter),
                   QPageSize(QPageSize::Legal)};
    for (const QPageSize &size : std::as_const(m_sizes))
        m_paper->addItem(size.name(), size.key());
    const int kept = m_paper->findData(previous);
    if (kept >= 0)
        m_paper->setCurrentIndex(kept);
}

void PrinterSetupDialog::readFrom(const QPrinter &printer)
{
    const int index = m_printer->findData(printer.printerName());
    if (index >= 0)
        m_printer->setCurrentIndex(index);
    const QPageSize size = printer.pageLayout().pageSize();
    int paper = m_paper->findData(size.key());
    if (paper < 0) {
        m_sizes.append(size);
        m_paper->addItem(size.name(), size.key());
        paper = m_paper->count() - 1;
    }
    m_paper->setCurrentIndex(paper);
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
}

void PrinterSetupDialog::applyTo(QPrinter &printer) const
{
    if (!printerName().isEmpty() && printer.outputFormat() == QPrinter::NativeFormat)
        printer.setPrinterName(printerName());
    printer.setPageSize(pageSize());
    printer.setPageOrientation(orientation());
}

QString PrinterSetupDialog::printerName() const
{
    return m_printer->currentData().toString();
}

QPageSize PrinterSetupDialog::pageSize() const
{
    return m_sizes.value(m_paper->currentIndex(), QPageSize(QPageSize::A4));
}

QPageLayout::Orientation PrinterSetupDialog::orientation() const
{
    return m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace kora
