#include "roster/roster_history.h"

RosterHistory::State RosterHistory::take(const RosterModel& m, Cells framed) {
    return State{m.groups, m.assigned, std::move(framed)};
}

void RosterHistory::push(State before) {
    undo_.push_back(std::move(before));
    if (undo_.size() > Depth)
        undo_.pop_front();
    redo_.clear();
}

std::optional<RosterHistory::Restored> RosterHistory::undo(RosterModel& m, Cells framedNow) {
    if (undo_.empty())
        return std::nullopt;
    return swapIn(m, undo_, redo_, std::move(framedNow));
}

std::optional<RosterHistory::Restored> RosterHistory::redo(RosterModel& m, Cells framedNow) {
    if (redo_.empty())
        return std::nullopt;
    return swapIn(m, redo_, undo_, std::move(framedNow));
}

// The people are swapped, not copied, so a step costs no more than the day counts' copy.
RosterHistory::Restored RosterHistory::swapIn(RosterModel& m, std::deque<State>& from,
                                              std::deque<State>& to, Cells framedNow) {
    State next = std::move(from.back());
    from.pop_back();
    State current{std::move(m.groups), m.assigned, std::move(framedNow)};
    m.groups = std::move(next.groups);
    m.assigned = next.assigned;
    Restored restored{std::move(next.framed), {}};
    for (int g = 1; g <= 2; ++g)
        for (int slot = 1; slot <= m.groupCount(g); ++slot) {
            const auto& before = current.groups[static_cast<size_t>(g - 1)];
            if (static_cast<size_t>(slot) > before.size() ||
                !(before[static_cast<size_t>(slot - 1)] == m.person(g, slot)))
                restored.people.emplace_back(g, slot);
        }
    to.push_back(std::move(current));
    return restored;
}

void RosterHistory::clear() {
    undo_.clear();
    redo_.clear();
}
