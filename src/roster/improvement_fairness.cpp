#include "roster/improvement_search.h"

using namespace RosterBounds;

// Runs handed from people with more nights to people with fewer, on the same days.
bool ImprovementSearch::nightFairnessPhase() {
    if (night_ == 0)
        return false;
    bool improved = false;
    const int everybody = static_cast<int>(persons_.size());
    const int length = static_cast<int>(run_.size());
    for (int i = 0; i < everybody && !stopped_; ++i) {
        for (int a = 1; a + length - 1 <= last_ && !stopped_; ++a) {
            const PersonState& p = persons_[static_cast<size_t>(i)];
            if (!p.capable || !instanceAt(p, a))
                continue;
            const int mine = p.count[static_cast<size_t>(night_)];
            Score best = score();
            Move bestMove;
            bool found = false;
            for (int o = 0; o < everybody && !stopped_; ++o) {
                const PersonState& q = persons_[static_cast<size_t>(o)];
                if (o == i || !q.capable || q.count[static_cast<size_t>(night_)] + 1 >= mine ||
                    !blockFree(q, a))
                    continue;
                Move hand;
                for (int j = 0; j < length; ++j) {
                    hand.add(o, a + j, run_[static_cast<size_t>(j)]);
                    if (q.code[at(a + j)] != run_[static_cast<size_t>(j)])
                        hand.add(i, a + j, q.code[at(a + j)]);
                }
                consider(hand, best, bestMove, found);
            }
            if (found && commit(bestMove))
                improved = true;
        }
    }
    return improved;
}

// A person with more weekend days off than the mean swaps one of them for a weekday's shift,
// one with fewer the other way round.
bool ImprovementSearch::weekendFairnessPhase() {
    if (capable_ == 0)
        return false;
    bool improved = false;
    const int everybody = static_cast<int>(persons_.size());
    for (int i = 0; i < everybody && !stopped_; ++i) {
        for (int w = 1; w <= last_ && !stopped_; ++w) {
            const PersonState& p = persons_[static_cast<size_t>(i)];
            if (!p.capable || !weekend_[at(w)] || !movable(p, w))
                continue;
            const std::int64_t scaled = std::int64_t{p.weekendOff} * capable_;
            const bool offOnWeekend = !isWorking(p.code[at(w)]);
            if (scaled == weekendSum_ || (scaled > weekendSum_) != offOnWeekend)
                continue;
            Score best = score();
            Move bestMove;
            bool found = false;
            for (int d = 1; d <= last_ && !stopped_; ++d) {
                if (weekend_[at(d)] || !movable(p, d) || isWorking(p.code[at(d)]) != offOnWeekend)
                    continue;
                Move swap;
                swap.add(i, w, p.code[at(d)]);
                swap.add(i, d, p.code[at(w)]);
                consider(swap, best, bestMove, found);
            }
            if (found && commit(bestMove))
                improved = true;
        }
    }
    return improved;
}
