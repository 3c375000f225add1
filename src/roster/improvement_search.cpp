#include "roster/improvement_search.h"

#include "roster/tallies.h"

#include <algorithm>

using namespace RosterBounds;

namespace {

constexpr int NoCode = 0;

} // namespace

int ImprovementSearch::codeOf(const QString& abbrev) {
    if (abbrev.isEmpty())
        return NoCode;
    if (const int s = m_.cache.workShiftIndex(abbrev); s >= 1 && s <= shiftCount_)
        return s;
    for (size_t i = MaxWorkShifts + 1; i < names_.size(); ++i)
        if (names_[i] == abbrev)
            return static_cast<int>(i);
    if (names_.size() <= MaxWorkShifts)
        names_.resize(MaxWorkShifts + 1);
    names_.push_back(abbrev);
    return static_cast<int>(names_.size()) - 1;
}

void ImprovementSearch::load() {
    shiftCount_ = m_.cache.workShiftCount();
    names_.resize(MaxWorkShifts + 1);
    for (int s = 1; s <= shiftCount_; ++s)
        names_[static_cast<size_t>(s)] = m_.cache.workShift(s).abbrev;
    rest_ = m_.cache.workShiftIndex(m_.cache.restShift);
    if (rest_ > shiftCount_)
        rest_ = 0;
    periodLast_ = m_.lastDay();
    last_ = std::min(periodLast_, MaxPeriodDay);
    if (!m_.cache.patterns[4].empty())
        for (const QString& s : m_.cache.patterns[4].front().shifts)
            run_.push_back(codeOf(s));
    night_ = run_.empty() ? 0 : run_.front();
    if (night_ > shiftCount_)
        night_ = 0;
    for (const Pattern& p : m_.cache.patterns[2]) {
        std::vector<int> codes;
        for (const QString& s : p.shifts)
            codes.push_back(codeOf(s));
        if (!codes.empty() && static_cast<int>(codes.size()) <= DayCount)
            prohibited_.push_back(std::move(codes));
    }
    for (int d = 1; d <= last_; ++d) {
        const int wd = m_.day(d).weekday;
        weekend_[at(d)] = wd == 1 || wd == 7;
    }

    counts_.assign((Levels + 1) * (MaxPeriodDay + 1) * (MaxWorkShifts + 1), {0, 0});
    leaderBaseline_.assign(counts_.size(), 0);
    for (int level = 1; level <= Levels; ++level)
        for (int d = 1; d <= last_; ++d)
            for (int s = 1; s <= shiftCount_; ++s) {
                people(level, d, s) = m_.assigned.at(level, d, s, 1);
                leaders(level, d, s) = m_.assigned.at(level, d, s, 2);
                if (m_.isClosed(d) || !counted(s) || !levelUsed(level))
                    continue;
                const int shortBy =
                    std::max(0, m_.requirement.at(level, d, s, 1) - people(level, d, s));
                const int leadersShort =
                    std::max(0, m_.requirement.at(level, d, s, 2) - leaders(level, d, s));
                (level == 3 ? unit_ : group_) += shortBy;
                leader_ += leadersShort;
                leaderBaseline_[idx(level, d, s)] = leadersShort;
            }

    for (int g = 1; g <= 2; ++g) {
        for (int slot = 1; slot <= m_.groupCount(g); ++slot) {
            const Person& src = m_.person(g, slot);
            PersonState p;
            p.group = g;
            p.slot = slot;
            p.leader = src.leader == 1;
            p.capable = IsNightCapable(src);
            for (int d = FirstDay; d <= LastDay; ++d) {
                const Cell& c = src.cell(d);
                const QString& shown = !c.actualShift.isEmpty()    ? c.actualShift
                                       : !c.requestShift.isEmpty() ? c.requestShift
                                                                   : c.shift;
                p.code[at(d)] = m_.isClosed(d) ? NoCode : codeOf(shown);
                p.editable[at(d)] = src.shiftType == 1 && d >= 1 && d <= last_ && !m_.isClosed(d) &&
                                    c.requestShift.isEmpty() && c.actualShift.isEmpty() &&
                                    c.unavailable != 1 && isWorkingOrRest(p.code[at(d)]);
            }
            p.original = p.code;
            for (int s = 1; s <= shiftCount_; ++s) {
                p.count[static_cast<size_t>(s)] = src.count[static_cast<size_t>(s)];
                p.cap[static_cast<size_t>(s)] =
                    std::max(m_.cache.workShift(s).max, src.count[static_cast<size_t>(s)]);
            }
            p.restFloor = rest_ == 0 ? 0 : src.count[static_cast<size_t>(rest_)];
            p.weekendOff = WeekendDaysOff(m_, src);
            computeLocks(p);
            p.longestCap = longestRun(p);
            persons_.push_back(p);
        }
    }
    for (const PersonState& p : persons_) {
        if (!p.capable)
            continue;
        const std::int64_t x = night_ == 0 ? 0 : p.count[static_cast<size_t>(night_)];
        ++capable_;
        nightSum_ += x;
        nightSquares_ += x * x;
        weekendSum_ += p.weekendOff;
        weekendSquares_ += static_cast<std::int64_t>(p.weekendOff) * p.weekendOff;
    }
}

// A cell that belongs to a mandatory run is moved only with its whole run. A run is followed
// from its first shift over the days the pass cannot touch anyway (requests, closed or
// unavailable days), so that a run laid around them is held as a whole too; any other cell
// holding one of the run's working shifts is held where it is.
void ImprovementSearch::computeLocks(PersonState& p) {
    p.locked.fill(false);
    if (run_.empty())
        return;
    const int length = static_cast<int>(run_.size());
    for (int d = FirstDay; d <= LastDay; ++d) {
        const int c = p.code[at(d)];
        if (c != NoCode && c != rest_ && runPosition(c) >= 0)
            p.locked[at(d)] = true;
        if (c != run_.front())
            continue;
        int pos = 1;
        for (int e = d + 1; pos < length && e <= LastDay; ++e) {
            if (p.code[at(e)] == run_[static_cast<size_t>(pos)]) {
                p.locked[at(e)] = true;
                ++pos;
            } else if (p.editable[at(e)]) {
                break;
            }
        }
    }
}

// The longest stretch of working days that reaches into the period; the lead days count
// towards a stretch that continues into it.
int ImprovementSearch::longestRun(const PersonState& p) const {
    int longest = 0, current = 0;
    for (int d = FirstDay; d <= periodLast_; ++d) {
        current = isWorking(p.code[at(d)]) ? current + 1 : 0;
        if (d >= 1)
            longest = std::max(longest, current);
    }
    return longest;
}

void ImprovementSearch::addToSlot(int level, int d, int s, bool leader, int delta) {
    const bool scored = counted(s) && levelUsed(level);
    int& n = people(level, d, s);
    if (scored) {
        const int r = m_.requirement.at(level, d, s, 1);
        (level == 3 ? unit_ : group_) += std::max(0, r - (n + delta)) - std::max(0, r - n);
    }
    n += delta;
    if (!leader)
        return;
    int& l = leaders(level, d, s);
    if (scored) {
        const int r = m_.requirement.at(level, d, s, 2);
        leader_ += std::max(0, r - (l + delta)) - std::max(0, r - l);
    }
    l += delta;
}

void ImprovementSearch::setCell(int person, int day, int code) {
    PersonState& p = persons_[static_cast<size_t>(person)];
    const size_t i = at(day);
    const int old = p.code[i];
    if (old == code)
        return;
    const auto nights = [&] {
        return night_ == 0 ? std::int64_t{0} : std::int64_t{p.count[static_cast<size_t>(night_)]};
    };
    const std::int64_t nightsBefore = nights();
    const int weekendBefore = p.weekendOff;
    if (isWorkingOrRest(old)) {
        p.count[static_cast<size_t>(old)] -= 1;
        addToSlot(p.group, day, old, p.leader, -1);
        addToSlot(3, day, old, p.leader, -1);
    }
    if (isWorkingOrRest(code)) {
        p.count[static_cast<size_t>(code)] += 1;
        addToSlot(p.group, day, code, p.leader, 1);
        addToSlot(3, day, code, p.leader, 1);
    }
    if (weekend_[i])
        p.weekendOff += (isWorking(old) ? 1 : 0) - (isWorking(code) ? 1 : 0);
    changed_ += (code != p.original[i] ? 1 : 0) - (old != p.original[i] ? 1 : 0);
    p.code[i] = code;
    if (!p.capable)
        return;
    const std::int64_t nightsAfter = nights();
    nightSum_ += nightsAfter - nightsBefore;
    nightSquares_ += nightsAfter * nightsAfter - nightsBefore * nightsBefore;
    const std::int64_t w0 = weekendBefore, w1 = p.weekendOff;
    weekendSum_ += w1 - w0;
    weekendSquares_ += w1 * w1 - w0 * w0;
}

std::int64_t ImprovementSearch::fairness() const {
    return ScaledVariance(capable_, nightSum_, nightSquares_) +
           ScaledVariance(capable_, weekendSum_, weekendSquares_);
}

bool ImprovementSearch::apply(const Move& mv, std::array<int, MaxChanges>& old) {
    for (int k = 0; k < mv.size; ++k) {
        const Change& c = mv.changes[static_cast<size_t>(k)];
        old[static_cast<size_t>(k)] = persons_[static_cast<size_t>(c.person)].code[at(c.day)];
        setCell(c.person, c.day, c.code);
    }
    return true;
}

void ImprovementSearch::undo(const Move& mv, const std::array<int, MaxChanges>& old) {
    for (int k = mv.size - 1; k >= 0; --k) {
        const Change& c = mv.changes[static_cast<size_t>(k)];
        setCell(c.person, c.day, old[static_cast<size_t>(k)]);
    }
}

bool ImprovementSearch::patternCreated(const PersonState& p, int day) const {
    for (const std::vector<int>& pattern : prohibited_) {
        const int length = static_cast<int>(pattern.size());
        for (int start = std::max(FirstDay, day - length + 1);
             start <= day && start + length - 1 <= LastDay; ++start) {
            bool match = true;
            for (int k = 0; k < length && match; ++k)
                match = p.code[at(start + k)] == pattern[static_cast<size_t>(k)];
            if (match)
                return true;
        }
    }
    return false;
}

bool ImprovementSearch::feasible(const Move& mv) {
    int seen[2] = {-1, -1};
    for (int k = 0; k < mv.size; ++k) {
        const Change& c = mv.changes[static_cast<size_t>(k)];
        const PersonState& p = persons_[static_cast<size_t>(c.person)];
        if (patternCreated(p, c.day))
            return false;
        if (p.leader) {
            for (int level : {p.group, 3})
                for (int s = 1; s <= shiftCount_; ++s)
                    if (counted(s) && std::max(0, m_.requirement.at(level, c.day, s, 2) -
                                                      leaders(level, c.day, s)) >
                                          leaderBaseline_[idx(level, c.day, s)])
                        return false;
        }
        if (c.person == seen[0] || c.person == seen[1])
            continue;
        (seen[0] < 0 ? seen[0] : seen[1]) = c.person;
        for (int s = 1; s <= shiftCount_; ++s)
            if (p.count[static_cast<size_t>(s)] > p.cap[static_cast<size_t>(s)])
                return false;
        if (rest_ != 0 && p.count[static_cast<size_t>(rest_)] < p.restFloor)
            return false;
        if (longestRun(p) > p.longestCap)
            return false;
    }
    return true;
}

void ImprovementSearch::tick() {
    ++tried_;
    if (tried_ >= options_.moveBudget) {
        stopped_ = budgetSpent_ = true;
    } else if ((tried_ & 255) == 0 && clock_.elapsed() > options_.timeLimitMs) {
        stopped_ = timeHit_ = true;
    }
}

void ImprovementSearch::consider(const Move& mv, Score& best, Move& bestMove, bool& found) {
    if (stopped_ || mv.size == 0)
        return;
    tick();
    std::array<int, MaxChanges> old{};
    apply(mv, old);
    if (feasible(mv)) {
        const Score now = score();
        if (now < best) {
            best = now;
            bestMove = mv;
            found = true;
        }
    }
    undo(mv, old);
}

bool ImprovementSearch::commit(const Move& mv) {
    std::array<int, MaxChanges> old{};
    apply(mv, old);
    ++made_;
    int last = -1;
    for (int k = 0; k < mv.size; ++k) {
        const int person = mv.changes[static_cast<size_t>(k)].person;
        if (person != last)
            computeLocks(persons_[static_cast<size_t>(person)]);
        last = person;
    }
    return true;
}

int ImprovementSearch::runPosition(int code) const {
    for (size_t k = 0; k < run_.size(); ++k)
        if (run_[k] == code)
            return static_cast<int>(k);
    return -1;
}

// The whole run, exactly, on consecutive open days from `a`.
bool ImprovementSearch::instanceAt(const PersonState& p, int a) const {
    const int length = static_cast<int>(run_.size());
    if (length == 0 || a < 1 || a + length - 1 > last_)
        return false;
    for (int k = 0; k < length; ++k)
        if (!p.editable[at(a + k)] || p.code[at(a + k)] != run_[static_cast<size_t>(k)])
            return false;
    return true;
}

bool ImprovementSearch::blockFree(const PersonState& p, int e) const {
    const int length = static_cast<int>(run_.size());
    if (length == 0 || e < 1 || e + length - 1 > last_)
        return false;
    for (int k = 0; k < length; ++k)
        if (!movable(p, e + k))
            return false;
    return true;
}

ImprovementSearch::Move ImprovementSearch::slide(int person, int a, int delta) const {
    Move mv;
    const PersonState& p = persons_[static_cast<size_t>(person)];
    const int length = static_cast<int>(run_.size());
    if (delta == 0 || !instanceAt(p, a))
        return mv;
    const int from = delta > 0 ? a + length : a + delta;
    const int count = delta > 0 ? delta : -delta;
    for (int k = 0; k < count; ++k)
        if (!movable(p, from + k))
            return mv;
    std::array<int, 2 * MaxWorkShifts> layout{};
    const int first = std::min(a, a + delta);
    const int span = length + count;
    for (int k = 0; k < span; ++k)
        layout[static_cast<size_t>(k)] = p.code[at(first + k)];
    // The run first or last in the window, the passed-over days at the other end.
    for (int k = 0; k < span; ++k) {
        int code = 0;
        if (delta > 0)
            code = k < count ? p.code[at(from + k)] : run_[static_cast<size_t>(k - count)];
        else
            code = k < length ? run_[static_cast<size_t>(k)] : p.code[at(from + k - length)];
        if (code != layout[static_cast<size_t>(k)])
            mv.add(person, first + k, code);
    }
    return mv;
}

// Moves that give shift s one more person on day d: among the people of `group` (0 any), and
// only leaders when asked. Commits the best one when it improves the score.
bool ImprovementSearch::coverSlot(int d, int s, int group, bool leadersOnly) {
    const bool unitOnly = group == 0 && !leadersOnly;
    const auto wanted = [&](const PersonState& p) {
        return (group == 0 || p.group == group) && (!leadersOnly || p.leader);
    };
    const int everybody = static_cast<int>(persons_.size());
    const int length = static_cast<int>(run_.size());
    Score best = score();
    Move bestMove;
    bool found = false;
    const auto surplus = [&](int day, int shift) {
        return !counted(shift) || people(3, day, shift) > m_.requirement.at(3, day, shift, 1);
    };

    if (const int k = runPosition(s); k >= 0 && s != rest_) {
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
    } else if (runPosition(s) < 0) {
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
    if (!found && unitOnly && runPosition(s) < 0)
        found = coverThroughSecondPerson(d, s, best, bestMove);
    return found && commit(bestMove);
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
        if (!movable(p, d) || x == s || !counted(x))
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
                (counted(z) && people(3, d, z) <= m_.requirement.at(3, d, z, 1)))
                continue;
            for (int d2 = 1; d2 <= last_ && !stopped_; ++d2) {
                if (d2 == d || !movable(q, d2))
                    continue;
                const int y = q.code[at(d2)];
                if (y == z || !counted(y) || people(3, d2, y) <= m_.requirement.at(3, d2, y, 1))
                    continue;
                Move chain;
                chain.add(i, d, s);
                chain.add(j, d, x);
                chain.add(j, d2, z);
                consider(chain, best, bestMove, found);
            }
        }
        // Or a run that holds the second person on day d moves to other days, leaving them
        // what those days held.
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
    return found;
}

bool ImprovementSearch::unitPhase() {
    bool improved = false;
    for (int d = 1; d <= last_ && !stopped_; ++d) {
        if (m_.isClosed(d))
            continue;
        for (int s = 1; s <= shiftCount_ && !stopped_; ++s)
            while (counted(s) && people(3, d, s) < m_.requirement.at(3, d, s, 1) &&
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
                while (counted(s) && people(g, d, s) < m_.requirement.at(g, d, s, 1) &&
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
                while (counted(s) && leaders(level, d, s) < m_.requirement.at(level, d, s, 2) &&
                       coverSlot(d, s, level == 3 ? 0 : level, true))
                    improved = true;
        }
    }
    return improved;
}

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

ImprovementResult ImprovementSearch::run() {
    clock_.start();
    load();
    for (;;) {
        bool improved = unitPhase();
        improved = groupPhase() || improved;
        improved = leaderPhase() || improved;
        improved = nightFairnessPhase() || improved;
        improved = weekendFairnessPhase() || improved;
        if (!improved || stopped_)
            break;
    }

    ImprovementResult result;
    for (const PersonState& p : persons_) {
        Person& person = m_.person(p.group, p.slot);
        for (int d = 1; d <= last_; ++d) {
            const size_t i = at(d);
            if (!p.editable[i] || p.code[i] == p.original[i])
                continue;
            Cell& c = person.cell(d);
            result.changed.push_back(
                {p.group, p.slot, d, person.no, c.shift, names_[static_cast<size_t>(p.code[i])]});
            c.shift = names_[static_cast<size_t>(p.code[i])];
            c.early = 0;
        }
    }
    TallyAll(m_);
    result.movesTried = tried_;
    result.movesMade = made_;
    result.budgetSpent = budgetSpent_;
    result.timeLimitHit = timeHit_;
    result.elapsedMs = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
    return result;
}
