#include "output/quality_print.h"
#include "roster/quality_report.h"
#include "support/recording_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int RedInk = 12;

QualityReport::ShiftStaffing staffing(int level, const QString& shift,
                                      std::vector<std::pair<int, int>> requiredAssigned) {
    QualityReport::ShiftStaffing s;
    s.level = level;
    s.shift = shift;
    int day = 0;
    for (auto [required, assigned] : requiredAssigned) {
        ++day;
        QualityReport::DayStaffing d;
        d.day = day;
        d.date = u"2024/04/%1"_s.arg(day, 2, 10, QChar(u'0'));
        d.required = required;
        d.assigned = assigned;
        s.days.push_back(d);
    }
    return s;
}

// Three days; the whole unit is one short of 日 and two short of 夜 on the 2nd, while group 1
// alone is short on the 1st (a group's shortage is part of the unit's, not added to it).
QualityReport threeDays(int people) {
    QualityReport r;
    r.periodStart = u"2024/04/01"_s;
    r.periodEnd = u"2024/04/03"_s;
    r.dayCount = 3;
    r.shifts = {u"日"_s, u"夜"_s, u"休"_s};
    r.staffing = {staffing(1, u"日"_s, {{3, 2}, {2, 2}, {2, 2}}),
                  staffing(3, u"日"_s, {{4, 4}, {4, 3}, {4, 5}}),
                  staffing(3, u"夜"_s, {{2, 2}, {2, 0}, {2, 2}})};
    const int nights[] = {2, 4, 0};
    for (int i = 0; i < people; ++i) {
        QualityReport::PersonFigures f;
        f.staffNo = QString::number(1001 + i);
        f.name = u"職員%1"_s.arg(i + 1);
        f.shiftDays = {1, 1, 1};
        f.nights = nights[i % 3];
        r.people.push_back(f);
    }
    r.night.window = u"22:00-05:00"_s;
    r.night.minimumHours = 16;
    return r;
}

RecordingSheet printed(const QualityReport& r) {
    RecordingSheet sheet;
    PrintQualityReport(r, sheet);
    return sheet;
}

const RecordingSheet::Op* firstTextStarting(const RecordingSheet& s, const QString& start) {
    for (const auto& op : s.ops())
        if (op.kind == RecordingSheet::Kind::Text && op.text.startsWith(start))
            return &op;
    return nullptr;
}

} // namespace

TEST(QualityPrintTest, TheStripCountsTheWholeUnitsShortageOverEveryShift) {
    EXPECT_EQ(UnitShortageByDay(threeDays(3)), (std::vector<int>{0, 3, 0}));

    const RecordingSheet s = printed(threeDays(3));
    const auto shortDay = s.textsEqual(u"-3"_s);
    ASSERT_EQ(shortDay.size(), 1u);
    EXPECT_EQ(shortDay.front().colour, RedInk);
    EXPECT_TRUE(s.textsEqual(u"-1"_s).empty()); // the group's own shortage is not the unit's
}

TEST(QualityPrintTest, NightBarsAreScaledToTheMostNightsWithTheMeanAcross) {
    const RecordingSheet s = printed(threeDays(3));
    EXPECT_TRUE(s.ended());
    ASSERT_FALSE(s.ops().empty());
    EXPECT_EQ(s.ops().front().orientation, Sheet::Orientation::Landscape);
    // Nights 2, 4 and 0 in a chart 50 mm high from y 28: 25 mm, 50 mm and no bar.
    std::vector<double> heights;
    for (const auto& op : s.ops())
        if (op.kind == RecordingSheet::Kind::Box && op.page == 1 && op.x2 <= 145 && op.y2 == 78 &&
            op.y1 > 28 - 1e-9 && op.x2 - op.x1 < 135)
            heights.push_back(op.y2 - op.y1);
    ASSERT_EQ(heights.size(), 2u);
    EXPECT_DOUBLE_EQ(heights[0], 25);
    EXPECT_DOUBLE_EQ(heights[1], 50);
    const RecordingSheet::Op* mean = firstTextStarting(s, u"平均 2.0 回"_s);
    ASSERT_NE(mean, nullptr);
    EXPECT_EQ(mean->colour, RedInk);
}

TEST(QualityPrintTest, TheNightLineIsRedOnlyAboveTheCeiling) {
    for (bool over : {false, true}) {
        QualityReport r = threeDays(3);
        r.night.overLimit = over;
        const RecordingSheet sheet = printed(r);
        const RecordingSheet::Op* line = firstTextStarting(sheet, u"夜勤時間帯"_s);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->colour == RedInk, over) << over;
    }
}

TEST(QualityPrintTest, ThePersonTableRunsOverPagesWithItsHeadingOnEach) {
    const RecordingSheet s = printed(threeDays(50));
    EXPECT_EQ(s.pageCount(), 3); // the charts, then 50 rows at 39 a page
    for (int page : {2, 3})
        EXPECT_NE(s.textAt(10, 15, page), nullptr) << page;
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(s.textsEqual(QString::number(1001 + i)).size(), 1u) << i;
}
