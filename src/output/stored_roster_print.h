#pragma once

#include <QString>

class Database;
class Sheet;
struct RosterModel;
struct StartupSettings;

// Loads the registered roster of the model's period (periodStart/periodEnd, filters and
// grouping mode already set) in view mode, counts it and prints the roster sheet.
void PrintStoredRoster(Database& db, const StartupSettings& settings, RosterModel& model,
                       Sheet& sheet);

// The load half of it: view mode, days, staff, master cache, stored rows and tallies.
void LoadRosterForPrint(Database& db, const StartupSettings& settings, RosterModel& model);

// The message when a loaded model holds nobody to print (the chosen person joined after the
// period or is on leave over all of it, or nobody belongs to the choice); empty otherwise.
QString NothingToPrintMessage(const RosterModel& model);
