// What a user waits for when searching a large document in a shown editor: find special over
// every laid-out line (the relayout of the changed lines included), and pressing "Najít další"
// again and again through a generated document.
#include "DocumentGenerator.h"

#include "editing/controls/TColorBtn.h"
#include "editing/search/FindReplaceDialog.h"
#include "editing/search/SearchController.h"
#include "editing/search/Tfhledat.h"
#include "platform/Prompter.h"
#include "richedit/RichEdit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class CountingPrompter : public kora::Prompter
{
public:
    kora::PromptButton message(kora::MessageKind, const QString &, const QString &, kora::PromptButtons) override
    {
        ++messages;
        return kora::ButtonOk;
    }
    std::optional<kora::FileChoice> chooseFile(const kora::FileRequest &) override { return std::nullopt; }
    int execDialog(QDialog *) override { return 0; }
    std::optional<kora::FontChoice> chooseFont(const kora::FontChoice &, bool) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor &) override { return std::nullopt; }
    bool choosePrinter(QPrinter &, kora::PrinterDialog) override { return false; }
    int messages = 0;
};

// `lines` short paragraphs of generated Czech text, each one laid-out line in a wide editor;
// every tenth holds the search text.
QString lineDocument(int lines, const QString &marker)
{
    const QStringList words = QString::fromUtf8(kora::bench::generatePlainText(qsizetype(lines) * 40))
                                  .replace(QLatin1String("\r\n"), QLatin1String(" "))
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString text;
    text.reserve(qsizetype(lines) * 50);
    qsizetype word = 0;
    for (int line = 0; line < lines; ++line) {
        QString paragraph = line % 10 == 0 ? marker : QString();
        while (paragraph.size() < 40) {
            const QString &next = words[word++ % words.size()];
            paragraph += next + QLatin1Char(' ');
        }
        text += paragraph;
        if (line + 1 < lines)
            text += QLatin1String("\r\n");
    }
    return text;
}

void showWide(kora::RichEdit &edit)
{
    edit.resize(700, 400);
    edit.show();
    QApplication::processEvents();
}

void BM_FindSpecial(benchmark::State &state)
{
    const int lines = int(state.range(0));
    kora::RichEdit edit;
    showWide(edit);
    edit.setText(lineDocument(lines, QStringLiteral("Hledejte ")));
    edit.ensureLayout();
    CountingPrompter prompter;
    kora::Tfhledat dialog(edit, prompter);
    dialog.Edit1()->setText(QStringLiteral("Hledejte"));
    dialog.barva()->setActiveColor(Qt::red);
    dialog.cbvelikost()->setEditText(QStringLiteral("14"));
    for (auto _ : state) {
        dialog.Button1Click();
        edit.ensureLayout();
        state.PauseTiming();
        edit.undoStep();
        edit.ensureLayout();
        state.ResumeTiming();
    }
    state.counters["lines"] = edit.lineCount();
    state.counters["messages"] = prompter.messages;
}

// Presses "Najít další" `presses` times from the top of a generated RTF document of `megabytes`.
void BM_FindNext(benchmark::State &state)
{
    const qsizetype megabytes = state.range(0);
    const int presses = int(state.range(1));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.rtf"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(kora::bench::generateRtf(megabytes * 1024 * 1024));
    file.close();

    kora::RichEdit edit;
    showWide(edit);
    if (!edit.loadFromFile(path))
        state.SkipWithError("load failed");
    edit.ensureLayout();
    QApplication::processEvents();
    CountingPrompter prompter;
    QWidget owner;
    QAction mNajit;
    kora::SearchController controller(edit, prompter, &owner, {&mNajit, &mNajit, &mNajit, &mNajit, &mNajit, &mNajit});
    controller.fdNajit()->findEdit()->setText(QStringLiteral("smlouva"));
    int found = 0;
    for (auto _ : state) {
        edit.setSelStart(0);
        edit.setSelLength(0);
        for (int i = 0; i < presses; ++i)
            controller.fdNajitFind();
        found = edit.selStart();
    }
    state.counters["MB"] = double(megabytes);
    state.counters["presses"] = presses;
    state.counters["last_at"] = found;
    state.counters["not_found"] = prompter.messages;
}

BENCHMARK(BM_FindSpecial)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_FindNext)->Args({1, 1000})->Args({10, 10000})->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
