// Speed of the spell checker: reading the word lists, checking 1 MB of Czech whose words are all
// in the main list, and the suggestions for one unknown word.
#include "SpellText.h"

#include "tools/spell/HunspellSuggester.h"
#include "tools/spell/SpellCheck.h"
#include "tools/spell/TjanSpeller.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kora::spell;

const QString kMainDictionary = QString::fromUtf8(KORA_MAIN_DICTIONARY);

void BM_LoadSpellLists(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString user = dir.filePath(QStringLiteral("englishuser.dic"));
    for (auto _ : state) {
        TjanSpeller speller;
        speller.loadMainDictionary(kMainDictionary);
        speller.loadUserDictionary(user);
        benchmark::DoNotOptimize(speller.hasMainDictionary());
    }
}
BENCHMARK(BM_LoadSpellLists)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CheckKnownCzech(benchmark::State &state)
{
    TjanSpeller speller;
    speller.loadMainDictionary(kMainDictionary);
    const QString text = kora::bench::knownCzechText(kMainDictionary, state.range(0) * 1024 * 1024);
    for (auto _ : state) {
        SpellCheck check(speller, text);
        if (check.findNextUnknown()) {
            state.SkipWithError(qPrintable(QStringLiteral("unknown word: ") + check.word()));
            break;
        }
    }
    state.counters["characters"] = double(text.size());
}
// Sizes in MB of UTF-8 text.
BENCHMARK(BM_CheckKnownCzech)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Typical slips: a letter without its diacritic, swapped, missing or doubled letters, English.
const char *const kMisspellings[] = {
    "prilis", "zlutoucky", "Pravopsi", "dokumnet", "mesto", "smlovua", "nejnesrozumitelnějšíhoo", "wrold", "recieve"};

void BM_Suggest(benchmark::State &state)
{
    static HunspellSuggester suggester(HunspellSuggester::installedDictionaries());
    const QString word = QString::fromUtf8(kMisspellings[state.range(0)]);
    state.SetLabel(word.toStdString());
    benchmark::DoNotOptimize(suggester.suggestions(word)); // the dictionaries are read once, before timing
    for (auto _ : state)
        benchmark::DoNotOptimize(suggester.suggestions(word));
}
BENCHMARK(BM_Suggest)->DenseRange(0, int(std::size(kMisspellings)) - 1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadSuggestionDictionaries(benchmark::State &state)
{
    for (auto _ : state) {
        HunspellSuggester suggester(HunspellSuggester::installedDictionaries());
        benchmark::DoNotOptimize(suggester.suggestions(QStringLiteral("prilis")));
    }
}
BENCHMARK(BM_LoadSuggestionDictionaries)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
