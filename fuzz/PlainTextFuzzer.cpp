// Feeds arbitrary bytes to the plain-text decoder: the text must hold no control characters but
// tab and '\n', writing it back in the form it was read in must read back to the same text, and
// writing that again in the form found then must give the same bytes.
#include "richedit/PlainTextCodec.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "plain_text_fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace kora::plaintext;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));

    const Decoded decoded = decode(input);
    for (const QChar ch : decoded.text) {
        if (ch.unicode() < 0x20 && ch != u'\t' && ch != u'\n')
            fail("a control character reached the text");
    }

    Format written;
    const QByteArray saved = encode(decoded.text, decoded.format, &written);
    const Decoded reread = decode(saved);
    if (reread.text != decoded.text)
        fail("the saved text reads back to other text");
    if (encode(reread.text, reread.format) != saved)
        fail("saving what was read back writes other bytes");
    return 0;
}
