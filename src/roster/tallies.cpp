#include "roster/tallies.h"

#include "roster/roster_model.h"

using namespace Qt::Literals::StringLiterals;
using namespace RosterBounds;

namespace {

// The shift a cell counts as: the actual shift, else the request, else the planned shift.
const QString& effectiveShift(const Cell& c) {
    if (!c.actualShift.isEmpty())
        return c.actualShift;
    if (!c.requestShift.isEmpty())
        return c.requestShift;
    return c.shift;
}

int effectiveMark(const Cell& c) {
    return (c.actualEarly == 2 || c.actualEarly == 3) ? c.actualEarly : c.early;
}

void countDay(RosterModel& m, int d) {
    if (m.isClosed(d))
        return;
    for (int g = 1; g <= 2; ++g) {
        for (const Person& p : m.group(g)) {
            const Cell& c = p.cell(d);
            const int s = m.cache.workShiftIndex(effectiveShift(c));
            if (s == 0)
                continue;
            for (int level : {g, 3}) {
                m.assigned.at(level, d, s, Figure::Staff) += 1;
                m.assigned.at(level, d, s, Figure::TeamStaff) += 1;
                if (p.leader == 1) {
                    m.assigned.at(level, d, s, Figure::Leaders) += 1;
                    m.assigned.at(level, d, s, Figure::TeamLeaders) += 1;
                }
                const int mark = effectiveMark(c);
                if (mark == 2)
                    m.assigned.at(level, d, s, Figure::Early) += 1;
                else if (mark == 3)
                    m.assigned.at(level, d, s, Figure::Late) += 1;
            }
        }
    }
}

bool countedForStaff(const RosterModel& m, int d) {
    const QString& date = m.day(d).date;
    return d >= 1 && !date.isEmpty() && date <= m.periodEnd && !m.isClosed(d);
}

// What day d adds to the rest statistics: a rest day after a rest day, and whether it opens a
// run of rest days.
void addRestTerm(const RosterModel& m, Person& p, int d, int sign) {
    const QString& rest = m.cache.restShift;
    if (rest.isEmpty() || d > LastDay || !countedForStaff(m, d) ||
        effectiveShift(p.cell(d)) != rest || effectiveShift(p.cell(d - 1)) != rest)
        return;
    p.restDaysInRuns += sign;
    if (d - 2 < FirstDay || effectiveShift(p.cell(d - 2)) != rest)
        p.restRuns += sign;
}

void countRestStatistics(const RosterModel& m, Person& p) {
    p.restRuns = 0;
    p.restDaysInRuns = 0;
    for (int d = 1; d <= LastDay; ++d)
        addRestTerm(m, p, d, 1);
}

void countPerson(RosterModel& m, Person& p) {
    p.count = {};
    p.earlyCount = {};
    p.lateCount = {};
    const int last = m.lastDay();
    for (int d = 1; d <= last; ++d) {
        if (m.isClosed(d))
            continue;
        const Cell& c = p.cell(d);
        const int s = m.cache.workShiftIndex(effectiveShift(c));
        if (s == 0)
            continue;
        p.count[static_cast<size_t>(s)] += 1;
        const int mark = effectiveMark(c);
        if (mark == 2)
            p.earlyCount[static_cast<size_t>(s)] += 1;
        else if (mark == 3)
            p.lateCount[static_cast<size_t>(s)] += 1;
    }
    countRestStatistics(m, p);
}

// Adds (sign 1) or takes away (sign -1) what one cell contributes to the day's and the
// person's counts.
void countCell(RosterModel& m, int group, Person& p, int d, int sign) {
    const Cell& c = p.cell(d);
    const int s = m.cache.workShiftIndex(effectiveShift(c));
    if (s == 0)
        return;
    const int mark = effectiveMark(c);
    if (d >= 1 && d <= MaxPeriodDay && !m.isClosed(d)) {
        for (int level : {group, 3}) {
            m.assigned.at(level, d, s, Figure::Staff) += sign;
            m.assigned.at(level, d, s, Figure::TeamStaff) += sign;
            if (p.leader == 1) {
                m.assigned.at(level, d, s, Figure::Leaders) += sign;
                m.assigned.at(level, d, s, Figure::TeamLeaders) += sign;
            }
            if (mark == 2)
                m.assigned.at(level, d, s, Figure::Early) += sign;
            else if (mark == 3)
                m.assigned.at(level, d, s, Figure::Late) += sign;
        }
    }
    if (countedForStaff(m, d)) {
        p.count[static_cast<size_t>(s)] += sign;
        if (mark == 2)
            p.earlyCount[static_cast<size_t>(s)] += sign;
        else if (mark == 3)
            p.lateCount[static_cast<size_t>(s)] += sign;
    }
}

} // namespace

void TallyEveryDay(RosterModel& m) {
    m.assigned.clear();
    m.recountLimit = MaxPeriodDay;
    for (int d = 1; d <= MaxPeriodDay; ++d)
        countDay(m, d);
}

void TallyPerDay(RosterModel& m, int day) {
    m.assigned.clearDays(day, std::min(m.recountLimit, LastDay));
    for (int d = day; d <= std::min(m.recountLimit, MaxPeriodDay); ++d)
        countDay(m, d);
}

void TallyEverybody(RosterModel& m) {
    for (auto& g : m.groups)
        for (Person& p : g)
            countPerson(m, p);
}

void TallyPerStaff(RosterModel& m, int group, int slot) {
    countPerson(m, m.person(group, slot));
}

void TallyAll(RosterModel& m) {
    TallyEverybody(m);
    TallyEveryDay(m);
}

void TallyAfterPlacement(RosterModel& m, int group, int slot, int day) {
    if (day >= 1) {
        const int limit = m.recountLimit;
        m.recountLimit = day;
        TallyPerDay(m, day);
        m.recountLimit = limit;
    }
    TallyPerStaff(m, group, slot);
}

void SetCellShift(RosterModel& m, int group, int slot, int day, const QString& shift) {
    Person& p = m.person(group, slot);
    // A cell takes part in the rest terms of its own day and the two days after it.
    for (int d = day; d <= day + 2; ++d)
        addRestTerm(m, p, d, -1);
    countCell(m, group, p, day, -1);
    p.cell(day).shift = shift;
    countCell(m, group, p, day, 1);
    for (int d = day; d <= day + 2; ++d)
        addRestTerm(m, p, d, 1);
}
