#include "store/holidays.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList listed(int year) {
    QStringList out;
    for (const auto& h : NationalHolidays(QDate(year, 1, 1), QDate(year, 12, 31)))
        out << h.date.toString(u"MM/dd"_s) + u" "_s + h.name;
    return out;
}

} // namespace

TEST(NationalHolidays, WholeYear2024WithItsFourSubstituteDays) {
    EXPECT_EQ(listed(2024),
              (QStringList{u"01/01 元日"_s,       u"01/08 成人の日"_s,   u"02/11 建国記念の日"_s,
                           u"02/12 振替休日"_s,   u"02/23 天皇誕生日"_s, u"03/20 春分の日"_s,
                           u"04/29 昭和の日"_s,   u"05/03 憲法記念日"_s, u"05/04 みどりの日"_s,
                           u"05/05 こどもの日"_s, u"05/06 振替休日"_s,   u"07/15 海の日"_s,
                           u"08/11 山の日"_s,     u"08/12 振替休日"_s,   u"09/16 敬老の日"_s,
                           u"09/22 秋分の日"_s,   u"09/23 振替休日"_s,   u"10/14 スポーツの日"_s,
                           u"11/03 文化の日"_s,   u"11/04 振替休日"_s,   u"11/23 勤労感謝の日"_s}));
}

TEST(NationalHolidays, SubstituteSkipsFollowingHolidaysAndSandwichedDayIsAHoliday) {
    const QStringList y2026 = listed(2026);
    // 5/3 falls on a Sunday; 5/4 and 5/5 are holidays themselves, so the substitute is 5/6.
    EXPECT_TRUE(y2026.contains(u"05/06 振替休日"_s));
    EXPECT_FALSE(y2026.contains(u"05/04 振替休日"_s));
    // 敬老の日 9/21 and 秋分の日 9/23 enclose 9/22.
    EXPECT_TRUE(y2026.contains(u"09/21 敬老の日"_s));
    EXPECT_TRUE(y2026.contains(u"09/22 国民の休日"_s));
    EXPECT_TRUE(y2026.contains(u"09/23 秋分の日"_s));
    EXPECT_EQ(y2026.size(), 18);
    // A weekday between a holiday and a plain Sunday is no holiday (2025/05/05 Mon, 5/6 Tue
    // is only a substitute for 5/4).
    EXPECT_EQ(NationalHolidayName(QDate(2025, 5, 6)), u"振替休日"_s);
    EXPECT_EQ(NationalHolidayName(QDate(2025, 5, 7)), QString());
}

TEST(NationalHolidays, EquinoxesFollowTheFormula) {
    EXPECT_EQ(NationalHolidayName(QDate(2025, 3, 20)), u"春分の日"_s);
    EXPECT_EQ(NationalHolidayName(QDate(2025, 9, 23)), u"秋分の日"_s);
    EXPECT_EQ(NationalHolidayName(QDate(2027, 3, 21)), u"春分の日"_s);
    EXPECT_EQ(NationalHolidayName(QDate(2027, 3, 22)), u"振替休日"_s);
    EXPECT_EQ(NationalHolidayName(QDate(2027, 9, 23)), u"秋分の日"_s);
    EXPECT_EQ(NationalHolidayName(QDate(2012, 9, 22)), u"秋分の日"_s);
    EXPECT_EQ(NationalHolidayName(QDate(2044, 9, 22)), u"秋分の日"_s);
    EXPECT_EQ(NationalHolidayName(QDate(2000, 3, 20)), u"春分の日"_s);
}

TEST(NationalHolidays, EarlierRulesAndOneOffYears) {
    // 2019: the enthronement days and the two sandwiched days around them.
    const QStringList y2019 = listed(2019);
    for (const auto& d : {u"04/30 国民の休日"_s, u"05/01 即位の日"_s, u"05/02 国民の休日"_s,
                          u"05/06 振替休日"_s, u"10/22 即位礼正殿の儀"_s})
        EXPECT_TRUE(y2019.contains(d)) << d.toStdString();
    EXPECT_FALSE(y2019.contains(u"02/23 天皇誕生日"_s));
    EXPECT_FALSE(y2019.contains(u"12/23 天皇誕生日"_s));
    // 2020: the sports holidays moved to July and August; nothing in October.
    const QStringList y2020 = listed(2020);
    for (const auto& d :
         {u"02/24 振替休日"_s, u"07/23 海の日"_s, u"07/24 スポーツの日"_s, u"08/10 山の日"_s})
        EXPECT_TRUE(y2020.contains(d)) << d.toStdString();
    EXPECT_TRUE(NationalHolidays(QDate(2020, 10, 1), QDate(2020, 10, 31)).empty());
    // 2005: みどりの日 on 4/29, 5/4 a sandwiched day, 12/23 the emperor's birthday, no 山の日.
    const QStringList y2005 = listed(2005);
    EXPECT_TRUE(y2005.contains(u"04/29 みどりの日"_s));
    EXPECT_TRUE(y2005.contains(u"05/04 国民の休日"_s));
    EXPECT_TRUE(y2005.contains(u"12/23 天皇誕生日"_s));
    EXPECT_TRUE(y2005.contains(u"10/10 体育の日"_s));
    EXPECT_EQ(NationalHolidayName(QDate(2005, 8, 11)), QString());
    // 2009: the first September sandwiched day.
    EXPECT_EQ(NationalHolidayName(QDate(2009, 9, 22)), u"国民の休日"_s);
}

TEST(NationalHolidays, RangeIsInclusiveAcrossYearsAndEmptyWhenReversed) {
    const auto h = NationalHolidays(QDate(2026, 12, 31), QDate(2027, 1, 11));
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h[0], (Holiday{QDate(2027, 1, 1), u"元日"_s}));
    EXPECT_EQ(h[1], (Holiday{QDate(2027, 1, 11), u"成人の日"_s}));
    EXPECT_TRUE(NationalHolidays(QDate(2027, 1, 2), QDate(2027, 1, 1)).empty());
    EXPECT_TRUE(NationalHolidays(QDate(), QDate(2027, 1, 1)).empty());
    EXPECT_EQ(NationalHolidays(QDate(2023, 1, 1), QDate(2023, 1, 2)).size(), 2u); // 1/2 振替
}
