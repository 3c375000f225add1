#pragma once

#include <QString>

// Whether a person can be rostered on `date`: not before the day they join (`assignedFrom`)
// and not during a leave of absence; a leave without an end date (retirement) runs on for
// good, one without a start date covers everything up to its end. Dates are "yyyy/MM/dd"
// text, empty when unset.
bool AvailableOn(const QString& assignedFrom, const QString& leaveFrom, const QString& leaveTo,
                 const QString& date);
