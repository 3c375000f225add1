#include "support/cli_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

QJsonObject parsed(const CliRun& r) {
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    return o;
}

// Staff number and day of every cell whose shift differs between two printed rosters.
std::map<std::pair<QString, int>, std::pair<QString, QString>> differences(const QJsonObject& a,
                                                                           const QJsonObject& b) {
    std::map<std::pair<QString, int>, std::pair<QString, QString>> out;
    const QJsonArray days = a[u"days"_s].toArray();
    const QJsonArray staffA = a[u"staff"_s].toArray(), staffB = b[u"staff"_s].toArray();
    for (qsizetype i = 0; i < staffA.size(); ++i) {
        const QJsonArray cellsA = staffA[i][u"shift"_s].toArray();
        const QJsonArray cellsB = staffB[i][u"shift"_s].toArray();
        for (qsizetype k = 0; k < cellsA.size(); ++k)
            if (cellsA[k] != cellsB[k])
                out[{staffA[i][u"no"_s].toString(), days[k][u"day"_s].toInt()}] = {
                    cellsA[k].toString(), cellsB[k].toString()};
    }
    return out;
}

TEST(CliGenerateImproveTest, TheDemoWardGetsFewerShortagesAndTheChangedCellsAreListed) {
    QTemporaryDir dir;
    ASSERT_EQ(cli(dir.path(), {u"init"_s, u"--demo"_s}).status, 0);
    const CliRun plain = cli(dir.path(), {u"generate"_s, u"--format"_s, u"json"_s});
    const CliRun improved =
        cli(dir.path(), {u"generate"_s, u"--improve"_s, u"--format"_s, u"json"_s});
    ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
    ASSERT_EQ(improved.status, 0) << improved.err.toStdString();
    const QJsonObject a = parsed(plain), b = parsed(improved);
    EXPECT_FALSE(a.contains(u"changed"_s));

    const QJsonObject before = b[u"before"_s].toObject(), after = b[u"after"_s].toObject();
    EXPECT_GE(before[u"unitShortage"_s].toInt(), 1); // the demo's short 15th
    EXPECT_LT(after[u"unitShortage"_s].toInt(), before[u"unitShortage"_s].toInt());
    EXPECT_LE(after[u"weekendOffSpread"_s].toDouble(), before[u"weekendOffSpread"_s].toDouble());

    // "changed" lists exactly the cells that differ from the plain expansion.
    std::map<std::pair<QString, int>, std::pair<QString, QString>> listed;
    for (const QJsonValue& c : b[u"changed"_s].toArray())
        listed[{c[u"no"_s].toString(), c[u"day"_s].toInt()}] = {c[u"before"_s].toString(),
                                                                c[u"after"_s].toString()};
    EXPECT_FALSE(listed.empty());
    EXPECT_EQ(listed, differences(a, b));

    // The text form ends with the same figures; the same database gives the same roster.
    const CliRun text = cli(dir.path(), {u"generate"_s, u"--improve"_s});
    ASSERT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.contains(u"改善前: 不足 %1 /"_s.arg(before[u"unitShortage"_s].toInt())))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(u"変更 %1 件"_s.arg(listed.size()))) << text.out.toStdString();
    EXPECT_EQ(cli(dir.path(), {u"generate"_s, u"--improve"_s, u"--format"_s, u"json"_s}).out,
              improved.out);
}

TEST(CliGenerateImproveTest, TheReportAfterImproveCountsTheImprovedRoster) {
    QTemporaryDir dir;
    ASSERT_EQ(cli(dir.path(), {u"init"_s, u"--demo"_s}).status, 0);
    const CliRun r =
        cli(dir.path(), {u"generate"_s, u"--improve"_s, u"--report"_s, u"--format"_s, u"json"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = parsed(r);
    const QJsonObject roster = o[u"roster"_s].toObject();
    ASSERT_TRUE(roster.contains(u"changed"_s));
    int unitShortage = 0;
    for (const QJsonValue& s : o[u"report"_s][u"staffing"_s].toArray())
        if (s[u"level"_s].toInt() == 3)
            unitShortage += s[u"shortage"_s].toInt();
    EXPECT_EQ(unitShortage, roster[u"after"_s][u"unitShortage"_s].toInt());
}

} // namespace
