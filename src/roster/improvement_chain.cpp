#include "roster/improvement_search.h"

using namespace RosterBounds;

// A short day is often covered only through a chain of people: one person moves to the short
// shift, leaving their own shift of that day (or of another day, when they trade two of their
// days) one person down; somebody else fills that gap in the same way, and so on until the gap
// opens where the shift has people to spare or is not counted at all. The phase looks for the
// shortest such chain by a breadth-first search over the (day, shift) gaps, each link a single
// person's recolour or trade of two days that breaks no rule on its own, and keeps the chain
// when it holds as a whole.

namespace {

// Links tried a short slot; a search that finds no chain within it gives up.
constexpr int LinkBudget = 40000;
// The longest chain followed.
constexpr int MaxLinks = 8;

} // namespace

bool ImprovementSearch::chainPhase() {
    bool improved = false;
    for (int d = 1; d <= last_ && !stopped_; ++d) {
        if (m_.isClosed(d))
            continue;
        for (int s = 1; s <= shiftCount_ && !stopped_; ++s)
            while (counted(s) && runPosition(s) < 0 &&
                   people(3, d, s) < m_.requirement.at(Level::Unit, d, s, Figure::Staff) &&
                   coverByChain(d, s))
                improved = true;
    }
    return improved;
}

bool ImprovementSearch::coverByChain(int d0, int s0) {
    // A gap: somebody has to take shift `s` on day `d`. Each reached gap remembers the link
    // that opened it and the gap that link filled.
    struct Gap {
        int day = 0, shift = 0, parent = -1, links = 0;
        Move link;
    };
    const auto spare = [&](int d, int s) {
        return !counted(s) || people(3, d, s) > m_.requirement.at(Level::Unit, d, s, Figure::Staff);
    };
    const auto free = [&](const PersonState& p, int d) {
        const int c = p.code[at(d)];
        return movable(p, d) && (c == rest_ || runPosition(c) < 0);
    };
    const Score start = score();
    std::vector<Gap> gaps{{d0, s0, -1, 0, {}}};
    std::vector<bool> seen(static_cast<size_t>((last_ + 1) * (shiftCount_ + 1)), false);
    const auto key = [&](int d, int s) { return static_cast<size_t>(d * (shiftCount_ + 1) + s); };
    seen[key(d0, s0)] = true;
    int links = 0;
    std::array<int, MaxChanges> old{};
    // The chain that ends with `last` opening a gap where it costs nothing, as one move.
    const auto closes = [&](size_t from, const Move& last) {
        Move chain = last;
        for (int g = static_cast<int>(from); g > 0; g = gaps[static_cast<size_t>(g)].parent) {
            const Move& link = gaps[static_cast<size_t>(g)].link;
            if (chain.size + link.size > MaxChanges)
                return false;
            for (int k = 0; k < link.size; ++k) {
                const Change& c = link.changes[static_cast<size_t>(k)];
                chain.add(c.person, c.day, c.code);
            }
        }
        tick();
        apply(chain, old);
        const bool holds = feasible(chain) && score() < start;
        undo(chain, old);
        return holds && commit(chain);
    };
    const int everybody = static_cast<int>(persons_.size());
    for (size_t g = 0; g < gaps.size() && links < LinkBudget && !stopped_; ++g) {
        const int d = gaps[g].day, s = gaps[g].shift;
        if (gaps[g].links >= MaxLinks)
            continue;
        for (int i = 0; i < everybody && links < LinkBudget && !stopped_; ++i) {
            const PersonState& p = persons_[static_cast<size_t>(i)];
            if (dissolveRun(i, d, s, [&](const Move& mv) { return closes(g, mv); }))
                return true;
            if (!free(p, d) || p.code[at(d)] == s)
                continue;
            const int x = p.code[at(d)];
            // The link on its own; on success the gap it opens goes on the queue, or the
            // chain closes when that gap costs nothing.
            const auto follow = [&](const Move& link, int day, int shift) {
                ++links;
                tick();
                apply(link, old);
                const bool allowed = feasible(link);
                undo(link, old);
                if (!allowed)
                    return false;
                if (spare(day, shift))
                    return closes(g, link);
                if (!seen[key(day, shift)]) {
                    seen[key(day, shift)] = true;
                    gaps.push_back({day, shift, static_cast<int>(g), gaps[g].links + 1, link});
                }
                return false;
            };
            Move recolour;
            recolour.add(i, d, s);
            if (follow(recolour, d, x))
                return true;
            for (int d2 = 1; d2 <= last_ && !stopped_; ++d2) {
                if (d2 == d || !free(p, d2) || p.code[at(d2)] != s)
                    continue;
                Move trade;
                trade.add(i, d, s);
                trade.add(i, d2, x);
                if (follow(trade, d2, s))
                    return true;
            }
        }
    }
    return false;
}

// A run on days that have nights to spare gives way to shifts off the run: the day `d` it holds
// takes `s`, each other working day of it any shift off the run, its rest day staying. `done`
// decides on each such move and ends the search when it says so.
bool ImprovementSearch::dissolveRun(int person, int d, int s,
                                    const std::function<bool(const Move&)>& done) {
    const PersonState& p = persons_[static_cast<size_t>(person)];
    const int length = static_cast<int>(run_.size());
    const int c = p.code[at(d)];
    if (!p.editable[at(d)] || c == rest_ || runPosition(c) < 0)
        return false;
    for (int a = std::max(1, d - 2 * length); a <= d; ++a) {
        std::array<int, MaxWorkShifts> days{};
        const int found = runDays(p, a, days);
        std::array<int, MaxWorkShifts> others{};
        int n = 0;
        bool holds = false;
        for (int k = 0; k < found; ++k) {
            if (run_[static_cast<size_t>(k)] == rest_)
                continue;
            const int e = days[static_cast<size_t>(k)];
            holds = holds || e == d;
            if (e != d)
                others[static_cast<size_t>(n++)] = e;
        }
        if (!holds)
            continue;
        std::array<int, MaxWorkShifts> pick{};
        const auto offRun = [&](int code) {
            return code >= 1 && code <= shiftCount_ && (code == rest_ || runPosition(code) < 0);
        };
        // Every choice of shifts off the run for the other working days, odometer order.
        for (;;) {
            bool valid = true;
            for (int k = 0; k < n && valid; ++k)
                valid = offRun(pick[static_cast<size_t>(k)]);
            if (valid) {
                Move mv;
                mv.add(person, d, s);
                for (int k = 0; k < n; ++k)
                    mv.add(person, others[static_cast<size_t>(k)], pick[static_cast<size_t>(k)]);
                if (done(mv))
                    return true;
            }
            int k = 0;
            while (k < n && ++pick[static_cast<size_t>(k)] > shiftCount_)
                pick[static_cast<size_t>(k++)] = 0;
            if (k == n)
                break;
        }
        break;
    }
    return false;
}

// The days of the person's run that begins on day `a`, position by position, closed and
// unavailable days stepped over; a run cut off by the period's end has fewer. Its working days
// must be open, its rest day may be a request. None when no whole run begins there.
int ImprovementSearch::runDays(const PersonState& p, int a,
                               std::array<int, MaxWorkShifts>& days) const {
    const int length = static_cast<int>(run_.size());
    if (length == 0 || length > MaxWorkShifts || a < 1 || a > last_ || p.steppedOver[at(a)])
        return 0;
    int found = 0;
    for (int e = a; e <= periodLast_ && found < length; ++e) {
        if (p.steppedOver[at(e)])
            continue;
        const int want = run_[static_cast<size_t>(found)];
        if (p.code[at(e)] != want || (want != rest_ && (e > last_ || !p.editable[at(e)])))
            return 0;
        days[static_cast<size_t>(found++)] = e;
    }
    return found;
}
