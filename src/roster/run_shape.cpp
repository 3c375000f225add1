#include "roster/run_shape.h"

#include "roster/roster_model.h"
#include "roster/tallies.h"

RunShape RunShape::from(const MasterCache& cache) {
    RunShape r;
    if (!cache.patterns[4].empty())
        r.run = cache.patterns[4].front().shifts;
    if (!cache.patterns[1].empty())
        r.base = cache.patterns[1].front().shifts;
    r.mandatoryLength = static_cast<int>(r.run.size());
    if (r.run.empty())
        return r;
    r.mandatoryShift = cache.workShiftIndex(r.run.front());
    for (size_t j = 0; j < r.base.size(); ++j) {
        if (r.base[j] == r.run.front()) {
            r.mandatoryStart = static_cast<int>(j) + 1;
            break;
        }
    }
    // A base pattern that does not hold the mandatory run has nothing to put around it.
    if (r.mandatoryStart == 0)
        return r;
    r.preCount = r.mandatoryStart - 1;
    r.postStart = r.mandatoryStart + r.mandatoryLength;
    r.postCount = std::max(0, r.baseLength() - r.mandatoryStart - r.mandatoryLength + 1);
    return r;
}

StaffingGoal StaffingTarget(const RosterModel& m, int day, int shift, int who, int level) {
    if (shift < 1 || day < 1)
        return {};
    if (who == 1)
        return level == Level::Unit
                   ? StaffingGoal{m.requirement.at(Level::Unit, day, shift, Figure::Leaders),
                                  Figure::TeamLeaders}
                   : StaffingGoal{m.requirement.at(Level::FirstGroup, day, shift, Figure::Leaders),
                                  Figure::Leaders};
    return level == Level::Unit
               ? StaffingGoal{m.requirement.at(Level::Unit, day, shift, Figure::Staff),
                              Figure::TeamStaff}
               : StaffingGoal{m.requirement.at(Level::FirstGroup, day, shift, Figure::Staff),
                              Figure::Staff};
}

void ForEachCoverCandidate(const RosterModel& m, int who, int level,
                           const std::function<void(int group, int slot, const Person& p)>& visit) {
    for (int g = 1; g <= 2; ++g) {
        if (level != 3 && g != level)
            continue;
        for (int slot = 1; slot <= m.groupCount(g); ++slot) {
            const Person& p = m.person(g, slot);
            if (p.shiftType == 1 && (who != 1 || p.leader == 1))
                visit(g, slot, p);
        }
    }
}

void PlaceShift(RosterModel& m, int group, int slot, int day, const QString& shift) {
    SetCellShift(m, group, slot, day, shift);
}
