#pragma once

#include <cstdint>

struct RosterModel;
struct Person;

// The figures a roster is judged by, in the order they matter: whole-unit shortage person-shifts,
// staff-group shortages, leader shortages, then fairness. Shortages are counted from the model's
// tallies exactly as the count rows show them (days 1..31 up to the period end, closed days
// left out), over the shifts marked as counted in the shortage check, so the tallies must be
// current.
struct ObjectiveTerms {
    int unitShortage = 0;   // person-shifts short of the whole-unit minimum
    int groupShortage = 0;  // person-shifts short of the team minimum, summed over both groups
    int leaderShortage = 0; // leaders short, whole unit and both groups
    // Spread (population standard deviation) over the night-capable people of their nights
    // (the mandatory run's first shift) and of their Saturdays and Sundays off.
    double nightSpread = 0.0;
    double weekendOffSpread = 0.0;
    int nightCapable = 0; // how many people the spreads are taken over

    bool operator==(const ObjectiveTerms&) const = default;
};

// Whether a shortage of working shift `shift` counts: the shift is marked as counted in the
// shortage check.
bool CountsAsShort(const RosterModel& m, int shift);

// Whether a person takes part in the night runs, and so in the fairness figures.
bool IsNightCapable(const Person& p);

// A working day: the day's shift (a request wins over the planned shift) is a working shift
// other than the rest shift. Closed days, leave and the rest shift are days off.
bool IsWorkingDay(const RosterModel& m, const Person& p, int day);

// Saturdays and Sundays in the period (days 1..31 up to the period end) the person is off.
int WeekendDaysOff(const RosterModel& m, const Person& p);

// Working-shift index of the mandatory run's first shift, 0 without a mandatory run.
int NightShiftIndex(const RosterModel& m);

// n times the sum of squares minus the square of the sum: n squared times the variance, kept
// as an integer so that two rosters compare exactly.
std::int64_t ScaledVariance(std::int64_t n, std::int64_t sum, std::int64_t sumOfSquares);

ObjectiveTerms MeasureObjective(const RosterModel& m);
