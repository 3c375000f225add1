#include "store/masters/creation_unit_store.h"

#include "store/database.h"

namespace CreationUnitStore {

void save(Database& db, const CreationUnit& unit, const CreationMode& mode) {
    Database::Transaction tx(db);
    unit.save(db);
    WriteCreationModeSetting(db, mode);
    tx.commit();
}

} // namespace CreationUnitStore
