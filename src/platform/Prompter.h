#pragma once

#include "platform/FontChoice.h"

#include <QColor>
#include <QFlags>
#include <QString>

#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace kora {

enum class MessageKind { Warning, Error, Information, Confirmation, Plain };

enum PromptButton : int { ButtonNone = 0, ButtonOk = 1, ButtonYes = 2, ButtonNo = 4, ButtonAll = 8, ButtonCancel = 16 };
Q_DECLARE_FLAGS(PromptButtons, PromptButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(PromptButtons)

// A file dialog as the program asks for it; `filter` is in "Description|*.ext|..." form.
struct FileRequest
{
    QString dialogName; // object name of the dialog, e.g. "OpenDialog1"
    bool save = false;
    QString filter;
    QString fileName;
    int filterIndex = 0;   // zero-based index of the selected file type
    QString defaultSuffix = {}; // added to a name typed without an extension (save dialogs)
};

enum class PrinterDialog {
    Print, // "PrintDialog1": the print dialog, without page-range or selection choice
    Setup, // "PrinterSetupDialog1": the printer, its paper and orientation
};

struct FileChoice
{
    QString fileName;
    int filterIndex = 0;
};

// Everything the program asks the user goes through here, so tests can answer it.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A message box; returns the button pressed.
    virtual PromptButton message(MessageKind kind, const QString &title, const QString &text,
                                 PromptButtons buttons) = 0;
    // A file dialog; nothing when the user cancels.
    virtual std::optional<FileChoice> chooseFile(const FileRequest &request) = 0;
    // Shows a dialog of the program modally; returns its result code.
    virtual int execDialog(QDialog *dialog) = 0;
    // The font dialog, starting at `initial`; `withApply` adds an Apply button without an action.
    virtual std::optional<FontChoice> chooseFont(const FontChoice &initial, bool withApply) = 0;
    // The colour dialog, starting at `initial`.
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    // A printer dialog on `printer`; false when the user cancels. What the user chose stays in
    // `printer`.
    virtual bool choosePrinter(QPrinter &printer, PrinterDialog dialog) = 0;

    // The window the boxes and dialogs belong to, once it exists.
    virtual void setDialogParent(QWidget *) {}

    // A message box with the Czech title of its kind.
    PromptButton ask(MessageKind kind, const QString &text, PromptButtons buttons);
    // The application's standard error box: "KORA Editor", error icon, OK.
    void showError(const QString &message);

    static QString titleFor(MessageKind kind);
    // Appends "." when the last character sorts after ".".
    static QString errorText(const QString &message);
};

} // namespace kora
