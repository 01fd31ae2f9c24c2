#pragma once

// A Prompter for tests: records every request and answers from queues the test fills.

#include "platform/Prompter.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <string>
#include <functional>
#include <optional>
#include <vector>

namespace kora::test {

struct PromptCall
{
    enum class Kind { Message, File, Dialog, Font, Color, Printer };

    Kind kind = Kind::Message;
    // Message boxes.
    MessageKind messageKind = MessageKind::Plain;
    QString title; // message box title, or the dialog's window title
    QString text;
    PromptButtons buttons;
    // File dialogs.
    FileRequest file;
    // Dialogs run through execDialog.
    QString dialogName; // the dialog's object name (printer dialogs: "PrintDialog1", "PrinterSetupDialog1")
    // Font and colour dialogs: what they started with.
    FontChoice font;
    bool withApply = false;
    QColor color;
    // Printer dialogs.
    PrinterDialog printerDialog = PrinterDialog::Print;
};

class ScriptedPrompter : public Prompter
{
public:
    // A queued answer that was never asked for means a branch did not run as the test meant:
    // the test that owns this prompter fails.
    ~ScriptedPrompter() override;

    // Runs while the dialog is shown, as the user would act on it: tick boxes, press buttons.
    using DialogScript = std::function<void(QDialog *dialog)>;
    // Changes the printer's settings as the user would in a printer dialog.
    using PrinterScript = std::function<void(QPrinter &printer)>;

    // The next message box returns `button`. Unanswered boxes return what closing them does:
    // Cancel when offered, else No, else OK.
    void answerMessage(PromptButton button);
    // The next file dialog returns `choice`; unanswered ones are cancelled.
    void answerFile(std::optional<FileChoice> choice);
    // The next execDialog shows the dialog and runs `script`; if the dialog is still open
    // afterwards it is closed as by its close box (reject()). Unscripted dialogs are closed at once.
    void answerDialog(DialogScript script);
    // The next font or colour dialog returns this; unanswered ones are cancelled.
    void answerFont(std::optional<FontChoice> choice);
    void answerColor(std::optional<QColor> choice);
    // The next printer dialog runs `change` on the printer and is confirmed (or cancelled when
    // `confirm` is false); unanswered ones are cancelled.
    void answerPrinter(bool confirm, PrinterScript change = {});

    const std::vector<PromptCall> &calls() const { return m_calls; }
    std::vector<PromptCall> callsOf(PromptCall::Kind kind) const;
    // Texts of the message boxes shown so far, in order.
    QStringList messageTexts() const;
    // Object names of the dialogs run so far, in order.
    QStringList dialogNames() const;
    void clearCalls() { m_calls.clear(); }
    // True when every queued answer was used.
    bool allAnswersUsed() const;
    // What is still queued, for a failure message.
    std::string unusedAnswers() const;

    PromptButton message(MessageKind kind, const QString &title, const QString &text, PromptButtons buttons) override;
    std::optional<FileChoice> chooseFile(const FileRequest &request) override;
    int execDialog(QDialog *dialog) override;
    std::optional<FontChoice> chooseFont(const FontChoice &initial, bool withApply) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    bool choosePrinter(QPrinter &printer, PrinterDialog dialog) override;

private:
    struct FileAnswer
    {
        bool chosen = false;
        FileChoice choice;
    };

    std::vector<PromptCall> m_calls;
    std::deque<PromptButton> m_messageAnswers;
    std::deque<FileAnswer> m_fileAnswers;
    std::deque<DialogScript> m_dialogScripts;
    std::deque<std::optional<FontChoice>> m_fontAnswers;
    std::deque<std::optional<QColor>> m_colorAnswers;
    std::deque<std::pair<bool, PrinterScript>> m_printerAnswers;
};

} // namespace kora::test
