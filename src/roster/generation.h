#pragma once

#include "roster/pinned_cells.h"
#include "roster/roster_model.h"

#include <QString>
#include <vector>

class Database;
struct StartupSettings;

// The period checks of expansion: the message to show, empty when the period is good. Both
// texts are "yyyy/mm/dd".
QString CheckGenerationPeriod(const QString& start, const QString& end);

// Loads the period for generation (LoadPurpose::Generate), grouped as asked, into `m` and
// generates it: AssignShifts, FillRemainingShifts and the tallies. The cells held by hand in
// `pins` keep their shifts, held still, and the rest is generated around them. The caller checks
// the period first. Throws DbError when the database cannot be read.
void ExpandRoster(Database& db, RosterModel& m, const StartupSettings& settings,
                  const QString& start, const QString& end, Grouping grouping,
                  const std::vector<PinnedShift>& pins = {});
