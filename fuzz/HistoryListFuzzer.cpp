// Feeds arbitrary bytes to the history-list reader: no entry may hold a line break, and the file
// written from the entries must read back to the same entries.
#include "text/HistoryListFile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "history_list_fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using kora::HistoryListFile;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));

    const QStringList entries = HistoryListFile::entriesOf(input);
    for (const QString &entry : entries) {
        if (entry.contains(u'\r') || entry.contains(u'\n'))
            fail("an entry holds a line break");
    }
    if (HistoryListFile::entriesOf(HistoryListFile::bytesOf(entries)) != entries)
        fail("the written list reads back to other entries");
    return 0;
}
