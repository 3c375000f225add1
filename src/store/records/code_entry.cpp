#include "store/records/code_entry.h"

#include "store/records/record_access.h"
#include "store/table.h"

std::optional<CodeEntry> CodeEntry::load(Database& db, int kind, int no) {
    return RecordAccess::load<CodeEntry>(db, {kind, no});
}

void CodeEntry::save(Database& db) const {
    RecordAccess::save(db, *this);
}

bool CodeEntry::remove(Database& db, int kind, int no) {
    return RecordAccess::remove(db, table, {kind, no});
}

std::vector<CodeEntry> CodeEntry::loadKind(Database& db, int kind) {
    return RecordAccess::loadAll<CodeEntry>(db, {kind});
}

CodeEntry CodeEntry::fromRow(const Table& t) {
    CodeEntry r;
    r.kind = t.integer(Field::kind);
    r.no = t.integer(Field::no);
    r.name = t.text(Field::name);
    r.abbrev = t.text(Field::abbrev);
    return r;
}

void CodeEntry::writeTo(Table& t) const {
    t.set(Field::kind, kind);
    t.set(Field::no, no);
    t.set(Field::name, name);
    t.set(Field::abbrev, abbrev);
}

QVariantList CodeEntry::key() const {
    return {kind, no};
}
