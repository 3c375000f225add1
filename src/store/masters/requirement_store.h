#pragma once

#include "store/records/daily_requirement.h"

#include <vector>

class Database;

// The daily staffing figures' reads and writes. Each write is one transaction of its own (or
// joins the caller's).
namespace RequirementStore {

// The rows of `kind` (weekday or day-of-month rules) in key order, read as one view.
std::vector<DailyRequirement> rowsOfKind(Database& db, int kind);

// Adds the row, or overwrites every field of the row stored under its key.
void save(Database& db, const DailyRequirement& row);

// False when there was no such row.
bool remove(Database& db, int kind, int day, int priority);

} // namespace RequirementStore
