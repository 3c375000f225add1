#pragma once

#include "roster/improvement_pass.h"
#include "roster/roster_model.h"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <tuple>
#include <vector>

// The search behind ImproveRoster: the roster's cells as shift codes with running counts, so
// that each tried move costs a handful of operations, and the phases that try the moves. The
// greedy cover and fairness phases (improvement_cover.cpp, improvement_fairness.cpp) take the
// best of a neighbourhood at each step, and in a small ward a search for chains of people
// (improvement_chain.cpp) covers what no single move does; the late-acceptance walk
// (improvement_walk.cpp) then looks past their local optimum, and the greedy phases go on from
// what it found, up to WalkRounds times (more in a small ward).
class ImprovementSearch final {
public:
    ImprovementSearch(RosterModel& m, const ImprovementOptions& o) : m_(m), options_(o) {}

    ImprovementResult run();

private:
    static constexpr size_t Days = RosterBounds::DayCount;
    // Two runs of two people and one more cell.
    static constexpr int MaxChanges = 2 * 2 * RosterBounds::MaxWorkShifts + 1;
    static size_t at(int day) { return static_cast<size_t>(day - RosterBounds::FirstDay); }

    // Lexicographic: shortages first, then fairness, then how many cells differ from the input.
    struct Score {
        int unit = 0, group = 0, leader = 0;
        std::int64_t fairness = 0;
        int changed = 0;
        auto key() const { return std::tie(unit, group, leader, fairness, changed); }
        bool operator<(const Score& o) const { return key() < o.key(); }
    };

    struct Change {
        int person = 0, day = 0, code = 0;
    };

    struct Move {
        std::array<Change, MaxChanges> changes{};
        int size = 0;
        void add(int person, int day, int code) {
            changes[static_cast<size_t>(size++)] = {person, day, code};
        }
    };

    struct PersonState {
        int group = 0, slot = 0;
        bool leader = false, capable = false;
        std::array<int, Days> code{}, original{};
        std::array<bool, Days> editable{}, locked{}, steppedOver{};
        std::array<int, RosterBounds::MaxWorkShifts + 1> count{}, cap{};
        int restFloor = 0, longestCap = 0, weekendOff = 0;
        // Days holding a shift of the mandatory run that no whole run accounts for, as the
        // generation left them (bit i is day FirstDay + i).
        std::uint64_t fragments = 0;
    };

    // Setup.
    int codeOf(const QString& abbrev);
    void load();
    void loadShifts();
    void loadCounts();
    PersonState loadPerson(int group, int slot);
    void computeLocks(PersonState& p);
    int longestRun(const PersonState& p) const;
    std::uint64_t fragmentDays(const PersonState& p) const;

    // Counters.
    int& people(int level, int d, int s) { return counts_[idx(level, d, s)][0]; }
    int& leaders(int level, int d, int s) { return counts_[idx(level, d, s)][1]; }
    static size_t idx(int level, int d, int s) {
        return (static_cast<size_t>(level) * (RosterBounds::MaxPeriodDay + 1) +
                static_cast<size_t>(d)) *
                   (RosterBounds::MaxWorkShifts + 1) +
               static_cast<size_t>(s);
    }
    bool isWorking(int code) const { return code >= 1 && code <= shiftCount_ && code != rest_; }
    // Whether a shortage of shift s counts.
    bool counted(int s) const {
        return s >= 1 && s <= shiftCount_ && countedShift_[static_cast<size_t>(s)];
    }
    int shortBy(int level, int d, int s) {
        return std::max(0, m_.requirement.at(level, d, s, Figure::Staff) - people(level, d, s));
    }
    bool isWorkingOrRest(int code) const { return code >= 1 && code <= shiftCount_; }
    bool levelUsed(int level) const { return level == 3 || !m_.group(level).empty(); }
    void setCell(int person, int day, int code);
    void addToSlot(int level, int d, int s, bool leader, int delta);
    std::int64_t fairness() const;
    Score score() const { return {unit_, group_, leader_, fairness(), changed_}; }

    // Moves.
    bool apply(const Move& mv, std::array<int, MaxChanges>& old);
    void undo(const Move& mv, const std::array<int, MaxChanges>& old);
    bool feasible(const Move& mv);
    bool dayRulesHold(const PersonState& p, int day);
    bool personRulesHold(const PersonState& p) const;
    bool patternCreated(const PersonState& p, int day) const;
    // Tries a move; keeps it as the best so far when it beats both the current score and the
    // best seen. The model is left as it was.
    void consider(const Move& mv, Score& best, Move& bestMove, bool& found);
    bool commit(const Move& mv);
    void tick();

    // The greedy phases move a run only as a whole and leave its cells alone otherwise; the walk
    // may change any open cell, the run rule checking each move.
    bool movable(const PersonState& p, int d) const {
        return d >= 1 && d <= last_ && p.editable[at(d)] && (unlocked_ || !p.locked[at(d)]);
    }
    bool instanceAt(const PersonState& p, int a) const;
    int runDays(const PersonState& p, int a,
                std::array<int, RosterBounds::MaxWorkShifts>& days) const;
    bool blockFree(const PersonState& p, int e) const;
    // The person's run at `a` slid by `delta` days, the days it passes over moved to the other
    // end; an empty move when those days cannot move.
    Move slide(int person, int a, int delta) const;
    int runPosition(int code) const;

    // Phases; each returns whether it improved anything.
    bool greedyPhases();
    bool coverSlot(int d, int s, int group, bool leadersOnly);
    void coverRunSlot(int d, int s, int group, bool leadersOnly, Score& best, Move& bestMove,
                      bool& found);
    void coverPlainSlot(int d, int s, int group, bool leadersOnly, Score& best, Move& bestMove,
                        bool& found);
    bool coverThroughSecondPerson(int d, int s, Score& best, Move& bestMove);
    void coverByMovingARun(int i, int d, int s, Score& best, Move& bestMove, bool& found);
    bool unitPhase();
    // Chains of people covering a short slot (improvement_chain.cpp).
    bool chainPhase();
    bool coverByChain(int d, int s);
    bool dissolveRun(int person, int d, int s, const std::function<bool(const Move&)>& done);
    bool groupPhase();
    bool leaderPhase();
    bool nightFairnessPhase();
    bool weekendFairnessPhase();

    // The late-acceptance walk (improvement_walk.cpp).
    struct Random {
        std::uint64_t state;
        std::uint64_t next();
        int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    };
    using Snapshot = std::vector<std::array<int, Days>>;
    std::int64_t energy() const;
    static constexpr int WalkRounds = 4;
    bool walkPhase(int round);
    int walkRounds() const;
    bool small() const;
    int walkSteps() const;
    Move randomMove(Random& rng, const std::vector<std::pair<int, int>>& shortSlots);
    Move moveToShortSlot(Random& rng, int d, int s);
    Move swapWithinPerson(Random& rng, int person);
    Move exchangeOnADay(Random& rng);
    Move randomRunSlide(Random& rng, int person);
    Move tradeRunDays(Random& rng, int person);
    Move runAcrossTheEnds(Random& rng, int person);
    Move dissolveRandomRun(Random& rng, int person);
    std::vector<std::pair<int, int>> shortUnitSlots() const;
    Snapshot snapshot() const;
    void restore(const Snapshot& s);
    void tidy();
    void repair(Random& rng, Move& mv, std::array<int, MaxChanges>& old);

    RosterModel& m_;
    ImprovementOptions options_;
    std::vector<QString> names_{QString()};
    std::vector<PersonState> persons_;
    std::vector<std::array<int, 2>> counts_;
    std::vector<int> leaderBaseline_, nightBaseline_;
    std::array<bool, RosterBounds::MaxWorkShifts + 1> countedShift_{};
    std::vector<std::vector<int>> prohibited_;
    std::vector<int> run_;
    int shiftCount_ = 0, rest_ = 0, night_ = 0, last_ = 0, periodLast_ = 0, defaultShift_ = 0;
    int unit_ = 0, group_ = 0, leader_ = 0, changed_ = 0;
    // During the walk a night may go shorter than the generation left it for a while: the
    // person-nights missing from that floor, which the walk's best roster must bring to zero.
    int nightExcess_ = 0;
    bool walking_ = false, unlocked_ = false;
    std::int64_t capable_ = 0, nightSum_ = 0, nightSquares_ = 0, weekendSum_ = 0,
                 weekendSquares_ = 0;
    std::int64_t tried_ = 0;
    int made_ = 0;
    bool stopped_ = false, budgetSpent_ = false, timeHit_ = false;
    QElapsedTimer clock_;
    std::array<bool, Days> weekend_{};
};
