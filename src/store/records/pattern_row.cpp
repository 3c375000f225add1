#include "store/records/pattern_row.h"

#include "store/records/record_access.h"
#include "store/table.h"

std::optional<PatternRow> PatternRow::load(Database& db, int kind, int no, int position) {
    return RecordAccess::load<PatternRow>(db, {kind, no, position});
}

void PatternRow::save(Database& db) const {
    RecordAccess::save(db, *this);
}

bool PatternRow::remove(Database& db, int kind, int no, int position) {
    return RecordAccess::remove(db, table, {kind, no, position});
}

std::vector<PatternRow> PatternRow::loadKind(Database& db, int kind) {
    return RecordAccess::loadAll<PatternRow>(db, {kind});
}

std::vector<PatternRow> PatternRow::loadPattern(Database& db, int kind, int no) {
    return RecordAccess::loadAll<PatternRow>(db, {kind, no});
}

PatternRow PatternRow::fromRow(const Table& t) {
    PatternRow r;
    r.kind = t.integer(Field::kind);
    r.no = t.integer(Field::no);
    r.name = t.text(Field::name);
    r.position = t.integer(Field::position);
    r.shiftAbbrev = t.text(Field::shiftAbbrev);
    r.shiftName = t.text(Field::shiftName);
    r.remark = t.text(Field::remark);
    return r;
}

void PatternRow::writeTo(Table& t) const {
    t.set(Field::kind, kind);
    t.set(Field::no, no);
    t.set(Field::name, name);
    t.set(Field::position, position);
    t.set(Field::shiftAbbrev, shiftAbbrev);
    t.set(Field::shiftName, shiftName);
    t.set(Field::remark, remark);
}

QVariantList PatternRow::key() const {
    return {kind, no, position};
}
