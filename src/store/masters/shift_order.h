#pragma once

#include "store/records/shift_definition.h"

#include <QStringList>
#include <vector>

class Database;

// The shifts in the order the lists offer them: leave shifts first, then working shifts, each
// by priority and then abbreviation (idx_対象).
namespace ShiftOrder {

std::vector<ShiftDefinition> inListOrder(Database& db);
// The abbreviations of the working shifts in that order; at most `limit` when it is positive.
QStringList workingAbbrevs(Database& db, qsizetype limit = 0);

} // namespace ShiftOrder
