#pragma once

#include "roster/night_settings.h"
#include "roster/short_day.h"

#include <QString>
#include <vector>

struct RosterModel;

// The quality figures of one roster period, in plain values that a window, a file or a test
// can read without the model.
struct QualityReport {
    struct DayStaffing {
        int day = 0;
        QString date;
        bool closed = false;
        int required = 0, assigned = 0;
        int shortage() const { return required > assigned ? required - assigned : 0; }
        int surplus() const { return assigned > required ? assigned - required : 0; }
    };
    // One working shift (the rest shift left out) at one level: 1 and 2 the staff groups when
    // the roster is grouped by team, 3 the whole unit.
    struct ShiftStaffing {
        int level = 3;
        QString levelName;
        QString shift;
        std::vector<DayStaffing> days; // days 1..period end
        int shortage = 0, surplus = 0; // person-shifts over the period
    };
    struct PersonFigures {
        QString staffNo, name;
        int group = 0;
        std::vector<int> shiftDays; // per working shift, in the order of `shifts`
        int restDays = 0;           // available days without a working shift
        int nights = 0;             // days on the mandatory run's first shift
        int saturdaysOff = 0, sundaysOff = 0, closedDaysOff = 0;
        int longestRun = 0;     // consecutive working days, lead days included
        QString longestRunFrom; // first date of that run (may lie before the period)
        int requested = 0, granted = 0;
        int earlyMarks = 0, lateMarks = 0;
        double nightHours = 0;
    };
    struct Spread {
        QString shift;
        int people = 0; // the people who can work it
        int min = 0, max = 0;
        double mean = 0, stddev = 0;
    };
    enum class FindingKind { RunWithoutPredecessor, LeaderShort, OverMax };
    struct Finding {
        FindingKind kind = FindingKind::RunWithoutPredecessor;
        int day = 0; // 0 for a finding about the whole period
        QString date, staffNo, name, shift;
        int group = 0, slot = 0, level = 0;
        QString text;
    };
    struct NightSummary {
        QString window;
        double minimumHours = 0;
        int staffCounted = 0;   // people with at least the minimum
        double average = 0;     // their mean night hours
        bool overLimit = false; // above NightSettings::AverageLimit
    };

    QString periodStart, periodEnd;
    int dayCount = 0;
    std::vector<QString> shifts; // every working shift, rest shift included
    std::vector<ShiftStaffing> staffing;
    std::vector<PersonFigures> people;
    std::vector<Spread> spread; // per entry of `shifts`
    std::vector<Finding> findings;
    NightSummary night;
    std::vector<ShortDayExplanation> shortDays;

    // Total shortage / surplus person-shifts of a shift over the whole unit.
    int unitShortage(const QString& shift) const;
    int unitSurplus(const QString& shift) const;
};

// Builds the report from a loaded (generated, or registered and loaded for viewing) model. The
// actual shift of a day wins over the planned one.
QualityReport BuildQualityReport(const RosterModel& m, const NightSettings& night = {});

// Whole-unit shortage of each period day (index day - 1), over every working shift.
std::vector<int> UnitShortageByDay(const QualityReport& r);
