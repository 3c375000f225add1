#include "store/masters/calendar_store.h"
#include "store/masters/past_entry_store.h"
#include "store/masters/shift_order.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(CalendarStore, DayListsCoverTheirRangeWeekdayByWeekday) {
    // 2025/04/01 is a Tuesday.
    const FiscalYear year{{2025, 4, 1}, {2026, 3, 31}};
    struct Case {
        const char* what;
        std::vector<QDate> days;
        size_t count;
        QDate first, last;
        size_t secondStarts; // where the second weekday's days begin; 0 with one weekday
    };
    const std::vector<Case> cases{
        {"weekends of the year, Sundays first",
         CalendarStore::weekdaysOfYear(year, {0, 6}),
         104,
         {2025, 4, 6},
         {2026, 3, 28},
         52},
        {"the year's own weekday takes both its ends",
         CalendarStore::weekdaysOfYear(year, {2}),
         53,
         {2025, 4, 1},
         {2026, 3, 31},
         0},
        {"Mondays of a month",
         CalendarStore::weekdaysOfMonth({2025, 2, 1}, {1}),
         4,
         {2025, 2, 3},
         {2025, 2, 24},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.days.size(), c.count);
        EXPECT_EQ(c.days.front(), c.first);
        EXPECT_EQ(c.days.back(), c.last);
        if (c.secondStarts > 0) {
            EXPECT_EQ(c.days[c.secondStarts], QDate(2025, 4, 5));
        }
    }
}

TEST(PastEntryStore, APatternNameFindsTheShiftTypesKindThenAnyStaffPattern) {
    TempDatabase tmp;
    auto pattern = [&](int kind, int no, int pos, const QString& name) {
        TableRows::putPatternRow(tmp.db(), kind, no, pos, {{PatternRow::Field::name, name}});
    };
    pattern(3, 5, 0, u"早番"_s); // stored first, so a later preferred kind must still win
    pattern(1, 3, 0, u"早番"_s);
    pattern(2, 4, 0, u"遅番"_s); // prohibited
    pattern(5, 2, 1, u"遅番"_s); // a shift row, not a pattern
    pattern(1, 4, 0, u"遅番"_s);
    pattern(4, 1, 0, u"必須"_s); // mandatory
    struct Case {
        QString name;
        int preferred, kind, no;
    };
    const std::vector<Case> cases{
        {u"早番"_s, 1, 1, 3}, {u"早番"_s, 3, 3, 5}, {u"遅番"_s, 5, 1, 4},
        {u"遅番"_s, 2, 1, 4}, {u"必須"_s, 4, 0, 0}, {u"無し"_s, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " preferring " + std::to_string(c.preferred));
        const PastEntryStore::PatternRef found =
            PastEntryStore::findPattern(tmp.db(), c.name, c.preferred);
        EXPECT_EQ(found.kind, c.kind);
        EXPECT_EQ(found.no, c.no);
    }
}

TEST(ShiftOrder, WorkingAbbrevsFollowThePriorityAndTheLimitCountsOnlyThem) {
    TempDatabase tmp;
    TableRows::putShift(tmp.db(), u"休"_s, u"公休"_s, 0, 1);
    TableRows::putShift(tmp.db(), u"日"_s, u"日勤"_s, 1, 2);
    TableRows::putShift(tmp.db(), u"夜"_s, u"夜勤"_s, 1, 1);
    TableRows::putShift(tmp.db(), u"準"_s, u"準夜"_s, 1, 3);
    EXPECT_EQ(ShiftOrder::inListOrder(tmp.db()).front().abbrev, u"休"_s);
    const std::vector<std::pair<qsizetype, QStringList>> cases{{0, {u"夜"_s, u"日"_s, u"準"_s}},
                                                               {2, {u"夜"_s, u"日"_s}},
                                                               {5, {u"夜"_s, u"日"_s, u"準"_s}}};
    for (const auto& [limit, abbrevs] : cases)
        EXPECT_EQ(ShiftOrder::workingAbbrevs(tmp.db(), limit), abbrevs) << limit;
}

} // namespace
