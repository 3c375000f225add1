#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "support/cli_run.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class CliRemoveTest : public ::testing::Test {
protected:
    CliRemoveTest() {
        for (const QString& d : {u"2023/03/31"_s, u"2023/04/01"_s, u"2024/03/31"_s})
            TableRows::putRosterDay(tmp.db(), u"1001"_s, d, u"日"_s);
        TableRows::put(tmp.db(), ShiftRequest::table, ShiftRequest::Index::key,
                       {1, u"1001"_s, u"2023/05/01"_s}, {});
    }
    int rows(const QString& table) { return TableRows::count(tmp.db(), table); }
    TempDatabase tmp;
};

TEST_F(CliRemoveTest, PurgeAndDeletionReportTheSpanAndRowsPerTable) {
    const QString csv = tmp.dir() + u"/out.csv"_s;
    CliRun r = cli(tmp.dir(), {u"delete-roster"_s, u"--from"_s, u"2023/4/1"_s, u"--to"_s,
                               u"2024/03/31"_s, u"--csv"_s, csv});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"2023/04/01 ～ 2024/03/31"_s));
    EXPECT_TRUE(r.out.contains(u"勤務表: 2 行削除"_s));
    EXPECT_FALSE(r.out.contains(u"休暇希望"_s));
    EXPECT_EQ(rows(RosterRow::table), 1);
    EXPECT_EQ(rows(ShiftRequest::table), 1);
    EXPECT_TRUE(QFile::exists(csv));

    r = cli(tmp.dir(), {u"purge"_s, u"--from"_s, u"2023/04/01"_s, u"--to"_s, u"2024/03/31"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"休暇希望: 1 行削除"_s));
    EXPECT_EQ(rows(ShiftRequest::table), 0);
}

TEST_F(CliRemoveTest, BadInputExitsTwoAndFailureOneWithNothingDeleted) {
    struct Case {
        QStringList args;
        int status;
    };
    const std::vector<Case> cases{
        {{u"purge"_s, u"--from"_s, u"2023/04/01"_s}, 2},
        {{u"purge"_s, u"--from"_s, u"2023/04/01"_s, u"--to"_s, u"2023/04/01"_s}, 2},
        {{u"delete-roster"_s, u"--from"_s, u"2023/04/01"_s, u"--to"_s, u"2024/03/31"_s, u"--csv"_s,
          tmp.dir() + u"/missing/out.csv"_s},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliRun r = cli(tmp.dir(), c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_EQ(rows(RosterRow::table), 3);
    }
}

} // namespace
