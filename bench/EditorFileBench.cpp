// What a user waits for when opening and saving: RichEdit::loadFromFile and saveToFile on real files,
// with the editor shown (offscreen) and the whole document laid out before the clock stops.
#include "DocumentGenerator.h"

#include "richedit/RichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// A generated document of this many megabytes as a file, made once per run.
QString documentFile(const char *suffix, qsizetype megabytes)
{
    const QString path = folder().filePath(QStringLiteral("doc-%1.%2").arg(megabytes).arg(QLatin1String(suffix)));
    if (!QFile::exists(path)) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        const bool rtf = qstrcmp(suffix, "txt") != 0;
        file.write(rtf ? kora::bench::generateRtf(megabytes * kMegabyte)
                       : kora::bench::generatePlainText(megabytes * kMegabyte));
    }
    return path;
}

void layOutWholly(kora::RichEdit &edit)
{
    benchmark::DoNotOptimize(edit.document()->documentLayout()->documentSize());
    QApplication::processEvents();
}

void load(benchmark::State &state, const char *suffix)
{
    const QString path = documentFile(suffix, state.range(0));
    kora::RichEdit edit;
    edit.resize(700, 400);
    edit.show();
    QApplication::processEvents();
    for (auto _ : state) {
        if (!edit.loadFromFile(path))
            state.SkipWithError("load failed");
        layOutWholly(edit);
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void BM_OpenRtfFileShown(benchmark::State &state)
{
    load(state, "rtf");
}

void BM_OpenTextFileShown(benchmark::State &state)
{
    load(state, "txt");
}

void BM_SaveRtfFileShown(benchmark::State &state)
{
    kora::RichEdit edit;
    edit.resize(700, 400);
    edit.show();
    edit.loadFromFile(documentFile("rtf", state.range(0)));
    layOutWholly(edit);
    const QString target = folder().filePath(QStringLiteral("saved.kora"));
    for (auto _ : state) {
        if (!edit.saveToFile(target))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(target).size());
}

// Sizes in MB.
BENCHMARK(BM_OpenRtfFileShown)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_OpenTextFileShown)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_SaveRtfFileShown)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->UseRealTime();

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
