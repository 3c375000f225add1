#include "support/cli_run.h"
#include "support/sample_workplace.h"
#include "support/temp_database.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// In the child: standard output goes to a disk that is always full.
void toFullDisk() {
    const int full = ::open("/dev/full", O_WRONLY);
    if (full < 0 || ::dup2(full, STDOUT_FILENO) < 0)
        ::_exit(98);
}

// Output sent to a full disk is a failure a script can see, not a success with half a table.
TEST(CliOutput, AFullDiskUnderTheOutputFailsWithAMessage) {
    TempDatabase tmp;
    SampleWorkplace::build(tmp.db(), 12, 1, 5, 1);
    tmp.close();
    ASSERT_EQ(cli(tmp.dir(), {u"generate"_s, u"--register"_s}).status, 0);
    const QStringList april{u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s};
    for (const QStringList& command :
         {QStringList{u"report"_s} + april,
          QStringList{u"report"_s, u"--format"_s, u"tsv"_s} + april,
          QStringList{u"report"_s, u"--format"_s, u"json"_s} + april,
          QStringList{u"totals"_s, u"--month-from"_s, u"2024/04/01"_s, u"--months"_s, u"1"_s},
          QStringList{u"generate"_s, u"--improve"_s, u"--report"_s}}) {
        const CliRun r = cliWith(QStringList{u"--data-dir"_s, tmp.dir()} + command, toFullDisk);
        EXPECT_EQ(r.status, 1) << command.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(u"出力を書き込めませんでした"_s)) << r.err.toStdString();
    }
}

// Work that is stored and then cannot be reported says so with its own status, so that a
// script does not run it again.
TEST(CliOutput, CommittedWorkWhoseReportCannotBeWrittenExitsThree) {
    TempDatabase tmp;
    SampleWorkplace::build(tmp.db(), 12, 1, 5, 1);
    tmp.close();
    const auto span = [](const QString& from, const QString& to) {
        return QStringList{u"--from"_s, from, u"--to"_s, to};
    };
    struct Case {
        QStringList command;
        QStringList report; // a report of the span, which fails once the rows are gone
        int reportStatus;
    };
    const std::vector<Case> cases{
        {{u"generate"_s, u"--register"_s}, span(u"2024/04/01"_s, u"2024/04/30"_s), 0},
        {QStringList{u"delete-roster"_s} + span(u"2024/04/01"_s, u"2024/04/15"_s),
         span(u"2024/04/01"_s, u"2024/04/15"_s), 1},
        {QStringList{u"purge"_s} + span(u"2024/04/16"_s, u"2024/04/30"_s),
         span(u"2024/04/16"_s, u"2024/04/30"_s), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command.join(u' ').toStdString());
        const CliRun r = cliWith(QStringList{u"--data-dir"_s, tmp.dir()} + c.command, toFullDisk);
        EXPECT_EQ(r.status, 3) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(u"処理は終了しましたが"_s)) << r.err.toStdString();
        EXPECT_EQ(cli(tmp.dir(), QStringList{u"report"_s} + c.report).status, c.reportStatus);
    }
}

// A name holding a tab or a quote stays one cell in every tab-separated output.
TEST(CliOutput, TabSeparatedOutputQuotesAFieldThatHoldsATabOrAQuote) {
    TempDatabase tmp;
    SampleWorkplace::build(tmp.db(), 12, 1, 5, 1);
    tmp.db().exec(u"UPDATE 職員 SET 職員_名漢字 = '職員' || char(9) || '\"3\"' "
                  u"WHERE 職員_no = '0003'"_s);
    tmp.close();
    ASSERT_EQ(cli(tmp.dir(), {u"generate"_s, u"--register"_s}).status, 0);
    for (const QStringList& command :
         {QStringList{u"totals"_s, u"--month-from"_s, u"2024/04/01"_s, u"--months"_s, u"1"_s},
          QStringList{u"report"_s, u"--format"_s, u"tsv"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s,
                      u"2024/04/30"_s}}) {
        const CliRun r = cli(tmp.dir(), command);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(u"\n0003\t\"職員\t\"\"3\"\"\"\t"_s)) << r.out.toStdString();
    }
}

} // namespace
