#pragma once

#include <QDate>
#include <QString>
#include <vector>

class Database;

// One person's month as the personal calendar shows it: per day its place in the weekly bands,
// the calendar's word on it, and the two shift lines (planned or requested, then actual).
struct PersonalMonth final {
    enum class CalendarMark { Ordinary, Holiday, WorkingDay }; // no calendar row, closed, open

    struct Day {
        int day = 0;
        int band = 0;   // the week, 0 for the one holding the 1st
        int column = 0; // weekday, 0 Sunday
        CalendarMark mark = CalendarMark::Ordinary;
        QString upper;          // the request, else the planned shift
        bool requested = false; // the upper line is a request
        // The actual shift; a past day worked as planned repeats the plan here, so a day
        // that already happened never looks unrecorded.
        QString lower;
    };

    std::vector<Day> days;
    int bandCount() const { return days.empty() ? 0 : days.back().band + 1; }

    // The month of `first` (its 1st) for `staffNo`, days before `today` being past.
    static PersonalMonth load(Database& db, const QString& staffNo, const QDate& first,
                              const QDate& today);
};
