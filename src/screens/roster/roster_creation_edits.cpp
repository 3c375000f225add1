#include "screens/roster/roster_creation_edits.h"

#include "roster/roster_model.h"

#include <vector>

namespace {

// `day` itself, then every later open day up to day 40.
std::vector<int> openDaysFrom(const RosterModel& m, int day) {
    std::vector<int> days{day};
    for (int d = day + 1; d <= RosterBounds::LastDay; ++d)
        if (m.day(d).holidayFlag != 1)
            days.push_back(d);
    return days;
}

} // namespace

void CompactBackward(RosterModel& m, int group, int slot, int day, const QString& abbrev) {
    Person& p = m.person(group, slot);
    const std::vector<int> days = openDaysFrom(m, day);
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
    const std::vector<int> days = openDaysFrom(m, day);
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
    const int shifts = m.cache.workShiftCount();
    for (int s = 1, d = day; s <= shifts && d <= RosterBounds::LastDay; ++s, ++d)
        p.cell(d).shift = m.cache.workShift(s).abbrev;
}
