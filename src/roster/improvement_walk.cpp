#include "roster/improvement_search.h"

using namespace RosterBounds;

// The greedy phases stop where no single move of theirs helps, yet a short day is often one
// step away from a roster of equal shortage that they could mend: a rest day moved first, a
// run slid, two people trading a day. The walk below goes through such rosters by late
// acceptance: a move that breaks no rule is kept when the roster is no worse than now or than
// it was a fixed number of steps ago. Only a day's night may fall below its floor on the way,
// at the price of a whole-unit shortage; a roster counts as found only with every night back. Its
// random choices come from a fixed seed and it makes a fixed number of steps, so the same roster
// always comes out. The best roster it met is kept when it is short of fewer people than the one
// the walk started from.

namespace {

// Weights of the walk's single figure: a whole-unit shortage outweighs any number of staff-group
// or leader shortages the walk may meet.
constexpr std::int64_t UnitWeight = 64;
constexpr int History = 400;
// A small ward, where a short day hangs on the few people around it and the nights leave little
// room, gets longer walks, more of them, and three more kinds of move: runs across the period's
// ends, runs' days traded between two people and runs on nights to spare given up. Larger wards
// keep their time.
constexpr int SmallWard = 20;
constexpr int SmallWardStepFactor = 2;
constexpr int SmallWardRoundFactor = 3;
// Shares of the walk's moves, in percent.
constexpr int AcrossTheEndsShare = 15;
constexpr int TradeShare = 20;
constexpr int DissolveShare = 8;
// How many days apart two runs may be for their people to trade the days in between.
constexpr int TradeReach = 3;
// A fixed number of steps a walk, whatever the size of the ward: each costs about a
// microsecond.
constexpr int WalkSteps = 10000;

} // namespace

bool ImprovementSearch::small() const {
    return static_cast<int>(persons_.size()) <= SmallWard;
}

int ImprovementSearch::walkRounds() const {
    return small() ? WalkRounds * SmallWardRoundFactor : WalkRounds;
}

int ImprovementSearch::walkSteps() const {
    return small() ? WalkSteps * SmallWardStepFactor : WalkSteps;
}

std::uint64_t ImprovementSearch::Random::next() {
    // splitmix64
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::int64_t ImprovementSearch::energy() const {
    return (unit_ + nightExcess_) * UnitWeight + group_ + leader_;
}

std::vector<std::pair<int, int>> ImprovementSearch::shortUnitSlots() const {
    std::vector<std::pair<int, int>> out;
    auto& self = const_cast<ImprovementSearch&>(*this);
    for (int d = 1; d <= last_; ++d) {
        if (m_.isClosed(d))
            continue;
        for (int s = 1; s <= shiftCount_; ++s)
            if ((counted(s) && self.shortBy(3, d, s) > 0) ||
                (s == night_ && self.shortBy(3, d, s) > nightBaseline_[idx(3, d, s)]))
                out.emplace_back(d, s);
    }
    return out;
}

ImprovementSearch::Snapshot ImprovementSearch::snapshot() const {
    Snapshot out;
    out.reserve(persons_.size());
    for (const PersonState& p : persons_)
        out.push_back(p.code);
    return out;
}

void ImprovementSearch::restore(const Snapshot& s) {
    for (size_t i = 0; i < persons_.size(); ++i) {
        for (int d = 1; d <= last_; ++d)
            if (persons_[i].code[at(d)] != s[i][at(d)])
                setCell(static_cast<int>(i), d, s[i][at(d)]);
        computeLocks(persons_[i]);
    }
}

// Somebody takes shift s on day d: a run laid or slid there for a shift of the run, else the
// person's cell on d recoloured or swapped with one of their days that holds s.
ImprovementSearch::Move ImprovementSearch::moveToShortSlot(Random& rng, int d, int s) {
    const int person = rng.below(static_cast<int>(persons_.size()));
    const PersonState& p = persons_[static_cast<size_t>(person)];
    if (const int k = runPosition(s); k >= 0) {
        const int e = d - k;
        const int a = e + rng.below(5) - 2;
        Move mv = a == e ? Move{} : slide(person, a, e - a);
        if (mv.size == 0 && blockFree(p, e))
            for (int j = 0; j < static_cast<int>(run_.size()); ++j)
                if (p.code[at(e + j)] != run_[static_cast<size_t>(j)])
                    mv.add(person, e + j, run_[static_cast<size_t>(j)]);
        return mv;
    }
    Move mv;
    if (!movable(p, d) || p.code[at(d)] == s)
        return mv;
    mv.add(person, d, s);
    if (rng.below(4) == 0)
        return mv;
    const int from = 1 + rng.below(last_);
    for (int k = 0; k < last_; ++k) {
        const int d2 = 1 + (from - 1 + k) % last_;
        if (d2 != d && movable(p, d2) && p.code[at(d2)] == s) {
            mv.add(person, d2, p.code[at(d)]);
            break;
        }
    }
    return mv;
}

ImprovementSearch::Move ImprovementSearch::swapWithinPerson(Random& rng, int person) {
    const PersonState& p = persons_[static_cast<size_t>(person)];
    const int d1 = 1 + rng.below(last_), d2 = 1 + rng.below(last_);
    Move mv;
    const auto free = [&](int d) {
        const int c = p.code[at(d)];
        return movable(p, d) && (c == rest_ || runPosition(c) < 0);
    };
    if (d1 != d2 && free(d1) && free(d2) && p.code[at(d1)] != p.code[at(d2)]) {
        mv.add(person, d1, p.code[at(d2)]);
        mv.add(person, d2, p.code[at(d1)]);
    }
    return mv;
}

// Two people trade their shifts of one day, or one hands a whole run to the other.
ImprovementSearch::Move ImprovementSearch::exchangeOnADay(Random& rng) {
    const int everybody = static_cast<int>(persons_.size());
    int i = rng.below(everybody), o = rng.below(everybody);
    const int d = 1 + rng.below(last_);
    Move mv;
    if (i == o || !movable(persons_[static_cast<size_t>(i)], d) ||
        !movable(persons_[static_cast<size_t>(o)], d))
        return mv;
    const auto inRun = [&](int person) {
        const int c = persons_[static_cast<size_t>(person)].code[at(d)];
        return c != rest_ && runPosition(c) >= 0;
    };
    if (inRun(o))
        std::swap(i, o);
    const PersonState& p = persons_[static_cast<size_t>(i)];
    const PersonState& q = persons_[static_cast<size_t>(o)];
    if (!inRun(i)) {
        if (p.code[at(d)] != q.code[at(d)]) {
            mv.add(i, d, q.code[at(d)]);
            mv.add(o, d, p.code[at(d)]);
        }
        return mv;
    }
    // The run that holds p on day d goes to q on the same days.
    const int length = static_cast<int>(run_.size());
    for (int a = std::max(1, d - length + 1); a <= d; ++a) {
        if (!instanceAt(p, a) || !blockFree(q, a))
            continue;
        for (int j = 0; j < length; ++j) {
            mv.add(o, a + j, run_[static_cast<size_t>(j)]);
            if (q.code[at(a + j)] != run_[static_cast<size_t>(j)])
                mv.add(i, a + j, q.code[at(a + j)]);
        }
        break;
    }
    return mv;
}

// One of the person's runs slid a day or two, or moved to any days free for it, the cells there
// taking its place.
ImprovementSearch::Move ImprovementSearch::randomRunSlide(Random& rng, int person) {
    const PersonState& p = persons_[static_cast<size_t>(person)];
    const int length = static_cast<int>(run_.size());
    const int from = 1 + rng.below(last_);
    for (int a = from; a <= last_; ++a) {
        if (!instanceAt(p, a))
            continue;
        if (rng.below(2) == 0) {
            constexpr int Deltas[] = {-2, -1, 1, 2};
            return slide(person, a, Deltas[rng.below(4)]);
        }
        const int e = 1 + rng.below(last_);
        Move mv;
        if ((e + length > a && e < a + length) || !blockFree(p, e))
            return mv;
        for (int j = 0; j < length; ++j) {
            mv.add(person, e + j, run_[static_cast<size_t>(j)]);
            if (p.code[at(e + j)] != run_[static_cast<size_t>(j)])
                mv.add(person, a + j, p.code[at(e + j)]);
        }
        return mv;
    }
    return {};
}

// After a move that left a person short of rest days or above a shift's maximum, a day of theirs
// off the run takes a rest day or gives up the shift that is over; a rest day to spare goes to
// a day short of the default shift. Days where the change costs nothing are preferred: a rest
// day goes where the shift it replaces has people to spare, a shift given up goes to a short
// day.
void ImprovementSearch::repair(Random& rng, Move& mv, std::array<int, MaxChanges>& old) {
    const int moved = mv.size;
    for (int k = 0; k < moved; ++k) {
        const int person = mv.changes[static_cast<size_t>(k)].person;
        if (k > 0 && mv.changes[static_cast<size_t>(k - 1)].person == person)
            continue;
        const PersonState& p = persons_[static_cast<size_t>(person)];
        // `want` 0: any working shift off the run.
        const auto change = [&](int want, int to) {
            const int from = 1 + rng.below(last_);
            int chosen = 0;
            for (int j = 0; j < last_; ++j) {
                const int d = 1 + (from - 1 + j) % last_;
                const int c = p.code[at(d)];
                if (!movable(p, d) || (c != rest_ && runPosition(c) >= 0) || c == to ||
                    (want != 0 ? c != want : c == rest_))
                    continue;
                const bool free =
                    to == rest_
                        ? !counted(c) ||
                              people(3, d, c) > m_.requirement.at(Level::Unit, d, c, Figure::Staff)
                        : counted(to) && shortBy(3, d, to) > 0;
                if (chosen == 0 || free)
                    chosen = d;
                if (free)
                    break;
            }
            if (chosen == 0 || mv.size >= MaxChanges)
                return;
            old[static_cast<size_t>(mv.size)] = p.code[at(chosen)];
            mv.add(person, chosen, to);
            setCell(person, chosen, to);
        };
        if (rest_ == 0)
            continue;
        const int rests = p.count[static_cast<size_t>(rest_)];
        if (rests < p.restFloor)
            change(0, rest_);
        else if (rests > p.restFloor && rng.below(2) == 0)
            change(rest_, defaultShift_);
        for (int s = 1; s <= shiftCount_; ++s)
            if (p.count[static_cast<size_t>(s)] > p.cap[static_cast<size_t>(s)] &&
                (s == rest_ || runPosition(s) < 0))
                change(s, s == rest_ || p.count[static_cast<size_t>(rest_)] >=
                                            p.cap[static_cast<size_t>(rest_)]
                              ? defaultShift_
                              : rest_);
    }
}

// Two people's runs slide towards each other's days: A's run at `a` goes `delta` days on and B's
// run there comes back to `a`, so that every day keeps its nights while the days the runs pass
// over change hands. In a small ward the nights leave little room for anything else, and this is
// how their working and rest days get re-planned without a night going short on the way.
ImprovementSearch::Move ImprovementSearch::tradeRunDays(Random& rng, int person) {
    const PersonState& p = persons_[static_cast<size_t>(person)];
    const int from = 1 + rng.below(last_);
    for (int k = 0; k < last_; ++k) {
        const int a = 1 + (from - 1 + k) % last_;
        if (!instanceAt(p, a))
            continue;
        int delta = rng.below(2 * TradeReach) - TradeReach;
        delta += delta >= 0 ? 1 : 0;
        const int e = a + delta;
        const int everybody = static_cast<int>(persons_.size());
        const int first = rng.below(everybody);
        for (int j = 0; j < everybody; ++j) {
            const int other = (first + j) % everybody;
            if (other == person || !instanceAt(persons_[static_cast<size_t>(other)], e))
                continue;
            Move mine = slide(person, a, delta);
            const Move theirs = slide(other, e, -delta);
            if (mine.size == 0 || theirs.size == 0 || mine.size + theirs.size > MaxChanges)
                return {};
            for (int c = 0; c < theirs.size; ++c) {
                const Change& ch = theirs.changes[static_cast<size_t>(c)];
                mine.add(ch.person, ch.day, ch.code);
            }
            return mine;
        }
        return {};
    }
    return {};
}

// A run that reaches past either end of the period: one that the days before the period began
// finished at a different day, or one cut off by the period's end. The moves above keep runs
// inside the period, yet a run the lead days began may often end a day or two sooner, freeing
// the first days of the period, and a night on the last day needs no whole run after it.
ImprovementSearch::Move ImprovementSearch::runAcrossTheEnds(Random& rng, int person) {
    const PersonState& p = persons_[static_cast<size_t>(person)];
    const int length = static_cast<int>(run_.size());
    Move mv;
    if (length < 2)
        return mv;
    const bool atStart = rng.below(2) == 0;
    const int e = atStart ? 1 - rng.below(length - 1) - 1 : last_ - rng.below(length - 1);
    for (int k = 0; k < length; ++k) {
        const int d = e + k;
        if (d > last_)
            break;
        if (d < FirstDay)
            return {};
        const int code = run_[static_cast<size_t>(k)];
        if (d < 1) {
            if (p.code[at(d)] != code)
                return {};
            continue;
        }
        if (!movable(p, d))
            return {};
        if (p.code[at(d)] != code)
            mv.add(person, d, code);
    }
    if (mv.size == 0)
        return mv;
    // What is left of the run the lead days began goes back to the default shift.
    for (int d = e + length; atStart && d <= last_ && mv.size < MaxChanges; ++d) {
        const int c = p.code[at(d)];
        if (!movable(p, d) || c == rest_ || runPosition(c) < 0)
            break;
        mv.add(person, d, defaultShift_);
    }
    return mv;
}

// One of the person's runs on nights above their minimum gives way to shifts off the run on its
// working days, its rest day staying: the way a night to spare turns into day work.
ImprovementSearch::Move ImprovementSearch::dissolveRandomRun(Random& rng, int person) {
    const PersonState& p = persons_[static_cast<size_t>(person)];
    std::array<int, MaxWorkShifts> days{};
    std::array<int, MaxPeriodDay + 1> starts{};
    int runs = 0;
    // Only runs whose nights are all above a minimum that is set.
    const auto spare = [&](int found) {
        for (int j = 0; j < found; ++j) {
            const int e = days[static_cast<size_t>(j)];
            if (run_[static_cast<size_t>(j)] == night_ &&
                (m_.requirement.at(Level::Unit, e, night_, Figure::Staff) == 0 ||
                 people(3, e, night_) <= m_.requirement.at(Level::Unit, e, night_, Figure::Staff)))
                return false;
        }
        return found > 0;
    };
    for (int a = 1; a <= last_; ++a)
        if (spare(runDays(p, a, days)))
            starts[static_cast<size_t>(runs++)] = a;
    if (runs == 0)
        return {};
    const int found = runDays(p, starts[static_cast<size_t>(rng.below(runs))], days);
    Move mv;
    for (int j = 0; j < found; ++j) {
        if (run_[static_cast<size_t>(j)] == rest_)
            continue;
        int code = 1 + rng.below(shiftCount_);
        for (int tries = 0; tries < shiftCount_ && code != rest_ && runPosition(code) >= 0; ++tries)
            code = code % shiftCount_ + 1;
        if (code != rest_ && runPosition(code) >= 0)
            return {};
        mv.add(person, days[static_cast<size_t>(j)], code);
    }
    return mv;
}

ImprovementSearch::Move
ImprovementSearch::randomMove(Random& rng, const std::vector<std::pair<int, int>>& shortSlots) {
    const int r = rng.below(100);
    if (!shortSlots.empty() && r < 20) {
        const auto [d, s] =
            shortSlots[static_cast<size_t>(rng.below(static_cast<int>(shortSlots.size())))];
        return moveToShortSlot(rng, d, s);
    }
    const int person = rng.below(static_cast<int>(persons_.size()));
    if (small()) {
        const int spin = rng.below(100);
        if (spin < AcrossTheEndsShare)
            return runAcrossTheEnds(rng, person);
        // A person without a run on nights to spare draws nothing more here.
        if (spin < AcrossTheEndsShare + DissolveShare)
            if (const Move mv = dissolveRandomRun(rng, person); mv.size > 0)
                return mv;
        if (rng.below(100) < TradeShare)
            return tradeRunDays(rng, person);
    }
    if (r < 78)
        return swapWithinPerson(rng, person);
    if (r < 94)
        return exchangeOnADay(rng);
    return randomRunSlide(rng, person);
}

bool ImprovementSearch::walkPhase(int round) {
    if ((unit_ == 0 && group_ == 0) || persons_.empty() || stopped_)
        return false;
    const auto key = [this] { return std::tuple(unit_, group_, leader_, changed_); };
    const auto start = key();
    const Snapshot first = snapshot();
    Snapshot best = first;
    auto bestKey = start;
    Random rng{0x5eed0000ULL + persons_.size() + static_cast<std::uint64_t>(round) * 7919};
    const int steps = walkSteps();
    walking_ = unlocked_ = true;
    std::int64_t current = energy();
    std::vector<std::int64_t> history(History, current + UnitWeight);
    std::vector<std::pair<int, int>> shortSlots;
    std::array<int, MaxChanges> old{};
    for (int step = 0; step < steps && !stopped_ && (unit_ > 0 || group_ > 0); ++step) {
        tick();
        if (step % 64 == 0)
            shortSlots = shortUnitSlots();
        // Most random picks fall on days that cannot move; only a real move counts as a step.
        Move mv;
        for (int pick = 0; pick < 16 && mv.size == 0; ++pick)
            mv = randomMove(rng, shortSlots);
        if (mv.size == 0)
            continue;
        apply(mv, old);
        repair(rng, mv, old);
        const size_t v = static_cast<size_t>(step % History);
        const std::int64_t next = feasible(mv) ? energy() : -1;
        const bool kept = next >= 0 && (next <= current || next <= history[v]);
        if (!kept)
            undo(mv, old);
        else
            current = next;
        history[v] = current;
        if (!kept)
            continue;
        for (int k = 0; k < mv.size; ++k)
            computeLocks(persons_[static_cast<size_t>(mv.changes[static_cast<size_t>(k)].person)]);
        if (nightExcess_ == 0 && key() < bestKey) {
            bestKey = key();
            best = snapshot();
        }
    }
    const bool better =
        std::tuple(std::get<0>(bestKey), std::get<1>(bestKey), std::get<2>(bestKey)) <
        std::tuple(std::get<0>(start), std::get<1>(start), std::get<2>(start));
    walking_ = unlocked_ = false;
    restore(better ? best : first);
    if (!better)
        return false;
    ++made_;
    tidy();
    return true;
}

// Cells the walk changed to no purpose go back to what they were, one cell or one swapped pair
// at a time, as long as no shortage grows.
void ImprovementSearch::tidy() {
    const auto shortage = [this] { return std::tuple(unit_, group_, leader_); };
    std::array<int, MaxChanges> old{};
    const auto keep = [&](int person, const Move& mv) {
        tick();
        const auto before = shortage();
        apply(mv, old);
        if (feasible(mv) && shortage() <= before) {
            computeLocks(persons_[static_cast<size_t>(person)]);
            return true;
        }
        undo(mv, old);
        return false;
    };
    for (bool again = true; again && !stopped_;) {
        again = false;
        for (int i = 0; i < static_cast<int>(persons_.size()); ++i) {
            const PersonState& p = persons_[static_cast<size_t>(i)];
            for (int d = 1; d <= last_; ++d) {
                const size_t k = at(d);
                if (p.code[k] == p.original[k] || !movable(p, d))
                    continue;
                Move back;
                back.add(i, d, p.original[k]);
                for (int d2 = d + 1; d2 <= last_ && back.size == 1; ++d2)
                    if (movable(p, d2) && p.code[at(d2)] == p.original[k] &&
                        p.original[at(d2)] == p.code[k])
                        back.add(i, d2, p.code[k]);
                again = keep(i, back) ||
                        (back.size == 2 && keep(i,
                                                [&] {
                                                    Move one;
                                                    one.add(i, d, p.original[k]);
                                                    return one;
                                                }())) ||
                        again;
            }
        }
    }
}
