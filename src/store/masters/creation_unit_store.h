#pragma once

#include "store/creation_mode.h"
#include "store/records/creation_unit.h"

class Database;

namespace CreationUnitStore {

// Stores one row of the creation unit and the creation mode beside it, both or neither.
void save(Database& db, const CreationUnit& unit, const CreationMode& mode);

} // namespace CreationUnitStore
