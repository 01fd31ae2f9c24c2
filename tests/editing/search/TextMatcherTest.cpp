#include "editing/search/TextMatcher.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace kora::search;

namespace {

struct MatchCase
{
    const char *name;
    const char16_t *needle;
    SearchOptions options;
    const char16_t *text;
    qsizetype first; // indexIn(text, 0)
    qsizetype last;  // lastIndexIn(text, text.size())
};

const MatchCase kCases[] = {
    {"without match case a Czech word finds its capitals", u"kůň", {}, u"Žluťoučký KŮŇ a Kůň", 10, 16},
    {"with match case capitals are another word", u"kůň", {true, false}, u"Žluťoučký KŮŇ a Kůň", -1, -1},
    {"capitals in the search text find small letters", u"ŘEKA", {}, u"řeka Vltava", 0, 0},
    {"part of a longer word without whole words", u"kůň", {}, u"koňský kůňátko", 7, 7},
    {"whole words skip a match inside a longer word", u"kůň", {false, true}, u"kůňátko, kůň.", 9, 9},
    {"a Czech letter continues a word", u"kon", {false, true}, u"koně kon", 5, 5},
    {"hyphen and underscore continue a word", u"dílo", {false, true}, u"dílo-x _dílo dílo_ dílo", 19, 19},
    {"a full stop and a comma end a word", u"dílo", {false, true}, u"(dílo),dílo.", 1, 7},
    {"digits continue a word", u"12", {false, true}, u"120 a 12", 6, 6},
    {"whole words at both ends of the text", u"a", {false, true}, u"a b a", 0, 4},
    {"an empty text matches nothing", u"", {}, u"abc", -1, -1},
    {"a text longer than the paragraph", u"abcd", {}, u"abc", -1, -1},
};

class TextMatcherCases : public ::testing::TestWithParam<MatchCase>
{
};

} // namespace

TEST_P(TextMatcherCases, FindsTheFirstAndTheLastMatch)
{
    const MatchCase &c = GetParam();
    const TextMatcher matcher(QString::fromUtf16(c.needle), c.options);
    const QString text = QString::fromUtf16(c.text);
    EXPECT_EQ(matcher.indexIn(text), c.first);
    EXPECT_EQ(matcher.lastIndexIn(text, text.size()), c.last);
}

INSTANTIATE_TEST_SUITE_P(Options, TextMatcherCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<MatchCase> &info) {
                             std::string name = info.param.name;
                             for (char &ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             }
                             return name;
                         });

TEST(TextMatcher, LimitsAreWhereMatchesStartAndEnd)
{
    const TextMatcher matcher(QStringLiteral("ab"), {});
    const QString text = QStringLiteral("ab ab ab");
    EXPECT_EQ(matcher.indexIn(text, 1), 3) << "forward: the first match starting at or after the limit";
    EXPECT_EQ(matcher.indexIn(text, 3), 3);
    EXPECT_EQ(matcher.indexIn(text, 7), -1);
    EXPECT_EQ(matcher.lastIndexIn(text, 6), 3) << "backward: the last match ending at or before the limit";
    EXPECT_EQ(matcher.lastIndexIn(text, 5), 3);
    EXPECT_EQ(matcher.lastIndexIn(text, 4), 0);
    EXPECT_EQ(matcher.lastIndexIn(text, 1), -1);
    EXPECT_EQ(matcher.lastIndexIn(text, 0), -1);

    const TextMatcher word(QStringLiteral("ab"), {false, true});
    EXPECT_EQ(word.lastIndexIn(QStringLiteral("ab abc"), 6), 0) << "backward skips a match inside a word";
}
