#pragma once

#include <QDialog>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace kora {

// One printer as the set-up dialog offers it.
struct PrinterDescription
{
    QString name;
    QString description; // what the system calls it, shown beside the name
    QList<QPageSize> pageSizes;
};

// "Nastavení tisku": chooses the printer, the paper size and the orientation of the next jobs.
class PrinterSetupDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrinterSetupDialog(const QList<PrinterDescription> &printers, QWidget *parent = nullptr);

    // The system's printers, the default one first.
    static QList<PrinterDescription> systemPrinters();

    // Starts at the printer's settings; writes the chosen ones back.
    void readFrom(const QPrinter &printer);
    void applyTo(QPrinter &printer) const;

    QString printerName() const;
    QPageSize pageSize() const;
    QPageLayout::Orientation orientation() const;

private:
    void printerChosen(int index);

    QList<PrinterDescription> m_printers;
    QList<QPageSize> m_sizes; // the paper box's sizes, in its order
    QComboBox *m_printer;
    QComboBox *m_paper;
    QRadioButton *m_portrait;
    QRadioButton *m_landscape;
};

} // namespace kora
