#pragma once

struct RosterModel;

// Early and late duty marks of a generated roster (Cell::early 2 early, 3 late).
namespace EarlyLate {
constexpr int Early = 2;
constexpr int Late = 3;
} // namespace EarlyLate

// Marks early and late duties on days 1..31 up to the period end that are not closed: for
// every working shift that allows them, people on that shift are marked until the day's early
// and then late requirement (whole unit) is met or nobody eligible is left.
void AssignEarlyLate(RosterModel& m);

// Marks at most one person of staff group 1 and then one of group 2 for `kind` (early or late)
// on shift `shift` and day `day`: an available person without a request that day, on that
// shift without a mark yet, allowed early/late duties, while the day's count is still short;
// among them the one with the fewest marks of this kind on this shift, the first in slot order
// on a tie. Recounts after each mark. Returns whether anybody was marked.
bool PickEarlyLatePerson(RosterModel& m, int day, int shift, int kind);
