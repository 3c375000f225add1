#include "screens/roster/leave_backup_writer.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class LeaveBackupWriterTest : public ::testing::Test {
protected:
    LeaveBackupWriterTest() {
        TableRows::putRosterDay(tmp.db(), u"001"_s, day, u"日"_s,
                                {{RosterRow::Field::plannedEarly, 3},
                                 {RosterRow::Field::team, u"A"_s},
                                 {RosterRow::Field::pattern, u"1"_s}});
        TableRows::putRosterDay(tmp.db(), u"002"_s, day, u"夜"_s,
                                {{RosterRow::Field::plannedEarly, 2},
                                 {RosterRow::Field::team, u"B"_s},
                                 {RosterRow::Field::pattern, u"4"_s}});
    }

    LeaveBackup leave(const QString& backupNo, bool paid = true, int registration = 1) const {
        return LeaveBackup{u"001"_s, u"山田"_s, day, u"病"_s, paid, registration, backupNo};
    }

    const QString day = u"2024/05/10"_s;
    TempDatabase tmp;
};

} // namespace

TEST_F(LeaveBackupWriterTest, PaidLeaveWithBackupWritesTheRequestAndTheBackupRow) {
    WriteLeaveBackups(tmp.db(), {leave(u"002"_s)}, u"有"_s);

    const auto request = ShiftRequest::load(tmp.db(), 1, u"001"_s, day);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->planned, u"有"_s);
    EXPECT_EQ(request->actual, u"病"_s);
    EXPECT_EQ(request->backup, u"002"_s);
    EXPECT_EQ(request->dayOffFlag, 1);
    EXPECT_EQ(request->appliedOn, day);

    const auto row = RosterRow::load(tmp.db(), 2, u"002"_s, day);
    ASSERT_TRUE(row);
    // The backup person's own plan, the leave shift and the taker's planned mark.
    EXPECT_EQ(*row,
              (RosterRow{2, u"002"_s, day, u"夜"_s, 2, u"病"_s, 3, u"山田"_s, u"B"_s, u"4"_s}));
    EXPECT_EQ(RosterRow::load(tmp.db(), 1, u"002"_s, day)->backup, QString())
        << "the backup person's roster row is left alone";
}

TEST_F(LeaveBackupWriterTest, WhatIsWrittenFollowsTheKindOfLeaveAndTheAnswer) {
    struct Case {
        const char* what;
        LeaveBackup leave;
        bool request;
        bool backupRow;
    };
    const Case cases[] = {
        {"paid, no backup", leave({}), true, false},
        {"paid, not registered", leave({}, true, 0), false, false},
        {"day off (not paid), backup", leave(u"002"_s, false), false, true},
        {"day off (not paid), no backup", leave({}, false), false, false},
    };
    for (const Case& c : cases) {
        TempDatabase fresh;
        WriteLeaveBackups(fresh.db(), {c.leave}, u"有"_s);
        EXPECT_EQ(ShiftRequest::load(fresh.db(), 1, u"001"_s, day).has_value(), c.request)
            << c.what;
        EXPECT_EQ(TableRows::count(fresh.db(), RosterRow::table), c.backupRow ? 1 : 0) << c.what;
    }
}

// Registering the same leave again with another backup moves the cover, never doubles it; a
// backup row for another taker that day stays.
TEST_F(LeaveBackupWriterTest, AnotherBackupForTheSameLeaveReplacesTheEarlierOne) {
    TableRows::putRosterDay(tmp.db(), u"003"_s, day, u"日"_s);
    RosterRow other{2, u"004"_s, day, u"日"_s, 0, u"有"_s, 0, u"別人"_s, {}, {}};
    other.save(tmp.db());

    WriteLeaveBackups(tmp.db(), {leave(u"002"_s)}, u"有"_s);
    WriteLeaveBackups(tmp.db(), {leave(u"003"_s)}, u"有"_s);

    EXPECT_FALSE(RosterRow::load(tmp.db(), 2, u"002"_s, day));
    ASSERT_TRUE(RosterRow::load(tmp.db(), 2, u"003"_s, day));
    EXPECT_EQ(RosterRow::load(tmp.db(), 2, u"003"_s, day)->backup, u"山田"_s);
    EXPECT_TRUE(RosterRow::load(tmp.db(), 2, u"004"_s, day));
    EXPECT_EQ(ShiftRequest::load(tmp.db(), 1, u"001"_s, day)->backup, u"003"_s);
}

// Every 確定 answers each leave day of the period again. What is stored afterwards is the last
// answer for each taker, whatever namesake is on leave the same day: a cover is found through
// the taker's own leave row, and for a day off without one, among the covers no leave row
// claims.
TEST_F(LeaveBackupWriterTest, ASavedAgainLeaveKeepsOneCoverPerTakerEvenAmongNamesakes) {
    // 005 shares the name 山田 with 001; both are on leave that day.
    auto namesake = [&](const QString& backupNo, bool paid = true, int registration = 1) {
        return LeaveBackup{u"005"_s, u"山田"_s, day, u"病"_s, paid, registration, backupNo};
    };
    using Saves = std::vector<std::vector<LeaveBackup>>;
    struct Case {
        const char* what;
        Saves saves;
        QStringList covers;       // backup people with a backup row that day, in number order
        QString takerLeaveBackup; // 希_BACKUP of 001's leave row
    };
    const Case cases[] = {
        {"paid, saved again without backup", Saves{{leave(u"002"_s)}, {leave({})}}, {}, {}},
        {"day off, saved again without backup",
         Saves{{leave(u"002"_s, false)}, {leave({}, false)}},
         {},
         {}},
        {"saved again but not registered keeps the cover",
         Saves{{leave(u"002"_s)}, {leave({}, true, 0)}},
         {u"002"_s},
         u"002"_s},
        {"namesakes in one save",
         Saves{{leave(u"002"_s), namesake(u"003"_s)}},
         {u"002"_s, u"003"_s},
         u"002"_s},
        {"namesake saved later",
         Saves{{leave(u"002"_s)}, {namesake(u"003"_s)}},
         {u"002"_s, u"003"_s},
         u"002"_s},
        {"namesake saved later without backup",
         Saves{{leave(u"002"_s)}, {namesake({})}},
         {u"002"_s},
         u"002"_s},
        {"namesakes on days off, saved again with the covers swapped",
         Saves{{leave(u"002"_s, false), namesake(u"003"_s, false)},
               {leave(u"003"_s, false), namesake(u"002"_s, false)}},
         {u"002"_s, u"003"_s},
         {}},
        {"namesake on a day off after a paid leave, then the paid leave without backup",
         Saves{{leave(u"002"_s)}, {namesake(u"003"_s, false)}, {leave({})}},
         {u"003"_s},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDatabase fresh;
        for (const auto& save : c.saves)
            WriteLeaveBackups(fresh.db(), save, u"有"_s);
        QStringList covers;
        for (const QString& no : {u"002"_s, u"003"_s, u"004"_s})
            if (RosterRow::load(fresh.db(), 2, no, day))
                covers << no;
        EXPECT_EQ(covers, c.covers);
        const auto request = ShiftRequest::load(fresh.db(), 1, u"001"_s, day);
        EXPECT_EQ(request ? request->backup : QString(), c.takerLeaveBackup);
    }
}
