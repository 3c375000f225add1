#include "store/masters/code_store.h"

#include "store/code_kind.h"
#include "store/database.h"

namespace CodeStore {

Saved save(Database& db, const CodeEntry& entry) {
    Database::Transaction tx(db);
    if (entry.kind == CodeKind::ReplacementOrder && !CodeEntry::load(db, entry.kind, entry.no) &&
        std::ssize(CodeEntry::loadKind(db, entry.kind)) >= kMaxReplacementOrder)
        return Saved::ReplacementOrderFull;
    entry.save(db);
    tx.commit();
    return Saved::Stored;
}

bool remove(Database& db, int kind, int no) {
    Database::Transaction tx(db);
    if (!CodeEntry::remove(db, kind, no))
        return false;
    tx.commit();
    return true;
}

} // namespace CodeStore
