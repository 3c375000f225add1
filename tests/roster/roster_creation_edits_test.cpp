#include "roster/roster_creation_edits.h"
#include "support/model_builder.h"

#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The person's shifts on days `from`..`to` as one string.
QString row(const RosterModel& m, int from, int to) {
    QString s;
    for (int d = from; d <= to; ++d)
        s += m.person(1, 1).cell(d).shift.isEmpty() ? u"_"_s : m.person(1, 1).cell(d).shift;
    return s;
}

RosterModel numbered() {
    RosterModel m = buildModel();
    Person& p = addPerson(m, 1, u"1"_s);
    const QString shifts = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn"_s;
    for (int d = 1; d <= 40; ++d)
        p.cell(d).shift = shifts.mid(d - 1, 1);
    return m;
}

} // namespace

TEST(RosterCreationEdits, InsertMovesShiftsLaterOverClosedDaysAndDropsDayForty) {
    RosterModel m = numbered();
    m.day(4).holidayFlag = 1;
    m.person(1, 1).cell(3).early = 2;
    CompactBackward(m, 1, 1, 2, u"夜"_s);
    EXPECT_EQ(row(m, 1, 6), u"A夜BDCE"_s) << "day 4 is closed and keeps its cell";
    EXPECT_EQ(m.person(1, 1).cell(5).early, 2) << "the mark moves with its shift";
    EXPECT_EQ(m.person(1, 1).cell(2).early, 0);
    EXPECT_EQ(row(m, 39, 40), u"lm"_s) << "n of day 40 dropped out";
}

TEST(RosterCreationEdits, DeleteMovesShiftsEarlierOntoTheDayAndEmptiesTheLast) {
    RosterModel m = numbered();
    m.day(4).holidayFlag = 1;
    CompactForward(m, 1, 1, 2);
    EXPECT_EQ(row(m, 1, 6), u"ACEDFG"_s);
    EXPECT_EQ(row(m, 39, 40), u"n_"_s);
}

TEST(RosterCreationEdits, SequenceWritesEachWorkingShiftOnceAndStopsAfterDayForty) {
    RosterModel m = numbered();
    WriteShiftSequence(m, 1, 1, 5);
    EXPECT_EQ(row(m, 4, 8), u"D日夜休H"_s);
    WriteShiftSequence(m, 1, 1, 39);
    EXPECT_EQ(row(m, 38, 40), u"l日夜"_s);
}

// Closed and requested days show something else than the cell and are not counted, so no
// change may write into them: every change steps over both and leaves them as they were.
TEST(RosterCreationEdits, ClosedAndRequestedDaysAreLeftAsTheyAre) {
    struct Case {
        const char* name;
        std::function<void(RosterModel&)> edit;
        QString days1to8;
    };
    const Case cases[] = {
        {"insert", [](RosterModel& m) { CompactBackward(m, 1, 1, 2, u"夜"_s); }, u"A夜BDCFEG"_s},
        {"delete", [](RosterModel& m) { CompactForward(m, 1, 1, 2); }, u"ACEDGFHI"_s},
        // three working shifts, on days 2, 3 and 5
        {"sequence", [](RosterModel& m) { WriteShiftSequence(m, 1, 1, 2); }, u"A日夜D休FGH"_s},
    };
    for (const Case& c : cases) {
        RosterModel m = numbered();
        m.day(4).holidayFlag = 1;
        m.person(1, 1).cell(6).requestShift = u"有"_s;
        c.edit(m);
        EXPECT_EQ(row(m, 1, 8), c.days1to8) << c.name;
        EXPECT_EQ(m.person(1, 1).cell(4).shift, u"D"_s) << c.name << ": closed day";
        EXPECT_EQ(m.person(1, 1).cell(6).shift, u"F"_s) << c.name << ": requested day";
    }
}
