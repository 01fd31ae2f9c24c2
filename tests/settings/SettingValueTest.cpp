// How the settings' values look on disk: extended floats, binary values with their kind code,
// comma texts and scrambled values.
#include "settings/SettingValue.h"
#include "settings/ScrambledValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kora;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

ExtendedBytes extended(std::initializer_list<int> values)
{
    ExtendedBytes out{};
    std::copy(values.begin(), values.end(), out.begin());
    return out;
}

QByteArray asBytes(const ExtendedBytes &e)
{
    return QByteArray(reinterpret_cast<const char *>(e.data()), qsizetype(e.size()));
}

} // namespace

TEST(ExtendedFloat, KnownValuesHaveTheirTenBytes)
{
    struct Case
    {
        const char *what;
        double value;
        ExtendedBytes stored;
    };
    const Case cases[] = {
        {"autosave design value 10", 10.0, extended({0, 0, 0, 0, 0, 0, 0, 0xa0, 0x02, 0x40})},
        {"undo design value 1024", 1024.0, extended({0, 0, 0, 0, 0, 0, 0, 0x80, 0x09, 0x40})},
        {"one", 1.0, extended({0, 0, 0, 0, 0, 0, 0, 0x80, 0xff, 0x3f})},
        {"negative", -2.5, extended({0, 0, 0, 0, 0, 0, 0, 0xa0, 0x00, 0xc0})},
        {"a fraction keeps all 53 bits", 0.1, extended({0, 0xd0, 0xcc, 0xcc, 0xcc, 0xcc, 0xcc, 0xcc, 0xfb, 0x3f})},
        {"zero", 0.0, extended({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"negative zero", -0.0, extended({0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80})},
        {"infinity", std::numeric_limits<double>::infinity(), extended({0, 0, 0, 0, 0, 0, 0, 0x80, 0xff, 0x7f})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(asBytes(encodeExtended(c.value)).toHex(' '), asBytes(c.stored).toHex(' '));
        const double back = decodeExtended(c.stored);
        EXPECT_EQ(back, c.value);
        EXPECT_EQ(std::signbit(back), std::signbit(c.value));
    }
}

TEST(ExtendedFloat, EveryDoubleRoundTripsAndWiderValuesRound)
{
    for (const double value : {std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::denorm_min(), -123456.789e-300, 3.0e200, 1.0 / 3}) {
        EXPECT_EQ(decodeExtended(encodeExtended(value)), value) << value;
    }
    EXPECT_TRUE(std::isnan(decodeExtended(encodeExtended(std::nan("")))));

    // Pi as a 64-bit mantissa rounds to the double nearest to it.
    EXPECT_EQ(decodeExtended(extended({0x35, 0xc2, 0x68, 0x21, 0xa2, 0xda, 0x0f, 0xc9, 0x00, 0x40})), M_PI);
    // Beyond the range of a double: infinity, or zero for a tiny denormal.
    EXPECT_EQ(decodeExtended(extended({0, 0, 0, 0, 0, 0, 0, 0x80, 0xfe, 0x7f})),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(decodeExtended(extended({1, 0, 0, 0, 0, 0, 0, 0, 0, 0})), 0.0);
}

TEST(BinaryValue, EachKindBeginsWithItsCodeAndHoldsItsPayload)
{
    struct Case
    {
        const char *what;
        SettingValue value;
        QByteArray stored;
    };
    const Case cases[] = {
        {"float", SettingValue::fromFloat(10), bytes({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xa0, 0x02, 0x40})},
        {"Boolean true (MainForm)", SettingValue::fromBoolean(true), bytes({4, 0, 0, 0, 1})},
        {"Boolean false", SettingValue::fromBoolean(false), bytes({4, 0, 0, 0, 0})},
        {"date-time 1900-01-01 12:00", SettingValue::dateTime(2.5),
         bytes({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xa0, 0x00, 0x40})},
        {"variant as length and text", SettingValue::variant("ab"), bytes({6, 0, 0, 0, 2, 0, 0, 0, 'a', 'b'})},
        {"list as its comma text", SettingValue::stringList({"a", "b c"}),
         bytes({7, 0, 0, 0, 7, 0, 0, 0, 'a', ',', '"', 'b', ' ', 'c', '"'})},
        {"text in UTF-8, length in bytes", SettingValue::variant("č"), bytes({6, 0, 0, 0, 2, 0, 0, 0, 0xc4, 0x8d})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(encodeBinary(c.value).toHex(' '), c.stored.toHex(' '));
        const std::optional<SettingValue> back = decodeBinary(c.stored);
        ASSERT_TRUE(back);
        EXPECT_TRUE(*back == c.value);
    }
}

TEST(BinaryValue, DamagedBytesReadAsNothing)
{
    struct Case
    {
        const char *what;
        QByteArray stored;
    };
    const Case cases[] = {
        {"nothing at all", QByteArray()},
        {"kind code cut short", bytes({3, 0})},
        {"float cut short", bytes({3, 0, 0, 0, 0, 0, 0, 0, 0xa0, 0x02, 0x40})},
        {"Boolean without its byte", bytes({4, 0, 0, 0})},
        {"Boolean byte that is neither 0 nor 1", bytes({4, 0, 0, 0, 2})},
        {"text longer than the value", bytes({6, 0, 0, 0, 9, 0, 0, 0, 'a'})},
        {"negative text length", bytes({6, 0, 0, 0, 0xff, 0xff, 0xff, 0xff})},
        {"unknown kind code", bytes({42, 0, 0, 0, 1})},
        {"string kind is never binary", bytes({1, 0, 0, 0, 1, 0, 0, 0, 'a'})},
        {"defined property", bytes({8, 0, 0, 0, 1, 2, 3})},
        {"collection", bytes({9, 0, 0, 0, 0})},
    };
    for (const Case &c : cases)
        EXPECT_FALSE(decodeBinary(c.stored)) << c.what;
}

TEST(CommaText, QuotesWhatWouldSplitAndReadsBack)
{
    struct Case
    {
        const char *what;
        QStringList list;
        QString text;
    };
    const Case cases[] = {
        {"plain items", {"a", "b"}, "a,b"},
        {"space, comma and quote", {"x y", "1,2", "say \"hi\""}, "\"x y\",\"1,2\",\"say \"\"hi\"\"\""},
        {"empty item", {"", "z"}, "\"\",z"},
        {"no items", {}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(toCommaText(c.list), c.text);
        EXPECT_EQ(fromCommaText(c.text), c.list);
    }
    // Written by hand: an unquoted space separates, blanks around separators are dropped.
    EXPECT_EQ(fromCommaText(" a b , c,"), (QStringList{"a", "b", "c", ""}));
    EXPECT_EQ(fromCommaText("\"open"), QStringList{"open"});
}

TEST(ScrambledValue, KnownBlockForAGivenFirstByte)
{
    // "TPSOK", kind 2, 1234 under the key "seundo_Value", first byte 0x2a.
    const QByteArray stored = bytes(
        {0x2a, 0x5c, 0x4a, 0x5a, 0x41, 0xe7, 0xbc, 0x79, 0x23, 0xa1, 0xae, 0xb7, 0xa7, 0xb1, 0xf1, 0xed, 0xf6, 0xfc});
    EXPECT_EQ(scrambleValue(SettingValue::fromInteger(1234), "seundo_Value", 0x2a).toHex(' '), stored.toHex(' '));
    const std::optional<SettingValue> back = unscrambleValue(stored, "seundo_Value");
    ASSERT_TRUE(back);
    EXPECT_TRUE(*back == SettingValue::fromInteger(1234));
}

TEST(ScrambledValue, EveryKindAndEveryByteComesBack)
{
    QString allLatin1;
    for (int c = 1; c < 256; ++c)
        allLatin1 += QChar(c);
    const SettingValue values[] = {
        SettingValue::fromInteger(-1), // bytes 0xff, which a sum modulo 255 would lose
        SettingValue::fromInteger(0x7fffffff),  SettingValue::string(allLatin1),
        SettingValue::fromFloat(-0.1),          SettingValue::fromBoolean(true),
        SettingValue::dateTime(45000.75),       SettingValue::variant("x"),
        SettingValue::stringList({"a b", "c"}), SettingValue(),
    };
    for (const SettingValue &value : values) {
        for (const int first : {0, 1, 254, 255}) {
            const QByteArray stored = scrambleValue(value, "tbFormat_Visible", quint8(first));
            const std::optional<SettingValue> back = unscrambleValue(stored, "tbFormat_Visible");
            ASSERT_TRUE(back) << textOf(value).toStdString() << " first " << first;
            EXPECT_TRUE(*back == value) << textOf(value).toStdString() << " first " << first;
        }
    }
    // The random first byte changes the block, not what it holds.
    const SettingValue value = SettingValue::string("tajné");
    EXPECT_TRUE(unscrambleValue(scrambleValue(value, "k"), "k") == value);
}

TEST(ScrambledValue, WrongKeyOrDamagedBlockReadsAsNothing)
{
    const QByteArray stored = scrambleValue(SettingValue::string("abc"), "cbTip_Checked", 7);
    EXPECT_FALSE(unscrambleValue(stored, "cbclose_Checked"));
    EXPECT_FALSE(unscrambleValue(stored.left(stored.size() - 1), "cbTip_Checked"));
    EXPECT_FALSE(unscrambleValue(stored.left(8), "cbTip_Checked"));
    EXPECT_FALSE(unscrambleValue(QByteArray(), "cbTip_Checked"));
    QByteArray flipped = stored;
    flipped[3] = char(flipped[3] ^ 0x10);
    EXPECT_FALSE(unscrambleValue(flipped, "cbTip_Checked"));
}
