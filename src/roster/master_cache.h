#pragma once

class Database;
struct RosterModel;

// Rebuilds model.cache and model.requirement for the loaded period. Expects the period's
// day dates and holiday flags (days 1..31) and model.loaded.grouping to be set.
void LoadMasterCache(Database& db, RosterModel& model);

// The steps, in the order LoadMasterCache runs them.
void LoadShiftSettings(Database& db, RosterModel& model);
void LoadReplacementOrder(Database& db, RosterModel& model);
void LoadPatternTables(Database& db, RosterModel& model);
void LoadShiftTable(Database& db, RosterModel& model);
void InitRequirementMatrix(RosterModel& model);
void ApplyWeekdayRequirements(Database& db, RosterModel& model);
void ApplyDateRequirements(Database& db, RosterModel& model);
void ClearHolidayRequirements(RosterModel& model);
void MapReplacementOrder(RosterModel& model);
