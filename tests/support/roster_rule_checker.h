#pragma once

#include <QStringList>

struct RosterModel;

// Reads a generated roster (`before`) and the same roster after an improvement (`after`) and
// lists, one line each, every hard rule the second breaks: cells that must stay as they are
// (lead days, requests, closed and unavailable days, people off the base pattern, every other
// field), early/late marks kept on unchanged cells and cleared on changed ones, new mandatory-run
// fragments (a day with a shift of the run that no whole run covers, its rest day included),
// new prohibited patterns, a shift's maximum over the period's days, the rest-day floor, the
// longest run of working days (against the generated one and the rest interval), leader
// shortage on any day and shift, night shortage on any day, and tallies that are not current. Works
// from the cells alone, sharing nothing with the improvement pass.
QStringList CheckRosterRules(const RosterModel& before, const RosterModel& after, int restInterval);

// Lists every generated cell (a period day, no request) that holds a shift of the mandatory run
// without the rest of its run around it, except a day the run built backward from a request
// leaves alone when an earlier day of it was taken. Days stepped over are closed and unavailable
// days.
QStringList CheckGeneratedRuns(const RosterModel& generated);
