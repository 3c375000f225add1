#include "roster/improvement_search.h"

#include "roster/roster_objective.h"
#include "roster/tallies.h"

#include <algorithm>
#include <bit>

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

void ImprovementSearch::loadShifts() {
    shiftCount_ = m_.cache.workShiftCount();
    names_.resize(MaxWorkShifts + 1);
    for (int s = 1; s <= shiftCount_; ++s) {
        names_[static_cast<size_t>(s)] = m_.cache.workShift(s).abbrev;
        countedShift_[static_cast<size_t>(s)] = CountsAsShort(m_, s);
    }
    rest_ = m_.cache.workShiftIndex(m_.cache.restShift);
    if (rest_ > shiftCount_)
        rest_ = 0;
    if (!m_.cache.replacementOrder.empty())
        defaultShift_ = m_.cache.workShiftIndex(m_.cache.replacementOrder.front());
    if (defaultShift_ < 1 || defaultShift_ > shiftCount_)
        defaultShift_ = 1;
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
}

// The day counts, the shortages they leave and what the leader and night requirements may not
// fall below: neither may end up shorter on any day than the generation left it.
void ImprovementSearch::loadCounts() {
    counts_.assign((Levels + 1) * (MaxPeriodDay + 1) * (MaxWorkShifts + 1), {0, 0});
    leaderBaseline_.assign(counts_.size(), 0);
    nightBaseline_.assign(counts_.size(), 0);
    for (int level = 1; level <= Levels; ++level)
        for (int d = 1; d <= last_; ++d)
            for (int s = 1; s <= shiftCount_; ++s) {
                people(level, d, s) = m_.assigned.at(level, d, s, Figure::Staff);
                leaders(level, d, s) = m_.assigned.at(level, d, s, Figure::Leaders);
                if (m_.isClosed(d) || !levelUsed(level))
                    continue;
                nightBaseline_[idx(level, d, s)] = shortBy(level, d, s);
                const int leadersShort = std::max(
                    0, m_.requirement.at(level, d, s, Figure::Leaders) - leaders(level, d, s));
                leaderBaseline_[idx(level, d, s)] = leadersShort;
                if (!counted(s))
                    continue;
                (level == 3 ? unit_ : group_) += shortBy(level, d, s);
                leader_ += leadersShort;
            }
}

ImprovementSearch::PersonState ImprovementSearch::loadPerson(int group, int slot) {
    const Person& src = m_.person(group, slot);
    PersonState p;
    p.group = group;
    p.slot = slot;
    p.leader = src.leader == 1;
    p.capable = IsNightCapable(src);
    for (int d = FirstDay; d <= LastDay; ++d) {
        const Cell& c = src.cell(d);
        const QString& shown = !c.actualShift.isEmpty()    ? c.actualShift
                               : !c.requestShift.isEmpty() ? c.requestShift
                                                           : c.shift;
        const size_t i = at(d);
        p.code[i] = m_.isClosed(d) ? NoCode : codeOf(shown);
        p.editable[i] = src.shiftType == 1 && d >= 1 && d <= last_ && !m_.isClosed(d) &&
                        c.requestShift.isEmpty() && c.actualShift.isEmpty() && c.unavailable != 1 &&
                        !c.pinned && isWorkingOrRest(p.code[i]);
        p.steppedOver[i] = (d >= 1 && m_.isClosed(d)) || c.unavailable == 1;
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
    p.fragments = fragmentDays(p);
    return p;
}

void ImprovementSearch::load() {
    loadShifts();
    loadCounts();
    for (int g = 1; g <= 2; ++g)
        for (int slot = 1; slot <= m_.groupCount(g); ++slot)
            persons_.push_back(loadPerson(g, slot));
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

// A day holding one of the run's working shifts must lie in a whole run: the run's shifts on
// consecutive days, closed and unavailable days stepped over, a run cut off by the first lead
// day or by the period's end counting as whole. The rest shift that ends a run is also an
// ordinary day off, so only the working shifts need a run around them.
std::uint64_t ImprovementSearch::fragmentDays(const PersonState& p) const {
    if (run_.empty())
        return 0;
    std::array<int, Days> seq{};
    int n = 0;
    for (int d = FirstDay; d <= periodLast_; ++d)
        if (!p.steppedOver[at(d)])
            seq[static_cast<size_t>(n++)] = d;
    const int length = static_cast<int>(run_.size());
    std::uint64_t covered = 0, held = 0;
    for (int i = 1 - length; i < n; ++i) {
        bool whole = true;
        std::uint64_t days = 0;
        for (int k = 0; k < length && whole && i + k < n; ++k) {
            if (i + k < 0)
                continue;
            const int d = seq[static_cast<size_t>(i + k)];
            whole = p.code[at(d)] == run_[static_cast<size_t>(k)];
            days |= std::uint64_t{1} << at(d);
        }
        if (whole)
            covered |= days;
    }
    for (int k = 0; k < n; ++k) {
        const int d = seq[static_cast<size_t>(k)];
        const int c = p.code[at(d)];
        if (c != NoCode && c != rest_ && runPosition(c) >= 0)
            held |= std::uint64_t{1} << at(d);
    }
    return held & ~covered;
}

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
    if (s == night_ && levelUsed(level)) {
        const int r = m_.requirement.at(level, d, s, Figure::Staff),
                  floor = nightBaseline_[idx(level, d, s)];
        nightExcess_ += std::max(0, std::max(0, r - (n + delta)) - floor) -
                        std::max(0, std::max(0, r - n) - floor);
    }
    if (scored) {
        const int r = m_.requirement.at(level, d, s, Figure::Staff);
        (level == 3 ? unit_ : group_) += std::max(0, r - (n + delta)) - std::max(0, r - n);
    }
    n += delta;
    if (!leader)
        return;
    int& l = leaders(level, d, s);
    if (scored) {
        const int r = m_.requirement.at(level, d, s, Figure::Leaders);
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

// What a changed cell must not do to its day: leave a leader requirement or the night shorter
// than the generation left it.
bool ImprovementSearch::dayRulesHold(const PersonState& p, int day) {
    for (int level : {p.group, 3}) {
        if (!walking_ && night_ != 0 &&
            shortBy(level, day, night_) > nightBaseline_[idx(level, day, night_)])
            return false;
        if (!p.leader)
            continue;
        for (int s = 1; s <= shiftCount_; ++s)
            if (std::max(0, m_.requirement.at(level, day, s, Figure::Leaders) -
                                leaders(level, day, s)) > leaderBaseline_[idx(level, day, s)])
                return false;
    }
    return true;
}

bool ImprovementSearch::personRulesHold(const PersonState& p) const {
    for (int s = 1; s <= shiftCount_; ++s)
        if (p.count[static_cast<size_t>(s)] > p.cap[static_cast<size_t>(s)])
            return false;
    if (rest_ != 0 && p.count[static_cast<size_t>(rest_)] < p.restFloor)
        return false;
    if (longestRun(p) > p.longestCap)
        return false;
    // A day the generation left outside any run may stay so, but only with the shift it had.
    const std::uint64_t now = fragmentDays(p);
    if ((now & ~p.fragments) != 0)
        return false;
    for (std::uint64_t left = now; left != 0; left &= left - 1) {
        const size_t i = static_cast<size_t>(std::countr_zero(left));
        if (p.code[i] != p.original[i])
            return false;
    }
    return true;
}

bool ImprovementSearch::feasible(const Move& mv) {
    std::array<int, MaxChanges> seen{};
    int people = 0;
    for (int k = 0; k < mv.size; ++k) {
        const Change& c = mv.changes[static_cast<size_t>(k)];
        const PersonState& p = persons_[static_cast<size_t>(c.person)];
        if (patternCreated(p, c.day) || !dayRulesHold(p, c.day))
            return false;
        if (std::find(seen.begin(), seen.begin() + people, c.person) != seen.begin() + people)
            continue;
        seen[static_cast<size_t>(people++)] = c.person;
        if (!personRulesHold(p))
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

bool ImprovementSearch::greedyPhases() {
    bool any = false;
    for (;;) {
        bool improved = unitPhase();
        improved = (small() && chainPhase()) || improved;
        improved = groupPhase() || improved;
        improved = leaderPhase() || improved;
        improved = nightFairnessPhase() || improved;
        improved = weekendFairnessPhase() || improved;
        any = any || improved;
        if (!improved || stopped_)
            return any;
    }
}

ImprovementResult ImprovementSearch::run() {
    clock_.start();
    load();
    greedyPhases();
    // Each walk that finds something is followed by the greedy phases and another walk; a small
    // ward's walks go on past one that finds nothing, each from its own seed, until a few have
    // found nothing.
    const int rounds = walkRounds();
    for (int round = 0, failed = 0; round < rounds && failed < rounds / WalkRounds; ++round) {
        if (walkPhase(round))
            greedyPhases();
        else
            ++failed;
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
