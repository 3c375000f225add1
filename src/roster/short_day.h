#pragma once

#include <QString>
#include <vector>

struct RosterModel;

// What keeps a person from taking a shift on a day, in the order they are tested.
enum class ShortDayBlocker {
    None,          // could take it
    Unavailable,   // before joining or on leave of absence
    ClosedDay,     // the workplace is closed
    OnThisShift,   // already counted on the short shift
    Request,       // the day carries a request
    FixedSchedule, // no shift work, or a weekday pattern: the passes never move them
    MandatoryRun,  // inside a mandatory run, or the run would not fit after the day
    MaxReached,    // the shift's 基本_MAX for the period is used up
    LeaderRule,    // a leader whose own shift would drop below its leader requirement
};

// One person of the short day's group (or unit) as the explanation lists them.
struct ShortDayPerson {
    int group = 0, slot = 0;
    QString staffNo, name;
    QString shift;      // what the day holds now (empty for nothing)
    int shiftCount = 0; // days on the short shift in the period
    ShortDayBlocker blocker = ShortDayBlocker::None;
    QString reason; // the blocker in words, empty for a candidate
};

// Why a day is short of a working shift, for one level (1 and 2 the staff groups, 3 the unit).
struct ShortDayExplanation {
    int day = 0;
    QString date;
    int level = 3;
    int shift = 0; // working-shift index
    QString shiftAbbrev;
    int required = 0, assigned = 0;
    std::vector<ShortDayPerson> people;     // everybody of the level, in group and slot order
    std::vector<ShortDayPerson> candidates; // those who could take it, fewest of the shift first
};

// The shift a day holds for counting: the actual shift, else (while generating) the request,
// else the planned shift; a registered period viewed falls back to the request only where no
// planned shift was stored.
const QString& ReportedShift(const RosterModel& m, int group, int slot, int day);
