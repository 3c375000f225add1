#pragma once

#include "store/records/pattern_row.h"
#include "store/records/shift_definition.h"

#include <QString>
#include <array>
#include <vector>

class Database;

// The writes of the pattern master and the reads that gather a pattern with its shifts. Each
// write is one transaction of its own (or joins the caller's).
namespace PatternStore {

// A sequence pattern holds at most this many shifts after its header.
inline constexpr int maxSequenceRows = 20;

// Stores the header (position 0) of pattern `no` of `kind` with its name and remark; the rest
// of a stored header stays.
void saveHeader(Database& db, int kind, int no, const QString& name, const QString& remark);

enum class ShiftSave { Saved, PatternFull };

// Stores the shift of `row`'s key (position from 1): its abbreviation, name and remark; the
// rest of a stored row stays. A new position is refused once the pattern holds
// maxSequenceRows shifts, counted in the table.
ShiftSave saveShift(Database& db, const PatternRow& row);

// Stores the seven weekday rows (positions 1 to 7) of a weekday pattern in one go, each as
// saveShift does but with no limit.
void saveWeekdays(Database& db, const std::array<PatternRow, 7>& days);

// Deletes the rows of pattern `no` of `kind` from `position` to the pattern's end: position 0
// takes the whole pattern. False, and nothing deleted, when no row is stored at `position`.
bool removeFrom(Database& db, int kind, int no, int position);

// The header of every pattern of every kind, in key order.
std::vector<PatternRow> allHeaders(Database& db);

// The shift of each position of the first pattern named `name` (any kind), in position order;
// a position naming no stored shift is left out. Empty when no pattern has the name.
std::vector<ShiftDefinition> shiftsOfPattern(Database& db, const QString& name);

} // namespace PatternStore
