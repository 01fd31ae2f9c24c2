// Speed of the statistics count over 1 MB and 10 MB of Czech text with CR LF paragraph breaks.
#include "DocumentGenerator.h"

#include "text/TextStatistics.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <map>

namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;

const QString &textOfSize(qsizetype bytes)
{
    static std::map<qsizetype, QString> cache;
    auto it = cache.find(bytes);
    if (it == cache.end())
        it = cache.emplace(bytes, QString::fromUtf8(kora::bench::generatePlainText(bytes))).first;
    return it->second;
}

void BM_CountStatistics(benchmark::State &state)
{
    const QString &text = textOfSize(state.range(0) * kMegabyte);
    for (auto _ : state) {
        const kora::TextStatistics statistics = kora::countStatistics(text, 0);
        benchmark::DoNotOptimize(statistics);
    }
    state.SetItemsProcessed(state.iterations() * text.size());
    state.counters["characters"] = double(text.size());
}

// Sizes in MB of UTF-8 text; the count runs over the decoded characters.
BENCHMARK(BM_CountStatistics)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
