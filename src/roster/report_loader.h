#pragma once

#include <QString>

class Database;
struct RosterModel;
struct StartupSettings;

// Loads a registered period for the quality report: view mode with the requests, grouped by
// team when the workplace is, the stored rows (actual shifts kept apart from planned ones), and
// the five lead days before the period so that runs and night shifts carry over its start.
// Throws DbError when the file cannot be read.
void LoadRosterForReport(Database& db, const StartupSettings& settings, RosterModel& m,
                         const QString& from, const QString& to);
