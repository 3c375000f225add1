#include "store/masters/requirement_store.h"

#include "store/database.h"

namespace RequirementStore {

std::vector<DailyRequirement> rowsOfKind(Database& db, int kind) {
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    std::vector<DailyRequirement> rows = DailyRequirement::loadKind(db, kind);
    read.commit();
    return rows;
}

void save(Database& db, const DailyRequirement& row) {
    Database::Transaction tx(db);
    row.save(db);
    tx.commit();
}

bool remove(Database& db, int kind, int day, int priority) {
    Database::Transaction tx(db);
    if (!DailyRequirement::remove(db, kind, day, priority))
        return false;
    tx.commit();
    return true;
}

} // namespace RequirementStore
