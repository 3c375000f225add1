#include "store/clock.h"
#include "store/demo_workplace.h"
#include "support/cli_run.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class CliPrintTest : public ::testing::Test {
protected:
    CliPrintTest() {
        LoadDemoWorkplace(tmp.db(), FixedClock(QDate(2024, 4, 1)));
        for (int d = 1; d <= 30; ++d)
            TableRows::putRosterDay(tmp.db(), u"1003"_s,
                                    QStringLiteral("2024/04/%1").arg(d, 2, 10, QLatin1Char('0')),
                                    u"日"_s);
        tmp.close();
    }
    QString pdf() const { return tmp.dir() + u"/out.pdf"_s; }

    TempDatabase tmp;
};

} // namespace

TEST_F(CliPrintTest, PrintsOnePersonToPdf) {
    const CliRun r = cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/4/1"_s, u"--to"_s,
                                     u"2024/04/30"_s, u"--pdf"_s, pdf(), u"--staff"_s, u"1003"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"勤務表の印刷を終了しました"_s));
    EXPECT_TRUE(QFile::exists(pdf()));
}

TEST_F(CliPrintTest, PrintsOneTeamByName) {
    const CliRun r =
        cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s,
                        u"--pdf"_s, pdf(), u"--team"_s, u"Bチーム"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    QProcess text;
    text.start(u"pdftotext"_s, {pdf(), u"-"_s});
    text.waitForFinished();
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(u"Bチーム"_s));
    EXPECT_FALSE(out.contains(u"Aチーム"_s));
}

TEST_F(CliPrintTest, BadInputExitsWithStatusTwoAndTheScreensMessage) {
    CliRun r = cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/03/01"_s, u"--to"_s, u"2024/04/01"_s,
                               u"--pdf"_s, pdf()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(u"勤務表の出力はMAX1ｹ月です"_s));

    r = cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s,
                        u"--pdf"_s, pdf(), u"--staff"_s, u"9999"_s});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(u"指定された職員は登録されていません。"_s));

    r = cli(tmp.dir(), {u"print"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s,
                        u"--pdf"_s, pdf(), u"--team"_s, u"Zチーム"_s});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(u"指定されたチームは登録されていません。"_s));

    r = cli(tmp.dir(), {u"print"_s, u"--to"_s, u"2024/04/30"_s, u"--pdf"_s, pdf()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(u"開始日に入力してください"_s));
    EXPECT_FALSE(QFile::exists(pdf()));
}
