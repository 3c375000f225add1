#include "roster/improvement_search.h"

using namespace RosterBounds;

// A day short of shift s that no single move mends may still be mended along a chain of days:
// somebody swaps their shift on the short day for their s of another day, which leaves that
// day short instead, somebody else does the same there, and so on until a day with people to
// spare on s gives one up. Every day on the way keeps its count of s; only the first day
// gains and the last one loses. The chain is found breadth first over the days, so it is the
// shortest one, and every link is a swap that breaks no rule on its own; the whole chain is
// checked once more before it is kept.

namespace {

struct Link {
    int person = -1, from = 0; // the person who swaps, the day the chain came from
};

} // namespace

bool ImprovementSearch::linkFeasible(int person, int from, int to) {
    const PersonState& p = persons_[static_cast<size_t>(person)];
    Move mv;
    mv.add(person, from, p.code[at(to)]);
    mv.add(person, to, p.code[at(from)]);
    tick();
    std::array<int, MaxChanges> old{};
    apply(mv, old);
    const bool ok = feasible(mv);
    undo(mv, old);
    return ok;
}

bool ImprovementSearch::chainTo(int d0, int s) {
    std::array<Link, Days> prev{};
    std::array<bool, Days> seen{};
    std::array<int, Days> queue{};
    int head = 0, tail = 0;
    queue[static_cast<size_t>(tail++)] = d0;
    seen[at(d0)] = true;
    const int everybody = static_cast<int>(persons_.size());
    const auto spare = [&](int d, int x) {
        return x == rest_ || !counted(x) || people(3, d, x) > m_.requirement.at(3, d, x, 1);
    };
    int end = 0;
    while (head < tail && end == 0 && !stopped_) {
        const int d = queue[static_cast<size_t>(head++)];
        for (int i = 0; i < everybody && end == 0 && !stopped_; ++i) {
            const PersonState& p = persons_[static_cast<size_t>(i)];
            const int x = p.code[at(d)];
            if (!movable(p, d) || x == s || (x != rest_ && runPosition(x) >= 0) || !spare(d, x))
                continue;
            for (int d2 = 1; d2 <= last_ && end == 0; ++d2) {
                if (seen[at(d2)] || !movable(p, d2) || p.code[at(d2)] != s ||
                    !linkFeasible(i, d, d2))
                    continue;
                seen[at(d2)] = true;
                prev[at(d2)] = {i, d};
                if (people(3, d2, s) > m_.requirement.at(3, d2, s, 1))
                    end = d2;
                else if (tail < static_cast<int>(Days))
                    queue[static_cast<size_t>(tail++)] = d2;
            }
        }
    }
    if (end == 0)
        return false;
    Move chain;
    for (int d = end; d != d0 && chain.size + 2 <= MaxChanges;) {
        const Link l = prev[at(d)];
        const PersonState& p = persons_[static_cast<size_t>(l.person)];
        chain.add(l.person, l.from, p.code[at(d)]);
        chain.add(l.person, d, p.code[at(l.from)]);
        d = l.from;
        if (d != d0 && chain.size + 2 > MaxChanges)
            return false;
    }
    const Score before = score();
    std::array<int, MaxChanges> old{};
    apply(chain, old);
    if (feasible(chain) && score() < before) {
        ++made_;
        for (int k = 0; k < chain.size; ++k)
            computeLocks(persons_[static_cast<size_t>(chain.changes[static_cast<size_t>(k)].person)]);
        return true;
    }
    undo(chain, old);
    return false;
}

bool ImprovementSearch::chainPhase() {
    bool improved = false;
    unlocked_ = true;
    for (int d = 1; d <= last_ && !stopped_; ++d) {
        if (m_.isClosed(d))
            continue;
        for (int s = 1; s <= shiftCount_ && !stopped_; ++s)
            while (counted(s) && runPosition(s) < 0 && shortBy(3, d, s) > 0 && chainTo(d, s))
                improved = true;
    }
    unlocked_ = false;
    return improved;
}
