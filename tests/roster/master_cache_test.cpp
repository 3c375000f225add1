#include "roster/master_cache.h"
#include "roster/roster_model.h"
#include "store/creation_mode.h"
#include "store/list_services.h"
#include "store/table.h"
#include "store/text_values.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class MasterCacheTest : public ::testing::Test {
protected:
    void row(const QString& table, const TableRows::Fields& values) {
        TableRows::add(tmp.db(), table, values);
    }
    void shift(const QString& abbrev, const QString& name, int flag, int order,
               const QVariantMap& extra = {}) {
        TableRows::Fields more;
        for (auto it = extra.begin(); it != extra.end(); ++it)
            more.emplace_back(it.key(), it.value());
        TableRows::putShift(tmp.db(), abbrev, name, flag, order, std::move(more));
    }
    void code(int kind, int no, const QString& name, const QString& abbrev) {
        TableRows::putCode(tmp.db(), kind, no, name, abbrev);
    }
    void pattern(int kind, int no, const QString& name, const QStringList& shifts) {
        TableRows::putPatternRow(tmp.db(), kind, no, 0, {{u"パタ_名称"_s, name}});
        for (int i = 0; i < shifts.size(); ++i)
            TableRows::putPatternRow(tmp.db(), kind, no, i + 1,
                                     {{u"パタ_シフト略称"_s, shifts[i]}});
    }
    void rule(int kind, int day, int order, const QString& abbrev, QList<int> figures) {
        row(u"日別要員"_s, {{u"日_区分"_s, kind},
                            {u"日_特定日"_s, day},
                            {u"日_優先順"_s, order},
                            {u"日_略称"_s, abbrev},
                            {u"日_最小要員"_s, figures[0]},
                            {u"日_責任者"_s, figures[1]},
                            {u"日_チ要員数"_s, figures[2]},
                            {u"日_チ責任者"_s, figures[3]},
                            {u"日_早出要員数"_s, figures[4]},
                            {u"日_遅出要員数"_s, figures[5]}});
    }
    // Days 1..n of a period starting at `start`.
    void period(const QString& start, int n) {
        const QDate first = TextValues::parseDateText(start);
        for (int d = 1; d <= n; ++d)
            model.day(d).date = TextValues::dateText(first.addDays(d - 1));
    }
    void dayShift() {
        shift(u"日"_s, u"日勤"_s, 1, 1,
              {{u"基本_最小要員"_s, 8},
               {u"基本_責任者"_s, 2},
               {u"基本_チーム要員数"_s, 4},
               {u"基本_チーム責任者"_s, 1},
               {u"基本_早出要員"_s, 1},
               {u"基本_遅出要員"_s, 1}});
    }

    TempDatabase tmp;
    RosterModel model;
};

} // namespace

TEST_F(MasterCacheTest, ShiftTableTimesFollowRestWorkAndEarlyKinds) {
    const QVariantMap times{{u"基本_開始時間"_s, u"8:30"_s},  {u"基本_終了時間"_s, u"17:00"_s},
                            {u"基本_早出開始"_s, u"7:00"_s},  {u"基本_早出終了"_s, u"16:00"_s},
                            {u"基本_遅出開始"_s, u"10:00"_s}, {u"基本_遅出終了"_s, u"19:00"_s}};
    QVariantMap early = times, late = times, both = times, restWork = times;
    early.insert(u"基本_早出区分"_s, 2);
    late.insert(u"基本_早出区分"_s, 3);
    both.insert(u"基本_早出区分"_s, 1);
    restWork.insert(u"基本_休出区分"_s, 1);
    shift(u"A"_s, u"早のみ"_s, 1, 1, early);
    shift(u"B"_s, u"遅のみ"_s, 1, 2, late);
    shift(u"C"_s, u"両方"_s, 1, 3, both);
    shift(u"D"_s, u"休出"_s, 1, 4, restWork);
    shift(u"有"_s, u"有給"_s, 0, 1, {{u"基本_有給区分"_s, 1}});
    shift(u"特"_s, u"特休"_s, 0, 2);
    period(u"2024/04/01"_s, 30);
    LoadMasterCache(tmp.db(), model);

    ASSERT_EQ(model.cache.workShifts.size(), 4u);
    const auto& a = model.cache.workShift(1);
    EXPECT_EQ(a.start, u"08:30"_s);
    EXPECT_EQ(a.earlyStart, u"07:00"_s);
    EXPECT_EQ(a.lateStart, u""_s);
    const auto& b = model.cache.workShift(2);
    EXPECT_EQ(b.earlyStart, u""_s);
    EXPECT_EQ(b.lateEnd, u"19:00"_s);
    const auto& c = model.cache.workShift(3);
    EXPECT_EQ(c.earlyEnd, u"16:00"_s);
    EXPECT_EQ(c.lateStart, u"10:00"_s);
    const auto& d = model.cache.workShift(4);
    EXPECT_EQ(d.start, u""_s);
    EXPECT_EQ(d.end, u""_s);
    EXPECT_EQ(model.cache.leaveShifts.size(), 2u);
    EXPECT_EQ(model.cache.paidLeaveAbbrev, u"有"_s);
}

TEST_F(MasterCacheTest, EleventhWorkingShiftIsIgnored) {
    for (int i = 1; i <= 11; ++i)
        shift(u"S%1"_s.arg(i, 2, 10, QChar(u'0')), u"シフト%1"_s.arg(i), 1, i);
    period(u"2024/04/01"_s, 30);
    LoadMasterCache(tmp.db(), model);
    EXPECT_EQ(model.cache.workShifts.size(), 10u);
    EXPECT_EQ(model.cache.workShiftIndex(u"S10"_s), 10);
    EXPECT_EQ(model.cache.workShiftIndex(u"S11"_s), 0);
}

TEST_F(MasterCacheTest, RequirementDefaultsRulesAndHolidays) {
    dayShift();
    // Sundays of April 2024: 7, 14, 21, 28. Weekday rule for Sunday, then a day-of-month rule
    // for the 14th that must win, and a rule for the 31st that hits nothing in April.
    rule(1, 1, 1, u"日"_s, {5, 1, 3, 1, 0, 0});
    rule(2, 14, 1, u"日"_s, {6, 2, 2, 1, 1, 1});
    rule(2, 31, 1, u"日"_s, {9, 9, 9, 9, 9, 9});
    rule(1, 2, 2, u"ない"_s, {1, 1, 1, 1, 1, 1}); // not a working shift: ignored
    period(u"2024/04/01"_s, 30);
    model.day(29).holidayFlag = 1;
    model.loaded.grouping = Grouping::ByTeam;
    LoadMasterCache(tmp.db(), model);
    const auto& r = model.requirement;

    // A plain Monday keeps the shift's defaults at every level.
    EXPECT_EQ(r.at(Level::Unit, 1, 1, Figure::Staff), 8);
    EXPECT_EQ(r.at(Level::Unit, 1, 1, Figure::Leaders), 2);
    EXPECT_EQ(r.at(Level::Unit, 1, 1, Figure::Early), 1);
    EXPECT_EQ(r.at(Level::FirstGroup, 1, 1, Figure::Staff), 4);
    EXPECT_EQ(r.at(Level::SecondGroup, 1, 1, Figure::Leaders), 1);
    // Weekday rule on Sundays only; level 1 staff from the per-team count.
    for (int d : {7, 21, 28}) {
        EXPECT_EQ(r.at(Level::Unit, d, 1, Figure::Staff), 5) << d;
        EXPECT_EQ(r.at(Level::FirstGroup, d, 1, Figure::Staff), 3) << d;
    }
    EXPECT_EQ(r.at(Level::Unit, 6, 1, Figure::Staff), 8);
    EXPECT_EQ(r.at(Level::Unit, 8, 1, Figure::Staff), 8);
    // Day-of-month rule overrides and puts the minimum staff into level 1 and 2, figure 1.
    EXPECT_EQ(r.at(Level::Unit, 14, 1, Figure::Staff), 6);
    EXPECT_EQ(r.at(Level::FirstGroup, 14, 1, Figure::Staff), 6);
    EXPECT_EQ(r.at(Level::SecondGroup, 14, 1, Figure::Staff), 6);
    EXPECT_EQ(r.at(Level::FirstGroup, 14, 1, Figure::TeamStaff), 2);
    EXPECT_EQ(r.at(Level::Unit, 14, 1, Figure::Late), 1);
    // Nothing leaks past the period's dated days.
    EXPECT_EQ(r.at(Level::Unit, 31, 1, Figure::Staff), 0);
    // Holidays are zeroed whatever the rules say.
    for (int level = 1; level <= 3; ++level)
        for (const Figure f : AllFigures)
            EXPECT_EQ(r.at(level, 29, 1, f), 0);
}

TEST_F(MasterCacheTest, SingleGroupLeavesSecondLevelEmpty) {
    dayShift();
    rule(2, 3, 1, u"日"_s, {6, 2, 2, 1, 1, 1});
    period(u"2024/04/01"_s, 30);
    model.loaded.grouping = Grouping::Everybody;
    LoadMasterCache(tmp.db(), model);
    EXPECT_EQ(model.requirement.at(Level::FirstGroup, 3, 1, Figure::Staff), 6);
    for (const Figure f :
         {Figure::Staff, Figure::Leaders, Figure::TeamStaff, Figure::TeamLeaders}) {
        EXPECT_EQ(model.requirement.at(Level::SecondGroup, 2, 1, f), 0);
        EXPECT_EQ(model.requirement.at(Level::SecondGroup, 3, 1, f), 0);
    }
}

TEST_F(MasterCacheTest, PatternsPairBaseWithMandatoryRun) {
    pattern(1, 1, u"基本"_s, {u"日"_s, u"日"_s, u"夜"_s, u"明"_s, u"休"_s, u"日"_s, u"休"_s});
    pattern(1, 2, u"基本2"_s, {u"日"_s, u"休"_s});
    pattern(4, 1, u"必須"_s, {u"夜"_s, u"明"_s, u"休"_s});
    pattern(5, 1, u"曜日"_s, {u"休"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"休"_s});
    pattern(3, 1, u"長い"_s, QStringList(12, u"日"_s));
    period(u"2024/04/01"_s, 30);
    LoadMasterCache(tmp.db(), model);
    const auto& base = model.cache.patterns[1];
    ASSERT_EQ(base.size(), 2u);
    EXPECT_EQ(base[0].no, 1);
    EXPECT_EQ(base[0].mandatoryStart, 3);
    EXPECT_EQ(base[0].basePassed, 2);
    EXPECT_EQ(base[0].mandatoryEnd, 6);
    EXPECT_EQ(base[0].baseRemainder, 7 - 3 - 3 + 1);
    EXPECT_EQ(base[1].mandatoryStart, 0); // no second mandatory pattern
    EXPECT_EQ(model.cache.patterns[5][0].length(), 7);
    EXPECT_EQ(model.cache.patterns[3][0].length(), 12); // every stored position is kept
}

TEST_F(MasterCacheTest, EveryPatternPositionAndLeaveShiftEnteredIsKept) {
    QStringList twenty;
    for (int i = 1; i <= 20; ++i)
        twenty << u"S%1"_s.arg(i);
    for (int kind = 1; kind <= 4; ++kind)
        for (int no = 1; no <= 12; ++no)
            pattern(kind, no, u"型"_s, twenty);
    const QStringList week = {u"休"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"休"_s};
    for (int no = 1; no <= 8; ++no)
        pattern(5, no, u"曜日"_s, week);
    // Positions whose header row is gone belong to no pattern, not to the one before.
    TableRows::putPatternRow(tmp.db(), 3, 40, 1, {{u"パタ_シフト略称"_s, u"X"_s}});
    for (int i = 1; i <= 12; ++i)
        shift(u"L%1"_s.arg(i), u"休み%1"_s.arg(i), 0, i, {{u"基本_有給区分"_s, i == 12 ? 1 : 0}});
    period(u"2024/04/01"_s, 30);
    LoadMasterCache(tmp.db(), model);
    for (int kind = 1; kind <= 4; ++kind) {
        const auto& list = model.cache.patterns[static_cast<size_t>(kind)];
        ASSERT_EQ(list.size(), 12u) << kind;
        EXPECT_EQ(list.back().no, 12) << kind;
        for (const Pattern& p : list)
            EXPECT_EQ(p.shifts, std::vector<QString>(twenty.begin(), twenty.end())) << kind;
    }
    ASSERT_EQ(model.cache.patterns[5].size(), 8u);
    EXPECT_EQ(model.cache.patterns[5].back().length(), 7);
    EXPECT_EQ(model.cache.leaveShifts.size(), 12u);
    EXPECT_EQ(model.cache.paidLeaveAbbrev, u"L12"_s);
}

TEST_F(MasterCacheTest, ReplacementOrderFollowsNumbersAndMapsToShifts) {
    dayShift();
    shift(u"夜"_s, u"夜勤"_s, 1, 2);
    code(7, 3, u"三"_s, u"ない"_s);
    code(7, 1, u"一"_s, u"夜"_s);
    code(7, 2, u"二"_s, u"日"_s);
    code(3, 2, u"休み"_s, u"休"_s);
    code(8, 1, u"基準"_s, u"日"_s);
    period(u"2024/04/01"_s, 30);
    LoadMasterCache(tmp.db(), model);
    EXPECT_EQ(model.cache.replacementOrder, (std::vector<QString>{u"夜"_s, u"日"_s, u"ない"_s}));
    EXPECT_EQ(model.cache.replacementIndex, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(model.cache.restShift, u"休"_s);
    EXPECT_EQ(model.cache.noShiftWorkShift, u""_s);
    EXPECT_EQ(model.cache.refShift, u"日"_s);
}

TEST_F(MasterCacheTest, CreationModeDefaultsAndWriteCreatesRow) {
    CreationMode m = ReadCreationModeSetting(tmp.db());
    EXPECT_EQ(m.a, u"1"_s);
    EXPECT_EQ(m.b, u"1"_s);
    CreationModeSetting(tmp.db(), 1, m = {u"2"_s, u"0"_s});
    Table t(tmp.db(), u"個マスタ"_s);
    t.setIndex(u"key_個ﾏｽﾀｰ"_s);
    t.seek(Seek::Equal, {80, 1});
    ASSERT_FALSE(t.noMatch());
    EXPECT_EQ(t.text(u"個_略称"_s), u"2"_s);
    EXPECT_EQ(t.text(u"個_名称"_s), u"0"_s);
    CreationMode read;
    CreationModeSetting(tmp.db(), 0, read);
    EXPECT_EQ(read.a, u"2"_s);
    EXPECT_EQ(read.b, u"0"_s);
}

TEST_F(MasterCacheTest, ListServices) {
    shift(u"有"_s, u"有給"_s, 0, 1);
    dayShift();
    shift(u"夜"_s, u"夜勤"_s, 1, 2, {{u"基本_休出区分"_s, 1}, {u"基本_備考"_s, u"夜間"_s}});
    EXPECT_EQ(ShiftListService::FillShiftList(tmp.db(), 2),
              (QStringList{u"有給"_s, u"日勤"_s, u"夜勤"_s}));
    EXPECT_EQ(ShiftListService::FillShiftList(tmp.db(), 1), (QStringList{u"日勤"_s, u"夜勤"_s}));
    EXPECT_EQ(ShiftListService::FillShiftList(tmp.db(), 0), (QStringList{u"有給"_s}));
    const ShiftLookup night = ShiftListService::FindShiftByName(tmp.db(), u"夜勤"_s);
    EXPECT_EQ(night.restWorkKind, 1);
    EXPECT_EQ(night.abbrev, u"夜"_s);
    EXPECT_EQ(night.remark, u"夜間"_s);
    const ShiftLookup none = ShiftListService::FindShiftByName(tmp.db(), u"ない"_s);
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.restWorkKind, 0);
    EXPECT_EQ(none.abbrev, u""_s);
    EXPECT_EQ(ShiftListService::FindShiftByAbbrev(tmp.db(), u"日"_s).name, u"日勤"_s);

    pattern(1, 1, u"基本A"_s, {u"日"_s});
    pattern(2, 1, u"禁止A"_s, {u"夜"_s});
    pattern(3, 1, u"特定A"_s, {u"日"_s});
    pattern(4, 1, u"必須A"_s, {u"夜"_s});
    pattern(5, 1, u"曜日A"_s, {u"日"_s});
    EXPECT_EQ(PatternListService::FillPatternList(tmp.db(), 1, 3), (QStringList{u"特定A"_s}));
    EXPECT_EQ(PatternListService::FillPatternList(tmp.db(), 4, 1),
              (QStringList{u"基本A"_s, u"特定A"_s, u"曜日A"_s}));
    EXPECT_EQ(PatternListService::FindPatternName(tmp.db(), 2, 1), u"禁止A"_s);
    EXPECT_EQ(PatternListService::FindPatternName(tmp.db(), 2, 2), u""_s);

    code(5, 2, u"Bチーム"_s, u"B"_s);
    code(5, 1, u"Aチーム"_s, u"A"_s);
    code(6, 1, u"時間"_s, u"有"_s);
    EXPECT_EQ(CodeListService::FillCodeList(tmp.db(), 5),
              (QStringList{u"Aチーム"_s, u"Bチーム"_s}));
    EXPECT_EQ(CodeListService::FindCodeAbbrev(tmp.db(), 6, 1), u"有"_s);
    EXPECT_EQ(CodeListService::FindCodeAbbrev(tmp.db(), 6, 2), u""_s);

    row(u"職員"_s, {{u"職員_no"_s, u"002"_s},
                    {u"職員_名漢字"_s, u"山田花子"_s},
                    {u"職員_名カナ"_s, u"ﾔﾏﾀﾞ"_s}});
    row(u"職員"_s, {{u"職員_no"_s, u"001"_s},
                    {u"職員_名漢字"_s, u"伊藤一郎"_s},
                    {u"職員_名カナ"_s, u"ｲﾄｳ"_s}});
    EXPECT_EQ(StaffListService::FillStaffList(tmp.db()),
              (QStringList{u"伊藤一郎"_s, u"山田花子"_s}));
    EXPECT_EQ(StaffListService::FindStaffByName(tmp.db(), u"山田花子"_s).no, u"002"_s);
    EXPECT_EQ(StaffListService::FindStaffByName(tmp.db(), u"誰か"_s).no, u""_s);
}
