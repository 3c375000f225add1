#pragma once

#include <QString>
#include <memory>

struct RosterModel;

// The fewest whole-unit shortage person-shifts any roster can reach from a generated one
// without breaking a hard rule the improvement pass keeps, found by an integer program that
// the CBC solver (the `cbc` program) solves. The cells it may change are those the pass may
// change; its rules are those of the rule checker, written out again as linear constraints.
// For measuring the pass only: the program itself never needs a solver.
struct ExactOptimum {
    bool solved = false; // a roster came back
    bool proven = false; // and it is optimal, not the best found when the time ran out
    int unitShortage = 0;
    double seconds = 0.0;
    QString error;
    std::unique_ptr<RosterModel> roster; // the solver's roster, tallies current
};

// Whether the `cbc` program is there to run.
bool ExactSolverAvailable();

ExactOptimum SolveExactly(const RosterModel& generated, int restInterval, int timeLimitSeconds);
