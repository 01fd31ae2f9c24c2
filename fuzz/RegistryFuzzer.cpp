// Feeds arbitrary bytes to the settings store's file parser as the user's hive: a file it accepts
// is written back as the store would write it, and that must read back to the same keys and
// values (written once more, the same bytes).
#include "settings/Registry.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "registry_fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using kora::registry_detail::rewrittenHive;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));

    const std::optional<QByteArray> written = rewrittenHive(input, kora::Hive::CurrentUser);
    if (!written)
        return 0;
    QString damage;
    const std::optional<QByteArray> again = rewrittenHive(*written, kora::Hive::CurrentUser, &damage);
    if (!again) {
        std::fprintf(stderr, "%s\n", qPrintable(damage));
        fail("the written file is damaged");
    }
    if (*again != *written)
        fail("the written file reads back to other keys or values");
    return 0;
}
