#pragma once

#include <QString>

class Database;
struct RosterModel;

// Recounts m.assigned: day 0 clears everything and counts days 1..31 (and sets the recount
// limit to 31); a day d > 0 clears and recounts days d..model.recountLimit.
void TallyPerDay(RosterModel& m, int day);

// Recounts the per-person counts: group 0 clears and recounts everybody, otherwise the person
// in (group, slot).
void TallyPerStaff(RosterModel& m, int group, int slot = 0);

// Recounts everything: every person's counts, then m.assigned for days 1..31.
void TallyAll(RosterModel& m);

// Recounts one changed day and one person, as every placement of the passes does.
void TallyAfterPlacement(RosterModel& m, int group, int slot, int day);

// Puts a planned shift into one cell and updates m.assigned and the person's counts by the
// difference, with the same result as TallyAfterPlacement but without recounting. Expects the
// counts to be current before the change.
void SetCellShift(RosterModel& m, int group, int slot, int day, const QString& shift);
