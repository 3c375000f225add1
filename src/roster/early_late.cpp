#include "roster/early_late.h"

#include "roster/roster_model.h"
#include "roster/tallies.h"

namespace {

// The figure of a mark kind in RosterModel::assigned and RosterModel::requirement.
Figure countColumn(int kind) {
    return kind == EarlyLate::Early ? Figure::Early : Figure::Late;
}

bool stillShort(const RosterModel& m, int day, int shift, int kind) {
    const Figure figure = countColumn(kind);
    return m.assigned.at(Level::Unit, day, shift, figure) <
           m.requirement.at(Level::Unit, day, shift, figure);
}

} // namespace

bool PickEarlyLatePerson(RosterModel& m, int day, int shift, int kind) {
    const QString& abbrev = m.cache.workShift(shift).abbrev;
    const auto s = static_cast<size_t>(shift);
    bool marked = false;
    for (int g = 1; g <= 2; ++g) {
        if (!stillShort(m, day, shift, kind))
            break;
        Person* winner = nullptr;
        int fewest = 0;
        for (Person& p : m.group(g)) {
            if (p.no.isEmpty())
                break;
            const Cell& c = p.cell(day);
            if (c.unavailable == 1 || !c.requestShift.isEmpty() || c.shift != abbrev ||
                c.early != 0 || p.earlyAllowed != 1)
                continue;
            const int marks = kind == EarlyLate::Early ? p.earlyCount[s] : p.lateCount[s];
            if (!winner || marks < fewest) {
                winner = &p;
                fewest = marks;
            }
        }
        if (!winner)
            continue;
        winner->cell(day).early = kind;
        TallyAll(m);
        marked = true;
    }
    return marked;
}

void AssignEarlyLate(RosterModel& m) {
    const int shifts = m.cache.workShiftCount();
    for (int d = 1; d <= RosterBounds::MaxPeriodDay; ++d) {
        const DayInfo& day = m.day(d);
        if (day.date.isEmpty() || day.date > m.periodEnd)
            break;
        if (day.holidayFlag == 1)
            continue;
        for (int s = 1; s <= shifts; ++s) {
            if (m.cache.workShift(s).earlyKind < 1)
                continue;
            for (int kind : {EarlyLate::Early, EarlyLate::Late})
                while (stillShort(m, d, s, kind))
                    if (!PickEarlyLatePerson(m, d, s, kind))
                        break;
        }
    }
}
