#include "roster/personal_month.h"
#include "store/records/calendar_day.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

using Mark = PersonalMonth::CalendarMark;

class PersonalMonthTest : public ::testing::Test {
protected:
    void rosterDay(const QString& date, const QString& planned, const QString& actual = {},
                   int kind = 1, const QString& no = u"1001"_s) {
        RosterRow r;
        r.kind = kind;
        r.staffNo = no;
        r.date = date;
        r.planned = planned;
        r.actual = actual;
        r.save(tmp.db());
    }
    void request(const QString& date, const QString& planned, const QString& actual = {}) {
        ShiftRequest r;
        r.kind = 2;
        r.staffNo = u"1001"_s;
        r.date = date;
        r.planned = planned;
        r.actual = actual;
        r.save(tmp.db());
    }
    const PersonalMonth::Day& day(const PersonalMonth& m, int d) {
        return m.days[static_cast<size_t>(d - 1)];
    }
    TempDatabase tmp;
};

// June 2024 begins on a Saturday and ends on a Sunday: six weekly bands.
TEST_F(PersonalMonthTest, DaysFallIntoWeeklyBandsUnderTheirWeekday) {
    CalendarDay{u"2024/06/15"_s, 1, u"休業日"_s}.save(tmp.db());
    CalendarDay{u"2024/06/16"_s, 0, u"出勤日"_s}.save(tmp.db());
    const PersonalMonth m =
        PersonalMonth::load(tmp.db(), u"1001"_s, QDate(2024, 6, 1), QDate(2024, 6, 1));
    ASSERT_EQ(m.days.size(), 30u);
    EXPECT_EQ(m.bandCount(), 6);
    for (const auto& [d, band, column] :
         {std::tuple{1, 0, 6}, std::tuple{2, 1, 0}, std::tuple{8, 1, 6}, std::tuple{30, 5, 0}}) {
        EXPECT_EQ(day(m, d).band, band) << d;
        EXPECT_EQ(day(m, d).column, column) << d;
    }
    EXPECT_EQ(day(m, 15).mark, Mark::Holiday);
    EXPECT_EQ(day(m, 16).mark, Mark::WorkingDay);
    EXPECT_EQ(day(m, 17).mark, Mark::Ordinary);
}

TEST_F(PersonalMonthTest, PastDaysRepeatThePlanFutureDaysShowItOnceRequestsReplaceIt) {
    rosterDay(u"2024/04/09"_s, u"日"_s);                   // past, as planned
    rosterDay(u"2024/04/08"_s, u"日"_s, u"夜"_s);          // past, changed
    rosterDay(u"2024/04/10"_s, u"日"_s);                   // today: not past yet
    rosterDay(u"2024/04/11"_s, u"夜"_s);                   // future
    rosterDay(u"2024/04/12"_s, u"日"_s, {}, 2);            // a backup row is not the person's own
    rosterDay(u"2024/04/12"_s, u"日"_s, {}, 1, u"1002"_s); // somebody else's day
    rosterDay(u"2024/04/15"_s, u"日"_s);
    request(u"2024/04/15"_s, u"有"_s);          // the request is shown in place of the plan
    request(u"2024/04/16"_s, u"休"_s, u"有"_s); // its actual abbreviation first
    const PersonalMonth m =
        PersonalMonth::load(tmp.db(), u"1001"_s, QDate(2024, 4, 1), QDate(2024, 4, 10));
    struct Expect {
        int day;
        QString upper;
        bool requested;
        QString lower;
    };
    for (const Expect& e :
         {Expect{9, u"日"_s, false, u"日"_s}, Expect{8, u"日"_s, false, u"夜"_s},
          Expect{10, u"日"_s, false, {}}, Expect{11, u"夜"_s, false, {}}, Expect{12, {}, false, {}},
          Expect{15, u"有"_s, true, {}}, Expect{16, u"有"_s, true, {}}}) {
        EXPECT_EQ(day(m, e.day).upper, e.upper) << e.day;
        EXPECT_EQ(day(m, e.day).requested, e.requested) << e.day;
        EXPECT_EQ(day(m, e.day).lower, e.lower) << e.day;
    }
}

} // namespace
