// Feeds arbitrary format strings and moments to the date/time formatter, as a user may type any
// format into the options: it must finish, give the same text twice, and stay within a bound of
// the format's length.
#include "text/DateTimeFormat.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "date_format_fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first eight bytes choose the moment, somewhere in the years 1–9999; the rest is the format.
    quint64 seed = 0;
    const size_t seedSize = std::min<size_t>(size, sizeof seed);
    std::memcpy(&seed, data, seedSize);
    constexpr qint64 kFirst = -62135596800000LL; // 0001-01-01T00:00:00Z
    constexpr qint64 kSpan = 315537897600000LL;  // up to 9999-12-31
    const QDateTime moment =
        QDateTime::fromMSecsSinceEpoch(kFirst + qint64(seed % quint64(kSpan)), Qt::UTC);
    const QString format = QString::fromUtf8(reinterpret_cast<const char *>(data) + seedSize, qsizetype(size - seedSize));

    for (const QLocale &locale : {QLocale(QLocale::Czech, QLocale::CzechRepublic), QLocale::c()}) {
        const QString text = kora::formatDateTime(format, moment, locale);
        if (text != kora::formatDateTime(format, moment, locale))
            fail("the same format and moment gave other text");
        // The longest element, a long date, stays far below this for every character.
        if (text.size() > 128 * (format.size() + 1))
            fail("the text is out of all proportion to its format");
    }
    return 0;
}
