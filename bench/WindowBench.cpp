// The main window with a large document (offscreen): opening it until the window is painted, a
// keystroke at the start, the middle and the end of the text, handled until the window is idle
// again, and the 500 ms refresh that follows one keystroke.
#include "DocumentGenerator.h"
#include "WindowStandIns.h"

#include "app/TForm1.h"
#include "richedit/RichEdit.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using kora::bench::NoShell;
using kora::bench::SilentPrompter;

// One window on a generated 10 MB RTF document for every benchmark, laid out completely.
struct OpenWindow
{
    OpenWindow()
    {
        qputenv("KORA_HOME", home.path().toLocal8Bit());
        qputenv("KORA_CONFIG_DIR", home.filePath(QStringLiteral("config")).toLocal8Bit());
        const QString path = home.filePath(QStringLiteral("big.rtf"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(kora::bench::generateRtf(10 * 1024 * 1024));
        file.close();
        form = std::make_unique<kora::TForm1>(prompter, shell);
        form->FormCreate({QStringLiteral("kora-editor"), path});
        form->resize(800, 600);
        form->show();
        form->activateWindow();
        QTest::qWaitForWindowActive(form.get());
        kora::RichEdit *edit = form->editor();
        while (!edit->laidOutLineCount())
            QApplication::processEvents();
        edit->setFocus();
    }

    QTemporaryDir home;
    SilentPrompter prompter;
    NoShell shell;
    std::unique_ptr<kora::TForm1> form;
};

// Closed in main(), while the application still exists.
std::unique_ptr<OpenWindow> openWindow;

OpenWindow &window()
{
    if (!openWindow)
        openWindow = std::make_unique<OpenWindow>();
    return *openWindow;
}

// Handles every event the keystroke caused, the relayout of its paragraph included.
void settle()
{
    while (QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents))
        ;
}

void keystrokeAt(benchmark::State &state, double where)
{
    kora::RichEdit *edit = window().form->editor();
    const int length = edit->document()->characterCount() - 1;
    for (auto _ : state) {
        state.PauseTiming();
        edit->setSelStart(int(length * where));
        edit->setSelLength(0);
        settle();
        state.ResumeTiming();
        QTest::keyClick(edit, Qt::Key_A);
        settle();
    }
}

void BM_KeystrokeAtTheStart(benchmark::State &state)
{
    keystrokeAt(state, 0.0);
}

void BM_KeystrokeInTheMiddle(benchmark::State &state)
{
    keystrokeAt(state, 0.5);
}

void BM_KeystrokeAtTheEnd(benchmark::State &state)
{
    keystrokeAt(state, 1.0);
}

void BM_RefreshAfterAKeystroke(benchmark::State &state)
{
    kora::RichEdit *edit = window().form->editor();
    edit->setSelStart(edit->document()->characterCount() / 2);
    for (auto _ : state) {
        state.PauseTiming();
        QTest::keyClick(edit, Qt::Key_B);
        settle();
        state.ResumeTiming();
        window().form->Timer1Timer();
    }
}

// From the window's construction with a document on the command line until it is shown and
// painted; the layout that goes on in the background afterwards is not waited for.
void BM_OpenUntilPainted(benchmark::State &state)
{
    QTemporaryDir home;
    qputenv("KORA_HOME", home.path().toLocal8Bit());
    qputenv("KORA_CONFIG_DIR", home.filePath(QStringLiteral("config")).toLocal8Bit());
    const QString path = home.filePath(QStringLiteral("open.rtf"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(kora::bench::generateRtf(state.range(0) * 1024 * 1024));
    file.close();
    SilentPrompter prompter;
    NoShell shell;
    for (auto _ : state) {
        auto form = std::make_unique<kora::TForm1>(prompter, shell);
        form->FormCreate({QStringLiteral("kora-editor"), path});
        form->resize(800, 600);
        form->show();
        QTest::qWaitForWindowExposed(form.get());
        form->grab();
        state.PauseTiming();
        form.reset();
        settle();
        state.ResumeTiming();
    }
}

void BM_RefreshAtRest(benchmark::State &state)
{
    window();
    settle();
    for (auto _ : state)
        window().form->Timer1Timer();
}

BENCHMARK(BM_OpenUntilPainted)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_KeystrokeAtTheStart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KeystrokeInTheMiddle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KeystrokeAtTheEnd)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RefreshAfterAKeystroke)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RefreshAtRest)->Unit(benchmark::kMillisecond)->UseRealTime();

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
    openWindow.reset();
    return 0;
}
