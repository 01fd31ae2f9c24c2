#pragma once

#include <QString>

#include <memory>

class QPrinter;

namespace kora {

// The printer the program prints on. The print and set-up dialogs change its settings, which hold
// for the rest of the run.
class Printer
{
public:
    virtual ~Printer() = default;
    // False when the system has no printer at all.
    virtual bool isInstalled() const = 0;
    // The device of the next job, with the settings chosen so far.
    virtual QPrinter &device() = 0;
    // Why a job could not start on device(), for the error box.
    virtual QString failureText() const = 0;
};

// The system's printers through Qt's print support, starting at the default printer.
class SystemPrinter : public Printer
{
public:
    SystemPrinter();
    ~SystemPrinter() override;

    bool isInstalled() const override;
    QPrinter &device() override;
    QString failureText() const override;

private:
    std::unique_ptr<QPrinter> m_device;
};

// Sets `printer` up to write a PDF file at high resolution on A4, or on Letter where the locale
// measures in inches.
void setUpPdfOutput(QPrinter &printer, const QString &fileName);

} // namespace kora
