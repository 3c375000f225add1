#pragma once

#include <QString>

class Database;
struct RosterModel;

// Narrows a printout to the staff member listed under `name`, everybody else left out and no
// grouping by team. Returns the refusal when nobody is registered under that name, else empty.
QString NarrowPrintToStaffNamed(Database& db, RosterModel& m, const QString& name);
