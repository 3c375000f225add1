#pragma once

#include "store/records/roster_row.h"

#include <QString>
#include <functional>

class Database;

// Visits every kind-1 roster row dated from..to (inclusive) with a single query, in staff and
// date order. Only the fields the loaders use are read: kind, staff number, date, and the
// planned and actual shifts with their marks.
void ForEachRosterRow(Database& db, const QString& from, const QString& to,
                      const std::function<void(const RosterRow&)>& visit);
