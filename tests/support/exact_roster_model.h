#pragma once

#include <QString>
#include <QStringList>
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

// The improvement pass and the exact optimum over workplaces 1..`workplaces` of the measuring
// set (VariedWorkplace::buildOfSet): whole-unit shortage summed over the workplaces the
// generation leaves short, and every rule the checker finds broken by the pass or the solver.
struct OptimumComparison {
    int plain = 0, improved = 0, optimum = 0;
    int shortWorkplaces = 0, atOptimum = 0, unproven = 0, worstGap = 0, worseThanPlain = 0;
    double slowestPassMs = 0.0, slowestSolverSeconds = 0.0;
    QStringList violations; // "workplace N: ..." lines
};

// With `trace` each short workplace gets a line on stdout.
OptimumComparison CompareWithOptimum(int workplaces, int timeLimitSeconds, bool trace);
