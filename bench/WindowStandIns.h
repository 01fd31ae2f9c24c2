#pragma once

// What a benchmark of the main window gives it in place of the user and the desktop: every box
// answered with its first button, every dialog cancelled, nothing started.
#include "platform/Prompter.h"
#include "platform/Shell.h"

#include <QColor>

namespace kora::bench {

class SilentPrompter : public Prompter
{
public:
    PromptButton message(MessageKind, const QString &, const QString &, PromptButtons) override { return ButtonOk; }
    std::optional<FileChoice> chooseFile(const FileRequest &) override { return std::nullopt; }
    int execDialog(QDialog *) override { return 0; }
    std::optional<FontChoice> chooseFont(const FontChoice &, bool) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor &) override { return std::nullopt; }
    bool choosePrinter(QPrinter &, PrinterDialog) override { return false; }
};

class NoShell : public Shell
{
public:
    bool startDetached(const QString &, const QStringList &) override { return false; }
    bool openUrl(const QString &) override { return true; }
};

} // namespace kora::bench
