#include "support/cli_run.h"
#include "support/sample_workplace.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(CliUsage, HelpPrintsTheUsageAndSucceeds) {
    for (const QString& option : {u"--help"_s, u"-h"_s}) {
        const CliRun r = cli({option});
        EXPECT_EQ(r.status, 0) << option.toStdString();
        EXPECT_TRUE(r.out.startsWith(u"使い方: roster-cli"_s) && r.out.contains(u"  purge "_s));
    }
}

// A span of one day (from = to) is a span to every command that takes dates.
TEST(CliUsage, EveryDatedCommandTakesASingleDay) {
    TempDatabase tmp;
    SampleWorkplace::build(tmp.db(), 12, 1, 5, 1);
    tmp.close();
    ASSERT_EQ(cli(tmp.dir(), {u"generate"_s, u"--register"_s}).status, 0);
    const auto day = [](const QString& date) {
        return QStringList{u"--from"_s, date, u"--to"_s, date};
    };
    for (const QStringList& command :
         {QStringList{u"generate"_s} + day(u"2024/05/01"_s),
          QStringList{u"report"_s} + day(u"2024/04/05"_s),
          QStringList{u"totals"_s} + day(u"2024/04/05"_s),
          QStringList{u"print"_s, u"--pdf"_s, tmp.dir() + u"/day.pdf"_s} + day(u"2024/04/05"_s),
          QStringList{u"export"_s, u"--xlsx"_s, tmp.dir() + u"/day.xlsx"_s} + day(u"2024/04/05"_s),
          QStringList{u"delete-roster"_s} + day(u"2024/04/05"_s),
          QStringList{u"purge"_s} + day(u"2024/04/06"_s)}) {
        const CliRun r = cli(tmp.dir(), command);
        EXPECT_EQ(r.status, 0) << command.join(u' ').toStdString() << r.err.toStdString();
    }
}

} // namespace
