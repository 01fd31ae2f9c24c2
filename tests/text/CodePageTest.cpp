#include "text/CodePage.h"

#include <gtest/gtest.h>

using namespace kora::codepage;

TEST(CodePage, CharsetsMapToTheirWindowsCodePages)
{
    struct Case { int charset; int expected; };
    const Case cases[] = {{0, 1252}, {1, 1252}, {238, 1250}, {204, 1251}, {161, 1253}, {128, 932}, {134, 936},
                          {77, 10000}, {2, 1252}, {999, 1252}};
    for (const Case &c : cases)
        EXPECT_EQ(forCharset(c.charset, 1252), c.expected) << "charset " << c.charset;
    EXPECT_EQ(forCharset(0, 1250), 1252) << "the ANSI charset is Western in any document";
    EXPECT_EQ(forCharset(1, 1250), 1250) << "the default charset follows the document";
}

TEST(CodePage, Windows1250CoversCzechBothWays)
{
    const QString czech = QStringLiteral("ěščřžýáíéúůťďňĚŠČŘŽÝÁÍÉÚŮŤĎŇ„“–");
    for (const QChar ch : czech) {
        const int byte = toWindows1250(ch.unicode());
        ASSERT_GE(byte, 0x80) << "no byte for U+" << std::hex << int(ch.unicode());
        EXPECT_EQ(fromWindows1250(static_cast<unsigned char>(byte)), ch.unicode());
    }
    EXPECT_EQ(toWindows1250(u'A'), 'A');
    EXPECT_EQ(toWindows1250(u'\u0416'), -1) << "Cyrillic is not in 1250";
    EXPECT_EQ(toWindows1250(u'\u20AC'), 0x80) << "euro sign";
}

TEST(CodePage, DecodersHandleSingleAndDoubleByteAndUnknownPages)
{
    QString out;
    Decoder(1251).decodeAppend("\xcf\xf0\xe8", 3, out);
    EXPECT_EQ(out, QStringLiteral("При"));

    // Bytes above one that the code page leaves undefined still decode.
    out.clear();
    Decoder(1253).decodeAppend("\xc1\xe8\xde\xed\xe1 \xd9", 7, out);
    EXPECT_EQ(out, QStringLiteral("Αθήνα Ω"));
    out.clear();
    Decoder(1257).decodeAppend("\xe0\xf0", 2, out);
    EXPECT_EQ(out, QStringLiteral("ąš"));

    out.clear();
    Decoder(932).decodeAppend("\x82\xa0", 2, out); // Shift-JIS hiragana A
    EXPECT_EQ(out, QStringLiteral("あ"));

    Decoder unknown(4242);
    EXPECT_EQ(unknown.codePage(), 1252) << "unknown code pages fall back to 1252";
}
