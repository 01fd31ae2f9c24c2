#include "richedit/PlainTextCodec.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kora::plaintext;

namespace {

struct DecodeCase
{
    const char *name;
    QByteArray bytes;
    QString text;
    Encoding encoding;
    LineBreak lineBreak;
};

} // namespace

TEST(PlainTextCodec, DetectsEncodingAndLineBreaks)
{
    const DecodeCase cases[] = {
        {"utf8 crlf", "\xc4\x8d\x61\r\nb", QStringLiteral("ča\nb"), Encoding::Utf8, LineBreak::CrLf},
        {"utf8 bom lf", "\xEF\xBB\xBF\xc5\x99\nx", QStringLiteral("ř\nx"), Encoding::Utf8Bom, LineBreak::Lf},
        {"utf16le bom", QByteArray("\xFF\xFE\x0d\x01\x0d\x00\x0a\x00", 8), QStringLiteral("č\n"), Encoding::Utf16LeBom,
         LineBreak::CrLf},
        {"utf16be bom", QByteArray("\xFE\xFF\x01\x0d\x00\x0d", 6), QStringLiteral("č\n"), Encoding::Utf16BeBom,
         LineBreak::Cr},
        {"cp1250 when not utf8", "\xe8\x9a\r", QStringLiteral("čš\n"), Encoding::Windows1250, LineBreak::Cr},
        {"ascii is utf8, no break defaults to crlf", "abc", QStringLiteral("abc"), Encoding::Utf8, LineBreak::CrLf},
        {"empty", "", QString(), Encoding::Utf8, LineBreak::CrLf},
        {"mixed breaks all become paragraphs", "a\r\nb\nc\rd", QStringLiteral("a\nb\nc\nd"), Encoding::Utf8,
         LineBreak::CrLf},
        {"control characters dropped", QByteArray("a\0b\x07\tc\x0c", 7), QStringLiteral("ab\tc"), Encoding::Utf8,
         LineBreak::CrLf},
        {"utf16le without bom", QByteArray("P\0\x59\x01\xed\0l\0i\0\x61\x01\r\0\n\0\x0d\x01\0\x20", 20),
         QStringLiteral("Příliš\nč\u2000"), Encoding::Utf16Le, LineBreak::CrLf},
        {"utf16be without bom", QByteArray("\0a\0b\x01\x0d\0\n\x04\x16", 10), QStringLiteral("abč\nЖ"),
         Encoding::Utf16Be, LineBreak::Lf},
        {"nul bytes on both sides are no utf16", QByteArray("a\0\0b\0c\0\0", 8), QStringLiteral("abc"), Encoding::Utf8,
         LineBreak::CrLf},
        {"odd length is no utf16", QByteArray("a\0b\0c", 5), QStringLiteral("abc"), Encoding::Utf8, LineBreak::CrLf},
        {"unicode line and paragraph separators are paragraphs", "a\xe2\x80\xa8" "b\xe2\x80\xa9" "c\nd",
         QStringLiteral("a\nb\nc\nd"), Encoding::Utf8, LineBreak::Lf},
        {"a paragraph separator in utf16 without bom", QByteArray("a\0\x29\x20\x0d\x01", 6), QStringLiteral("a\nč"),
         Encoding::Utf16Le, LineBreak::CrLf},
        {"unpaired surrogate is no utf16", QByteArray("a\0b\0c\0\x01\xd8" "d\0", 10), QStringLiteral("abcŘd"),
         Encoding::Windows1250, LineBreak::CrLf},
    };
    for (const DecodeCase &c : cases) {
        const Decoded d = decode(c.bytes);
        EXPECT_EQ(d.text, c.text) << c.name;
        EXPECT_EQ(d.format.encoding, c.encoding) << c.name;
        EXPECT_EQ(d.format.lineBreak, c.lineBreak) << c.name;
    }
}

TEST(PlainTextCodec, WritesBackInTheFormItWasRead)
{
    const QByteArray files[] = {
        "\xc4\x8d\x61\r\nb\r\n",
        "\xEF\xBB\xBFline\nline",
        QByteArray("\xFF\xFE\x0d\x01\x0a\x00", 6),
        QByteArray("\xFE\xFF\x01\x0d\x00\x0d", 6),
        QByteArray("a\0\x0d\x01\r\0\n\0b\0", 10),
        QByteArray("\0a\x01\x0d\0\r\0b", 8),
        "\xe8\x9a\rx",
    };
    for (const QByteArray &bytes : files) {
        const Decoded d = decode(bytes);
        EXPECT_EQ(encode(d.text, d.format), bytes) << bytes.toHex().constData();
    }
    EXPECT_EQ(encode(QStringLiteral("a\nb"), Format{}), QByteArray("a\r\nb")) << "new documents: UTF-8, CR LF";
}

TEST(PlainTextCodec, AFormThatWouldReadBackAsOtherTextIsChangedForOneThatKeepsIt)
{
    const struct
    {
        const char *name;
        QString text;
        Encoding asked;
        Encoding written;
    } cases[] = {
        {"cp1250 cannot hold the text", QStringLiteral("č\u0416"), Encoding::Windows1250, Encoding::Utf8Bom},
        {"cp1250 bytes are valid utf8", decode("\xc3\x01\xa9 text").text, Encoding::Windows1250, Encoding::Utf8Bom},
        {"cp1250 bytes begin like a mark", decode("\x07\xfe\xff\xf8").text, Encoding::Windows1250,
         Encoding::Utf8Bom},
        {"cp1250 that is no utf8 stays", QStringLiteral("čaš"), Encoding::Windows1250, Encoding::Windows1250},
        {"utf8 beginning with U+FEFF", QStringLiteral("\uFEFF a"), Encoding::Utf8, Encoding::Utf8Bom},
        {"utf16 with a mark before U+FEFF", QStringLiteral("\uFEFFa"), Encoding::Utf16BeBom, Encoding::Utf16BeBom},
        {"utf16le without latin letters", QStringLiteral("čřž"), Encoding::Utf16Le, Encoding::Utf16LeBom},
        {"utf16be without latin letters", QStringLiteral("čřž"), Encoding::Utf16Be, Encoding::Utf16BeBom},
        {"utf16le with latin letters", QStringLiteral("čaa"), Encoding::Utf16Le, Encoding::Utf16Le},
        {"utf16be beginning like a little-endian mark", QStringLiteral("\uFFFEa\u205Ae  twn"), Encoding::Utf16Be,
         Encoding::Utf16BeBom},
        {"utf16le beginning with U+FEFF", QStringLiteral("\uFEFFabc def"), Encoding::Utf16Le, Encoding::Utf16LeBom},
    };
    for (const auto &c : cases) {
        Format written;
        const QByteArray out = encode(c.text, Format{c.asked, LineBreak::CrLf}, &written);
        EXPECT_EQ(written.encoding, c.written) << c.name;
        const Decoded back = decode(out);
        EXPECT_EQ(back.text, c.text) << c.name;
        EXPECT_EQ(back.format.encoding, c.written) << c.name;
    }
}
