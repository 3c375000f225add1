#include "store/clock.h"
#include "store/database.h"
#include "store/demo_workplace.h"
#include "support/cli_run.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr char Bom[] = "\xEF\xBB\xBF";

// The lines the command writes, after checking that they open with the byte-order mark (which
// decoding would drop unseen).
QStringList tsvLines(const QString& dataDir, const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(ROSTER_CLI), QStringList{u"--data-dir"_s, dataDir} + args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << p.readAllStandardError().toStdString();
        return {};
    }
    const QByteArray raw = p.readAllStandardOutput();
    EXPECT_TRUE(raw.startsWith(Bom));
    return QString::fromUtf8(raw.mid(3)).split(u'\n', Qt::SkipEmptyParts);
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CliTotalsTest : public ::testing::Test {
protected:
    CliTotalsTest() {
        LoadDemoWorkplace(tmp.db(), FixedClock(QDate(2024, 4, 1)));
        auto day = [](int month, int d) {
            return u"2024/%1/%2"_s.arg(month, 2, 10, QLatin1Char('0'))
                .arg(d, 2, 10, QLatin1Char('0'));
        };
        for (int d = 1; d <= 10; ++d)
            TableRows::putRosterDay(tmp.db(), u"1003"_s, day(4, d), u"日"_s);
        TableRows::putRosterDay(tmp.db(), u"1003"_s, day(5, 2), u"夜"_s);
        TableRows::putRosterDay(tmp.db(), u"1003"_s, day(5, 3), u"有"_s);
        TableRows::putRosterDay(tmp.db(), u"1003"_s, day(6, 1), u"夜"_s); // after two months
        TableRows::putRosterDay(tmp.db(), u"2001"_s, day(4, 5), u"夜"_s);
        tmp.close();
    }
    TempDatabase tmp;
};

TEST_F(CliTotalsTest, WritesOneLinePerPersonWithMonthAndTotalColumnsAndLeavesTheFileAsItWas) {
    const QByteArray before = contents(tmp.path());
    const QStringList lines = tsvLines(
        tmp.dir(), {u"totals"_s, u"--month-from"_s, u"2024/04/01"_s, u"--months"_s, u"2"_s});
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], u"職員NO\t氏名\t4月日\t4月夜\t4月明\t4月休\t5月日\t5月夜\t5月明\t5月休\t"
                        u"合計日\t合計夜\t合計明\t合計休"_s);
    EXPECT_TRUE(lines[1].startsWith(u"1001\t"_s)); // display order
    const QStringList takahashi = lines.filter(u"1003\t"_s);
    ASSERT_EQ(takahashi.size(), 1);
    EXPECT_EQ(takahashi[0], u"1003\t高橋 健一\t10\t0\t0\t0\t0\t1\t0\t0\t10\t1\t0\t0"_s);
    EXPECT_EQ(contents(tmp.path()), before);
}

TEST_F(CliTotalsTest, ChoosesPeopleByTeamOrStaffNumberAndAFreeWindow) {
    const QStringList lines =
        tsvLines(tmp.dir(), {u"totals"_s, u"--from"_s, u"2024/04/05"_s, u"--to"_s, u"2024/05/02"_s,
                             u"--team"_s, u"Bチーム"_s});
    EXPECT_TRUE(lines.filter(u"1003\t"_s).isEmpty());
    ASSERT_EQ(lines.filter(u"2001\t"_s).size(), 1);
    EXPECT_TRUE(lines.filter(u"2001\t"_s)[0].startsWith(u"2001\t松本 明美\t0\t1\t"_s));

    const QStringList mine =
        tsvLines(tmp.dir(), {u"totals"_s, u"--from"_s, u"2024/04/05"_s, u"--to"_s, u"2024/05/02"_s,
                             u"--staff"_s, u"1003"_s});
    ASSERT_EQ(mine.size(), 2);
    // 4/5..4/10 and 5/2 only: the window is used as given.
    EXPECT_EQ(mine[1], u"1003\t高橋 健一\t6\t0\t0\t0\t0\t1\t0\t0\t6\t1\t0\t0"_s);
}

TEST_F(CliTotalsTest, RefusesBadInputWithStatusTwo) {
    const QStringList cases[] = {
        {u"totals"_s},
        {u"totals"_s, u"--month-from"_s, u"2024/04/01"_s, u"--months"_s, u"7"_s},
        {u"totals"_s, u"--month-from"_s, u"2024/04/01"_s, u"--months"_s, u"0"_s},
        {u"totals"_s, u"--month-from"_s, u"2024/13/01"_s, u"--months"_s, u"1"_s},
        {u"totals"_s, u"--month-from"_s, u"2024/04/01"_s, u"--months"_s, u"1"_s, u"--from"_s,
         u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s},
        {u"totals"_s, u"--from"_s, u"2024/04/30"_s, u"--to"_s, u"2024/04/01"_s},
        {u"totals"_s, u"--from"_s, u"2024/01/01"_s, u"--to"_s, u"2024/07/01"_s},
        {u"totals"_s, u"--month-from"_s, u"2024/04/01"_s, u"--months"_s, u"1"_s, u"--staff"_s,
         u"9999"_s},
        {u"totals"_s, u"--month-from"_s, u"2024/04/01"_s, u"--months"_s, u"1"_s, u"--team"_s,
         u"Zチーム"_s},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun r = cli(tmp.dir(), args);
        EXPECT_EQ(r.status, 2);
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_TRUE(r.out.isEmpty());
    }
}

} // namespace
