#include "store/database.h"
#include "support/cli_run.h"
#include "support/ordinary_user.h"
#include "support/sample_workplace.h"
#include "support/temp_database.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A small ward whose April is registered by generate, then reported on.
class CliReportTest : public ::testing::Test {
protected:
    TempDatabase tmp;

    void SetUp() override {
        SampleWorkplace::build(tmp.db(), 12, 1, 5, 1);
        SampleWorkplace::addRequest(tmp.db(), 1, u"0003"_s, u"2024/04/10"_s, u"有"_s);
        tmp.close();
        const CliRun g = run({u"generate"_s, u"--register"_s});
        ASSERT_EQ(g.status, 0) << g.err.toStdString();
    }

    CliRun run(const QStringList& args) { return cli(tmp.dir(), args); }
    CliRun report(const QString& format) {
        return run({u"report"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s,
                    u"--format"_s, format});
    }
};

TEST_F(CliReportTest, TextNamesEverySection) {
    const CliRun r = report(u"text"_s);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(u"勤務表の品質 2024/04/01 ～ 2024/04/30\n"_s))
        << r.out.toStdString();
    for (const QString& section : {u"[過不足]"_s, u"[職員別]"_s, u"[ばらつき]"_s, u"[夜勤時間]"_s,
                                   u"[要確認]"_s, u"[不足日の理由]"_s})
        EXPECT_TRUE(r.out.contains(section)) << section.toStdString();
    EXPECT_TRUE(r.out.contains(u"0012\t職員12\t"_s));
}

TEST_F(CliReportTest, JsonHasTheDocumentedShape) {
    const CliRun r = report(u"json"_s);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(o[u"period"_s][u"days"_s].toInt(), 30);
    EXPECT_EQ(o[u"shifts"_s].toArray(), (QJsonArray{u"日"_s, u"夜"_s, u"明"_s, u"休"_s}));
    const QJsonArray staff = o[u"staff"_s].toArray();
    ASSERT_EQ(staff.size(), 12);
    const QJsonObject first = staff[0].toObject();
    for (const QString& key :
         {u"staffNo"_s, u"shiftDays"_s, u"restDays"_s, u"nights"_s, u"saturdaysOff"_s,
          u"sundaysOff"_s, u"longestRun"_s, u"requested"_s, u"granted"_s, u"nightHours"_s})
        EXPECT_TRUE(first.contains(key)) << key.toStdString();
    // Every registered day of a person is one of its shifts or a day off.
    int days = first[u"restDays"_s].toInt();
    for (const QString& shift : {u"日"_s, u"夜"_s, u"明"_s})
        days += first[u"shiftDays"_s][shift].toInt();
    EXPECT_EQ(days, 30);
    const QJsonArray staffing = o[u"staffing"_s].toArray();
    ASSERT_EQ(staffing.size(), 3); // 日 夜 明 for the unit
    EXPECT_EQ(staffing[0][u"days"_s].toArray().size(), 30);
    EXPECT_EQ(o[u"nightHours"_s][u"window"_s].toString(), u"22:00-05:00"_s);
    EXPECT_EQ(o[u"nightHours"_s][u"limit"_s].toInt(), 72);
    EXPECT_TRUE(o[u"findings"_s].isArray());
    EXPECT_TRUE(o[u"shortDays"_s].isArray());
}

TEST_F(CliReportTest, TsvStartsWithAByteOrderMarkAndKeepsColumnsEven) {
    // Read as bytes: decoding the output as UTF-8 would hide the mark.
    QProcess p;
    p.start(QStringLiteral(ROSTER_CLI),
            {u"--data-dir"_s, tmp.dir(), u"report"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s,
             u"2024/04/30"_s, u"--format"_s, u"tsv"_s});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0);
    const QByteArray bytes = p.readAllStandardOutput();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(u'\n');
    EXPECT_EQ(lines[0], u"過不足"_s);
    const int columns = static_cast<int>(lines[1].count(u'\t'));
    EXPECT_EQ(columns, 6);
    // The staffing block: three shifts x 30 days, each row as wide as its heading.
    for (int i = 2; i < 2 + 90; ++i)
        EXPECT_EQ(lines[i].count(u'\t'), columns) << lines[i].toStdString();
    EXPECT_TRUE(lines[92].isEmpty());
    EXPECT_EQ(lines[93], u"職員別"_s);
}

TEST_F(CliReportTest, RefusesWhatItCannotReport) {
    const struct {
        QStringList args;
        int status;
        QString message;
    } cases[] = {
        {{u"--from"_s, u"2024/05/01"_s, u"--to"_s, u"2024/05/31"_s},
         1,
         u"2024/05/01 ～ 2024/05/31 の勤務表は登録されていません。"_s},
        {{u"--from"_s, u"2024/04/01"_s}, 2, u"--from と --to で登録済みの期間を指定してください"_s},
        {{u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s, u"--format"_s, u"csv"_s},
         2,
         u"--format は text、json か tsv を指定してください"_s},
        {{u"--from"_s, u"2024/04/31"_s, u"--to"_s, u"2024/05/30"_s},
         2,
         u"開始日に正しく入力してください"_s},
    };
    for (const auto& c : cases) {
        const CliRun r = run(QStringList{u"report"_s} + c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(u' ').toStdString();
        EXPECT_EQ(r.err.trimmed().split(u'\n').last(), c.message);
    }
}

TEST_F(CliReportTest, GenerateAppendsTheReportToTheRoster) {
    const QStringList may{u"generate"_s, u"--from"_s,     u"2024/05/01"_s,
                          u"--to"_s,     u"2024/05/31"_s, u"--report"_s};
    const CliRun text = run(may);
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    const qsizetype roster = text.out.indexOf(u"勤務表 2024/05/01 ～ 2024/05/31"_s);
    const qsizetype quality = text.out.indexOf(u"勤務表の品質 2024/05/01 ～ 2024/05/31"_s);
    EXPECT_GE(roster, 0);
    EXPECT_GT(quality, roster);

    const CliRun json = run(may + QStringList{u"--format"_s, u"json"_s});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o[u"roster"_s][u"period"_s][u"start"_s].toString(), u"2024/05/01"_s);
    EXPECT_EQ(o[u"report"_s][u"staff"_s].toArray().size(), 12);
}

// The inquiries only read: a copy the user may not write, in a folder anyone may, serves them
// and nothing appears beside it.
TEST_F(CliReportTest, InquiriesReadACopyTheUserMayNotWriteAndLeaveNothingBeside) {
    const OrdinaryUser user;
    SKIP_UNLESS_REACHABLE(user);
    QTemporaryDir copyDir;
    makeOpen(copyDir.path(), QFileDevice::WriteOther);
    const QString copy = Database::pathIn(copyDir.path());
    ASSERT_TRUE(QFile::copy(tmp.path(), copy));
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    for (const QStringList& inquiry :
         {QStringList{u"report"_s, u"--from"_s, u"2024/04/01"_s, u"--to"_s, u"2024/04/30"_s},
          QStringList{u"totals"_s, u"--month-from"_s, u"2024/04/01"_s, u"--months"_s, u"1"_s}}) {
        const CliRun r = user.cli(QStringList{u"--data-dir"_s, copyDir.path()} + inquiry);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(QDir(copyDir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{Database::fileName()})
            << inquiry.first().toStdString();
    }
}

} // namespace
