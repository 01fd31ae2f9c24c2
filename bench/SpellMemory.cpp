// Resident memory that the spell checker adds: after reading the word lists, after checking 1 MB
// of Czech, and after the first suggestions (which read the spelling dictionaries).
#include "SpellText.h"

#include "tools/spell/HunspellSuggester.h"
#include "tools/spell/SpellCheck.h"
#include "tools/spell/TjanSpeller.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstdio>

namespace {

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    using namespace kora::spell;
    QTemporaryDir dir;
    const double start = residentMegabytes();
    QElapsedTimer timer;
    timer.start();
    TjanSpeller speller;
    speller.loadMainDictionary(QString::fromUtf8(KORA_MAIN_DICTIONARY));
    speller.loadUserDictionary(dir.filePath(QStringLiteral("englishuser.dic")));
    const qint64 loadMs = timer.elapsed();
    const double loaded = residentMegabytes();
    std::printf("word lists: read in %lld ms, resident memory +%.1f MB\n", loadMs, loaded - start);

    const QString text = kora::bench::knownCzechText(QString::fromUtf8(KORA_MAIN_DICTIONARY), 1024 * 1024);
    malloc_trim(0); // what making the text freed goes back, so it does not hide later growth
    const double textMade = residentMegabytes();
    timer.restart();
    SpellCheck check(speller, text);
    const bool unknown = check.findNextUnknown();
    const qint64 checkMs = timer.elapsed();
    std::printf("check of 1 MB Czech: %lld ms, %s, resident memory +%.1f MB\n", checkMs,
                unknown ? "found an unknown word" : "all words known", residentMegabytes() - textMade);

    const double beforeSuggestions = residentMegabytes();
    timer.restart();
    HunspellSuggester suggester(HunspellSuggester::installedDictionaries());
    const QStringList first = suggester.suggestions(QStringLiteral("prilis"));
    std::printf("first suggestions (spelling dictionaries read): %lld ms, resident memory +%.1f MB, %lld offered\n",
                timer.elapsed(), residentMegabytes() - beforeSuggestions, qlonglong(first.size()));
    return unknown ? 1 : 0;
}
