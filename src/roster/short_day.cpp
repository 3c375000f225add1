#include "roster/short_day.h"

#include "roster/roster_model.h"

const QString& ReportedShift(const RosterModel& m, int group, int slot, int day) {
    const Cell& c = m.person(group, slot).cell(day);
    if (!c.actualShift.isEmpty())
        return c.actualShift;
    if (m.loaded.mode == LoadMode::Generation)
        return c.requestShift.isEmpty() ? c.shift : c.requestShift;
    return c.shift.isEmpty() ? c.requestShift : c.shift;
}
