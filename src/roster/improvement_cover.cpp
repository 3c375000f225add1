#include "roster/improvement_search.h"

using namespace RosterBounds;

// Moves that give shift s one more person on day d: among the people of `group` (0 any), and
// only leaders when asked. Commits the best one when it improves the score.
bool ImprovementSearch::coverSlot(int d, int s, int group, bool leadersOnly) {
    Score best = score();
    Move bestMove;
    bool found = false;
    const int k = runPosition(s);
    if (k >= 0 && s != rest_)
        coverRunSlot(d, s, group, leadersOnly, best, bestMove, found);
    else if (k < 0)
        coverPlainSlot(d, s, group, leadersOnly, best, bestMove, found);
    if (!found && group == 0 && !leadersOnly && k < 0)
        found = coverThroughSecondPerson(d, s, best, bestMove);
    return found && commit(bestMove);
}

// A shift of the mandatory run: a whole run laid, slid, moved or taken over.
void ImprovementSearch::coverRunSlot(int d, int s, int group, bool leadersOnly, Score& best,
                                     Move& bestMove, bool& found) {
    const bool unitOnly = group == 0 && !leadersOnly;
    const auto wanted = [&](const PersonState& p) {
        return (group == 0 || p.group == group) && (!leadersOnly || p.leader);
    };
    const int everybody = static_cast<int>(persons_.size());
    const int length = static_cast<int>(run_.size());
    const int k = runPosition(s);
    const int e = d - k;
    for (int i = 0; i < everybody && !stopped_; ++i) {
        const PersonState& p = persons_[static_cast<size_t>(i)];
        if (!wanted(p))
            continue;
        // One of the person's runs a day or two away slid here.
        for (int a = e - 2; a <= e + 2 && !stopped_; ++a)
            if (a != e)
                consider(slide(i, a, e - a), best, bestMove, found);
        if (!blockFree(p, e))
            continue;
        // A new run.
        Move mv;
        for (int j = 0; j < length; ++j)
            if (p.code[at(e + j)] != run_[static_cast<size_t>(j)])
                mv.add(i, e + j, run_[static_cast<size_t>(j)]);
        consider(mv, best, bestMove, found);
        // The same with a rest day after it, for a run that does not end with one.
        if (rest_ != 0 && run_.back() != rest_ && movable(p, e + length) &&
            p.code[at(e + length)] != rest_) {
            mv.add(i, e + length, rest_);
            consider(mv, best, bestMove, found);
        }
        // One of the person's runs moved here.
        for (int a = 1; a + length - 1 <= last_ && !stopped_; ++a) {
            if ((a + length > e && a < e + length) || !instanceAt(p, a))
                continue;
            Move swap;
            for (int j = 0; j < length; ++j) {
                swap.add(i, e + j, run_[static_cast<size_t>(j)]);
                if (p.code[at(e + j)] != run_[static_cast<size_t>(j)])
                    swap.add(i, a + j, p.code[at(e + j)]);
            }
            consider(swap, best, bestMove, found);
        }
        if (unitOnly)
            continue;
        // Somebody else's run on the same days taken over.
        for (int o = 0; o < everybody && !stopped_; ++o) {
            const PersonState& q = persons_[static_cast<size_t>(o)];
            if (o == i || wanted(q) || !instanceAt(q, e))
                continue;
            Move take;
            for (int j = 0; j < length; ++j) {
                take.add(i, e + j, run_[static_cast<size_t>(j)]);
                if (p.code[at(e + j)] != run_[static_cast<size_t>(j)])
                    take.add(o, e + j, p.code[at(e + j)]);
            }
            consider(take, best, bestMove, found);
        }
    }
}

// Any other shift: the person's cell recoloured, rotated with another day, or exchanged with
// somebody of another group.
void ImprovementSearch::coverPlainSlot(int d, int s, int group, bool leadersOnly, Score& best,
                                       Move& bestMove, bool& found) {
    const bool unitOnly = group == 0 && !leadersOnly;
    const auto wanted = [&](const PersonState& p) {
        return (group == 0 || p.group == group) && (!leadersOnly || p.leader);
    };
    const int everybody = static_cast<int>(persons_.size());
    const auto surplus = [&](int day, int shift) {
        return !counted(shift) ||
               people(3, day, shift) > m_.requirement.at(Level::Unit, day, shift, Figure::Staff);
    };
    for (int i = 0; i < everybody && !stopped_; ++i) {
        const PersonState& p = persons_[static_cast<size_t>(i)];
        if (!wanted(p) || !movable(p, d))
            continue;
        const int x = p.code[at(d)];
        if (x == s || (unitOnly && !surplus(d, x)))
            continue;
        Move recolour;
        recolour.add(i, d, s);
        consider(recolour, best, bestMove, found);
        // The shift the person gives up on d goes to another day in place of one to spare
        // there: a swap of two days when that one is s, else the rest day (or the shift)
        // carried over so that the person's counts stay within their bounds.
        for (int d2 = 1; d2 <= last_ && !stopped_; ++d2) {
            if (d2 == d || !movable(p, d2))
                continue;
            const int y = p.code[at(d2)];
            if (y == x || (unitOnly && !surplus(d2, y)))
                continue;
            Move rotate;
            rotate.add(i, d, s);
            rotate.add(i, d2, x);
            consider(rotate, best, bestMove, found);
        }
        if (unitOnly)
            continue;
        for (int o = 0; o < everybody && !stopped_; ++o) {
            const PersonState& q = persons_[static_cast<size_t>(o)];
            if (o == i || wanted(q) || !movable(q, d) || q.code[at(d)] != s)
                continue;
            Move exchange;
            exchange.add(i, d, s);
            exchange.add(o, d, x);
            consider(exchange, best, bestMove, found);
        }
    }
}

// When every shift that could give way on day d is at its minimum, one person moves from such a
// shift x to s and a second person takes x over on d, handing the day they leave to another day
// where their own shift has people to spare. Only the first few people whose move to s breaks no
// rule are tried as the first person, which keeps the search linear in the staff.
bool ImprovementSearch::coverThroughSecondPerson(int d, int s, Score& best, Move& bestMove) {
    constexpr int FirstPeople = 6;
    const int everybody = static_cast<int>(persons_.size());
    bool found = false;
    int tried = 0;
    for (int i = 0; i < everybody && tried < FirstPeople && !stopped_; ++i) {
        const PersonState& p = persons_[static_cast<size_t>(i)];
        const int x = p.code[at(d)];
        if (!movable(p, d) || x == s || x == rest_ || !counted(x))
            continue;
        Move first;
        first.add(i, d, s);
        std::array<int, MaxChanges> old{};
        apply(first, old);
        const bool allowed = feasible(first);
        undo(first, old);
        ++tried_;
        if (!allowed)
            continue;
        ++tried;
        for (int j = 0; j < everybody && !stopped_; ++j) {
            const PersonState& q = persons_[static_cast<size_t>(j)];
            if (j == i || !movable(q, d))
                continue;
            const int z = q.code[at(d)];
            if (z == x || z == s ||
                (counted(z) &&
                 people(3, d, z) <= m_.requirement.at(Level::Unit, d, z, Figure::Staff)))
                continue;
            for (int d2 = 1; d2 <= last_ && !stopped_; ++d2) {
                if (d2 == d || !movable(q, d2))
                    continue;
                const int y = q.code[at(d2)];
                if (y == z || y == rest_ || !counted(y) ||
                    people(3, d2, y) <= m_.requirement.at(Level::Unit, d2, y, Figure::Staff))
                    continue;
                Move chain;
                chain.add(i, d, s);
                chain.add(j, d, x);
                chain.add(j, d2, z);
                consider(chain, best, bestMove, found);
            }
        }
        coverByMovingARun(i, d, s, best, bestMove, found);
    }
    return found;
}

// Or a run that holds a second person on day d moves to other days, leaving them what those
// days held, while person i moves to s.
void ImprovementSearch::coverByMovingARun(int i, int d, int s, Score& best, Move& bestMove,
                                          bool& found) {
    const int everybody = static_cast<int>(persons_.size());
    const int length = static_cast<int>(run_.size());
    for (int j = 0; j < everybody && !stopped_; ++j) {
        const PersonState& q = persons_[static_cast<size_t>(j)];
        if (j == i || !q.editable[at(d)])
            continue;
        for (int a = std::max(1, d - length + 1); a <= d && !stopped_; ++a) {
            if (!instanceAt(q, a))
                continue;
            for (int delta : {-2, -1, 1, 2}) {
                Move chain = slide(j, a, delta);
                if (chain.size == 0)
                    continue;
                chain.add(i, d, s);
                consider(chain, best, bestMove, found);
            }
            for (int e = 1; e + length - 1 <= last_ && !stopped_; ++e) {
                if ((e + length > a && e < a + length) || !blockFree(q, e))
                    continue;
                Move chain;
                chain.add(i, d, s);
                for (int k = 0; k < length; ++k) {
                    const int moved = q.code[at(e + k)];
                    if (moved != run_[static_cast<size_t>(k)]) {
                        chain.add(j, a + k, moved);
                        chain.add(j, e + k, run_[static_cast<size_t>(k)]);
                    }
                }
                consider(chain, best, bestMove, found);
            }
        }
    }
}

bool ImprovementSearch::unitPhase() {
    bool improved = false;
    for (int d = 1; d <= last_ && !stopped_; ++d) {
        if (m_.isClosed(d))
            continue;
        for (int s = 1; s <= shiftCount_ && !stopped_; ++s)
            while (counted(s) &&
                   people(3, d, s) < m_.requirement.at(Level::Unit, d, s, Figure::Staff) &&
                   coverSlot(d, s, 0, false))
                improved = true;
    }
    return improved;
}

bool ImprovementSearch::groupPhase() {
    bool improved = false;
    for (int g = 1; g <= 2; ++g) {
        if (!levelUsed(g))
            continue;
        for (int d = 1; d <= last_ && !stopped_; ++d) {
            if (m_.isClosed(d))
                continue;
            for (int s = 1; s <= shiftCount_ && !stopped_; ++s)
                while (counted(s) && people(g, d, s) < m_.requirement.at(g, d, s, Figure::Staff) &&
                       coverSlot(d, s, g, false))
                    improved = true;
        }
    }
    return improved;
}

bool ImprovementSearch::leaderPhase() {
    bool improved = false;
    for (int level = 1; level <= Levels; ++level) {
        if (!levelUsed(level))
            continue;
        for (int d = 1; d <= last_ && !stopped_; ++d) {
            if (m_.isClosed(d))
                continue;
            for (int s = 1; s <= shiftCount_ && !stopped_; ++s)
                while (counted(s) &&
                       leaders(level, d, s) < m_.requirement.at(level, d, s, Figure::Leaders) &&
                       coverSlot(d, s, level == 3 ? 0 : level, true))
                    improved = true;
        }
    }
    return improved;
}
