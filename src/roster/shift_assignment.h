#pragma once

#include <QString>

struct RosterModel;
struct Person;
struct RunShape;

// The first generation pass: fixed weeks, weekday patterns, mandatory runs continued from the
// lead days and built around requests, the daily cover of the run's opening shift, and the
// base-pattern fillers around the runs.
void AssignShifts(RosterModel& m);

// The steps of AssignShifts, usable one by one.
int LastOpenLeadDay(const RosterModel& m);
int FirstOpenDay(const RosterModel& m);
void AssignFixedWeek(RosterModel& m, int group, int slot);
void AssignWeekdayPattern(RosterModel& m, int group, int slot);
void ContinueMandatoryRun(RosterModel& m, const RunShape& r, int group, int slot);
void PlaceRunsAroundRequests(RosterModel& m, const RunShape& r, int group, int slot);
void CoverMandatoryShift(RosterModel& m, const RunShape& r, int day, int who, int level);
void AddPatternFillers(RosterModel& m, const RunShape& r, int group, int slot);

// Whether a person may take the mandatory run starting on `day`, and how good a choice it is.
struct CandidateScore {
    bool acceptable = false;
    int daysSince = 0, periodCount = 0, historyCount = 0;
    bool betterThan(const CandidateScore& best) const;
};
CandidateScore EvaluateCandidate(const RosterModel& m, const RunShape& r, const Person& p, int day);

// The shift a base-pattern filler ends up as: the filler itself, or the default shift when the
// day does not need it.
QString CheckFillerNeeded(const RosterModel& m, const QString& shift, int group, int slot, int day);
