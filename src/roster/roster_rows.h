#pragma once

#include <QString>
#include <functional>

class Database;

// One kind-1 row of 勤務表 as the loaders read it.
struct RosterRow {
    QString staffNo, date, planned, actual;
    int plannedEarly = 0, actualEarly = 0;
};

// Visits every kind-1 roster row dated from..to (inclusive) with a single query, in staff and
// date order.
void ForEachRosterRow(Database& db, const QString& from, const QString& to,
                      const std::function<void(const RosterRow&)>& visit);
