#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// Bounds of the working model. Day d lives at index d - FirstDay.
namespace RosterBounds {
constexpr int FirstDay = -4;
constexpr int LastDay = 40;
constexpr int DayCount = LastDay - FirstDay + 1;
constexpr int MaxPeriodDay = 31; // the engine and the tallies never go past day 31
constexpr int MaxWorkShifts = 10;
constexpr int Levels = 3; // the levels below
} // namespace RosterBounds

// The levels of the staffing matrices: each staff group, and the whole unit.
namespace Level {
constexpr int FirstGroup = 1;
constexpr int SecondGroup = 2;
constexpr int Unit = 3;
} // namespace Level

// The figures of the staffing matrices, per level, day and working shift. A requirement holds
// the staff and leaders needed, the staff and leaders needed per team and the early and late
// duties; the assigned counts hold the same, the team figures counting as the staff ones.
enum class Figure { Staff = 1, Leaders, TeamStaff, TeamLeaders, Early, Late };
constexpr std::array<Figure, 6> AllFigures{Figure::Staff,       Figure::Leaders, Figure::TeamStaff,
                                           Figure::TeamLeaders, Figure::Early,   Figure::Late};

// How the stored roster rows fill the cells (LoadStoredRoster).
enum class LoadMode {
    Generation, // an actual shift stands for the planned one, and the five lead days are read
    View,       // viewing or changing: planned and actual shifts stay apart
};

// Whether the requests are read into the request cells.
enum class RequestsMode { Skip, Load };

// Which staff group each person goes to.
enum class Grouping {
    Everybody, // everybody in group 1
    ByTeam,    // the first team in group 1, every other team in group 2
};

// Which people are loaded.
enum class LeaderFilter { Everybody, LeadersOnly, NonLeaders };

// Whom a load keeps: everybody, one staff number or one team.
struct RosterFilter {
    QString staffNo, team;

    static RosterFilter everybody() { return {}; }
    static RosterFilter staff(const QString& no) { return {no, {}}; }
    static RosterFilter ofTeam(const QString& name) { return {{}, name}; }
    bool isEverybody() const { return staffNo.isEmpty() && team.isEmpty(); }
    bool operator==(const RosterFilter&) const = default;
};

// How a model was loaded. Only LoadRoster writes it; the load steps, registration and the
// printouts read it.
struct LoadSettings {
    LoadMode mode = LoadMode::Generation;
    RequestsMode requests = RequestsMode::Skip;
    Grouping grouping = Grouping::Everybody;
    LeaderFilter leaders = LeaderFilter::Everybody;
    RosterFilter filter;
    bool operator==(const LoadSettings&) const = default;
};

// How the cumulative totals lay out their columns.
enum class TotalsBy {
    Month,  // one column per calendar month of totalsMonthList
    Year,   // one column per date range of totalsYearStart/totalsYearEnd (fiscal years)
    Period, // one column, the model's period
};

// The column layout of the cumulative totals and the window they count, which is also the
// period whose staff are loaded.
struct TotalsColumns {
    TotalsBy by = TotalsBy::Period;
    std::array<int, 8> monthList{};
    std::array<QString, 7> yearStart, yearEnd;
    QString windowStart, windowEnd;
};

// What a person's day holds for the generation passes.
enum class CellState {
    Free,
    Taken,  // a shift, a request, or a day the person is not available
    Closed, // a closed day of the workplace
};

struct DayInfo {
    QString date; // "yyyy/mm/dd"
    QString dayOfMonth;
    QString weekdayName;
    int weekday = 0; // 1 Sunday .. 7 Saturday
    int holidayFlag = 0;
    QString note;

    // Palette number of the day's weekday heading, from one colour per weekday (Sunday first);
    // black (0) when the weekday is not set.
    int headingColour(const std::array<int, 7>& weekdayColour) const {
        return weekday >= 1 && weekday <= 7 ? weekdayColour[static_cast<size_t>(weekday - 1)] : 0;
    }
    bool operator==(const DayInfo&) const = default;
};

struct Cell {
    QString shift;
    int early = 0;
    QString actualShift;
    int actualEarly = 0;
    QString requestShift;
    int requestKind = 0;
    int unavailable = 0;
    // Held by hand (固定): a new expansion keeps the shift and builds around it as around a
    // request, and the improvement pass leaves it alone. Never stored.
    bool pinned = false;

    bool operator==(const Cell&) const = default;
};

using ShiftCounts = std::array<int, RosterBounds::MaxWorkShifts + 1>; // index 1..10

struct Person {
    QString no;
    QString name;
    QString assignedFrom, leaveFrom, leaveTo;
    int employFlag = 0;
    int shiftType = 0;
    int fixedPattern = 0;
    int leader = 0;
    int earlyAllowed = 0;
    QString team;

    std::array<Cell, RosterBounds::DayCount> cells;
    Cell& cell(int day) { return cells[static_cast<size_t>(day - RosterBounds::FirstDay)]; }
    const Cell& cell(int day) const {
        return cells[static_cast<size_t>(day - RosterBounds::FirstDay)];
    }

    // Per-person counts (TallyPerStaff).
    ShiftCounts count{}, earlyCount{}, lateCount{};
    // Rest statistics: runs of two or more rest days, and the rest days that follow a rest day.
    int restRuns = 0, restDaysInRuns = 0;

    // The cumulative totals of this person: [plane 1..3][column 1..7][shift 1..10].
    std::array<std::array<ShiftCounts, 8>, 4> cumulative{};

    bool operator==(const Person&) const = default;
};

struct WorkShiftInfo {
    QString abbrev;
    int shortageFlag = 0, restWorkKind = 0, paidFlag = 0;
    int minStaff = 0, leaders = 0, teamStaff = 0, teamLeaders = 0;
    int earlyKind = 0, earlyStaff = 0, lateStaff = 0, max = 0;
    QString start, end, earlyStart, earlyEnd, lateStart, lateEnd;
    bool operator==(const WorkShiftInfo&) const = default;
};

struct LeaveShiftInfo {
    QString abbrev;
    int restWorkKind = 0, paidFlag = 0, shortageFlag = 0;
    bool operator==(const LeaveShiftInfo&) const = default;
};

struct Pattern {
    int no = 0;
    std::vector<QString> shifts; // position 1 at index 0
    int length() const { return static_cast<int>(shifts.size()); }
    // Base patterns only: pairing with the mandatory pattern of the same ordinal.
    int mandatoryStart = 0; // first base position equal to the mandatory run's first shift
    int basePassed = 0;     // base positions passed before it
    int mandatoryEnd = 0;   // mandatory length + mandatoryStart
    int baseRemainder = 0;  // base length - mandatoryStart - mandatory length + 1
    bool operator==(const Pattern&) const = default;
};

// The period's master data (LoadMasterCache).
struct MasterCache {
    QString noShiftWorkShift;
    QString restShift;
    QString refShift;
    std::vector<QString> replacementOrder;        // ReplacementOrder
    std::vector<int> replacementIndex;            // 1-based shift positions
    std::array<std::vector<Pattern>, 6> patterns; // by kind 1..5
    std::vector<WorkShiftInfo> workShifts;        // index 0 is shift 1
    std::vector<LeaveShiftInfo> leaveShifts;
    QString paidLeaveAbbrev;
    QString creationModeA = QStringLiteral("1"), creationModeB = QStringLiteral("1");

    // Working-shift index 1..10 of an abbreviation, 0 when it is not a working shift.
    int workShiftIndex(const QString& abbrev) const {
        for (size_t i = 0; i < workShifts.size(); ++i)
            if (workShifts[i].abbrev == abbrev)
                return static_cast<int>(i) + 1;
        return 0;
    }
    const WorkShiftInfo& workShift(int s) const { return workShifts[static_cast<size_t>(s - 1)]; }
    // Working shifts in table order up to the first empty abbreviation (at most 10).
    int workShiftCount() const {
        int n = 0;
        for (const auto& w : workShifts) {
            if (w.abbrev.isEmpty() || n == RosterBounds::MaxWorkShifts)
                break;
            ++n;
        }
        return n;
    }
    bool operator==(const MasterCache&) const = default;
};

// requirement.at(level, day, shift, figure) and assigned.at(level, day, shift, figure).
template <int Figures> class StaffingMatrix {
public:
    int& at(int level, int day, int shift, Figure figure) {
        return v_[static_cast<size_t>(level)][static_cast<size_t>(day)][static_cast<size_t>(shift)]
                 [static_cast<size_t>(figure)];
    }
    int at(int level, int day, int shift, Figure figure) const {
        return v_[static_cast<size_t>(level)][static_cast<size_t>(day)][static_cast<size_t>(shift)]
                 [static_cast<size_t>(figure)];
    }
    void clear() { v_ = {}; }
    bool operator==(const StaffingMatrix&) const = default;
    void clearDays(int fromDay, int toDay) {
        for (auto& level : v_)
            for (int d = fromDay; d <= toDay; ++d)
                level[static_cast<size_t>(d)] = {};
    }

private:
    std::array<std::array<std::array<std::array<int, Figures + 1>, RosterBounds::MaxWorkShifts + 1>,
                          RosterBounds::LastDay + 1>,
               RosterBounds::Levels + 1>
        v_{};
};

// The last created period of the creation unit (its row of kind 2), as a load found it.
struct CreatedPeriod {
    QString from, to;
    bool operator==(const CreatedPeriod&) const = default;
};

// One roster period in memory. Each roster screen owns its own.
struct RosterModel {
    // Period values.
    QString periodStart, periodEnd;
    int periodDayCount = 0;
    LoadSettings loaded;
    int byTeam = 0; // the by-team creation setting in force when the period was loaded
    // What a load with requests (RequestsMode::Load) found as the last created period, empty
    // when there was no such row. Registering the generated roster checks that it has not
    // moved since, so that a period registered elsewhere meanwhile is not overwritten.
    std::optional<CreatedPeriod> createdSeen;
    // The same load's digest of the period's stored requests of the people loaded
    // (StoredRequestsDigest): registering checks that nobody changed or removed them since (a
    // term-end purge, say), since the roster was built around them.
    std::optional<QByteArray> requestsSeen;

    std::array<DayInfo, RosterBounds::DayCount> days;
    DayInfo& day(int d) { return days[static_cast<size_t>(d - RosterBounds::FirstDay)]; }
    const DayInfo& day(int d) const {
        return days[static_cast<size_t>(d - RosterBounds::FirstDay)];
    }
    // Last day of the period (0..40): days from 1 on while the date is set and not after the
    // period end.
    int lastDay() const {
        int d = 0;
        while (d < RosterBounds::LastDay) {
            const QString& date = day(d + 1).date;
            if (date.isEmpty() || date > periodEnd)
                break;
            ++d;
        }
        return d;
    }

    std::array<QString, 4> teamName; // teams 1..3

    // Staff groups 1 and 2; slot s of group g is groups[g-1][s-1]. Capacity is not capped.
    std::array<std::vector<Person>, 2> groups;
    std::vector<Person>& group(int g) { return groups[static_cast<size_t>(g - 1)]; }
    const std::vector<Person>& group(int g) const { return groups[static_cast<size_t>(g - 1)]; }
    Person& person(int g, int slot) { return group(g)[static_cast<size_t>(slot - 1)]; }
    const Person& person(int g, int slot) const { return group(g)[static_cast<size_t>(slot - 1)]; }
    int groupCount(int g) const { return static_cast<int>(group(g).size()); }

    MasterCache cache;
    StaffingMatrix<6> requirement;
    StaffingMatrix<8> assigned; // counted from the cells (TallyPerDay)
    int recountLimit = RosterBounds::MaxPeriodDay;
    QString totalsWindowStart, totalsWindowEnd;
    // The columns of the cumulative totals, 1..6 (index 0 unused): month numbers, 0 ending
    // the list, or date ranges, an empty start ending them.
    TotalsBy totalsBy = TotalsBy::Period;
    std::array<int, 8> totalsMonthList{};
    std::array<QString, 7> totalsYearStart, totalsYearEnd;

    CellState cellState(const Person& p, int d) const {
        const Cell& c = p.cell(d);
        if (!c.shift.isEmpty() || !c.requestShift.isEmpty() || c.unavailable == 1)
            return CellState::Taken;
        return day(d).holidayFlag == 1 ? CellState::Closed : CellState::Free;
    }
    bool isClosed(int d) const { return day(d).holidayFlag == 1; }

    bool operator==(const RosterModel&) const = default;
};
