#include "store/period_rule.h"
#include "store/text_values.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace TextValues;

namespace {

QDate d(const char16_t* text) {
    return parseDateText(QString::fromUtf16(text));
}

TEST(TextValues, TypedDatesBecomeNormalDateText) {
    for (const QString& typed : {u"2006/7/1"_s, u"2006-07-01"_s, u"2006/07/01"_s, u"2006-7-1"_s,
                                 u" 2006/07/01 "_s, u"20060701"_s})
        EXPECT_EQ(normaliseDate(typed), std::optional(u"2006/07/01"_s)) << typed.toStdString();
    EXPECT_EQ(normaliseDate(u"2024/2/29"_s), std::optional(u"2024/02/29"_s));

    for (const QString& typed :
         {u"2006/2/30"_s, u"2023/02/29"_s, u"2006/13/01"_s, u"2006/00/10"_s, u"2006/07-01"_s,
          u"2006-07/01"_s, u"06/07/01"_s, u"2006/7"_s, u"2006/07/01x"_s, u"2006071"_s,
          u"200607011"_s, u"20060230"_s, u"2006/0701"_s, u""_s}) {
        EXPECT_FALSE(normaliseDate(typed).has_value()) << typed.toStdString();
        EXPECT_FALSE(isDate(typed)) << typed.toStdString();
    }
    EXPECT_TRUE(isDate(u"2006/7/1"_s));
}

TEST(TextValues, DateTextIsStrictAndRoundTrips) {
    EXPECT_EQ(dateText(QDate(2006, 7, 1)), u"2006/07/01"_s);
    EXPECT_EQ(dateText(QDate()), QString());
    EXPECT_EQ(parseDateText(u"2006/07/01"_s), QDate(2006, 7, 1));
    // Stored dates are always the ten-character form; anything else is not a date.
    for (const QString& text : {u"2006/7/1"_s, u"2006-07-01"_s, u"2006/02/30"_s, u""_s})
        EXPECT_FALSE(parseDateText(text).isValid()) << text.toStdString();
}

TEST(TextValues, TimesAreNormalisedAndOutOfRangeRejected) {
    EXPECT_EQ(normaliseTime(u"9:00"_s), std::optional(u"09:00"_s));
    EXPECT_EQ(normaliseTime(u"09:05"_s), std::optional(u"09:05"_s));
    EXPECT_EQ(normaliseTime(u"0:00"_s), std::optional(u"00:00"_s));
    EXPECT_EQ(normaliseTime(u"23:59"_s), std::optional(u"23:59"_s));
    for (const QString& typed : {u"24:00"_s, u"9:60"_s, u"900"_s, u"9:000"_s, u"123:00"_s,
                                 u"-1:00"_s, u""_s, u"9時00"_s, u"a:00"_s})
        EXPECT_FALSE(normaliseTime(typed).has_value()) << typed.toStdString();
}

TEST(TextValues, SmallIntegersFitSixteenBits) {
    EXPECT_EQ(parseSmallInt(u" 12 "_s), std::optional(12));
    EXPECT_EQ(parseSmallInt(u"+3"_s), std::optional(3));
    EXPECT_EQ(parseSmallInt(u"-32768"_s), std::optional(-32768));
    EXPECT_EQ(parseSmallInt(u"32767"_s), std::optional(32767));
    EXPECT_EQ(parseSmallInt(u"007"_s), std::optional(7));
    for (const QString& typed : {u"32768"_s, u"-32769"_s, u"99999999999999999999"_s, u"1a"_s, u""_s,
                                 u"  "_s, u"1.5"_s, u"+"_s, u"--1"_s, u"1 2"_s})
        EXPECT_FALSE(isSmallInt(typed)) << typed.toStdString();
}

TEST(TextValues, DifferencesCountBoundariesCrossed) {
    EXPECT_EQ(diffDays(d(u"2024/02/28"), d(u"2024/03/01")), 2);
    EXPECT_EQ(diffDays(d(u"2024/03/01"), d(u"2024/02/28")), -2);
    EXPECT_EQ(diffMonths(d(u"2024/01/31"), d(u"2024/02/01")), 1);
    EXPECT_EQ(diffMonths(d(u"2024/01/01"), d(u"2024/01/31")), 0);
    EXPECT_EQ(diffMonths(d(u"2023/11/15"), d(u"2024/02/01")), 3);
    EXPECT_EQ(diffMonths(d(u"2024/02/01"), d(u"2023/11/30")), -3);
    EXPECT_EQ(diffYears(d(u"2024/12/31"), d(u"2025/01/01")), 1);
    EXPECT_EQ(diffYears(d(u"2024/01/01"), d(u"2024/12/31")), 0);
    EXPECT_EQ(diffYears(d(u"1960/04/02"), d(u"2024/04/01")), 64);
}

TEST(TextValues, AddDaysCrossesMonthsAndKeepsEmptyEmpty) {
    EXPECT_EQ(addDays(u"2024/02/28"_s, 1), u"2024/02/29"_s);
    EXPECT_EQ(addDays(u"2024/03/01"_s, -1), u"2024/02/29"_s);
    EXPECT_EQ(addDays(u"2024/12/31"_s, 1), u"2025/01/01"_s);
    EXPECT_EQ(addDays(u"2024/04/01"_s, -5), u"2024/03/27"_s);
    EXPECT_EQ(addDays(u""_s, 1), QString());
    EXPECT_EQ(addDays(u"2024/4/1"_s, 1), QString());
}

TEST(NextPeriod, FollowsTheLastCreatedPeriodByOneCreationUnit) {
    const auto expect = [](Period p, const QString& start, const QString& end) {
        EXPECT_EQ(p.start, start);
        EXPECT_EQ(p.end, end);
    };
    expect(NextPeriod(1, 1, u"2024/03/31"_s), u"2024/04/01"_s, u"2024/04/30"_s);
    expect(NextPeriod(1, 1, u"2024/01/31"_s), u"2024/02/01"_s, u"2024/02/29"_s);
    expect(NextPeriod(1, 1, u"2024/12/31"_s), u"2025/01/01"_s, u"2025/01/31"_s);
    // A month from mid-month ends the day before the same day next month.
    expect(NextPeriod(1, 1, u"2024/01/15"_s), u"2024/01/16"_s, u"2024/02/15"_s);

    const Period weeks = NextPeriod(2, 5, u"2024/03/31"_s);
    expect(weeks, u"2024/04/01"_s, u"2024/05/05"_s);
    EXPECT_EQ(diffDays(d(u"2024/04/01"), parseDateText(weeks.end)) + 1, 35);

    expect(NextPeriod(3, 31, u"2024/06/30"_s), u"2024/07/01"_s, u"2024/07/31"_s);
    expect(NextPeriod(3, 10, u"2024/02/25"_s), u"2024/02/26"_s, u"2024/03/06"_s);

    for (const QString& bad : {u""_s, u"2024/02/30"_s, u"2024/3/31"_s}) {
        const Period p = NextPeriod(1, 1, bad);
        EXPECT_TRUE(p.start.isEmpty() && p.end.isEmpty()) << bad.toStdString();
    }
}

// Five-digit years would sort before "2024/..." as text: the calendar ends at 9999/12/31.
TEST(NextPeriod, NeverRollsPastTheLastFourDigitYear) {
    EXPECT_EQ(dateText(QDate(9999, 12, 31)), u"9999/12/31"_s);
    EXPECT_EQ(dateText(QDate(10000, 1, 1)), QString());
    EXPECT_EQ(addDays(u"9999/12/31"_s, 1), QString());

    const Period last = NextPeriod(1, 1, u"9999/11/30"_s);
    EXPECT_EQ(last.start, u"9999/12/01"_s);
    EXPECT_EQ(last.end, u"9999/12/31"_s);
    // Past the end, or only partly inside it: nothing is proposed.
    for (const Period& p : {NextPeriod(1, 1, u"9999/12/31"_s), NextPeriod(1, 1, u"9999/12/15"_s),
                            NextPeriod(2, 2, u"9999/12/20"_s), NextPeriod(3, 5, u"9999/12/30"_s)})
        EXPECT_TRUE(p.start.isEmpty() && p.end.isEmpty()) << p.start.toStdString();
}

} // namespace
