// One 500 ms status refresh of the main window on a large document: statistics, button states,
// boxes and caption.
#include "DocumentGenerator.h"
#include "WindowStandIns.h"

#include "app/TForm1.h"
#include "richedit/RichEdit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

using kora::bench::NoShell;
using kora::bench::SilentPrompter;

void refresh(benchmark::State &state)
{
    const qsizetype megabytes = state.range(0);
    QTemporaryDir dir;
    qputenv("KORA_HOME", dir.path().toLocal8Bit());
    const QString path = dir.filePath(QStringLiteral("big.rtf"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(kora::bench::generateRtf(megabytes * 1024 * 1024));
    file.close();

    SilentPrompter prompter;
    NoShell launcher;
    kora::TForm1 form(prompter, launcher);
    form.FormCreate({QStringLiteral("kora-editor"), path});
    form.refreshTimer()->stop();
    form.show();
    QApplication::processEvents();
    form.Timer1Timer(); // the first refresh lays the whole document out
    for (auto _ : state)
        form.Timer1Timer();
    state.counters["MB"] = double(megabytes);
}

} // namespace

BENCHMARK(refresh)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
