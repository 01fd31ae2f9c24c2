#include "text/DateTimeFormat.h"

#include "support/QtPrinters.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using kora::formatDateTime;

namespace {

const QLocale kCzech(QLocale::Czech, QLocale::Czechia);

// Tuesday just after midnight; Christmas noon; one-digit day, month and hour; the last second of
// a Thursday; midnight exactly.
const QDateTime kAfterMidnight(QDate(2024, 3, 5), QTime(0, 0, 0, 7));
const QDateTime kNoon(QDate(2024, 12, 25), QTime(12, 0));
const QDateTime kEarly(QDate(2024, 1, 2), QTime(3, 4, 5, 60));
const QDateTime kLastSecond(QDate(2023, 11, 30), QTime(23, 59, 59, 999));
const QDateTime kMidnight(QDate(2024, 3, 5), QTime(0, 0));

struct Case
{
    const char *name;
    const char *format;
    QDateTime moment;
    const char *expected;
};

class DateTimeFormatCase : public ::testing::TestWithParam<Case>
{
};

TEST_P(DateTimeFormatCase, FormatsUnderTheCzechLocale)
{
    const Case &c = GetParam();
    EXPECT_EQ(formatDateTime(QString::fromUtf8(c.format), c.moment, kCzech), QString::fromUtf8(c.expected));
}

const Case kCases[] = {
    {"year_month_day_with_leading_zeros", "yyyy-mm-dd", kAfterMidnight, "2024-03-05"},
    {"two_digit_year", "yy", kLastSecond, "23"},
    {"one_digit_day_and_month_without_zeros", "yyyy-m-d", kEarly, "2024-1-2"},
    {"month_names_short_and_long", "mmm mmmm", kNoon, "pro prosinec"},
    {"weekday_names_short_and_long", "ddd dddd", kAfterMidnight, "út úterý"},
    {"locale_short_date", "ddddd", kEarly, "02.01.24"},
    {"locale_long_date", "dddddd", kEarly, "úterý 2. ledna 2024"},
    {"time_with_leading_zeros_at_midnight", "hh:nn:ss", kAfterMidnight, "00:00:00"},
    {"time_with_leading_zeros_at_the_last_second", "hh:nn:ss", kLastSecond, "23:59:59"},
    {"time_without_leading_zeros", "h:n:s", kEarly, "3:4:5"},
    {"m_after_an_hour_is_minutes", "hh-mm-ss", kEarly, "03-04-05"},
    {"m_after_an_hour_and_separators_is_minutes", "h:m", kLastSecond, "23:59"},
    {"m_after_an_hour_and_quoted_text_is_minutes", "hh \"h\" mm", kEarly, "03 h 04"},
    {"m_after_another_letter_is_the_month", "hh x mm", kEarly, "03 x 01"},
    {"mmm_after_an_hour_stays_a_month_name", "h mmm", kEarly, "3 led"},
    {"a_p_gives_a_twelve_hour_clock_midnight", "h:nn a/p", kAfterMidnight, "12:00 a"},
    {"a_p_at_noon", "h:nn a/p", kNoon, "12:00 p"},
    {"a_p_late_evening", "hh:nn a/p", kLastSecond, "11:59 p"},
    {"a_p_in_capitals_keeps_them", "h A/P", kNoon, "12 P"},
    {"a_p_anywhere_switches_the_hour", "a/p h", kLastSecond, "p 11"},
    {"am_pm_as_typed", "hh am/pm, hh AM/PM", kLastSecond, "11 pm, 11 PM"},
    {"ampm_from_the_locale", "h ampm", kAfterMidnight, "12 dop."},
    {"ampm_afternoon_from_the_locale", "h ampm", kNoon, "12 odp."},
    {"a_alone_is_copied", "a h", kLastSecond, "a 23"},
    {"milliseconds", "z zzz", kAfterMidnight, "7 007"},
    {"milliseconds_three_digits", "z zzz", kLastSecond, "999 999"},
    {"locale_short_and_long_time", "t|tt", kEarly, "3:04|3:04:05"},
    {"c_with_a_time", "c", kLastSecond, "30.11.23 23:59:59"},
    {"c_at_midnight_is_the_date_alone", "c", kMidnight, "05.03.24"},
    {"slash_is_the_locale_date_separator", "dd/mm/yyyy", kAfterMidnight, "05.03.2024"},
    {"double_quoted_text", "yyyy \"rok\" mm \"měsíc\" dd \"den\"", kAfterMidnight, "2024 rok 03 měsíc 05 den"},
    {"single_quoted_text", "'dnes je' dddd", kAfterMidnight, "dnes je úterý"},
    {"unterminated_quote_runs_to_the_end", "dd \"abc", kAfterMidnight, "05 abc"},
    {"letters_in_any_case", "YYYY-MM-DD HH:NN:SS", kLastSecond, "2023-11-30 23:59:59"},
    {"other_characters_are_copied", "q#x%ř", kNoon, "q#x%ř"},
    {"the_dialog_format_with_a_p", "yyyy-mm-dd h:n:s a/p", kNoon, "2024-12-25 12:0:0 p"},
    {"the_options_design_format", "yyyy-mm-dd hh:nn:ss", kEarly, "2024-01-02 03:04:05"},
};

INSTANTIATE_TEST_SUITE_P(Elements, DateTimeFormatCase, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(DateTimeFormat, SeparatorsFollowTheLocale)
{
    const QLocale finnish(QLocale::Finnish, QLocale::Finland);
    EXPECT_EQ(formatDateTime(u"hh:nn", kLastSecond, finnish), "23.59");
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(formatDateTime(u"mm/dd/yyyy h:nn am/pm", kLastSecond, american), "11/30/2023 11:59 pm");
    EXPECT_EQ(formatDateTime(u"mmmm", kNoon, american), "December");
}

// Any format string gives some text: never a crash, never an explosion of output; text in double
// quotes always comes out as it was typed.
TEST(DateTimeFormat, RandomFormatStringsAreAlwaysFormatted)
{
    const QString alphabet = QStringLiteral("yYmMdDhHnNsSzZtTcCaApP/:\"' -.,xř\t");
    QRandomGenerator random(20241210);
    for (int round = 0; round < 5000; ++round) {
        QString format;
        const int length = int(random.bounded(48));
        for (int i = 0; i < length; ++i) {
            if (random.bounded(8) == 0)
                format += QChar(char16_t(random.bounded(1, 0x10000)));
            else
                format += alphabet[random.bounded(int(alphabet.size()))];
        }
        const QString out = formatDateTime(format, kLastSecond, kCzech);
        ASSERT_LE(out.size(), 32 * (format.size() + 1)) << format.toStdString();
        ASSERT_EQ(out, formatDateTime(format, kLastSecond, kCzech)) << format.toStdString();

        QString literal = format;
        literal.remove(u'"');
        ASSERT_EQ(formatDateTime(u'"' + literal + u'"', kEarly, kCzech), literal) << literal.toStdString();
    }
}

} // namespace
