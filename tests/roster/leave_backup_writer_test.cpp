#include "roster/leave_backup_writer.h"
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

// Every 確定 answers each leave day of the period again; what stays is each taker's last
// answer, whatever namesake is on leave the same day.
TEST_F(LeaveBackupWriterTest, ASavedAgainLeaveKeepsOneCoverPerTakerEvenAmongNamesakes) {
    // 005 shares the name 山田 with 001.
    auto by = [&](const QString& taker, const QString& backupNo, bool paid = true) {
        return LeaveBackup{taker, u"山田"_s, day, u"病"_s, paid, 1, backupNo};
    };
    const QString a = u"001"_s, b = u"005"_s, x = u"002"_s, y = u"003"_s;
    struct Case {
        const char* what;
        std::vector<std::vector<LeaveBackup>> saves;
        QString stored; // the covers of the day, then 001's leave row backup
    };
    const Case cases[] = {
        {"paid, again without backup", {{by(a, x)}, {by(a, {})}}, u"|"_s},
        {"day off, again without backup", {{by(a, x, false)}, {by(a, {}, false)}}, u"|"_s},
        {"namesakes in one save", {{by(a, x), by(b, y)}}, u"002 003|002"_s},
        {"namesake saved later", {{by(a, x)}, {by(b, y)}}, u"002 003|002"_s},
        {"days off, covers swapped",
         {{by(a, x, false), by(b, y, false)}, {by(a, y, false), by(b, x, false)}},
         u"002 003|"_s},
    };
    for (const Case& c : cases) {
        TempDatabase fresh;
        for (const auto& save : c.saves)
            WriteLeaveBackups(fresh.db(), save, u"有"_s);
        QStringList covers;
        for (const QString& no : {x, y})
            if (RosterRow::load(fresh.db(), 2, no, day))
                covers << no;
        const auto request = ShiftRequest::load(fresh.db(), 1, a, day);
        EXPECT_EQ(covers.join(u' ') + u'|' + (request ? request->backup : QString()), c.stored)
            << c.what;
    }
}
