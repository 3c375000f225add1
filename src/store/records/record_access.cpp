#include "store/records/record_access.h"

namespace RecordAccess {

bool seekKey(Table& table, const QVariantList& key) {
    table.setIndex(table.def().primaryKey().name);
    table.seek(Seek::Equal, key);
    return !table.noMatch();
}

bool remove(Database& db, const QString& table, const QVariantList& key) {
    Table t(db, table);
    if (!seekKey(t, key))
        return false;
    t.remove();
    return true;
}

} // namespace RecordAccess
