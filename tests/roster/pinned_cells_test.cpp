#include "roster/generation.h"
#include "roster/pinned_cells.h"
#include "roster/registration.h"
#include "store/records/shift_request.h"
#include "store/startup_settings.h"
#include "support/sample_workplace.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Expanded {
    TempDatabase tmp;
    RosterModel m;
    Expanded() { SampleWorkplace::build(tmp.db(), 10); }
    void expand(const std::vector<PinnedShift>& pins = {}) {
        m = RosterModel{};
        ExpandRoster(tmp.db(), m, StartupSettings{}, u"2024/04/01"_s, u"2024/04/30"_s,
                     Grouping::Everybody, pins);
    }
    QString shifts(int slot, int from, int to) const {
        QString out;
        for (int d = from; d <= to; ++d)
            out += m.person(1, slot).cell(d).shift;
        return out;
    }
};

} // namespace

TEST(PinnedCellsTest, OnlyAnOpenDayWithAShiftCanBeHeld) {
    struct Case {
        const char* name;
        void (*prepare)(RosterModel&, Cell&);
        int day;
        bool refused;
    };
    const Case cases[] = {
        {"a generated shift", [](RosterModel&, Cell&) {}, 5, false},
        {"closed", [](RosterModel& m, Cell&) { m.day(5).holidayFlag = 1; }, 5, true},
        {"requested", [](RosterModel&, Cell& c) { c.requestShift = u"有"_s; }, 5, true},
        {"unavailable", [](RosterModel&, Cell& c) { c.unavailable = 1; }, 5, true},
        {"empty", [](RosterModel&, Cell& c) { c.shift.clear(); }, 5, true},
        {"a lead day", [](RosterModel&, Cell&) {}, 0, true},
    };
    Expanded e;
    e.expand();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RosterModel m = e.m;
        c.prepare(m, m.person(1, 2).cell(5));
        EXPECT_EQ(PinProblem(m, 1, 2, c.day).isEmpty(), !c.refused);
    }
}

// A held 夜 is kept by a new expansion with its run built after it, held 日 stays too, both
// count for the day and neither becomes a request, so registering writes no leave request.
TEST(PinnedCellsTest, ANewExpansionKeepsHeldCellsAndBuildsTheRunAroundThem) {
    Expanded e;
    e.expand();
    const QString no = e.m.person(1, 2).no;
    e.expand({{no, 10, u"夜"_s, 0}, {no, 20, u"日"_s, 0}});
    EXPECT_EQ(e.shifts(2, 10, 12), u"夜明休"_s);
    EXPECT_EQ(e.shifts(2, 20, 20), u"日"_s);
    const int night = e.m.cache.workShiftIndex(u"夜"_s);
    int nights = 0;
    for (int slot = 1; slot <= e.m.groupCount(1); ++slot)
        nights += e.m.person(1, slot).cell(10).shift == u"夜"_s ? 1 : 0;
    EXPECT_EQ(e.m.assigned.at(Level::Unit, 10, night, Figure::Staff), nights);
    EXPECT_EQ(PinnedShifts(e.m),
              (std::vector<PinnedShift>{{no, 10, u"夜"_s, 0}, {no, 20, u"日"_s, 0}}));
    EXPECT_TRUE(e.m.person(1, 2).cell(10).requestShift.isEmpty());

    ASSERT_TRUE(RegisterRoster(e.tmp.db(), e.m, Registering::NewRoster).isEmpty());
    EXPECT_TRUE(
        ShiftRequest::loadForStaff(e.tmp.db(), no, u"2024/04/01"_s, u"2024/04/30"_s).empty());
}
