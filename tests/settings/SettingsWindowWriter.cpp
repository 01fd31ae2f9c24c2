// Test helper: `settings_window_writer WINDOW COUNT ROUNDS` builds a window named WINDOW with
// COUNT check boxes cb0, cb1, … bound by a form-settings component, and saves it ROUNDS times,
// check box i being ticked in round r when i + r is even, into the settings store named by
// KORA_CONFIG_DIR. Exits with 1 and a message on stderr when a save failed.
#include "platform/Prompter.h"
#include "settings/TPFormSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QVBoxLayout>

#include <cstdio>

namespace {

class FailurePrinter : public kora::Prompter
{
public:
    kora::PromptButton message(kora::MessageKind, const QString &, const QString &text, kora::PromptButtons) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        failed = true;
        return kora::ButtonOk;
    }
    std::optional<kora::FileChoice> chooseFile(const kora::FileRequest &) override { return std::nullopt; }
    int execDialog(QDialog *) override { return 0; }
    std::optional<kora::FontChoice> chooseFont(const kora::FontChoice &, bool) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor &) override { return std::nullopt; }
    bool choosePrinter(QPrinter &, kora::PrinterDialog) override { return false; }
    bool failed = false;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: settings_window_writer WINDOW COUNT ROUNDS\n", stderr);
        return 2;
    }
    const int count = args[2].toInt();
    const int rounds = args[3].toInt();
    QWidget window;
    window.setObjectName(args[1]);
    auto *layout = new QVBoxLayout(&window);
    QList<QCheckBox *> boxes;
    for (int i = 0; i < count; ++i) {
        auto *box = new QCheckBox(&window);
        box->setObjectName(QStringLiteral("cb%1").arg(i));
        layout->addWidget(box);
        boxes << box;
    }
    FailurePrinter prompter;
    auto *settings = new kora::TPFormSettings(&window);
    settings->setCompanyName(QStringLiteral("Lumasoft"));
    settings->setSoftwareName(QStringLiteral("KORA Editor"));
    settings->setPrompter(&prompter);
    for (int i = 0; i < count; ++i)
        settings->addSetting(QString(), QStringLiteral("cb%1.Checked").arg(i));
    settings->Loaded();
    window.show();
    for (int r = 0; r < rounds && !prompter.failed; ++r) {
        for (int i = 0; i < count; ++i)
            boxes[i]->setChecked((i + r) % 2 == 0);
        settings->save();
    }
    return prompter.failed ? 1 : 0;
}
