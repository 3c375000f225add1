#include "roster/staff_availability.h"

bool AvailableOn(const QString& assignedFrom, const QString& leaveFrom, const QString& leaveTo,
                 const QString& date) {
    if (!assignedFrom.isEmpty() && date < assignedFrom)
        return false;
    const bool onLeave = !leaveFrom.isEmpty() || !leaveTo.isEmpty();
    return !(onLeave && (leaveFrom.isEmpty() || date >= leaveFrom) &&
             (leaveTo.isEmpty() || date <= leaveTo));
}
