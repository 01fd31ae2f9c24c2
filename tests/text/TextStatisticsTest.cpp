#include "text/TextStatistics.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using kora::countStatistics;
using kora::isWordCharacter;

TEST(TextStatistics, CountsCharactersSpacesAndWords)
{
    struct Case
    {
        QString text;
        qint64 lineCount;
        qint64 characters, spaces, words;
    };
    const Case cases[] = {
        {"", 0, 0, 0, 0},
        {"", 3, 0, 0, 0},
        {"a b\r\nc", 2, 6, 1, 3},
        {"a\r\n\r\nb", 3, 6, 0, 2},
        {"a-b_c", 1, 5, 0, 1},
        {"-", 1, 1, 0, 1},
        {"a.b,c", 1, 5, 0, 3},
        {"123", 1, 3, 0, 1},
        {"x1 2y 3,5", 1, 9, 2, 4},
        {"a\tb", 1, 3, 1, 2},
        {"  dva  slova  ", 1, 14, 6, 2},
        {"\t\t", 1, 2, 2, 0},
        {"žluťoučký kůň", 1, 13, 1, 2},
        {"„Ahoj“ – řekl.", 1, 14, 2, 2},
        {"a§b×c÷d€e¤f", 1, 11, 0, 6},
        {"a\u00A0b", 1, 3, 0, 2},
        {"Жук и ёж", 1, 8, 2, 0},
        {"a日本b", 1, 4, 0, 2},
        {"a😀b", 1, 4, 0, 2},
        {"šŠžŽťŤźŹłŁőŐßµ", 1, 14, 0, 1},
    };
    for (const Case &c : cases) {
        const kora::TextStatistics s = countStatistics(c.text, c.lineCount);
        EXPECT_EQ(s.characters, c.characters) << c.text.toStdString();
        EXPECT_EQ(s.lines, c.lineCount) << c.text.toStdString();
        EXPECT_EQ(s.spaces, c.spaces) << c.text.toStdString();
        EXPECT_EQ(s.words, c.words) << c.text.toStdString();
    }
}

TEST(TextStatistics, WordCharactersAreWindows1250LettersDigitsHyphenAndUnderscore)
{
    for (const QChar ch : QStringLiteral("azAZ09-_ěščřžýáíéúůťďňĚŠČŘŽÝÁÍÉÚŮŤĎŇäöüÄÖÜľĺŕôąęćńśźżłŁőűâîăşţßµ"))
        EXPECT_TRUE(isWordCharacter(ch)) << "U+" << std::hex << int(ch.unicode());

    const char16_t notWords[] = {u'\0', u'\t', u'\n', u'\r', u' ', u'!', u'.', u',', u'\'', u'/', u'@', u'[', u'`',
                                 u'{', u'~', u'\x7f', u'„', u'“', u'”', u'–', u'—', u'§', u'¤', u'×', u'÷', u'€',
                                 u'\u00A0', u'°', u'Ж', u'ё', u'\u00B2', u'\u0663', u'\uFFFD', u'\xD83D'};
    for (const char16_t ch : notWords)
        EXPECT_FALSE(isWordCharacter(QChar(ch))) << "U+" << std::hex << int(ch);
}
