#include "support/cli_run.h"
#include "support/sample_workplace.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class CliGenerateReplaceTest : public ::testing::Test {
protected:
    TempDatabase tmp;

    void SetUp() override {
        SampleWorkplace::build(tmp.db(), 12, 1, 5, 1);
        tmp.close();
    }

    CliRun run(const QStringList& args) { return cli(tmp.dir(), args); }

    QString plannedOn(const QString& no, const QString& date) {
        Database db(tmp.path(), Database::OpenMode::OpenExisting);
        const auto v =
            TableRows::value(db, u"勤務表"_s, u"key_勤務表"_s, {1, no, date}, u"勤_予定"_s);
        return v ? v->toString() : QString();
    }

    void setPlanned(const QString& no, const QString& date, const QString& shift) {
        Database db(tmp.path(), Database::OpenMode::OpenExisting);
        TableRows::putRosterDay(db, no, date, shift, {});
    }
};

} // namespace

// Registering a period that is registered already would throw away its hand corrections: the
// command refuses unless told to replace, and then replaces.
TEST_F(CliGenerateReplaceTest, ARegisteredPeriodIsReplacedOnlyWhenAsked) {
    const QStringList april{u"generate"_s, u"--from"_s,     u"2024/04/01"_s,
                            u"--to"_s,     u"2024/04/30"_s, u"--register"_s};
    CliRun r = run(april);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    setPlanned(u"0001"_s, u"2024/04/15"_s, u"手"_s); // a hand correction

    r = run(april);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"2024/04/01 ～ 2024/04/30"_s)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"--replace"_s)) << r.err.toStdString();
    EXPECT_EQ(plannedOn(u"0001"_s, u"2024/04/15"_s), u"手"_s) << "nothing written";

    r = run(april + QStringList{u"--replace"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"勤務表を登録しました: 2024/04/01 ～ 2024/04/30"_s))
        << r.err.toStdString();

    // A period that overlaps none of it needs no --replace; generating alone never asks.
    r = run({u"generate"_s, u"--register"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    r = run({u"generate"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
}
