#include "engine_fixture.h"

#include <random>

using namespace Qt::Literals::StringLiterals;
using namespace SampleWorkplace;

namespace {

class TalliesTest : public EngineFixture {};

TEST_F(TalliesTest, CountTheEffectiveShiftOfOpenDaysOnly) {
    build(db(), 3);
    addCalendarDay(db(), u"2024/04/07"_s, 1);
    load();
    const int day = shiftIndex(u"日"_s), night = shiftIndex(u"夜"_s);
    Person& a = person(u"0001"_s); // a leader
    Person& b = person(u"0002"_s);
    a.cell(2).shift = u"日"_s;
    a.cell(2).requestShift = u"夜"_s; // the request counts, not the planned shift
    b.cell(2).shift = u"日"_s;
    b.cell(2).early = 2;
    b.cell(3).shift = u"日"_s;
    b.cell(3).actualShift = u"夜"_s; // the actual shift replaces the planned one
    b.cell(3).actualEarly = 3;
    b.cell(7).shift = u"日"_s;  // a closed day
    b.cell(31).shift = u"日"_s; // after the period
    TallyAll(m());

    EXPECT_EQ(a.count[night], 1);
    EXPECT_EQ(a.count[day], 0);
    EXPECT_EQ(b.count[day], 1);
    EXPECT_EQ(b.earlyCount[day], 1);
    EXPECT_EQ(b.count[night], 1);
    EXPECT_EQ(b.lateCount[night], 1);
    EXPECT_EQ(m().assigned.at(Level::Unit, 2, night, Figure::Staff), 1);
    EXPECT_EQ(m().assigned.at(Level::Unit, 2, night, Figure::Leaders), 1); // leader column
    EXPECT_EQ(m().assigned.at(Level::FirstGroup, 2, night, Figure::TeamLeaders), 1);
    EXPECT_EQ(m().assigned.at(Level::Unit, 2, day, Figure::Staff), 1);
    EXPECT_EQ(m().assigned.at(Level::Unit, 2, day, Figure::Leaders), 0);
    EXPECT_EQ(m().assigned.at(Level::Unit, 2, day, Figure::Early), 1);
    EXPECT_EQ(m().assigned.at(Level::Unit, 3, night, Figure::Late), 1);
    EXPECT_EQ(m().assigned.at(Level::Unit, 7, day, Figure::Staff), 0);
    EXPECT_EQ(m().assigned.at(Level::SecondGroup, 2, night, Figure::Staff), 0);

    // One person recounted after a change; the others keep their counts.
    b.cell(4).shift = u"夜"_s;
    TallyAfterPlacement(m(), 1, 2, 4);
    EXPECT_EQ(b.count[night], 2);
    EXPECT_EQ(m().assigned.at(Level::Unit, 4, night, Figure::Staff), 1);
    EXPECT_EQ(a.count[night], 1);
    EXPECT_EQ(m().assigned.at(Level::Unit, 2, night, Figure::Staff), 1);
}

TEST_F(TalliesTest, ChangingOneCellKeepsTheCountsEqualToAFullRecount) {
    build(db(), 6, 2);
    addCalendarDay(db(), u"2024/04/10"_s, 1);
    addRequest(db(), 2, u"0002"_s, u"2024/04/05"_s, u"夜"_s);
    // A short period: days past its end stay out.
    load(u"2024/04/01"_s, u"2024/04/20"_s, Grouping::ByTeam);
    person(u"0003"_s).cell(6).actualShift = u"休"_s;
    person(u"0004"_s).cell(7).early = 3;
    TallyAll(m());
    const QStringList choices = {u"日"_s, u"夜"_s, u"明"_s, u"休"_s, u"有"_s, QString()};
    std::mt19937 random(7);
    for (int i = 0; i < 600; ++i) {
        const int g = 1 + static_cast<int>(random() % 2);
        const int slot = 1 + static_cast<int>(random() % static_cast<unsigned>(m().groupCount(g)));
        const int day = -4 + static_cast<int>(random() % 45);
        SetCellShift(m(), g, slot, day, choices[static_cast<qsizetype>(random() % 6)]);
    }
    const auto assigned = m().assigned;
    std::vector<Person> people(m().group(1));
    people.insert(people.end(), m().group(2).begin(), m().group(2).end());
    TallyAll(m());
    for (int level = 1; level <= 3; ++level)
        for (int d = 1; d <= 40; ++d)
            for (int s = 1; s <= 10; ++s)
                for (const Figure f : AllFigures)
                    ASSERT_EQ(assigned.at(level, d, s, f), m().assigned.at(level, d, s, f))
                        << level << " " << d << " " << s << " " << static_cast<int>(f);
    size_t k = 0;
    for (int g = 1; g <= 2; ++g) {
        for (const Person& p : m().group(g)) {
            const Person& before = people[k++];
            EXPECT_EQ(before.count, p.count) << p.no.toStdString();
            EXPECT_EQ(before.earlyCount, p.earlyCount);
            EXPECT_EQ(before.lateCount, p.lateCount);
            EXPECT_EQ(before.restRuns, p.restRuns);
            EXPECT_EQ(before.restDaysInRuns, p.restDaysInRuns);
        }
    }
}

TEST_F(TalliesTest, RestStatisticsCountRunsOfRestDays) {
    build(db(), 1);
    load();
    Person& p = person(u"0001"_s);
    for (int d : {2, 3, 4, 10, 20, 21})
        p.cell(d).shift = u"休"_s;
    TallyPerStaff(m(), 1, 1);
    EXPECT_EQ(p.count[shiftIndex(u"休"_s)], 6);
    EXPECT_EQ(p.restRuns, 2);
    EXPECT_EQ(p.restDaysInRuns, 3);
}

TEST_F(TalliesTest, HistoryCoversTheThreeMonthsBeforeThePeriodAndPrefersActualShifts) {
    build(db(), 2);
    addRosterRow(db(), u"0001"_s, u"2023/12/30"_s, u"夜"_s); // before the window
    addRosterRow(db(), u"0001"_s, u"2023/12/31"_s, u"夜"_s);
    addRosterRow(db(), u"0001"_s, u"2024/02/10"_s, u"日"_s, u"夜"_s);
    addRosterRow(db(), u"0001"_s, u"2024/03/31"_s, u"夜"_s);
    addRosterRow(db(), u"0001"_s, u"2024/04/01"_s, u"夜"_s); // inside the period
    addRosterRow(db(), u"0002"_s, u"2024/03/01"_s, u"明"_s);
    load();
    const size_t night = static_cast<size_t>(shiftIndex(u"夜"_s));
    EXPECT_EQ(m().totalsWindowStart, u"2023/12/31"_s);
    EXPECT_EQ(m().totalsWindowEnd, u"2024/03/31"_s);
    EXPECT_EQ(person(u"0001"_s).cumulative[1][7][night], 3);
    EXPECT_EQ(person(u"0001"_s).cumulative[1][1][night], 3);
    EXPECT_EQ(person(u"0001"_s).cumulative[1][7][static_cast<size_t>(shiftIndex(u"日"_s))], 0);
    EXPECT_EQ(person(u"0002"_s).cumulative[1][7][night], 0);
}

} // namespace
