#include "screens/roster/shift_cell_rules.h"

#include "roster/roster_model.h"

namespace ShiftCellRules {

Palette::Number colour(const QString& shown, bool requested, const QString& restShift) {
    if (!restShift.isEmpty() && shown == restShift)
        return Palette::Red;
    return requested ? Palette::Blue : Palette::Black;
}

bool dayInPeriod(const RosterModel& m, int day) {
    if (day < RosterBounds::FirstDay || day > RosterBounds::LastDay)
        return false;
    const QString& date = m.day(day).date;
    return !date.isEmpty() && date >= m.periodStart && date <= m.periodEnd;
}

} // namespace ShiftCellRules
