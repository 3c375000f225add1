#include "roster/daily_chart.h"
#include "roster/roster_model.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

using Band = DailyChart::Band;

WorkShiftInfo shift(const QString& abbrev, const QString& start, const QString& end) {
    WorkShiftInfo w;
    w.abbrev = abbrev;
    w.start = start;
    w.end = end;
    return w;
}

// Day 1 the day before, day 2 the chart's day, day 3 the day after; a day shift, a night
// shift past midnight, a rest shift without times and a working shift of the next morning.
RosterModel model() {
    RosterModel m;
    m.cache.workShifts = {shift(u"日"_s, u"08:30"_s, u"17:00"_s),
                          shift(u"夜"_s, u"16:30"_s, u"09:00"_s), shift(u"休"_s, {}, {}),
                          shift(u"早"_s, u"07:00"_s, u"15:00"_s)};
    return m;
}

struct Days {
    QString before, day, after;
    const QString& at(int d) const { return d == 1 ? before : d == 2 ? day : after; }
};

struct Case {
    const char* what;
    Days planned;
    Days actual;
    std::vector<Band> bands;
};

TEST(DailyChartTest, PaintsEachLoadedDayOnTheHalfHoursItCovers) {
    const Case cases[] = {
        {"a day shift from 08:30 up to 17:00, the end's cell left out",
         {{}, u"日"_s, {}},
         {},
         {{1, 17, u"日"_s}}},
        {"a night shift of the day runs past midnight to the chart's end",
         {{}, u"夜"_s, {}},
         {},
         {{17, 31, u"夜"_s}}},
        {"the night shift of the day before shows its morning",
         {u"夜"_s, {}, {}},
         {},
         {{0, 2, u"夜"_s}}},
        {"an early shift of the day after shows up to 08:00",
         {{}, {}, u"早"_s},
         {},
         {{46, 2, u"早"_s}}},
        {"the day's shift wins the cells the night before also covers",
         {u"夜"_s, u"早"_s, {}},
         {},
         {{0, 14, u"早"_s}}},
        {"the day after wins over the day's night shift",
         {{}, u"夜"_s, u"早"_s},
         {},
         {{17, 29, u"夜"_s}, {46, 2, u"早"_s}}},
        {"the actual shift stands for the planned one",
         {{}, u"日"_s, {}},
         {{}, u"夜"_s, {}},
         {{17, 31, u"夜"_s}}},
        {"a working shift without times and a leave shift paint nothing",
         {u"休"_s, u"有"_s, u"休"_s},
         {},
         {}},
    };
    for (const Case& c : cases) {
        RosterModel m = model();
        Person p;
        p.no = u"1001"_s;
        p.name = u"山田"_s;
        for (int d = 1; d <= 3; ++d) {
            p.cell(d).shift = c.planned.at(d);
            p.cell(d).actualShift = c.actual.at(d);
        }
        m.group(1).push_back(p);
        const DailyChart chart = DailyChart::build(m);
        ASSERT_EQ(chart.rows.size(), 1u) << c.what;
        EXPECT_EQ(chart.rows[0].bands(), c.bands) << c.what;
    }
}

TEST(DailyChartTest, RowsFollowTheGroupsAndEqualNeighboursFormOneBand) {
    RosterModel m = model();
    Person a, b;
    a.no = u"1"_s;
    b.no = u"2"_s;
    // A shift ending at its own start time lasts a whole day.
    m.cache.workShifts.push_back(shift(u"長"_s, u"08:00"_s, u"08:00"_s));
    b.cell(2).shift = u"長"_s;
    m.group(2).push_back(b);
    m.group(1).push_back(a);
    const DailyChart chart = DailyChart::build(m);
    ASSERT_EQ(chart.rows.size(), 2u);
    EXPECT_EQ(chart.rows[0].no, u"1"_s);
    EXPECT_TRUE(chart.rows[0].bands().empty());
    EXPECT_EQ(chart.rows[1].bands(), (std::vector<Band>{{0, 48, u"長"_s}}));
    EXPECT_EQ(DailyChart::hourOfPair(0), 8);
    EXPECT_EQ(DailyChart::hourOfPair(16), 0);
    EXPECT_EQ(DailyChart::hourOfPair(23), 7);
}

} // namespace
