#pragma once

#include "roster/roster_model.h"

#include <QDate>

// Date, day of month and weekday (1 = Sunday) of every day slot, day 1 being `start`.
inline void fillDays(RosterModel& m, const QDate& start) {
    static const QString names[] = {
        QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
        QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土")};
    for (int d = RosterBounds::FirstDay; d <= RosterBounds::LastDay; ++d) {
        const QDate date = start.addDays(d - 1);
        DayInfo& day = m.day(d);
        day.date = date.toString(QStringLiteral("yyyy/MM/dd"));
        day.dayOfMonth = QString::number(date.day());
        day.weekday = date.dayOfWeek() % 7 + 1;
        day.weekdayName = names[date.dayOfWeek() % 7];
    }
}

// A hand-made model: `days` days from 2024/04/01, working shifts 日 (early and late
// allowed) and 夜 (none), and the rest shift 休.
inline RosterModel buildModel(int days = 30) {
    RosterModel m;
    const QDate start(2024, 4, 1);
    m.periodStart = start.toString(QStringLiteral("yyyy/MM/dd"));
    m.periodEnd = start.addDays(days - 1).toString(QStringLiteral("yyyy/MM/dd"));
    m.periodDayCount = days + 4;
    fillDays(m, start);
    WorkShiftInfo day;
    day.abbrev = QStringLiteral("日");
    day.earlyKind = 1;
    WorkShiftInfo night;
    night.abbrev = QStringLiteral("夜");
    WorkShiftInfo rest;
    rest.abbrev = QStringLiteral("休");
    m.cache.workShifts = {day, night, rest};
    m.cache.restShift = QStringLiteral("休");
    return m;
}

// Adds a person on the day shift every day of the model.
inline Person& addPerson(RosterModel& m, int group, const QString& no, int earlyAllowed = 1) {
    Person p;
    p.no = no;
    p.name = QStringLiteral("職員") + no;
    p.earlyAllowed = earlyAllowed;
    for (int d = 1; d <= RosterBounds::LastDay; ++d)
        p.cell(d).shift = QStringLiteral("日");
    m.group(group).push_back(p);
    return m.group(group).back();
}

// Sets the whole-unit requirement of shift `shift`, figure `figure`, on every day.
inline void requireEveryDay(RosterModel& m, int shift, Figure figure, int value) {
    for (int d = 1; d <= RosterBounds::LastDay; ++d)
        m.requirement.at(Level::Unit, d, shift, figure) = value;
}
