#include "roster/roster_change_save.h"
#include "roster/roster_model.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Two people over three days, all planned 日; the cache knows 有 (paid), 公 (rest work) and
// 研 (neither).
RosterModel threeDays() {
    RosterModel m;
    m.periodStart = u"2024/05/01"_s;
    m.periodEnd = u"2024/05/03"_s;
    m.day(1).date = u"2024/05/01"_s;
    m.day(2).date = u"2024/05/02"_s;
    m.day(3).date = u"2024/05/03"_s;
    m.day(4).date = u"2024/05/04"_s; // beyond the period end
    m.cache.leaveShifts = {{u"有"_s, 0, 1, 0}, {u"公"_s, 1, 0, 0}, {u"研"_s, 0, 0, 0}};
    m.cache.paidLeaveAbbrev = u"有"_s;
    for (const auto& [no, name] : {std::pair{u"001"_s, u"山田"_s}, {u"002"_s, u"青木"_s}}) {
        Person p;
        p.no = no;
        p.name = name;
        for (int d = 1; d <= 4; ++d)
            p.cell(d).shift = u"日"_s;
        m.group(1).push_back(p);
    }
    return m;
}

} // namespace

TEST(RosterChangeSave, FindsLeaveShiftsAmongTheActualShiftsOfThePeriod) {
    RosterModel m = threeDays();
    m.person(1, 1).cell(1).actualShift = u"有"_s;
    m.person(1, 1).cell(2).actualShift = u"研"_s; // not a leave kind
    m.person(1, 1).cell(4).actualShift = u"有"_s; // after the period
    m.person(1, 2).cell(3).actualShift = u"公"_s;
    m.person(1, 2).cell(2).shift = u"有"_s; // planned only: no correction

    const std::vector<LeaveBackup> found = LeaveDaysOf(m);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].takerNo, u"001"_s);
    EXPECT_EQ(found[0].date, u"2024/05/01"_s);
    EXPECT_TRUE(found[0].paidLeave);
    EXPECT_EQ(found[1].takerName, u"青木"_s);
    EXPECT_EQ(found[1].leaveShift, u"公"_s);
    EXPECT_FALSE(found[1].paidLeave);
}

// The corrections and the leave days go in together; the period is not recorded as the last
// created one, and a change back to exactly the plan stores no actual shift.
TEST(RosterChangeSave, WritesCorrectionsAndLeaveDaysTogether) {
    TempDatabase tmp;
    TableRows::putCreationUnit(tmp.db(), 2,
                               {1, 1, u"2024/06/01"_s, 0, u"2024/06/01"_s, u"2024/06/30"_s, {}});
    RosterModel m = threeDays();
    m.loaded.requests = RequestsMode::Load; // as a generated roster would be
    m.person(1, 1).cell(1).actualShift = u"有"_s;
    m.person(1, 2).cell(2).actualShift = u"日"_s; // the plan again
    LeaveBackup leave = LeaveDaysOf(m).front();
    leave.registration = 1;
    leave.backupNo = u"002"_s;

    SaveRosterChanges(tmp.db(), m, {leave});

    EXPECT_EQ(RosterRow::load(tmp.db(), 1, u"001"_s, u"2024/05/01"_s)->actual, u"有"_s);
    EXPECT_EQ(RosterRow::load(tmp.db(), 1, u"001"_s, u"2024/05/01"_s)->planned, u"日"_s);
    EXPECT_EQ(RosterRow::load(tmp.db(), 1, u"002"_s, u"2024/05/02"_s)->actual, QString());
    EXPECT_EQ(ShiftRequest::load(tmp.db(), 1, u"001"_s, u"2024/05/01"_s)->backup, u"002"_s);
    EXPECT_EQ(RosterRow::load(tmp.db(), 2, u"002"_s, u"2024/05/01"_s)->backup, u"山田"_s);
    EXPECT_EQ(TableRows::value(tmp.db(), u"作成単位"_s, u"key_作成単位"_s, {2}, u"作_作成From"_s)
                  ->toString(),
              u"2024/06/01"_s)
        << "the period is not recorded, nor refused as registered elsewhere";
}
