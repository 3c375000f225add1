#pragma once

#include <QDate>
#include <QString>
#include <vector>

class Database;

// What the working calendar says of a day.
enum class CalendarMark { Ordinary, Holiday, WorkingDay };

// One day of a month as the screens that let the clerk pick a day draw it.
struct MonthDay {
    QDate date;
    CalendarMark mark = CalendarMark::Ordinary;
    QString remark;         // the registered day's name, empty for an ordinary day
    bool requested = false; // the member asked for the day (a request of any kind)
    bool operator==(const MonthDay&) const = default;
};

// Every day of the month of `firstDay`, with one member's requests when `staffNo` is given.
std::vector<MonthDay> ReadMonthDays(Database& db, const QDate& firstDay, const QString& staffNo);

// Whether `staffNo` has a request of any kind on `day`.
bool HasRequestOnDay(Database& db, const QString& staffNo, const QDate& day);
