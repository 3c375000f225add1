#include "store/startup_settings.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

void putCreationUnit(Database& db, int kind, int unit, int count, int byTeam, const QString& from,
                     const QString& to) {
    TableRows::putCreationUnit(db, kind, {unit, count, {}, byTeam, from, to, {}});
}

TEST(StartupSettings, FixedTablesAndTheCreationUnit) {
    TempDatabase tmp;
    putCreationUnit(tmp.db(), 1, 2, 4, 1, u""_s, u""_s);
    putCreationUnit(tmp.db(), 2, 0, 0, 0, u"2024/03/01"_s, u"2024/03/31"_s);
    StartupSettings s;
    EXPECT_TRUE(LoadStartupSettings(tmp.db(), s).isEmpty());
    EXPECT_EQ(s.colourLightGreen, (Rgb{230, 255, 220}));
    EXPECT_EQ(s.colourLightLavender, (Rgb{230, 230, 255}));
    EXPECT_EQ(s.colourLightYellow, (Rgb{255, 255, 200}));
    EXPECT_EQ(s.weekdayName[0], u"日"_s);
    EXPECT_EQ(s.weekdayName[3], u"水"_s);
    EXPECT_EQ(s.weekdayName[6], u"土"_s);
    EXPECT_EQ(s.weekdayColour, (std::array<int, 7>{12, 0, 0, 0, 0, 0, 9}));
    EXPECT_EQ(s.staffGroupCount, 2);
    EXPECT_EQ(s.creationUnit, 2);
    EXPECT_EQ(s.creationUnitCount, 4);
    EXPECT_EQ(s.byTeam, 1);
    EXPECT_EQ(s.periodStart, u"2024/03/01"_s);
    EXPECT_EQ(s.periodEnd, u"2024/03/31"_s);
}

TEST(StartupSettings, AMissingCreationUnitRowIsReportedAndKeepsEarlierValues) {
    TempDatabase tmp;
    StartupSettings s;
    s.byTeam = 1;
    s.periodEnd = u"2024/02/29"_s;
    TableRows::putCodeAbbrev(tmp.db(), 10, 1, u"4"_s);
    // Without the kind-1 row only its message comes; the kind-2 row is not even looked at.
    EXPECT_EQ(LoadStartupSettings(tmp.db(), s),
              QStringList{u"作成単位･基本の登録を確認して下さい。"_s});
    EXPECT_EQ(s.byTeam, 1);
    EXPECT_EQ(s.periodEnd, u"2024/02/29"_s);
    EXPECT_EQ(s.restInterval, 4); // the rest of the load still runs
    EXPECT_EQ(s.staffGroupCount, 2);

    putCreationUnit(tmp.db(), 1, 1, 1, 0, u""_s, u""_s);
    EXPECT_EQ(LoadStartupSettings(tmp.db(), s),
              QStringList{u"作成単位･実績の登録を確認して下さい。"_s});
    EXPECT_EQ(s.byTeam, 0);
    EXPECT_EQ(s.periodEnd, u"2024/02/29"_s);
}

TEST(StartupSettings, RestIntervalAndTimeDisplayFromTheCodeMaster) {
    TempDatabase tmp;
    StartupSettings s;
    s.restInterval = 7;
    s.timeDisplay = true;
    LoadDisplaySettings(tmp.db(), s);
    EXPECT_EQ(s.restInterval, 3);
    EXPECT_FALSE(s.timeDisplay);

    TableRows::putCodeAbbrev(tmp.db(), 10, 1, u"5"_s);
    TableRows::putCodeAbbrev(tmp.db(), 6, 1, u"有"_s);
    LoadDisplaySettings(tmp.db(), s);
    EXPECT_EQ(s.restInterval, 5);
    EXPECT_TRUE(s.timeDisplay);

    for (const QString& other : {u""_s, u"無"_s, u"有り"_s, u"1"_s}) {
        TableRows::putCodeAbbrev(tmp.db(), 6, 1, other);
        LoadDisplaySettings(tmp.db(), s);
        EXPECT_FALSE(s.timeDisplay) << other.toStdString();
    }
    // Rows of other numbers or kinds do not count.
    TableRows::putCodeAbbrev(tmp.db(), 6, 2, u"有"_s);
    TableRows::putCodeAbbrev(tmp.db(), 10, 2, u"9"_s);
    LoadDisplaySettings(tmp.db(), s);
    EXPECT_FALSE(s.timeDisplay);
    EXPECT_EQ(s.restInterval, 5);

    // A number followed by a unit still reads as the number.
    TableRows::putCodeAbbrev(tmp.db(), 10, 1, u"4日"_s);
    LoadDisplaySettings(tmp.db(), s);
    EXPECT_EQ(s.restInterval, 4);
}

} // namespace
