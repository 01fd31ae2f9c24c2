#pragma once

#include "platform/Prompter.h"

#include <QStringList>

namespace kora {

// The real prompter: Qt's message boxes with Czech buttons and Qt's file dialogs.
class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    void setDialogParent(QWidget *parent) override { m_parent = parent; }

    PromptButton message(MessageKind kind, const QString &title, const QString &text, PromptButtons buttons) override;
    std::optional<FileChoice> chooseFile(const FileRequest &request) override;
    int execDialog(QDialog *dialog) override;
    std::optional<FontChoice> chooseFont(const FontChoice &initial, bool withApply) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    bool choosePrinter(QPrinter &printer, PrinterDialog dialog) override;

    // "Desc|*.a|Other|*.b" as Qt's name filters ("Desc (*.a)").
    static QStringList nameFilters(const QString &filter);

private:
    QWidget *m_parent;
};

} // namespace kora
