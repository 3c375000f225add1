#pragma once

#include "store/records/shift_definition.h"

#include <QString>
#include <optional>
#include <vector>

class Database;

// The shift master's look-ups and writes. Each write is one transaction of its own (or joins
// the caller's).
namespace ShiftStore {

// The roster model holds at most this many working shifts.
inline constexpr int maxWorkingShifts = 10;

// The working shifts (`working` 1) in priority order, as the roster places them.
std::vector<ShiftDefinition> workingShifts(Database& db);

// The shift named `name` among the working shifts (`working` 1) or the leave shifts (0).
std::optional<ShiftDefinition> findListed(Database& db, int working, const QString& name);

// Whether a working shift other than `abbrev` has the priority. Daily staffing fills working
// shifts in priority order, so two of them never share one.
bool priorityTaken(Database& db, int priority, const QString& abbrev);

enum class SaveResult { Saved, TooManyWorking };

// Adds the definition or overwrites the one with its abbreviation. A new working shift, or a
// leave shift turned into one, is refused once maxWorkingShifts are stored.
SaveResult save(Database& db, const ShiftDefinition& definition);

// False when no shift has the abbreviation.
bool remove(Database& db, const QString& abbrev);

} // namespace ShiftStore
