#include "store/clock.h"
#include "store/db_error.h"
#include "store/demo_workplace.h"
#include "store/holidays.h"
#include "store/period_rule.h"
#include "store/startup_settings.h"
#include "store/table.h"
#include "store/text_values.h"
#include "support/sql_values.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace Qt::Literals::StringLiterals;

namespace {

struct DayRow {
    QString shift;
    int mark;
};

// staff number -> date text -> planned shift of the kind 1 roster rows.
std::map<QString, std::map<QString, DayRow>> rosterRows(Database& db) {
    std::map<QString, std::map<QString, DayRow>> out;
    Table t(db, u"勤務表"_s);
    t.setIndex(u"key_勤務表"_s);
    for (t.moveFirst(); !t.eof(); t.moveNext()) {
        EXPECT_EQ(t.integer(u"勤_区分"_s), 1);
        out[t.text(u"勤_職員番号"_s)][t.text(u"勤_勤務日"_s)] = {t.text(u"勤_予定"_s),
                                                                 t.integer(u"勤_予定早出"_s)};
    }
    return out;
}

class DemoWorkplace : public ::testing::Test {
protected:
    void load(const QDate& today) {
        FixedClock clock(today);
        LoadDemoWorkplace(tmp.db(), clock);
    }
    TempDatabase tmp;
};

} // namespace

TEST_F(DemoWorkplace, MastersAreCompleteAndReferToEachOther) {
    load(QDate(2025, 2, 10));
    Database& db = tmp.db();
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM 職員"_s), 24);
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM 作成単位"_s), 2);
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM 日別要員"_s), 4);
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM ｼﾌﾄﾊﾟﾀｰﾝ WHERE パタ_連番 = 0"_s), 3);
    for (int kind : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 80})
        EXPECT_GT(sqlInt(db, u"SELECT COUNT(*) FROM 個マスタ WHERE 個_区分 = %1"_s.arg(kind)), 0)
            << kind;

    // Working shifts carry the order numbers 1..n; the rest shift is one of them with a maximum.
    Table shifts(db, u"シフト基本"_s);
    shifts.setIndex(u"idx_対象"_s);
    QStringList working;
    for (shifts.seek(Seek::GreaterEqual, {1, 0, u""_s}); !shifts.eof(); shifts.moveNext()) {
        EXPECT_EQ(shifts.integer(u"基本_優先順"_s), working.size() + 1);
        working << shifts.text(u"基本_略称"_s);
    }
    EXPECT_EQ(working, (QStringList{u"日"_s, u"夜"_s, u"明"_s, u"休"_s}));
    EXPECT_EQ(sqlInt(db, u"SELECT 基本_MAX FROM シフト基本 WHERE 基本_略称 = '休'"_s), 10);
    EXPECT_EQ(sqlText(db, u"SELECT 基本_略称 FROM シフト基本 WHERE 基本_有給区分 = 1"_s), u"有"_s);
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM シフト基本 WHERE 基本_有給区分 = 1"_s), 1);
    // Settings that name shifts name working shifts.
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM 個マスタ WHERE 個_区分 IN (3, 7, 8) AND 個_略称 "
                         u"NOT IN (SELECT 基本_略称 FROM シフト基本 WHERE 基本_対象FLG = 1)"_s),
              0);
    // Pattern and daily-staffing rows name registered shifts.
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM ｼﾌﾄﾊﾟﾀｰﾝ WHERE パタ_連番 > 0 AND パタ_シフト略称 "
                         u"NOT IN (SELECT 基本_略称 FROM シフト基本)"_s),
              0);
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM 日別要員 d JOIN シフト基本 s ON s.基本_略称 = "
                         u"d.日_略称 WHERE s.基本_優先順 <> d.日_優先順"_s),
              0);
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM ｼﾌﾄﾊﾟﾀｰﾝ WHERE パタ_区分 = 5 AND パタ_連番 > 0"_s),
              7);

    // Every staff member: a known category and team, a pattern of the kind the shift type names.
    Table staff(db, u"職員"_s);
    staff.setIndex(u"key_職員"_s);
    std::map<int, int> types;
    int leaders = 0;
    for (staff.moveFirst(); !staff.eof(); staff.moveNext()) {
        const QString no = staff.text(u"職員_no"_s);
        const int type = staff.integer(u"職員_シフト有無"_s);
        const int pattern = staff.integer(u"職員_特定シフトNO"_s);
        ++types[type];
        leaders += staff.integer(u"職員_責任者"_s);
        const QString kana = staff.text(u"職員_名カナ"_s);
        EXPECT_LE(kana.size(), 20) << no.toStdString();
        for (QChar c : kana)
            EXPECT_TRUE(c == u' ' || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F))
                << no.toStdString();
        EXPECT_EQ(
            sqlInt(db, u"SELECT COUNT(*) FROM 個マスタ WHERE 個_区分 = 1 AND 個_NO = %1"_s.arg(
                           staff.integer(u"職員_区分"_s))),
            1);
        EXPECT_EQ(
            sqlInt(db, u"SELECT COUNT(*) FROM 個マスタ WHERE 個_区分 = 5 AND 個_名称 = '%1'"_s.arg(
                           staff.text(u"職員_チーム"_s))),
            1);
        if (type == 2) {
            EXPECT_EQ(pattern, 0);
        } else {
            EXPECT_EQ(
                sqlInt(db, u"SELECT COUNT(*) FROM ｼﾌﾄﾊﾟﾀｰﾝ WHERE パタ_区分 = %1 AND パタ_NO = "
                           u"%2 AND パタ_連番 = 0"_s.arg(type)
                               .arg(pattern)),
                1)
                << no.toStdString();
        }
    }
    EXPECT_GE(types[1], 18);
    EXPECT_GE(types[2], 2);
    EXPECT_EQ(types[5], 1);
    EXPECT_GE(leaders, 6);
}

TEST_F(DemoWorkplace, ProposesTheCurrentMonthAndStartsUpWithoutMessages) {
    load(QDate(2025, 2, 10));
    StartupSettings s;
    EXPECT_TRUE(LoadStartupSettings(tmp.db(), s).isEmpty());
    EXPECT_EQ(s.periodStart, u"2025/01/01"_s);
    EXPECT_EQ(s.periodEnd, u"2025/01/31"_s);
    EXPECT_EQ(s.creationUnit, 1);
    EXPECT_EQ(s.creationUnitCount, 1);
    EXPECT_TRUE(s.timeDisplay);
    EXPECT_EQ(s.restInterval, 3);
    const Period next = NextPeriod(s.creationUnit, s.creationUnitCount, s.periodEnd);
    EXPECT_EQ(next.start, u"2025/02/01"_s);
    EXPECT_EQ(next.end, u"2025/02/28"_s);
    // The newcomer joins on the 15th of the month after.
    EXPECT_EQ(sqlText(tmp.db(), u"SELECT 職員_配属日 FROM 職員 WHERE 職員_no = '2012'"_s),
              u"2025/03/15"_s);
}

TEST_F(DemoWorkplace, CalendarNamesTheHolidaysOfTheCurrentFiscalYearAsWorkingDays) {
    load(QDate(2025, 2, 10)); // fiscal year 2024/04/01 .. 2025/03/31
    Table cal(tmp.db(), u"カレンダー"_s);
    cal.setIndex(u"key_カレンダー"_s);
    const auto expected = NationalHolidays(QDate(2024, 4, 1), QDate(2025, 3, 31));
    size_t i = 0;
    for (cal.moveFirst(); !cal.eof(); cal.moveNext(), ++i) {
        ASSERT_LT(i, expected.size());
        EXPECT_EQ(cal.text(u"カレ_年月日"_s), TextValues::dateText(expected[i].date));
        EXPECT_EQ(cal.integer(u"カレ_休日FLG"_s), 0); // named, yet a staffed working day
        EXPECT_EQ(cal.text(u"カレ_備考"_s), expected[i].name);
    }
    EXPECT_EQ(i, expected.size());
    EXPECT_EQ(TextValues::dateText(expected.front().date), u"2024/04/29"_s);
    EXPECT_EQ(TextValues::dateText(expected.back().date), u"2025/03/20"_s);
}

TEST_F(DemoWorkplace, FiscalYearAndPeriodsTurnAtTheirBoundaries) {
    // On the last day of March the fiscal year is the one ending that day, and the previous
    // month is a leap February.
    load(QDate(2024, 3, 31));
    Database& db = tmp.db();
    EXPECT_EQ(sqlText(db, u"SELECT MIN(カレ_年月日) FROM カレンダー"_s), u"2023/04/29"_s);
    EXPECT_EQ(sqlText(db, u"SELECT MAX(カレ_年月日) FROM カレンダー"_s), u"2024/03/20"_s);
    EXPECT_EQ(
        sqlText(db, u"SELECT 作_作成From || '-' || 作_作成To FROM 作成単位 WHERE 作_区分 = 2"_s),
        u"2024/02/01-2024/02/29"_s);
    EXPECT_EQ(sqlText(db, u"SELECT MIN(勤_勤務日) || '-' || MAX(勤_勤務日) FROM 勤務表"_s),
              u"2023/12/01-2024/02/29"_s);

    TempDatabase april;
    FixedClock firstOfApril(QDate(2024, 4, 1));
    LoadDemoWorkplace(april.db(), firstOfApril);
    EXPECT_EQ(sqlText(april.db(), u"SELECT MIN(カレ_年月日) FROM カレンダー"_s), u"2024/04/29"_s);
    EXPECT_EQ(sqlText(april.db(), u"SELECT 職員_配属日 FROM 職員 WHERE 職員_no = '2012'"_s),
              u"2024/05/15"_s);
}

TEST_F(DemoWorkplace, HistoryCoversThreeMonthsBeforeTheProposedPeriodAsRegisteredRows) {
    load(QDate(2025, 2, 10));
    Database& db = tmp.db();
    const auto rows = rosterRows(db);
    // Everybody but the newcomer has one row a day from 2024/11/01 to 2025/01/31 (92 days).
    EXPECT_EQ(rows.size(), 23u);
    EXPECT_FALSE(rows.contains(u"2012"_s));
    for (const auto& [no, days] : rows) {
        EXPECT_EQ(days.size(), 92u) << no.toStdString();
        EXPECT_EQ(days.begin()->first, u"2024/11/01"_s);
        EXPECT_EQ(days.rbegin()->first, u"2025/01/31"_s);
    }
    // The pattern number is recorded as text, the team as the person's team.
    EXPECT_EQ(sqlInt(db,
                     u"SELECT COUNT(*) FROM 勤務表 r JOIN 職員 s ON s.職員_no = r.勤_職員番号 "
                     u"WHERE r.勤_バタン <> CAST(s.職員_特定シフトNO AS TEXT) OR r.勤_チーム <> "
                     u"s.職員_チーム OR r.勤_実績 <> '' OR r.勤_BKUP者 <> ''"_s),
              0);

    // A night is always followed by 明 and then 休; people without shift work rest at
    // weekends and on holidays (2024/11/04 振替休日, 2025/01/01 元日, 2025/01/13 成人の日).
    for (const auto& [no, days] : rows) {
        for (auto it = days.begin(); it != days.end(); ++it) {
            if (it->second.shift != u"夜"_s)
                continue;
            auto next = std::next(it);
            if (next == days.end())
                break;
            EXPECT_EQ(next->second.shift, u"明"_s)
                << no.toStdString() << " " << it->first.toStdString();
            if (++next != days.end()) {
                EXPECT_EQ(next->second.shift, u"休"_s) << no.toStdString();
            }
        }
    }
    for (const auto& day : {u"2024/11/04"_s, u"2025/01/01"_s, u"2025/01/13"_s, u"2024/11/09"_s})
        EXPECT_EQ(rows.at(u"1001"_s).at(day).shift, u"休"_s) << day.toStdString();
    EXPECT_EQ(rows.at(u"1001"_s).at(u"2024/11/05"_s).shift, u"日"_s);
    EXPECT_EQ(rows.at(u"1011"_s).at(u"2024/11/10"_s).shift, u"休"_s); // Sunday, weekday pattern
    EXPECT_EQ(rows.at(u"1011"_s).at(u"2024/11/11"_s).shift, u"日"_s);

    // Each day has at least two nights and two 明, and one early and one late duty on 日.
    std::map<QString, std::map<QString, int>> perDay;
    std::map<QString, std::pair<int, int>> marks;
    for (const auto& [no, days] : rows)
        for (const auto& [day, r] : days) {
            ++perDay[day][r.shift];
            if (r.mark != 0) {
                EXPECT_EQ(r.shift, u"日"_s);
            }
            marks[day].first += r.mark == 2;
            marks[day].second += r.mark == 3;
        }
    for (const auto& [day, n] : perDay) {
        EXPECT_GE(n.contains(u"夜"_s) ? n.at(u"夜"_s) : 0, 2) << day.toStdString();
        EXPECT_GE(n.contains(u"明"_s) ? n.at(u"明"_s) : 0, 2) << day.toStdString();
        EXPECT_GE(n.contains(u"日"_s) ? n.at(u"日"_s) : 0, 6) << day.toStdString();
        EXPECT_EQ(marks[day], std::make_pair(1, 1)) << day.toStdString();
    }
}

TEST_F(DemoWorkplace, RequestsMatchTheirShiftsAndTheHistoryLeave) {
    load(QDate(2025, 2, 10));
    Database& db = tmp.db();
    // Requests of the proposed month.
    EXPECT_GT(
        sqlInt(db,
               u"SELECT COUNT(*) FROM 休暇希望 WHERE 希_区分 = 1 AND 希_勤務日 >= '2025/02/01'"_s),
        0);
    EXPECT_GT(
        sqlInt(db,
               u"SELECT COUNT(*) FROM 休暇希望 WHERE 希_区分 = 2 AND 希_勤務日 >= '2025/02/01'"_s),
        0);
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM 休暇希望 WHERE 希_勤務日 > '2025/02/28'"_s), 0);
    // Paid leave is "有"; the day-off flag is the requested shift's; requesters exist.
    EXPECT_EQ(
        sqlInt(db, u"SELECT COUNT(*) FROM 休暇希望 WHERE 希_区分 = 1 AND 希_予定略称 <> '有'"_s),
        0);
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM 休暇希望 h JOIN シフト基本 s ON s.基本_略称 = "
                         u"h.希_予定略称 WHERE s.基本_休出区分 = h.希_休FLG"_s),
              sqlInt(db, u"SELECT COUNT(*) FROM 休暇希望"_s));
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM 休暇希望 WHERE 希_職員NO NOT IN (SELECT 職員_no "
                         u"FROM 職員) OR 希_申請日 >= 希_勤務日"_s),
              0);
    // Every paid-leave day of the history is a registered paid-leave request, and back.
    const int historyLeave = sqlInt(db, u"SELECT COUNT(*) FROM 勤務表 WHERE 勤_予定 = '有'"_s);
    EXPECT_GT(historyLeave, 3);
    EXPECT_EQ(
        sqlInt(
            db,
            u"SELECT COUNT(*) FROM 勤務表 r JOIN 休暇希望 h ON h.希_区分 = 1 AND "
            u"h.希_職員NO = r.勤_職員番号 AND h.希_勤務日 = r.勤_勤務日 WHERE r.勤_予定 = '有'"_s),
        historyLeave);
    EXPECT_EQ(sqlInt(db, u"SELECT COUNT(*) FROM 休暇希望 WHERE 希_勤務日 < '2025/02/01'"_s),
              historyLeave);
}

TEST_F(DemoWorkplace, RefusesADatabaseThatAlreadyHoldsDataAndWritesNothing) {
    TableRows::add(tmp.db(), u"カレンダー"_s, {{u"カレ_年月日"_s, u"2025/01/01"_s}});
    FixedClock clock(QDate(2025, 2, 10));
    EXPECT_THROW(LoadDemoWorkplace(tmp.db(), clock), DbError);
    EXPECT_EQ(sqlInt(tmp.db(), u"SELECT COUNT(*) FROM 職員"_s), 0);
    EXPECT_EQ(sqlInt(tmp.db(), u"SELECT COUNT(*) FROM カレンダー"_s), 1);
}
