#pragma once

struct RosterModel;
struct RunShape;

// The second generation pass: the default shift on every open day, surplus people moved into
// short shifts, long runs of work broken up and rest days added up to the rest shift's maximum.
void FillRemainingShifts(RosterModel& m);

// Phase 1 while filling and moving people, phase 2 while inserting rest days (when a request or
// an unavailable day also rules the day out). Never on a shift of a mandatory run of two or more
// positions, so that no single day is taken out of such a run.
bool HasSurplus(const RosterModel& m, int group, int slot, int day, int phase);

// Moves surplus people from the default shift into shift s on day d (selection rule 1..4). A shift
// of a mandatory run of two or more positions is left short: one person moved in would hold it
// without the rest of its run.
void CoverShortage(RosterModel& m, int s, int d, int who, int level, int rule);

void BreakLongRuns(RosterModel& m, const RunShape& r, int group, int slot);
void InsertRest(RosterModel& m, const RunShape& r, int group, int slot, int e, int length);
void AddRestDaysUpToMax(RosterModel& m, int group, int slot);

// L / 2 rounded to the nearest integer, halves to the even one.
int HalfRoundedToEven(int length);
