#include "output/roster_print.h"
#include "roster/roster_model.h"
#include "support/model_builder.h"
#include "support/recording_sheet.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = RecordingSheet::Kind;

namespace {

const std::array<int, 7> WeekdayColours{12, 0, 0, 0, 0, 0, 9};

// April 2024: two working shifts, 日 with early and late variants and 夜 (rest-day work).
RosterModel aprilModel() {
    RosterModel m;
    m.periodStart = u"2024/04/01"_s;
    m.periodEnd = u"2024/04/30"_s;
    fillDays(m, QDate(2024, 4, 1));
    WorkShiftInfo day;
    day.abbrev = u"日"_s;
    day.earlyKind = 1;
    WorkShiftInfo night;
    night.abbrev = u"夜"_s;
    night.restWorkKind = 1;
    m.cache.workShifts = {day, night};
    m.cache.restShift = u"休"_s;
    m.teamName[1] = u"Aチーム"_s;
    m.teamName[2] = u"Bチーム"_s;
    return m;
}

Person person(const QString& no, const QString& name) {
    Person p;
    p.no = no;
    p.name = name;
    for (int d = 1; d <= 30; ++d)
        p.cell(d).shift = u"日"_s;
    return p;
}

void addStaff(RosterModel& m, int group, int count, int firstNo = 1) {
    for (int i = 0; i < count; ++i) {
        const QString no = QStringLiteral("%1").arg(firstNo + i, 3, 10, QLatin1Char('0'));
        m.group(group).push_back(person(no, u"職員"_s + no));
    }
}

RecordingSheet print(const RosterModel& m) {
    RecordingSheet sheet;
    PrintRoster(m, WeekdayColours, sheet);
    return sheet;
}

int rowY(int n) {
    return 8 * n + 20;
}

} // namespace

TEST(RosterPrint, HeadingTextsPositionsAndFrame) {
    RosterModel m = aprilModel();
    addStaff(m, 1, 2);
    const RecordingSheet sheet = print(m);

    ASSERT_EQ(sheet.pageCount(), 1);
    EXPECT_TRUE(sheet.ended());
    EXPECT_EQ(sheet.ops().front().orientation, Sheet::Orientation::Landscape);

    const auto* title = sheet.textAt(125, 9);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, u"勤務シフト表"_s);
    EXPECT_EQ(title->fontSize, 16);
    EXPECT_EQ(title->fontName, u"ＭＳ ゴシック"_s);
    EXPECT_EQ(sheet.textAt(80, 10)->text, u"2024/04/01"_s);
    EXPECT_EQ(sheet.textAt(98, 10)->text, u"～"_s);
    EXPECT_EQ(sheet.textAt(104, 10)->text, u"2024/04/30"_s);
    EXPECT_EQ(sheet.textAt(17, 20.5)->text, u"    氏  名"_s);
    EXPECT_EQ(sheet.textAt(48, 20.5)->text, u" 職員NO"_s);
    EXPECT_EQ(sheet.textAt(48, 20.5)->fontSize, 8);

    // Day d at 61 + 5 (d - 1): day of month in two characters, weekday in its colour.
    EXPECT_EQ(sheet.textAt(61, 17)->text, u" 1"_s);
    EXPECT_EQ(sheet.textAt(61 + 5 * 29, 17)->text, u"30"_s);
    EXPECT_EQ(sheet.textAt(61 + 5 * 30, 17), nullptr) << "no day 31 in April";
    const auto* monday = sheet.textAt(61, 21);
    EXPECT_EQ(monday->text, u"月"_s);
    EXPECT_EQ(monday->colour, 0);
    EXPECT_EQ(sheet.textAt(61 + 5 * 5, 21)->colour, 9) << "Saturday 6th";
    EXPECT_EQ(sheet.textAt(61 + 5 * 6, 21)->colour, 12) << "Sunday 7th";

    // Count headings: 日 with 早 and 遅 columns, then 夜.
    EXPECT_EQ(sheet.textAt(218, 20)->text, u"日"_s);
    EXPECT_EQ(sheet.textAt(225, 20)->text, u"早"_s);
    EXPECT_EQ(sheet.textAt(232, 20)->text, u"遅"_s);
    EXPECT_EQ(sheet.textAt(239, 20)->text, u"夜"_s);

    // Outer frame in width 4, then 11 nested boxes for the 21 row rules in width 3.
    std::vector<RecordingSheet::Op> boxes;
    for (const auto& op : sheet.ops())
        if (op.kind == Kind::Box)
            boxes.push_back(op);
    ASSERT_EQ(boxes.size(), 12u);
    EXPECT_EQ(boxes[0].drawWidth, 4);
    EXPECT_EQ(boxes[0].x1, 15);
    EXPECT_EQ(boxes[0].y1, 16);
    EXPECT_EQ(boxes[0].x2, 283);
    EXPECT_EQ(boxes[0].y2, 192);
    EXPECT_EQ(boxes[1].y1, 24);
    EXPECT_EQ(boxes[1].y2, 184);
    EXPECT_EQ(boxes[11].y1, 104);
    EXPECT_EQ(boxes[11].y2, 104);
    EXPECT_EQ(boxes[1].drawWidth, 3);
}

TEST(RosterPrint, StaffLineShowsMarksRequestsActualsAndCounts) {
    RosterModel m = aprilModel();
    addStaff(m, 1, 1);
    Person& p = m.person(1, 1);
    p.cell(1).early = 2;       // planned early duty
    p.cell(2).early = 3;       // planned late duty
    p.cell(3).shift = u"夜"_s; // rest-day work in red
    p.cell(4).requestShift = u"有"_s;
    p.cell(4).requestKind = 1;
    p.cell(5).actualShift = u"日"_s; // an actual equal to the plan still prints blue
    p.cell(6).actualShift = u"日"_s;
    p.cell(6).actualEarly = 2;
    p.cell(7).requestShift = u"日"_s;
    p.cell(7).early = 2; // a request prints without mark
    p.count[1] = 27;
    p.earlyCount[1] = 2;
    p.lateCount[1] = 1;
    p.count[2] = 1;

    const RecordingSheet sheet = print(m);
    const int y = rowY(1);
    EXPECT_EQ(sheet.textAt(21, y)->text, u" 職員001"_s);
    EXPECT_EQ(sheet.textAt(21, y)->fontSize, 10);
    EXPECT_EQ(sheet.textAt(48, y)->text, u"001"_s);
    // Name and number are cut at their columns' right edges.
    EXPECT_EQ(sheet.textAt(21, y)->x2, 45);
    EXPECT_EQ(sheet.textAt(48, y)->x2, 60);

    auto cellAt = [&](int d) { return sheet.textAt(61 + 5 * (d - 1), y); };
    EXPECT_EQ(cellAt(1)->text, u"早"_s);
    EXPECT_EQ(cellAt(2)->text, u"遅"_s);
    EXPECT_EQ(cellAt(3)->text, u"夜"_s);
    EXPECT_EQ(cellAt(3)->colour, 12);
    EXPECT_EQ(cellAt(4)->text, u"有"_s);
    EXPECT_EQ(cellAt(4)->colour, 9);
    EXPECT_EQ(cellAt(5)->text, u"日"_s);
    EXPECT_EQ(cellAt(5)->colour, 9);
    EXPECT_EQ(cellAt(6)->text, u"早"_s);
    EXPECT_EQ(cellAt(6)->colour, 9);
    EXPECT_EQ(cellAt(7)->text, u"日"_s);
    EXPECT_EQ(cellAt(7)->colour, 9);
    EXPECT_EQ(cellAt(8)->text, u"日"_s);
    EXPECT_EQ(cellAt(8)->colour, 0);
    EXPECT_EQ(cellAt(31), nullptr);

    EXPECT_EQ(sheet.textAt(218, y)->text, u"27"_s);
    EXPECT_EQ(sheet.textAt(218, y)->colour, 0);
    EXPECT_EQ(sheet.textAt(225, y)->text, u"2"_s);
    EXPECT_EQ(sheet.textAt(232, y)->text, u"1"_s);
    EXPECT_EQ(sheet.textAt(239, y)->text, u"1"_s);
}

TEST(RosterPrint, TwentySecondLineOpensANewPageWithItsHeading) {
    RosterModel m = aprilModel();
    addStaff(m, 1, 21); // 21 people fill page 1; the count lines go to page 2
    m.assigned.at(Level::Unit, 1, 1, Figure::Staff) = 17;
    m.assigned.at(Level::FirstGroup, 1, 1, Figure::Staff) = 5;
    const RecordingSheet sheet = print(m);

    ASSERT_EQ(sheet.pageCount(), 2);
    EXPECT_EQ(sheet.textAt(21, rowY(21), 1)->text, u" 職員021"_s);
    EXPECT_EQ(sheet.textAt(125, 9, 2)->text, u"勤務シフト表"_s);
    EXPECT_EQ(sheet.textAt(61, 17, 2)->text, u" 1"_s);
    // Grouping mode 1: whole-unit counts, one line per working shift.
    EXPECT_EQ(sheet.textAt(20, rowY(1), 2)->text, u"日勤者数"_s);
    EXPECT_EQ(sheet.textAt(61, rowY(1), 2)->text, u"17"_s);
    EXPECT_EQ(sheet.textAt(61, rowY(1), 2)->fontSize, 9);
    EXPECT_EQ(sheet.textAt(20, rowY(2), 2)->text, u"夜勤者数"_s);
    EXPECT_EQ(sheet.textsEqual(u"勤務シフト表"_s).size(), 2u);
}

TEST(RosterPrint, ByTeamPrintsEachBlockFromANewPageWithItsOwnCounts) {
    RosterModel m = aprilModel();
    m.loaded.grouping = Grouping::ByTeam;
    addStaff(m, 1, 2);
    addStaff(m, 2, 2, 10);
    m.assigned.at(Level::FirstGroup, 2, 1, Figure::Staff) = 2;
    m.assigned.at(Level::SecondGroup, 2, 1, Figure::Staff) = 1;
    m.assigned.at(Level::Unit, 2, 1, Figure::Staff) = 3;
    const RecordingSheet sheet = print(m);

    ASSERT_EQ(sheet.pageCount(), 2);
    EXPECT_EQ(sheet.textAt(17, 8 + 17, 1)->text, u"Aチーム"_s);
    EXPECT_EQ(sheet.textAt(17, 16 + 17, 1), nullptr) << "team named on its first line only";
    EXPECT_EQ(sheet.textAt(20, rowY(3), 1)->text, u"日勤者数"_s);
    EXPECT_EQ(sheet.textAt(66, rowY(3), 1)->text, u"2"_s);
    EXPECT_EQ(sheet.textAt(17, 8 + 17, 2)->text, u"Bチーム"_s);
    EXPECT_EQ(sheet.textAt(21, rowY(1), 2)->text, u" 職員010"_s);
    EXPECT_EQ(sheet.textAt(66, rowY(3), 2)->text, u"1"_s);
}

TEST(RosterPrint, FiltersPrintOnePersonOrOneTeam) {
    RosterModel m = aprilModel();
    m.loaded.grouping = Grouping::ByTeam;
    addStaff(m, 1, 2);
    addStaff(m, 2, 3, 10);
    m.assigned.at(Level::SecondGroup, 1, 1, Figure::Staff) = 3;

    m.loaded.filter.staffNo = u"011"_s;
    RecordingSheet one = print(m);
    EXPECT_EQ(one.textAt(21, rowY(1))->text, u" 職員011"_s);
    EXPECT_EQ(one.textAt(21, rowY(2)), nullptr);
    EXPECT_TRUE(one.textsEqual(u"日勤者数"_s).empty()) << "no count lines for one person";

    m.loaded.filter.staffNo.clear();
    m.loaded.filter.team = u"Bチーム"_s;
    RecordingSheet team = print(m);
    EXPECT_EQ(team.pageCount(), 1);
    EXPECT_EQ(team.textAt(21, rowY(1))->text, u" 職員010"_s);
    EXPECT_EQ(team.textAt(21, rowY(3))->text, u" 職員012"_s);
    EXPECT_EQ(team.textAt(20, rowY(4))->text, u"日勤者数"_s);
    EXPECT_EQ(team.textAt(61, rowY(4))->text, u"3"_s) << "the team's own level";
    EXPECT_EQ(team.textsEqual(u" 職員001"_s).size(), 0u);
    EXPECT_EQ(team.textAt(17, 8 + 17)->text, u"Bチーム"_s);

    // A third team's staff sit in the second block but are labelled with their own team.
    m.loaded.filter.team = u"Cチーム"_s;
    RecordingSheet third = print(m);
    EXPECT_EQ(third.textAt(17, 8 + 17)->text, u"Cチーム"_s);
    EXPECT_EQ(third.textAt(21, rowY(1))->text, u" 職員010"_s);
}

// A period of 32 days (the longest the creation screens accept) prints its last day in a
// column of its own: every count heading and the count rules lie right of day 32's rule.
TEST(RosterPrint, DayThirtyTwoKeepsClearOfTheCountColumns) {
    RosterModel m = aprilModel();
    m.periodEnd = u"2024/05/02"_s;
    addStaff(m, 1, 1);
    ASSERT_EQ(m.lastDay(), 32);
    const RecordingSheet sheet = print(m);
    const auto* day32 = sheet.textAt(61 + 5 * 31, 17);
    ASSERT_NE(day32, nullptr);
    EXPECT_EQ(day32->text, u" 2"_s);
    const double day32End = 60 + 5 * 32; // the rule right of day 32
    bool ruleAtEnd = false;
    for (const auto& op : sheet.ops())
        if (op.kind == Kind::Line && op.x1 == op.x2 && op.y1 == 16 && op.x1 == day32End)
            ruleAtEnd = true;
    EXPECT_TRUE(ruleAtEnd) << "day 32 has its own column";
    for (const QString& heading : {u"日"_s, u"早"_s, u"遅"_s, u"夜"_s}) {
        const auto found = sheet.textsEqual(heading);
        ASSERT_FALSE(found.empty()) << heading.toStdString();
        for (const auto& op : found) {
            if (op.y1 == 20) { // the count headings' line
                EXPECT_GT(op.x1, day32End) << heading.toStdString();
            }
        }
    }
}
