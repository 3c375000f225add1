#pragma once

#include "roster/roster_objective.h"

#include <QString>
#include <cstdint>
#include <vector>

struct RosterModel;

// One cell the improvement pass changed, with the shift before and after.
struct ChangedCell {
    int group = 0, slot = 0, day = 0;
    QString staffNo, before, after;
    bool operator==(const ChangedCell&) const = default;
};

struct ImprovementOptions {
    // The search stops after this many tried moves; the result depends on nothing else, so the
    // same model always gives the same roster.
    std::int64_t moveBudget = 2'000'000;
    // Safety net only: when it stops the search first, the result says so, since it could then
    // differ between machines.
    int timeLimitMs = 5000;
};

struct ImprovementResult {
    ObjectiveTerms before, after;
    std::vector<ChangedCell> changed; // group, slot and day order
    std::int64_t movesTried = 0;
    int movesMade = 0;
    bool budgetSpent = false;
    bool timeLimitHit = false;
    double elapsedMs = 0.0; // for the record only; nothing in the result depends on it
};

// Improves a generated roster in place by moving shifts between days and people: whole-unit
// shortage first, then staff-group shortage, leader shortage (each over the shifts counted in
// the shortage check), the spread of nights and of weekend days off, and the fewest changed
// cells. Only open days of pattern workers without a request are touched; every day holding a
// shift of the mandatory run stays inside a whole run, its closing rest day included; no day's
// night (the run's first shift) ends up shorter than on entry; no prohibited pattern is created;
// no person goes above a shift's maximum over the period, below the rest days or past the
// longest working run they had; no leader requirement gets worse. Changed cells lose their
// early/late mark. The tallies must be current on entry and are current on return. To undo,
// keep a copy of the model.
ImprovementResult ImproveRoster(RosterModel& m, const ImprovementOptions& options = {});
