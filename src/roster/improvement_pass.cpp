#include "roster/improvement_pass.h"

#include "roster/improvement_search.h"

ImprovementResult ImproveRoster(RosterModel& m, const ImprovementOptions& options) {
    const ObjectiveTerms before = MeasureObjective(m);
    ImprovementResult result = ImprovementSearch(m, options).run();
    result.before = before;
    result.after = MeasureObjective(m);
    return result;
}
