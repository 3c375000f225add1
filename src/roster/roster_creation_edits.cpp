#include "roster/roster_creation_edits.h"

#include "roster/roster_model.h"

#include <vector>

namespace {

// Whether the person's shift on `d` is theirs to move: a closed day shows the rest shift and a
// requested day the request, whatever the cell holds, so neither takes part in a change; a
// cell held by hand stays as it is.
bool movable(const RosterModel& m, const Person& p, int d) {
    return m.day(d).holidayFlag != 1 && p.cell(d).requestShift.isEmpty() && !p.cell(d).pinned;
}

// `day` itself, then every later movable day of the person up to day 40.
std::vector<int> movableDaysFrom(const RosterModel& m, const Person& p, int day) {
    std::vector<int> days{day};
    for (int d = day + 1; d <= RosterBounds::LastDay; ++d)
        if (movable(m, p, d))
            days.push_back(d);
    return days;
}

} // namespace

void CompactBackward(RosterModel& m, int group, int slot, int day, const QString& abbrev) {
    Person& p = m.person(group, slot);
    const std::vector<int> days = movableDaysFrom(m, p, day);
    for (size_t i = days.size() - 1; i > 0; --i) {
        const Cell& from = p.cell(days[i - 1]);
        Cell& to = p.cell(days[i]);
        to.shift = from.shift;
        to.early = from.early;
    }
    p.cell(day).shift = abbrev;
    p.cell(day).early = 0;
}

void CompactForward(RosterModel& m, int group, int slot, int day) {
    Person& p = m.person(group, slot);
    const std::vector<int> days = movableDaysFrom(m, p, day);
    for (size_t i = 0; i + 1 < days.size(); ++i) {
        const Cell& from = p.cell(days[i + 1]);
        Cell& to = p.cell(days[i]);
        to.shift = from.shift;
        to.early = from.early;
    }
    p.cell(days.back()).shift.clear();
    p.cell(days.back()).early = 0;
}

void WriteShiftSequence(RosterModel& m, int group, int slot, int day) {
    Person& p = m.person(group, slot);
    const std::vector<int> days = movableDaysFrom(m, p, day);
    const int shifts = m.cache.workShiftCount();
    for (int s = 1; s <= shifts && static_cast<size_t>(s) <= days.size(); ++s)
        p.cell(days[static_cast<size_t>(s - 1)]).shift = m.cache.workShift(s).abbrev;
}
