#include "output/personal_sheet_print.h"
#include "roster/roster_load.h"
#include "store/clock.h"
#include "store/demo_workplace.h"
#include "store/startup_settings.h"
#include "support/model_builder.h"
#include "support/recording_sheet.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace PersonalSheet;

namespace {

const std::array<int, 7> WeekdayColours{12, 0, 0, 0, 0, 0, 9};

const ShiftNames Names{{u"日"_s, u"日勤"_s}, {u"夜"_s, u"夜勤"_s}, {u"有"_s, u"有給"_s}};

// The period from `start` to `end` with 日 (early and late allowed) and 夜 as working shifts;
// 有 is a leave shift the cache knows nothing of.
RosterModel model(const QDate& start, const QDate& end) {
    RosterModel m;
    m.periodStart = start.toString(u"yyyy/MM/dd"_s);
    m.periodEnd = end.toString(u"yyyy/MM/dd"_s);
    fillDays(m, start);
    WorkShiftInfo day;
    day.abbrev = u"日"_s;
    day.earlyKind = 1;
    day.start = u"08:30"_s;
    day.end = u"17:00"_s;
    day.earlyStart = u"07:30"_s;
    day.earlyEnd = u"16:00"_s;
    day.lateStart = u"10:30"_s;
    day.lateEnd = u"19:00"_s;
    WorkShiftInfo night;
    night.abbrev = u"夜"_s;
    night.start = u"16:30"_s;
    night.end = u"09:00"_s;
    m.cache.workShifts = {day, night};
    return m;
}

RosterModel april() {
    return model(QDate(2024, 4, 1), QDate(2024, 4, 30));
}

RecordingSheet print(const RosterModel& m, const QString& title = u"シフト勤務表"_s) {
    RecordingSheet sheet;
    PrintPersonalSheets(m, Names, WeekdayColours, title, sheet);
    return sheet;
}

// The text at (x, y) on the page, empty when nothing is printed there.
QString at(const RecordingSheet& sheet, double x, double y, int page = 1) {
    const auto* op = sheet.textAt(x, y, page);
    return op ? op->text : QString();
}

} // namespace

// A period from the 25th to the 24th names the month on its first line and again on the 1st,
// and the lines end with the period even when the model holds later days.
TEST(PersonalSheetPrint, MonthOnTheFirstLineAndAtEachMonthChange) {
    RosterModel m = model(QDate(2024, 2, 25), QDate(2024, 3, 24)); // 29 days, leap year
    addPerson(m, 1, u"1001"_s);
    const RecordingSheet sheet = print(m);

    struct Line {
        int n;
        QString label;
        QString weekday;
    };
    for (const Line& l : {Line{1, u" 2月25日"_s, u"(日)"_s}, Line{2, u"26日"_s, u"(月)"_s},
                          Line{5, u"29日"_s, u"(木)"_s}, Line{6, u" 3月 1日"_s, u"(金)"_s},
                          Line{7, u" 2日"_s, u"(土)"_s}, Line{29, u"24日"_s, u"(日)"_s}}) {
        EXPECT_EQ(at(sheet, DateX, lineY(l.n)), l.label) << l.n;
        EXPECT_EQ(at(sheet, WeekdayX, lineY(l.n)), l.weekday) << l.n;
    }
    EXPECT_EQ(sheet.textAt(WeekdayX, lineY(1))->colour, 12) << "Sunday colour";
    EXPECT_EQ(sheet.textAt(WeekdayX, lineY(7))->colour, 9) << "Saturday colour";
    EXPECT_EQ(sheet.textAt(WeekdayX, lineY(2))->colour, 0);
    EXPECT_EQ(sheet.textAt(DateX, lineY(1))->colour, 0);
    EXPECT_EQ(at(sheet, DateX, lineY(30)), QString()) << "past the period end";
    EXPECT_EQ(at(sheet, ShiftX, lineY(30)), QString());
}

// One day line per kind of day: the shift's name, its mark and the hours of that mark; a leave
// day or an unknown shift prints no times; the actual shift wins over the plan.
TEST(PersonalSheetPrint, DayLinesShowNameMarkTimesAndNote) {
    RosterModel m = april();
    Person& p = addPerson(m, 1, u"1001"_s);
    p.cell(1).early = 2;
    p.cell(2).early = 3;
    p.cell(3).shift = u"有"_s;
    p.cell(4).shift = u"夜"_s;
    p.cell(5).actualShift = u"夜"_s; // planned 日 with an early mark, worked 夜
    p.cell(5).early = 2;
    p.cell(6).shift = QString();
    p.cell(7).shift = u"謎"_s;
    m.day(4).note = u"避難訓練"_s;
    const RecordingSheet sheet = print(m);

    struct Expected {
        int day;
        QString name, mark, start, end;
    };
    for (const Expected& e :
         {Expected{1, u"日勤"_s, u"早"_s, u"07:30"_s, u"16:00"_s},
          Expected{2, u"日勤"_s, u"遅"_s, u"10:30"_s, u"19:00"_s},
          Expected{3, u"有給"_s, {}, {}, {}}, Expected{4, u"夜勤"_s, {}, u"16:30"_s, u"09:00"_s},
          Expected{5, u"夜勤"_s, {}, u"16:30"_s, u"09:00"_s}, Expected{6, {}, {}, {}, {}},
          Expected{7, {}, {}, {}, {}}, Expected{8, u"日勤"_s, {}, u"08:30"_s, u"17:00"_s}}) {
        const double y = lineY(e.day);
        EXPECT_EQ(at(sheet, ShiftX, y), e.name) << e.day;
        EXPECT_EQ(at(sheet, MarkX, y), e.mark) << e.day;
        EXPECT_EQ(at(sheet, StartX, y), e.start) << e.day;
        EXPECT_EQ(at(sheet, EndX, y), e.end) << e.day;
    }
    EXPECT_EQ(at(sheet, NoteX, lineY(4)), u"避難訓練"_s);
    // A long shift name or note is cut at its column's edge.
    EXPECT_EQ(sheet.textAt(ShiftX, lineY(1))->x2, MarkX - 1.5);
    EXPECT_EQ(sheet.textAt(NoteX, lineY(4))->x2, Right);
}

TEST(PersonalSheetPrint, HeadingWithTitleNameAndPeriod) {
    RosterModel m = april();
    addPerson(m, 1, u"1001"_s).name = u"長谷川部長太郎さん"_s;
    const RecordingSheet sheet = print(m, u"四月の勤務"_s);

    ASSERT_EQ(sheet.pageCount(), 1);
    EXPECT_TRUE(sheet.ended());
    EXPECT_EQ(sheet.ops().front().orientation, Sheet::Orientation::Portrait);
    const auto* title = sheet.textAt(80, 17);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, u"四月の勤務"_s);
    EXPECT_EQ(title->fontSize, 16);
    EXPECT_EQ(title->fontName, u"ＭＳ ゴシック"_s);
    EXPECT_EQ(at(sheet, 150, 25), u"長谷川部長太郎"_s) << "cut to seven characters";
    EXPECT_EQ(sheet.textAt(150, 25)->fontSize, 11);

    // The year is a "##0" field: four digits jut out one character left of the field, so the
    // rest of the date keeps its place.
    const double digit = 10 * 25.4 / 72 / 2;
    EXPECT_EQ(at(sheet, 20 - digit, 25), u"2024年 4月 1日"_s);
    EXPECT_EQ(at(sheet, 45, 25), u"～"_s);
    EXPECT_EQ(at(sheet, 50 - digit, 25), u"2024年 4月30日"_s);
}

// Everybody loaded gets a page of their own, staff group 1 first, each with its full heading.
TEST(PersonalSheetPrint, OnePagePerPersonGroupOneFirst) {
    RosterModel m = april();
    addPerson(m, 2, u"2001"_s);
    addPerson(m, 1, u"1001"_s);
    addPerson(m, 1, u"1002"_s);
    const RecordingSheet sheet = print(m);

    ASSERT_EQ(sheet.pageCount(), 3);
    const QString order[] = {u"職員1001"_s, u"職員1002"_s, u"職員2001"_s};
    for (int page = 1; page <= 3; ++page) {
        EXPECT_EQ(at(sheet, 150, 25, page), order[page - 1]) << page;
        EXPECT_EQ(at(sheet, 80, 17, page), u"シフト勤務表"_s) << page;
        EXPECT_EQ(at(sheet, DateX, lineY(30), page), u"30日"_s) << page;
    }
}

// Loaded from the database, a day holds the actual shift with its own mark where one is
// stored, and the names cover leave shifts too.
TEST(PersonalSheetPrint, LoadTakesTheActualShiftWithItsMark) {
    TempDatabase tmp;
    LoadDemoWorkplace(tmp.db(), FixedClock(QDate(2024, 4, 1)));
    StartupSettings settings;
    LoadStartupSettings(tmp.db(), settings);
    TableRows::putRosterDay(tmp.db(), u"1003"_s, u"2024/04/01"_s, u"日"_s, {{u"勤_予定早出"_s, 2}});
    TableRows::putRosterDay(
        tmp.db(), u"1003"_s, u"2024/04/02"_s, u"日"_s,
        {{u"勤_予定早出"_s, 2}, {u"勤_実績"_s, u"日"_s}, {u"勤_実績早出"_s, 3}});
    TableRows::putRosterDay(tmp.db(), u"1003"_s, u"2024/04/03"_s, u"日"_s,
                            {{u"勤_実績"_s, u"有"_s}});

    RosterQuery query;
    query.from = u"2024/04/01"_s;
    query.to = u"2024/04/30"_s;
    query.filter = RosterFilter::staff(u"1003"_s);
    RosterModel m;
    const ShiftNames names = LoadPersonalSheets(tmp.db(), settings, query, m);
    EXPECT_EQ(names.value(u"有"_s), u"有給"_s);
    ASSERT_EQ(m.groupCount(1) + m.groupCount(2), 1);

    const Person& p = m.person(1, 1);
    EXPECT_EQ(p.cell(1).shift, u"日"_s);
    EXPECT_EQ(p.cell(1).early, 2);
    EXPECT_EQ(p.cell(2).shift, u"日"_s);
    EXPECT_EQ(p.cell(2).early, 3) << "the actual mark, not the planned one";
    EXPECT_EQ(p.cell(3).shift, u"有"_s);
}
