#include "platform/QtPrompter.h"

#include "platform/FontDialog.h"
#include "platform/PrinterSetupDialog.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>

namespace kora {

PromptButton QtPrompter::message(MessageKind kind, const QString &title, const QString &text, PromptButtons buttons)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (kind) {
    case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
    case MessageKind::Confirmation: box.setIcon(QMessageBox::Question); break;
    case MessageKind::Plain: break;
    }
    // Czech captions without accelerators; OK stays "OK".
    struct Choice
    {
        PromptButton button;
        const char *text;
        QMessageBox::ButtonRole role;
    };
    static const Choice kChoices[] = {
        {ButtonYes, "Ano", QMessageBox::YesRole},       {ButtonNo, "Ne", QMessageBox::NoRole},
        {ButtonAll, "Vše", QMessageBox::YesRole},       {ButtonOk, "OK", QMessageBox::AcceptRole},
        {ButtonCancel, "Storno", QMessageBox::RejectRole},
    };
    QHash<QAbstractButton *, PromptButton> codes;
    for (const Choice &c : kChoices) {
        if (!(buttons & c.button))
            continue;
        QPushButton *button = box.addButton(QString::fromUtf8(c.text), c.role);
        codes.insert(button, c.button);
        if (c.button == ButtonCancel)
            box.setEscapeButton(button);
    }
    box.exec();
    const PromptButton code = codes.value(box.clickedButton(), ButtonNone);
    if (code != ButtonNone)
        return code;
    return (buttons & ButtonCancel) ? ButtonCancel : (buttons & ButtonNo) ? ButtonNo : ButtonOk;
}

QStringList QtPrompter::nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), QString(parts.at(i + 1)).replace(u';', u' '));
    return filters;
}

std::optional<FileChoice> QtPrompter::chooseFile(const FileRequest &request)
{
    QFileDialog dialog(m_parent);
    dialog.setObjectName(request.dialogName);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Our own dialog in every desktop, so it speaks Czech; each type reads as its description alone.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = nameFilters(request.filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.filterIndex >= 0 && request.filterIndex < filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex));
    if (!request.fileName.isEmpty()) {
        const QFileInfo info(request.fileName);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    // With the details hidden the dialog may name the type by its description alone.
    const QString selected = dialog.selectedNameFilter();
    const QStringList descriptions = request.filter.split(QLatin1Char('|'));
    int index = int(filters.indexOf(selected));
    for (int i = 0; index < 0 && i < filters.size(); ++i) {
        if (descriptions.value(2 * i).trimmed() == selected.trimmed())
            index = i;
    }
    return FileChoice{dialog.selectedFiles().first(), std::max(index, 0)};
}

int QtPrompter::execDialog(QDialog *dialog)
{
    return dialog->exec();
}

std::optional<FontChoice> QtPrompter::chooseFont(const FontChoice &initial, bool withApply)
{
    FontDialog dialog(initial, withApply, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<QColor> QtPrompter::chooseColor(const QColor &initial)
{
    QColorDialog dialog(initial, m_parent);
    dialog.setObjectName(QStringLiteral("cdPismo"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

bool QtPrompter::choosePrinter(QPrinter &printer, PrinterDialog which)
{
    if (which == PrinterDialog::Setup) {
        PrinterSetupDialog dialog(PrinterSetupDialog::systemPrinters(), m_parent);
        dialog.readFrom(printer);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        dialog.applyTo(printer);
        return true;
    }
    QPrintDialog dialog(&printer, m_parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kora
