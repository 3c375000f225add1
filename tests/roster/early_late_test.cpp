#include "roster/early_late.h"
#include "roster/tallies.h"
#include "support/model_builder.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

int marksOn(const RosterModel& m, int day, int mark) {
    int n = 0;
    for (const auto& g : m.groups)
        for (const Person& p : g)
            n += p.cell(day).early == mark ? 1 : 0;
    return n;
}

void tally(RosterModel& m) {
    TallyAll(m);
}

} // namespace

TEST(EarlyLate, MarksOnlyShiftsAndPeopleThatAllowIt) {
    RosterModel m = buildModel();
    addPerson(m, 1, u"1"_s);
    addPerson(m, 1, u"2"_s, 0);
    Person& night = addPerson(m, 1, u"3"_s);
    for (int d = 1; d <= 40; ++d)
        night.cell(d).shift = u"夜"_s;
    requireEveryDay(m, 1, Figure::Early, 2); // two early on 日: only one person may take it
    requireEveryDay(m, 2, Figure::Early, 1); // 夜 allows no marks at all
    tally(m);

    AssignEarlyLate(m);
    for (int d = 1; d <= 30; ++d) {
        EXPECT_EQ(m.person(1, 1).cell(d).early, EarlyLate::Early) << d;
        EXPECT_EQ(m.person(1, 2).cell(d).early, 0) << "not allowed, day " << d;
        EXPECT_EQ(m.person(1, 3).cell(d).early, 0) << "shift without marks, day " << d;
    }
    EXPECT_EQ(m.person(1, 1).earlyCount[1], 30);
    EXPECT_EQ(m.assigned.at(Level::Unit, 5, 1, Figure::Early), 1) << "the shortage stays";
}

TEST(EarlyLate, OneCallMarksOnePersonOfEachGroupWithFewestMarksFirst) {
    RosterModel m = buildModel();
    addPerson(m, 1, u"1"_s);
    addPerson(m, 1, u"2"_s);
    addPerson(m, 2, u"3"_s);
    requireEveryDay(m, 1, Figure::Early, 2);
    m.person(1, 1).cell(1).early = EarlyLate::Early; // slot 1 already has an early duty
    m.person(1, 1).cell(1).shift = u"日"_s;
    tally(m);

    EXPECT_TRUE(PickEarlyLatePerson(m, 2, 1, EarlyLate::Early));
    EXPECT_EQ(m.person(1, 1).cell(2).early, 0);
    EXPECT_EQ(m.person(1, 2).cell(2).early, EarlyLate::Early) << "fewest marks wins";
    EXPECT_EQ(m.person(2, 1).cell(2).early, EarlyLate::Early) << "and one of group 2";
    EXPECT_EQ(m.assigned.at(Level::Unit, 2, 1, Figure::Early), 2);
    EXPECT_FALSE(PickEarlyLatePerson(m, 2, 1, EarlyLate::Early)) << "requirement met";
}

TEST(EarlyLate, UnmeetableEarlyLeavesTheShortageAndGoesOnToLate) {
    RosterModel m = buildModel();
    addPerson(m, 1, u"1"_s);
    addPerson(m, 1, u"2"_s);
    addPerson(m, 1, u"3"_s);
    requireEveryDay(m, 1, Figure::Early, 1);
    requireEveryDay(m, 1, Figure::Late, 1);
    m.requirement.at(Level::Unit, 2, 1, Figure::Early) = 5; // day 2: more early duties than people
    m.person(1, 1).cell(4).requestShift = u"日"_s;
    m.person(1, 2).cell(4).unavailable = 1;
    tally(m);

    AssignEarlyLate(m);
    EXPECT_EQ(marksOn(m, 1, EarlyLate::Early), 1);
    EXPECT_EQ(marksOn(m, 1, EarlyLate::Late), 1);
    EXPECT_EQ(marksOn(m, 2, EarlyLate::Early), 3);
    EXPECT_EQ(m.assigned.at(Level::Unit, 2, 1, Figure::Early), 3) << "the shortage stays";
    EXPECT_EQ(marksOn(m, 2, EarlyLate::Late), 0) << "nobody left for late";
    EXPECT_EQ(marksOn(m, 3, EarlyLate::Late), 1) << "the next day goes on";
    // Day 4: only slot 3 has neither a request nor leave.
    EXPECT_EQ(m.person(1, 3).cell(4).early, EarlyLate::Early);
    EXPECT_EQ(marksOn(m, 4, EarlyLate::Late), 0);
}

TEST(EarlyLate, ClosedDaysAndDaysAfterTheThirtyFirstAreNotMarked) {
    RosterModel m = buildModel(35);
    addPerson(m, 1, u"1"_s);
    requireEveryDay(m, 1, Figure::Early, 1);
    m.day(3).holidayFlag = 1;
    tally(m);

    AssignEarlyLate(m);
    EXPECT_EQ(m.person(1, 1).cell(31).early, EarlyLate::Early);
    EXPECT_EQ(m.person(1, 1).cell(3).early, 0);
    for (int d = 32; d <= 35; ++d)
        EXPECT_EQ(m.person(1, 1).cell(d).early, 0) << d;
}
