#include "roster/shift_assignment.h"

#include "roster/roster_model.h"
#include "roster/run_shape.h"

using namespace RosterBounds;

namespace {

bool isOpen(const RosterModel& m, const Person& p, int d) {
    return p.cell(d).unavailable != 1 && !m.isClosed(d);
}

int positionInRun(const RunShape& r, const QString& shift) {
    if (shift.isEmpty())
        return 0;
    for (int i = 0; i < r.mandatoryLength; ++i)
        if (r.run[static_cast<size_t>(i)] == shift)
            return i + 1;
    return 0;
}

const QString& runShift(const RunShape& r, int position) {
    return r.run[static_cast<size_t>(position - 1)];
}

const Pattern* weekdayPattern(const RosterModel& m, int no) {
    for (const Pattern& p : m.cache.patterns[5])
        if (p.no == no)
            return &p;
    return nullptr;
}

// Lays the whole run onto a person from `day` on, each position onto the next free day.
// Returns whether anything was placed.
bool layRun(RosterModel& m, const RunShape& r, int g, int slot, int day) {
    bool placed = false;
    int d = day;
    for (int pos = 1; pos <= r.mandatoryLength; ++pos) {
        while (d <= LastDay && m.cellState(m.person(g, slot), d) != CellState::Free)
            ++d;
        if (d > LastDay)
            break;
        PlaceShift(m, g, slot, d, runShift(r, pos));
        placed = true;
        ++d;
    }
    return placed;
}

template <typename Fn> void forEachPerson(RosterModel& m, Fn&& fn) {
    for (int g = 1; g <= 2; ++g)
        for (int slot = 1; slot <= m.groupCount(g); ++slot)
            fn(g, slot);
}

} // namespace

int LastOpenLeadDay(const RosterModel& m) {
    for (int d = 0; d >= FirstDay; --d)
        if (!m.isClosed(d))
            return d;
    return 0;
}

int FirstOpenDay(const RosterModel& m) {
    for (int d = 1; d <= 5; ++d)
        if (!m.isClosed(d))
            return d;
    return 1;
}

void AssignFixedWeek(RosterModel& m, int group, int slot) {
    for (int d = 1; d <= LastDay; ++d) {
        const Person& p = m.person(group, slot);
        if (!isOpen(m, p, d))
            continue;
        const int wd = m.day(d).weekday;
        PlaceShift(m, group, slot, d,
                   (wd == 1 || wd == 7) ? m.cache.restShift : m.cache.noShiftWorkShift);
    }
}

void AssignWeekdayPattern(RosterModel& m, int group, int slot) {
    const Pattern* pattern = weekdayPattern(m, m.person(group, slot).fixedPattern);
    if (pattern == nullptr)
        return;
    for (int d = 1; d <= LastDay; ++d) {
        const int wd = m.day(d).weekday;
        if (!isOpen(m, m.person(group, slot), d) || wd < 1 || wd > pattern->length())
            continue;
        PlaceShift(m, group, slot, d, pattern->shifts[static_cast<size_t>(wd - 1)]);
    }
}

void ContinueMandatoryRun(RosterModel& m, const RunShape& r, int group, int slot) {
    const int p = positionInRun(r, m.person(group, slot).cell(LastOpenLeadDay(m)).shift);
    if (p == 0)
        return;
    int d = FirstOpenDay(m);
    for (int pos = p + 1; pos <= r.mandatoryLength && d <= LastDay; ++pos, ++d) {
        const Person& person = m.person(group, slot);
        // The first day that is not open ends the continuation.
        if (!person.cell(d).requestShift.isEmpty() || !isOpen(m, person, d))
            return;
        PlaceShift(m, group, slot, d, runShift(r, pos));
    }
}

void PlaceRunsAroundRequests(RosterModel& m, const RunShape& r, int group, int slot) {
    for (int day = 1; day <= LastDay; ++day) {
        const int f = positionInRun(r, m.person(group, slot).cell(day).requestShift);
        if (f == 0)
            continue;
        int d = day + 1;
        for (int pos = f + 1; pos <= r.mandatoryLength; ++pos) {
            while (d <= LastDay && m.cellState(m.person(group, slot), d) != CellState::Free)
                ++d;
            if (d > LastDay)
                break;
            PlaceShift(m, group, slot, d, runShift(r, pos));
            ++d;
        }
        d = day - 1;
        for (int pos = f - 1; pos >= 1 && d >= 1; --pos, --d)
            if (m.cellState(m.person(group, slot), d) == CellState::Free)
                PlaceShift(m, group, slot, d, runShift(r, pos));
    }
}

bool CandidateScore::betterThan(const CandidateScore& best) const {
    if (!acceptable)
        return false;
    if (!best.acceptable)
        return true;
    if (daysSince != best.daysSince)
        return daysSince > best.daysSince;
    if (periodCount != best.periodCount)
        return periodCount < best.periodCount;
    return historyCount < best.historyCount;
}

CandidateScore EvaluateCandidate(const RosterModel& m, const RunShape& r, const Person& p,
                                 int day) {
    CandidateScore score;
    if (r.mandatoryLength == 0 || r.mandatoryShift == 0)
        return score;
    const QString& first = r.run.front();
    score.daysSince = day + 5;
    for (int d = day; d >= FirstDay; --d) {
        if (p.cell(d).shift == first || p.cell(d).requestShift == first) {
            score.daysSince = day - d;
            break;
        }
    }
    if (score.daysSince == 0)
        return score;
    int examined = 0;
    for (int d = day; d <= day + r.mandatoryLength && d <= LastDay; ++d, ++examined)
        if (m.cellState(p, d) == CellState::Taken)
            return score;
    if (examined < r.mandatoryLength)
        return score;
    score.periodCount = p.count[static_cast<size_t>(r.mandatoryShift)];
    score.historyCount = p.cumulative[1][7][static_cast<size_t>(r.mandatoryShift)];
    score.acceptable = true;
    return score;
}

void CoverMandatoryShift(RosterModel& m, const RunShape& r, int day, int who, int level) {
    if (r.mandatoryShift == 0)
        return;
    const StaffingGoal goal = StaffingTarget(m, day, r.mandatoryShift, who, level);
    while (m.assigned.at(level, day, r.mandatoryShift, goal.column) < goal.required) {
        CandidateScore best;
        int bestGroup = 0, bestSlot = 0;
        ForEachCoverCandidate(m, who, level, [&](int g, int slot, const Person& p) {
            const CandidateScore score = EvaluateCandidate(m, r, p, day);
            if (score.betterThan(best)) {
                best = score;
                bestGroup = g;
                bestSlot = slot;
            }
        });
        if (bestGroup == 0 || !layRun(m, r, bestGroup, bestSlot, day))
            return;
    }
}

QString CheckFillerNeeded(const RosterModel& m, const QString& shift, int group, int slot,
                          int day) {
    const int s = m.cache.workShiftIndex(shift);
    // Only working shifts have requirements to check; anything else stays as the pattern says.
    if (s == 0 || day < 1)
        return shift;
    const int k = group;
    const auto count = [&](int level, Figure f) { return m.assigned.at(level, day, s, f); };
    const auto need = [&](int level, Figure f) { return m.requirement.at(level, day, s, f); };
    bool stays;
    if (m.person(group, slot).leader == 1) {
        stays = count(k, Figure::Staff) < need(Level::FirstGroup, Figure::Staff) ||
                count(k, Figure::Leaders) < need(Level::FirstGroup, Figure::Leaders) ||
                count(Level::Unit, Figure::Staff) < need(Level::Unit, Figure::Staff) ||
                count(Level::Unit, Figure::Leaders) < need(Level::Unit, Figure::Leaders);
    } else {
        const bool short1 = count(k, Figure::Staff) < need(Level::FirstGroup, Figure::Staff) ||
                            count(Level::Unit, Figure::Staff) < need(Level::Unit, Figure::Staff);
        const bool stillShort =
            count(k, Figure::Staff) + 1 < need(Level::FirstGroup, Figure::Staff) ||
            count(Level::Unit, Figure::Staff) + 1 < need(Level::Unit, Figure::Staff);
        stays = (short1 && stillShort) || need(Level::Unit, Figure::Staff) == 0;
    }
    if (stays)
        return shift;
    return m.cache.replacementOrder.empty() ? QString() : m.cache.replacementOrder.front();
}

void AddPatternFillers(RosterModel& m, const RunShape& r, int group, int slot) {
    const auto fill = [&](int d, const QString& shift) {
        const QString chosen = CheckFillerNeeded(m, shift, group, slot, d);
        if (!chosen.isEmpty())
            PlaceShift(m, group, slot, d, chosen);
    };
    if (r.preCount > 0) {
        for (int h = 1; h <= LastDay; ++h) {
            if (m.person(group, slot).cell(h).shift.isEmpty())
                continue;
            bool allFree = true;
            for (int d = h - r.preCount; d < h && allFree; ++d)
                allFree = d >= FirstDay && m.cellState(m.person(group, slot), d) == CellState::Free;
            if (!allFree)
                continue;
            for (int pos = 1; pos <= r.preCount; ++pos) {
                const int d = h - r.preCount + pos - 1;
                if (d >= 1)
                    fill(d, r.base[static_cast<size_t>(pos - 1)]);
            }
        }
    }
    if (r.postCount > 0 && r.mandatoryLength > 0) {
        for (int l = FirstDay; l <= LastDay; ++l) {
            const Person& p = m.person(group, slot);
            if (p.cell(l).shift != r.run.front())
                continue;
            const int after = l + r.mandatoryLength;
            if (after + r.postCount - 1 > LastDay)
                continue;
            bool fits = true;
            for (int i = 0; i < r.mandatoryLength && fits; ++i) {
                const QString& held = p.cell(l + i).shift;
                fits = held.isEmpty() || held == r.run[static_cast<size_t>(i)];
            }
            for (int i = 0; i < r.postCount && fits; ++i)
                fits = m.cellState(p, after + i) == CellState::Free;
            if (!fits)
                continue;
            for (int i = 0; i < r.postCount; ++i)
                if (after + i >= 1)
                    fill(after + i, r.base[static_cast<size_t>(r.postStart - 1 + i)]);
        }
    }
}

void AssignShifts(RosterModel& m) {
    const RunShape r = RunShape::from(m.cache);
    forEachPerson(m, [&](int g, int slot) {
        switch (m.person(g, slot).shiftType) {
        case 2:
            AssignFixedWeek(m, g, slot);
            break;
        case 5:
            AssignWeekdayPattern(m, g, slot);
            break;
        default:
            ContinueMandatoryRun(m, r, g, slot);
            PlaceRunsAroundRequests(m, r, g, slot);
            break;
        }
    });
    for (int day = FirstOpenDay(m); day <= LastDay; ++day)
        for (int who : {1, 2})
            for (int level : {1, 2, 3})
                CoverMandatoryShift(m, r, day, who, level);
    forEachPerson(m, [&](int g, int slot) { AddPatternFillers(m, r, g, slot); });
}
