#include "support/cli_run.h"
#include "support/sample_workplace.h"
#include "support/temp_database.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Output sent to a full disk is a failure a script can see, not a success with half a table.
TEST(CliOutput, AFullDiskUnderTheOutputFailsWithAMessage) {
    TempDatabase tmp;
    SampleWorkplace::build(tmp.db(), 12, 1, 5, 1);
    tmp.close();
    ASSERT_EQ(cli(tmp.dir(), {u"generate"_s, u"--register"_s}).status, 0);
    const QStringList april{u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s};
    const auto toFullDisk = [] {
        const int full = ::open("/dev/full", O_WRONLY);
        if (full < 0 || ::dup2(full, STDOUT_FILENO) < 0)
            ::_exit(98);
    };
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
