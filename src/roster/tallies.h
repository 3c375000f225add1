#pragma once

#include <QString>

class Database;
struct RosterModel;

// Clears m.assigned and counts days 1..31, and sets the recount limit to 31.
void TallyEveryDay(RosterModel& m);
// Clears and recounts m.assigned for days `day` (1 or later) to m.recountLimit.
void TallyPerDay(RosterModel& m, int day);

// Recounts every person's counts.
void TallyEverybody(RosterModel& m);
// Recounts the counts of the person in (group, slot).
void TallyPerStaff(RosterModel& m, int group, int slot);

// Recounts everything: every person's counts, then m.assigned for days 1..31.
void TallyAll(RosterModel& m);

// Recounts one changed day and one person, as every placement of the passes does.
void TallyAfterPlacement(RosterModel& m, int group, int slot, int day);

// Puts a planned shift into one cell and updates m.assigned and the person's counts by the
// difference, with the same result as TallyAfterPlacement but without recounting. Expects the
// counts to be current before the change.
void SetCellShift(RosterModel& m, int group, int slot, int day, const QString& shift);
