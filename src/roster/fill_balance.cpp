#include "roster/fill_balance.h"

#include "roster/roster_model.h"
#include "roster/run_shape.h"
#include "roster/tallies.h"

#include <algorithm>

using namespace RosterBounds;

namespace {

const QString& defaultShift(const RosterModel& m) {
    static const QString none;
    return m.cache.replacementOrder.empty() ? none : m.cache.replacementOrder.front();
}

// Free while filling and moving: nothing but the default shift (or nothing) in the cell, no
// request, available and not a closed day.
bool freeForFill(const RosterModel& m, const Person& p, int d) {
    const Cell& c = p.cell(d);
    return (c.shift.isEmpty() || c.shift == defaultShift(m)) && c.requestShift.isEmpty() &&
           c.unavailable != 1 && !m.isClosed(d);
}

int restIndex(const RosterModel& m) {
    return m.cache.restShift.isEmpty() ? 0 : m.cache.workShiftIndex(m.cache.restShift);
}

int restCount(const RosterModel& m, const Person& p) {
    const int ri = restIndex(m);
    return ri == 0 ? 0 : p.count[static_cast<size_t>(ri)];
}

bool belowRestMax(const RosterModel& m, const Person& p) {
    const int ri = restIndex(m);
    return ri != 0 && restCount(m, p) < m.cache.workShift(ri).max;
}

bool lastPeriodDay(const RosterModel& m, int d) {
    const QString& date = m.day(d).date;
    return !date.isEmpty() && date <= m.periodEnd;
}

void placeRest(RosterModel& m, int group, int slot, int d) {
    PlaceShift(m, group, slot, d, m.cache.restShift);
}

// A shift of a mandatory run of two or more positions only makes sense inside its whole run
// (a night with its after-night), so the fill pass neither moves a single person into it nor
// takes a single day of it away: a day short of it stays short for the clerk, or for a step
// that moves whole runs.
bool inMultiDayRun(const RosterModel& m, const QString& shift) {
    if (m.cache.patterns[4].empty())
        return false;
    const std::vector<QString>& run = m.cache.patterns[4].front().shifts;
    return run.size() >= 2 && std::find(run.begin(), run.end(), shift) != run.end();
}

} // namespace

int HalfRoundedToEven(int length) {
    const int half = length / 2;
    if (length % 2 == 0)
        return half;
    return half % 2 == 0 ? half : half + 1;
}

bool HasSurplus(const RosterModel& m, int group, int slot, int day, int phase) {
    if (day < 1 || day > LastDay)
        return false;
    const Person& p = m.person(group, slot);
    const Cell& c = p.cell(day);
    const int s = m.cache.workShiftIndex(c.shift);
    if (s == 0 || c.shift == m.cache.restShift || inMultiDayRun(m, c.shift))
        return false;
    if (phase == 2 && (!c.requestShift.isEmpty() || c.unavailable == 1))
        return false;
    const auto count = [&](int level, Figure f) { return m.assigned.at(level, day, s, f); };
    const auto need = [&](int level, Figure f) { return m.requirement.at(level, day, s, f); };
    const bool leader = p.leader == 1;
    bool surplus =
        count(Level::Unit, Figure::Staff) > need(Level::Unit, Figure::Staff) &&
        (!leader || count(Level::Unit, Figure::Leaders) > need(Level::Unit, Figure::Leaders));
    if (m.loaded.grouping == Grouping::ByTeam) {
        surplus =
            surplus && count(group, Figure::Staff) > need(Level::FirstGroup, Figure::Staff) &&
            (!leader || count(group, Figure::Leaders) > need(Level::FirstGroup, Figure::Leaders));
    }
    return surplus;
}

void CoverShortage(RosterModel& m, int s, int d, int who, int level, int rule) {
    const QString& shift = m.cache.workShift(s).abbrev;
    if (inMultiDayRun(m, shift))
        return;
    const StaffingGoal goal = StaffingTarget(m, d, s, who, level);
    const QString& rest = m.cache.restShift;
    while (m.assigned.at(level, d, s, goal.column) < goal.required) {
        int bestGroup = 0, bestSlot = 0, bestCount = 0;
        bool bestRested = false;
        ForEachCoverCandidate(m, who, level, [&](int g, int slot, const Person& p) {
            // Somebody already on the shift cannot add to it.
            if (!freeForFill(m, p, d) || p.cell(d).shift == shift || !HasSurplus(m, g, slot, d, 1))
                return;
            const int n = p.count[static_cast<size_t>(s)];
            const bool rested = rule == 1 && !rest.isEmpty() && p.cell(d - 1).shift == rest &&
                                p.cell(d - 2).shift == rest;
            bool better = bestGroup == 0;
            if (!better && rule == 1 && rested != bestRested)
                better = rested;
            else if (!better)
                better = n < bestCount;
            if (better) {
                bestGroup = g;
                bestSlot = slot;
                bestCount = n;
                bestRested = rested;
            }
        });
        if (bestGroup == 0)
            return;
        PlaceShift(m, bestGroup, bestSlot, d, shift);
    }
}

void InsertRest(RosterModel& m, const RunShape& r, int group, int slot, int e, int length) {
    const QString& rest = m.cache.restShift;
    if (!belowRestMax(m, m.person(group, slot)))
        return;
    if (length == r.baseLength()) {
        const int x = e - length;
        const Person& p = m.person(group, slot);
        if (x >= 2 && HasSurplus(m, group, slot, x, 2) && p.cell(x - 1).shift == rest &&
            p.cell(x - 2).shift != rest) {
            placeRest(m, group, slot, x);
            return;
        }
    }
    const int mid = HalfRoundedToEven(length);
    struct Try {
        int day, lowest;
    };
    std::vector<Try> tries = {{e - mid, 1}, {e - mid - 1, 1}, {e - mid + 1, 2}};
    if (length > 2 * r.baseLength()) {
        tries.push_back({e - mid - 2, 1});
        tries.push_back({e - mid + 2, 2});
    }
    for (const Try& t : tries) {
        if (t.day >= t.lowest && HasSurplus(m, group, slot, t.day, 2)) {
            placeRest(m, group, slot, t.day);
            return;
        }
    }
}

void BreakLongRuns(RosterModel& m, const RunShape& r, int group, int slot) {
    const QString& rest = m.cache.restShift;
    if (r.baseLength() == 0)
        return;
    int length = 0;
    for (int d = FirstDay; d <= LastDay + 1; ++d) {
        const bool inPeriod = d <= LastDay && lastPeriodDay(m, d);
        const bool working = inPeriod && m.person(group, slot).cell(d).shift != rest;
        if (working) {
            ++length;
            continue;
        }
        if (d >= 1 && length >= r.baseLength())
            InsertRest(m, r, group, slot, d, length);
        length = 0;
        if (!inPeriod && d >= 1)
            break;
    }
}

void AddRestDaysUpToMax(RosterModel& m, int group, int slot) {
    const QString& rest = m.cache.restShift;
    // Each round adds one rest day, so the rounds are bounded by the days of the period.
    for (int round = 0; round <= LastDay && belowRestMax(m, m.person(group, slot)); ++round) {
        const Person& p = m.person(group, slot);
        int candidate = 0, longest = 0, runStart = 0, length = 0;
        bool tracking = false;
        for (int d = FirstDay; d <= LastDay && lastPeriodDay(m, d); ++d) {
            if (p.cell(d).shift != rest) {
                if (tracking)
                    ++length;
                continue;
            }
            // Lead days are history: a run of work that began on a lead day is neither a
            // candidate for a rest day nor an earlier run a later one has to be longer than.
            if (tracking && runStart >= 1 && length > longest) {
                longest = length;
                if (!HasSurplus(m, group, slot, runStart, 2))
                    break;
                candidate = runStart;
            }
            tracking = true;
            runStart = d + 1;
            length = 0;
        }
        if (candidate == 0)
            return;
        placeRest(m, group, slot, candidate);
    }
}

void FillRemainingShifts(RosterModel& m) {
    const RunShape r = RunShape::from(m.cache);
    const QString& fill = defaultShift(m);
    if (!fill.isEmpty()) {
        for (auto& g : m.groups)
            for (Person& p : g)
                for (int d = 1; d <= LastDay; ++d)
                    if (freeForFill(m, p, d))
                        p.cell(d).shift = fill;
    }
    TallyAll(m);

    const int ri = restIndex(m);
    for (int s = 1; s <= static_cast<int>(m.cache.workShifts.size()); ++s) {
        if (s == ri || m.cache.workShift(s).abbrev.isEmpty())
            continue;
        for (int d = 1; d <= LastDay && lastPeriodDay(m, d); ++d)
            for (int who : {1, 2})
                for (int level : {1, 2, 3})
                    for (int rule = 1; rule <= 4; ++rule)
                        CoverShortage(m, s, d, who, level, rule);
    }
    TallyAll(m);

    // Without a rest shift among the working shifts there is no count or maximum to work to.
    if (ri == 0)
        return;
    for (int g = 1; g <= 2; ++g)
        for (int slot = 1; slot <= m.groupCount(g); ++slot)
            if (m.person(g, slot).shiftType == 1)
                BreakLongRuns(m, r, g, slot);
    for (int g = 1; g <= 2; ++g)
        for (int slot = 1; slot <= m.groupCount(g); ++slot)
            if (m.person(g, slot).shiftType == 1)
                AddRestDaysUpToMax(m, g, slot);
}
