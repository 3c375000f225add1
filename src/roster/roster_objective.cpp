#include "roster/roster_objective.h"

#include "roster/roster_model.h"

#include <algorithm>
#include <cmath>

using namespace RosterBounds;

namespace {

int lastCountedDay(const RosterModel& m) {
    return std::min(m.lastDay(), MaxPeriodDay);
}

const QString& dayShift(const Cell& c) {
    if (!c.actualShift.isEmpty())
        return c.actualShift;
    return c.requestShift.isEmpty() ? c.shift : c.requestShift;
}

double spread(std::int64_t n, std::int64_t sum, std::int64_t squares) {
    if (n == 0)
        return 0.0;
    return std::sqrt(static_cast<double>(ScaledVariance(n, sum, squares))) / static_cast<double>(n);
}

} // namespace

bool CountsAsShort(const RosterModel& m, int shift) {
    return m.cache.workShift(shift).shortageFlag == 1;
}

bool IsNightCapable(const Person& p) {
    return p.shiftType == 1;
}

bool IsWorkingDay(const RosterModel& m, const Person& p, int day) {
    if (m.isClosed(day))
        return false;
    const QString& s = dayShift(p.cell(day));
    return !s.isEmpty() && s != m.cache.restShift && m.cache.workShiftIndex(s) != 0;
}

int WeekendDaysOff(const RosterModel& m, const Person& p) {
    int n = 0;
    const int last = lastCountedDay(m);
    for (int d = 1; d <= last; ++d) {
        const int wd = m.day(d).weekday;
        if ((wd == 1 || wd == 7) && !IsWorkingDay(m, p, d))
            ++n;
    }
    return n;
}

int NightShiftIndex(const RosterModel& m) {
    const auto& runs = m.cache.patterns[4];
    if (runs.empty() || runs.front().shifts.empty())
        return 0;
    return m.cache.workShiftIndex(runs.front().shifts.front());
}

std::int64_t ScaledVariance(std::int64_t n, std::int64_t sum, std::int64_t sumOfSquares) {
    return n * sumOfSquares - sum * sum;
}

ObjectiveTerms MeasureObjective(const RosterModel& m) {
    ObjectiveTerms t;
    const int last = lastCountedDay(m);
    const int shifts = m.cache.workShiftCount();
    for (int d = 1; d <= last; ++d) {
        if (m.isClosed(d))
            continue;
        for (int s = 1; s <= shifts; ++s) {
            if (!CountsAsShort(m, s))
                continue;
            for (int level = 1; level <= Levels; ++level) {
                if (level < 3 && m.group(level).empty())
                    continue;
                const int shortBy = std::max(0, m.requirement.at(level, d, s, Figure::Staff) -
                                                    m.assigned.at(level, d, s, Figure::Staff));
                const int leadersShort =
                    std::max(0, m.requirement.at(level, d, s, Figure::Leaders) -
                                    m.assigned.at(level, d, s, Figure::Leaders));
                (level == 3 ? t.unitShortage : t.groupShortage) += shortBy;
                t.leaderShortage += leadersShort;
            }
        }
    }
    const int night = NightShiftIndex(m);
    std::int64_t n = 0, nights = 0, nightSquares = 0, weekends = 0, weekendSquares = 0;
    for (const auto& group : m.groups) {
        for (const Person& p : group) {
            if (!IsNightCapable(p))
                continue;
            ++n;
            const std::int64_t x = night == 0 ? 0 : p.count[static_cast<size_t>(night)];
            const std::int64_t w = WeekendDaysOff(m, p);
            nights += x;
            nightSquares += x * x;
            weekends += w;
            weekendSquares += w * w;
        }
    }
    t.nightCapable = static_cast<int>(n);
    t.nightSpread = spread(n, nights, nightSquares);
    t.weekendOffSpread = spread(n, weekends, weekendSquares);
    return t;
}
