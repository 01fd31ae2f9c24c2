#include "tools/calc/DeskCalculator.h"

#include <gtest/gtest.h>

using namespace kora;

namespace {

struct KeyCase
{
    const char *name;
    const char *keys; // see DeskCalculator::pressKeys
    const char *display;
};

// clang-format off
const KeyCase kCases[] = {
    {"StartsAtZero", "", "0"},
    {"LeadingZerosCollapse", "0007", "7"},
    {"DecimalComma", "3,25", "3,25"},
    {"SecondCommaIgnored", "1,2,3", "1,23"},
    {"CommaFirstMeansZeroPoint", ",5", "0,5"},
    {"EntryStopsAtFifteenDigits", "1234567890123456789", "123456789012345"},
    {"Addition", "2+3=", "5"},
    {"FractionsRoundToWhatIsMeant", "0,1+0,2=", "0,3"},
    {"OperationsRunLeftToRight", "2+3*4=", "20"},
    {"AnOperatorShowsTheRunningResult", "2+3*", "5"},
    {"ASecondOperatorReplacesTheFirst", "6+-*2=", "12"},
    {"RepeatedEqualsRepeatsTheLastOperation", "2+3===", "11"},
    {"EqualsWithoutOperandUsesTheShownNumber", "4*=", "16"},
    {"NewNumberAfterEqualsStartsAfresh", "2+3=7=", "10"},
    {"Subtraction", "3-5=", "-2"},
    {"Division", "7/2=", "3,5"},
    {"DivisionByZeroIsAnError", "5/0=", "Chyba"},
    {"ChainedDivisionByZeroIsAnError", "5/0+", "Chyba"},
    {"ErrorIgnoresEverythingButClear", "5/0=7+1=", "Chyba"},
    {"ClearLeavesTheError", "5/0=C7+1=", "8"},
    {"ClearEntryLeavesTheError", "5/0=E", "0"},
    {"ClearEntryKeepsThePendingOperation", "5+3E4=", "9"},
    {"ClearForgetsThePendingOperation", "5+3C4=", "4"},
    {"PercentOfTheLeftOperandWhenAdding", "200+10%=", "220"},
    {"PercentAsHundredthsWhenMultiplying", "200*10%=", "20"},
    {"PercentAlone", "50%", "0,5"},
    {"SquareRoot", "16r", "4"},
    {"SquareRootAsTheRightOperand", "9+16r=", "13"},
    {"RootOfANegativeNumberIsAnError", "4nr", "Chyba"},
    {"NegateWhileTyping", "5n", "-5"},
    {"NegateTwice", "5nn", "5"},
    {"NegateAResult", "2+3=n", "-5"},
    {"NegatedResultBecomesTheOperand", "5+n=", "0"},
    {"NegativeOperand", "10-3n=", "13"},
    {"BackspaceRemovesTheLastDigit", "123<", "12"},
    {"BackspaceToNothingShowsZero", "1<<", "0"},
    {"BackspaceLeavesAResultAlone", "2+3=<", "5"},
    {"ResultTooLargeIsAnError", "99999999*=*=*=*=*=*=*=*=*=*=", "Chyba"},
    {"LargeResultInExponentForm", "100000000*=", "1e+16"},
    {"MemoryStoreAndRecall", "7sC2+m=", "9"},
    {"MemoryAddAndSubtract", "5p3p1qm", "7"},
    {"MemoryClear", "5scm", "0"},
    {"MemorySurvivesClear", "5sCm", "5"},
    {"MemoryRecallAsTheRightOperand", "4s10-m=", "6"},
};
// clang-format on

class DeskCalculatorKeys : public ::testing::TestWithParam<KeyCase>
{
};

TEST_P(DeskCalculatorKeys, ShowsTheResult)
{
    DeskCalculator calculator;
    calculator.pressKeys(QString::fromUtf8(GetParam().keys));
    EXPECT_EQ(calculator.display(), QString::fromUtf8(GetParam().display)) << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(Sequences, DeskCalculatorKeys, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(DeskCalculator, ErrorAndMemoryFlags)
{
    DeskCalculator calculator;
    EXPECT_TRUE(calculator.isClear());
    calculator.pressKeys(u"1/0=");
    EXPECT_TRUE(calculator.hasError());
    EXPECT_FALSE(calculator.isClear());
    calculator.pressKeys(u"C");
    EXPECT_FALSE(calculator.hasError());
    EXPECT_TRUE(calculator.isClear());

    calculator.pressKeys(u"3s");
    EXPECT_TRUE(calculator.hasMemory());
    calculator.pressKeys(u"c");
    EXPECT_FALSE(calculator.hasMemory());
}

} // namespace
