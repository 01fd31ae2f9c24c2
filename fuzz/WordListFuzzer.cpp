// Feeds arbitrary bytes to the spell checker's word list: every non-empty line (without its CR)
// must be found, and a word that is no whole line must not, whether the lines are in order or not.
#include "tools/spell/WordList.h"

#include <QByteArray>
#include <QByteArrayList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "word_list_fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using kora::spell::WordList;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));

    std::set<QByteArray> lines;
    for (QByteArray line : input.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            lines.insert(line);
    }
    const WordList list = WordList::fromBytes(input);
    for (const QByteArray &line : lines) {
        if (!list.contains(line))
            fail("a line of the list is not found");
        // Neighbours of a line are found only when they are lines themselves.
        for (const QByteArray &other : {line.left(line.size() - 1), line + 'a', line + '\r', QByteArray(1, line[0])}) {
            if (list.contains(other) != (!other.isEmpty() && lines.count(other) > 0))
                fail("a word that is no line is found, or one that is is not");
        }
    }
    if (list.contains(QByteArray()))
        fail("the empty word is found");
    return 0;
}
