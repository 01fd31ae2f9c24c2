#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QPointer>

namespace kora::test {

void ScriptedPrompter::answerMessage(PromptButton button)
{
    m_messageAnswers.push_back(button);
}

void ScriptedPrompter::answerFile(std::optional<FileChoice> choice)
{
    m_fileAnswers.push_back({choice.has_value(), choice.value_or(FileChoice{})});
}

void ScriptedPrompter::answerDialog(DialogScript script)
{
    m_dialogScripts.push_back(std::move(script));
}

std::vector<PromptCall> ScriptedPrompter::callsOf(PromptCall::Kind kind) const
{
    std::vector<PromptCall> result;
    for (const PromptCall &call : m_calls) {
        if (call.kind == kind)
            result.push_back(call);
    }
    return result;
}

QStringList ScriptedPrompter::messageTexts() const
{
    QStringList texts;
    for (const PromptCall &call : callsOf(PromptCall::Kind::Message))
        texts << call.text;
    return texts;
}

QStringList ScriptedPrompter::dialogNames() const
{
    QStringList names;
    for (const PromptCall &call : callsOf(PromptCall::Kind::Dialog))
        names << call.dialogName;
    return names;
}

ScriptedPrompter::~ScriptedPrompter()
{
    EXPECT_TRUE(allAnswersUsed()) << "answers never asked for: " << unusedAnswers();
}

std::string ScriptedPrompter::unusedAnswers() const
{
    return std::to_string(m_messageAnswers.size()) + " message, " + std::to_string(m_fileAnswers.size()) + " file, "
           + std::to_string(m_dialogScripts.size()) + " dialog, " + std::to_string(m_fontAnswers.size()) + " font, "
           + std::to_string(m_colorAnswers.size()) + " colour, " + std::to_string(m_printerAnswers.size()) + " printer";
}

bool ScriptedPrompter::allAnswersUsed() const
{
    return m_messageAnswers.empty() && m_fileAnswers.empty() && m_dialogScripts.empty() && m_fontAnswers.empty()
           && m_colorAnswers.empty() && m_printerAnswers.empty();
}

PromptButton ScriptedPrompter::message(MessageKind kind, const QString &title, const QString &text,
                                       PromptButtons buttons)
{
    PromptCall call;
    call.kind = PromptCall::Kind::Message;
    call.messageKind = kind;
    call.title = title;
    call.text = text;
    call.buttons = buttons;
    m_calls.push_back(call);
    if (!m_messageAnswers.empty()) {
        const PromptButton answer = m_messageAnswers.front();
        m_messageAnswers.pop_front();
        return answer;
    }
    return (buttons & ButtonCancel) ? ButtonCancel : (buttons & ButtonNo) ? ButtonNo : ButtonOk;
}

std::optional<FileChoice> ScriptedPrompter::chooseFile(const FileRequest &request)
{
    PromptCall call;
    call.kind = PromptCall::Kind::File;
    call.title = request.dialogName;
    call.file = request;
    m_calls.push_back(call);
    if (m_fileAnswers.empty())
        return std::nullopt;
    const FileAnswer answer = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    if (!answer.chosen)
        return std::nullopt;
    return answer.choice;
}

int ScriptedPrompter::execDialog(QDialog *dialog)
{
    PromptCall call;
    call.kind = PromptCall::Kind::Dialog;
    call.title = dialog->windowTitle();
    call.dialogName = dialog->objectName();
    m_calls.push_back(call);

    DialogScript script;
    if (!m_dialogScripts.empty()) {
        script = std::move(m_dialogScripts.front());
        m_dialogScripts.pop_front();
    }
    QPointer<QDialog> guard(dialog);
    dialog->setResult(0);
    dialog->show();
    if (script)
        script(dialog);
    if (!guard)
        return QDialog::Rejected;
    if (dialog->isVisible())
        dialog->reject();
    return dialog->result();
}

} // namespace kora::test

namespace kora::test {

void ScriptedPrompter::answerFont(std::optional<FontChoice> choice)
{
    m_fontAnswers.push_back(std::move(choice));
}

void ScriptedPrompter::answerColor(std::optional<QColor> choice)
{
    m_colorAnswers.push_back(choice);
}

std::optional<FontChoice> ScriptedPrompter::chooseFont(const FontChoice &initial, bool withApply)
{
    PromptCall call;
    call.kind = PromptCall::Kind::Font;
    call.font = initial;
    call.withApply = withApply;
    m_calls.push_back(call);
    if (m_fontAnswers.empty())
        return std::nullopt;
    auto answer = m_fontAnswers.front();
    m_fontAnswers.pop_front();
    return answer;
}

std::optional<QColor> ScriptedPrompter::chooseColor(const QColor &initial)
{
    PromptCall call;
    call.kind = PromptCall::Kind::Color;
    call.color = initial;
    m_calls.push_back(call);
    if (m_colorAnswers.empty())
        return std::nullopt;
    auto answer = m_colorAnswers.front();
    m_colorAnswers.pop_front();
    return answer;
}

void ScriptedPrompter::answerPrinter(bool confirm, PrinterScript change)
{
    m_printerAnswers.emplace_back(confirm, std::move(change));
}

bool ScriptedPrompter::choosePrinter(QPrinter &printer, PrinterDialog dialog)
{
    PromptCall call;
    call.kind = PromptCall::Kind::Printer;
    call.printerDialog = dialog;
    call.dialogName = dialog == PrinterDialog::Print ? QStringLiteral("PrintDialog1")
                                                     : QStringLiteral("PrinterSetupDialog1");
    m_calls.push_back(call);
    if (m_printerAnswers.empty())
        return false;
    auto [confirm, change] = std::move(m_printerAnswers.front());
    m_printerAnswers.pop_front();
    if (change)
        change(printer);
    return confirm;
}

} // namespace kora::test
