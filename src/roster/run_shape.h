#pragma once

#include "roster/roster_model.h"

#include <QString>
#include <functional>
#include <vector>

struct MasterCache;
struct Person;

// The mandatory run (mandatory pattern 1) and the base pattern 1 around it, with the figures
// both generation passes work from.
struct RunShape {
    std::vector<QString> run;  // the mandatory run, position 1 at index 0
    std::vector<QString> base; // base pattern 1
    int mandatoryLength = 0;
    int mandatoryShift = 0; // working-shift index of the run's first shift
    int preCount = 0;       // base positions before the mandatory part
    int mandatoryStart = 0; // 1-based base position of the run, 0 when absent
    int postStart = 0;
    int postCount = 0; // base positions after the mandatory part
    int baseLength() const { return static_cast<int>(base.size()); }

    static RunShape from(const MasterCache& cache);
};

// The required number and the column of RosterModel::assigned a step compares it with.
struct StaffingGoal {
    int required = 0;
    Figure column = Figure::Staff;
};

struct RosterModel;

// StaffingTarget(day, shift, who, level): who 1 leaders, 2 everybody; level 1, 2 team, 3 unit.
StaffingGoal StaffingTarget(const RosterModel& m, int day, int shift, int who, int level);

// Visits, in group and slot order, the people a cover step may choose from: pattern workers
// (shift type 1), leaders only when who is 1, and only staff group `level` unless level is 3.
void ForEachCoverCandidate(const RosterModel& m, int who, int level,
                           const std::function<void(int group, int slot, const Person& p)>& visit);

// Puts a shift into a person's cell and recounts that day and that person at once.
void PlaceShift(RosterModel& m, int group, int slot, int day, const QString& shift);
