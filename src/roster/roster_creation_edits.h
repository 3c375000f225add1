#pragma once

#include <QString>

struct RosterModel;

// The cell changes of the creation screen on one person's row of the model. Closed days
// (holidayFlag 1), the person's requested days and the cells held by hand are stepped over
// and left as they are;
// a shift moves with its early/late mark.

// Insert: the person's shifts from `day` on move one open day later (the shift of day 40 drops
// out) and `day` receives `abbrev`.
void CompactBackward(RosterModel& m, int group, int slot, int day, const QString& abbrev);

// Delete: the person's shifts after `day` move one open day earlier, onto `day` first; the last
// open day of the model is left empty.
void CompactForward(RosterModel& m, int group, int slot, int day);

// Shift sequence: the working shifts in table order, one a day on `day` and the movable days
// after it, stopping after day 40.
void WriteShiftSequence(RosterModel& m, int group, int slot, int day);
