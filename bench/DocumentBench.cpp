// Loading and saving speed of large documents: RTF in and out, plain text in, at 1 MB and 10 MB.
#include "DocumentGenerator.h"

#include "richedit/DocumentCodec.h"
#include "richedit/RtfWriter.h"

#include <QApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <map>
#include <memory>

namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;

const QByteArray &rtfOfSize(qsizetype bytes)
{
    static std::map<qsizetype, QByteArray> cache;
    auto it = cache.find(bytes);
    if (it == cache.end())
        it = cache.emplace(bytes, kora::bench::generateRtf(bytes)).first;
    return it->second;
}

const QByteArray &textOfSize(qsizetype bytes)
{
    static std::map<qsizetype, QByteArray> cache;
    auto it = cache.find(bytes);
    if (it == cache.end())
        it = cache.emplace(bytes, kora::bench::generatePlainText(bytes)).first;
    return it->second;
}

std::unique_ptr<QTextDocument> newDocument()
{
    auto document = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(12);
    document->setDefaultFont(font);
    return document;
}

// The process's peak resident memory so far, and that as a multiple of the file size. Iterations and
// earlier benchmarks add to it, so kora_peak_memory gives the figure for a single load.
void reportPeakMemory(benchmark::State &state, qsizetype fileBytes)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakBytes = double(usage.ru_maxrss) * 1024.0;
    state.counters["peak_MB"] = peakBytes / double(kMegabyte);
    state.counters["peak_per_file_byte"] = peakBytes / double(fileBytes);
}

void load(benchmark::State &state, const QByteArray &bytes, kora::DocumentKind kind)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto document = newDocument();
        state.ResumeTiming();
        kora::documentcodec::loadBytes(bytes, kind, *document);
        benchmark::DoNotOptimize(document->blockCount());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    reportPeakMemory(state, bytes.size());
}

void BM_LoadRtf(benchmark::State &state)
{
    load(state, rtfOfSize(state.range(0) * kMegabyte), kora::DocumentKind::Rtf);
}

void BM_LoadPlainText(benchmark::State &state)
{
    load(state, textOfSize(state.range(0) * kMegabyte), kora::DocumentKind::PlainText);
}

void BM_SaveRtf(benchmark::State &state)
{
    const QByteArray &rtf = rtfOfSize(state.range(0) * kMegabyte);
    auto document = newDocument();
    kora::documentcodec::loadBytes(rtf, kora::DocumentKind::Rtf, *document);
    qsizetype written = 0;
    for (auto _ : state) {
        const QByteArray out = kora::rtf::write(*document);
        written = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(state.iterations() * written);
    reportPeakMemory(state, rtf.size());
}

// Sizes in MB. Seconds, not milliseconds: the goals are stated in seconds.
BENCHMARK(BM_LoadRtf)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_SaveRtf)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_LoadPlainText)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->UseRealTime();

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
