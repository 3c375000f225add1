#include "roster/registration.h"
#include "store/database.h"
#include "support/cli_run.h"
#include "support/sample_workplace.h"
#include "support/sql_values.h"
#include "support/temp_database.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The last line a run wrote (Qt may put its own warnings first).
QString lastLine(const QString& text) {
    return text.trimmed().split(u'\n').last();
}

class CliGenerateTest : public ::testing::Test {
protected:
    TempDatabase tmp;

    void SetUp() override {
        SampleWorkplace::build(tmp.db(), 12, 1, 5, 1);
        SampleWorkplace::addRequest(tmp.db(), 1, u"0003"_s, u"2024/04/10"_s, u"有"_s);
        tmp.close();
    }

    CliRun run(const QStringList& args) { return cli(tmp.dir(), args); }
};

TEST_F(CliGenerateTest, ProposesTheNextPeriodAndPrintsAGridWithHeadCounts) {
    const CliRun r = run({u"generate"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(u"勤務表 2024/04/01 ～ 2024/04/30\n"_s)) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(u"0012 職員12"_s));
    EXPECT_TRUE(r.out.contains(u"夜勤者"_s));
    EXPECT_TRUE(r.out.contains(u"設定要員数"_s));
}

TEST_F(CliGenerateTest, JsonHasTheDocumentedShape) {
    const CliRun r = run({u"generate"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s,
                          u"--format"_s, u"json"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(o[u"period"_s][u"start"_s].toString(), u"2024/04/01"_s);
    EXPECT_EQ(o[u"period"_s][u"end"_s].toString(), u"2024/04/30"_s);
    EXPECT_EQ(o[u"shifts"_s].toArray(), (QJsonArray{u"日"_s, u"夜"_s, u"明"_s, u"休"_s}));
    const QJsonArray days = o[u"days"_s].toArray();
    ASSERT_EQ(days.size(), 35);
    EXPECT_EQ(days[0][u"day"_s].toInt(), -4);
    EXPECT_EQ(days[0][u"date"_s].toString(), u"2024/03/27"_s);
    EXPECT_EQ(days[34][u"day"_s].toInt(), 30);
    const QJsonArray staff = o[u"staff"_s].toArray();
    ASSERT_EQ(staff.size(), 12);
    const QJsonObject third = staff[2].toObject();
    EXPECT_EQ(third[u"group"_s].toInt(), 1);
    EXPECT_EQ(third[u"slot"_s].toInt(), 3);
    EXPECT_EQ(third[u"no"_s].toString(), u"0003"_s);
    EXPECT_EQ(third[u"name"_s].toString(), u"職員3"_s);
    for (const QString& key : {u"shift"_s, u"early"_s, u"request"_s, u"unavailable"_s})
        EXPECT_EQ(third[key].toArray().size(), 35) << key.toStdString();
    EXPECT_EQ(third[u"request"_s][14].toString(), u"有"_s); // day 10
    EXPECT_EQ(third[u"counts"_s].toArray().size(), 4);
    const QJsonArray counts = o[u"dayCounts"_s].toArray();
    ASSERT_EQ(counts.size(), 12);
    EXPECT_EQ(counts[11][u"level"_s].toInt(), 3);
    EXPECT_EQ(counts[11][u"shift"_s].toString(), u"休"_s);
    EXPECT_EQ(counts[9][u"assigned"_s].toArray().size(), 30);
    EXPECT_EQ(counts[9][u"required"_s][0].toInt(), 1); // one night shift a day
    EXPECT_EQ(counts[9][u"assigned"_s][0].toInt(), 1);
}

TEST_F(CliGenerateTest, RegisteringMovesTheProposalToTheFollowingPeriod) {
    CliRun r = run({u"generate"_s, u"--register"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = run({u"generate"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(u"勤務表 2024/05/01 ～ 2024/05/31\n"_s));
    // The registered April now shows in May's lead days.
    const CliRun json = run({u"generate"_s, u"--format"_s, u"json"_s});
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_FALSE(o[u"staff"_s][0][u"shift"_s][4].toString().isEmpty());
}

TEST_F(CliGenerateTest, BadPeriodsAndArgumentsExitWithStatusTwo) {
    CliRun r = run({u"generate"_s, u"--from"_s, u"2024/04/11"_s, u"--to"_s, u"2024/04/10"_s});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.trimmed().endsWith(u"\n日付の大小関係を正しく入力してください"_s) ||
                r.err.trimmed() == u"日付の大小関係を正しく入力してください"_s);
    EXPECT_TRUE(r.out.isEmpty());
    r = run({u"generate"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/05/03"_s});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.trimmed().endsWith(u"1ｹ月以上の作成は出来ません"_s));
    r = run({u"generate"_s, u"--from"_s, u"2024/04/01"_s});
    EXPECT_EQ(r.status, 2);
    r = run({u"generate"_s, u"--format"_s, u"xml"_s});
    EXPECT_EQ(r.status, 2);
    r = run({u"generate"_s, u"--by-team"_s, u"--verbose"_s});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.trimmed().endsWith(u"不明な引数です: --verbose"_s));
    r = run({u"generate"_s, u"--register"_s, u"--to"_s});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.trimmed().endsWith(u"--to の値を指定してください"_s))
        << "an option without a value";
}

TEST_F(CliGenerateTest, AnEmptyOrMissingValueIsBadInputNamingTheOption) {
    for (const QStringList& args :
         {QStringList{u"--from"_s, u""_s, u"--to"_s, u"2024/04/30"_s},
          QStringList{u"--from"_s, u"2024/04/01"_s, u"--to"_s, u""_s},
          QStringList{u"--register"_s, u"--from"_s}, QStringList{u"--format"_s}}) {
        const QString option = args.size() == 4 && args[1].isEmpty() ? u"--from"_s
                               : args.size() == 4                    ? u"--to"_s
                                                                     : args.last();
        const CliRun r = run(QStringList{u"generate"_s} + args);
        EXPECT_EQ(r.status, 2) << args.join(u' ').toStdString();
        EXPECT_EQ(lastLine(r.err), option + u" の値を指定してください"_s);
        EXPECT_TRUE(r.out.isEmpty());
    }
}

// Without the created-period row nothing is registered, each message is shown once, and the
// stored data being incomplete is a data problem (1), not bad input.
TEST_F(CliGenerateTest, AMissingCreationRowRegistersNothingAndSaysSoOnce) {
    const auto removeRows = [&](const QString& where) {
        Database db(tmp.path(), Database::OpenMode::OpenExisting);
        db.exec(u"DELETE FROM \"作成単位\" WHERE "_s + where);
    };
    const auto stored = [&] {
        Database db(tmp.path(), Database::OpenMode::OpenExisting);
        return sqlText(db, u"SELECT (SELECT count(*) FROM \"勤務表\") || '/' || (SELECT "
                           "count(*) FROM \"休暇希望\")"_s);
    };
    const QString before = stored();
    const QStringList april = {u"generate"_s, u"--from"_s,     u"2024/04/01"_s,
                               u"--to"_s,     u"2024/04/30"_s, u"--register"_s};
    removeRows(u"\"作_区分\" = 2"_s);
    CliRun r = run(april);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.count(u"作成単位･実績の登録を確認して下さい。"_s), 1) << r.err.toStdString();
    EXPECT_EQ(r.err.count(u"作成単位･基本の登録を確認して下さい。"_s), 1) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(u"登録しました"_s));
    EXPECT_EQ(stored(), before);
    r = run({u"generate"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.count(u"作成単位"_s), 1) << r.err.toStdString();
    EXPECT_EQ(lastLine(r.err), u"作成単位･実績の登録を確認して下さい。"_s);

    removeRows(u"1"_s);
    r = run(april);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.count(u"作成単位"_s), 1) << r.err.toStdString();
    EXPECT_EQ(lastLine(r.err), u"作成単位･基本の登録を確認して下さい。"_s);
    EXPECT_EQ(stored(), before);
}

// Two registrations started together: either the second finds the period registered by the
// first and is refused, or it ran after it and registered the following period. Never do both
// report the same period.
TEST_F(CliGenerateTest, TwoRegistrationsAtOnceNeverBothRegisterOnePeriod) {
    const QStringList args = {u"--data-dir"_s, tmp.dir(), u"generate"_s, u"--register"_s};
    QProcess a, b;
    a.start(QStringLiteral(ROSTER_CLI), args);
    b.start(QStringLiteral(ROSTER_CLI), args);
    ASSERT_TRUE(a.waitForFinished(60000));
    ASSERT_TRUE(b.waitForFinished(60000));
    const QString errA = QString::fromUtf8(a.readAllStandardError()).trimmed();
    const QString errB = QString::fromUtf8(b.readAllStandardError()).trimmed();
    const int okCount = (a.exitCode() == 0 ? 1 : 0) + (b.exitCode() == 0 ? 1 : 0);
    Database db(tmp.path(), Database::OpenMode::OpenExisting);
    const QString createdTo =
        sqlText(db, u"SELECT \"作_作成To\" FROM \"作成単位\" WHERE \"作_区分\" = 2"_s);
    if (okCount == 1) {
        const QString& refused = a.exitCode() == 0 ? errB : errA;
        EXPECT_EQ(a.exitCode() + b.exitCode(), 1);
        EXPECT_EQ(lastLine(refused), RegisteredElsewhereMessage);
        EXPECT_FALSE(refused.contains(u"登録しました"_s));
        EXPECT_EQ(createdTo, u"2024/04/30"_s);
    } else {
        ASSERT_EQ(okCount, 2) << errA.toStdString() << " / " << errB.toStdString();
        EXPECT_NE(lastLine(errA), lastLine(errB)) << "both registered " << errA.toStdString();
        EXPECT_EQ(createdTo, u"2024/05/31"_s);
    }
}

TEST_F(CliGenerateTest, AMissingDatabaseIsAFailureWithAMessage) {
    QTemporaryDir empty;
    QProcess p;
    p.start(QString::fromUtf8(ROSTER_CLI), {u"--data-dir"_s, empty.path(), u"generate"_s});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    EXPECT_FALSE(p.readAllStandardError().trimmed().isEmpty());
    EXPECT_TRUE(QDir(empty.path()).isEmpty()) << "no database is made on the way";
}

} // namespace
