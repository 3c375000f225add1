#pragma once

#include <QString>
#include <array>

class Database;
struct RosterModel;

// Clears the model and loads the period's days, team names, staff (with availability) and,
// when model.loaded.requests says so, the requests. Reads the mode values already set on the model.
// weekdayNames (0 Sunday) label the days; empty names fall back to 日月火水木金土.
void LoadRosterPeriod(Database& db, RosterModel& m,
                      const std::array<QString, 7>& weekdayNames = {});

// Reads the stored roster rows of the loaded staff into the cells (five lead days as well in
// generation mode).
void LoadStoredRoster(Database& db, RosterModel& m);
