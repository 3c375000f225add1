#pragma once

#include "roster/roster_model.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

// The undo and redo steps of a roster screen. A step keeps what a change can touch as it was
// before the change: the people (cells, marks, pins and their own counts) and the day counts,
// with the cells framed on screen at the time. Periods, masters and requirements are left to
// the model, since no step changes them.
class RosterHistory final {
public:
    using Cells = std::set<std::tuple<int, int, int>>; // (group, slot, day)

    // The state of the roster at one moment.
    struct State {
        std::array<std::vector<Person>, 2> groups;
        StaffingMatrix<8> assigned;
        Cells framed;
    };

    // What undo or redo put back: the cells to frame and the people, as (group, slot), whose
    // row differs from what it replaced.
    struct Restored {
        Cells framed;
        std::vector<std::pair<int, int>> people;
    };

    // The oldest steps are dropped beyond this many.
    static constexpr std::size_t Depth = 50;

    static State take(const RosterModel& m, Cells framed = {});
    // A change was made: `before` is undone to by the next undo; nothing is left to redo.
    void push(State before);
    void record(const RosterModel& m, Cells framed = {}) { push(take(m, std::move(framed))); }

    // Puts the state before the last step back into `m` and keeps the one replaced (framed as
    // `framedNow`) for redo; nothing when there was no step.
    std::optional<Restored> undo(RosterModel& m, Cells framedNow);
    // The reverse of the last undo.
    std::optional<Restored> redo(RosterModel& m, Cells framedNow);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void clear();

private:
    static Restored swapIn(RosterModel& m, std::deque<State>& from, std::deque<State>& to,
                           Cells framedNow);

    std::deque<State> undo_, redo_;
};
