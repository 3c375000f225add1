#include "store/records/creation_unit.h"

#include "store/records/record_access.h"
#include "store/table.h"

std::optional<CreationUnit> CreationUnit::load(Database& db, int kind) {
    return RecordAccess::load<CreationUnit>(db, {kind});
}

void CreationUnit::save(Database& db) const {
    RecordAccess::save(db, *this);
}

bool CreationUnit::remove(Database& db, int kind) {
    return RecordAccess::remove(db, table, {kind});
}

CreationUnit CreationUnit::fromRow(const Table& t) {
    CreationUnit r;
    r.kind = t.integer(Field::kind);
    r.unit = t.integer(Field::unit);
    r.unitCount = t.integer(Field::unitCount);
    r.startDay = t.text(Field::startDay);
    r.byTeam = t.integer(Field::byTeam);
    r.createdFrom = t.text(Field::createdFrom);
    r.createdTo = t.text(Field::createdTo);
    r.remark = t.text(Field::remark);
    return r;
}

void CreationUnit::writeTo(Table& t) const {
    t.set(Field::kind, kind);
    t.set(Field::unit, unit);
    t.set(Field::unitCount, unitCount);
    t.set(Field::startDay, startDay);
    t.set(Field::byTeam, byTeam);
    t.set(Field::createdFrom, createdFrom);
    t.set(Field::createdTo, createdTo);
    t.set(Field::remark, remark);
}

QVariantList CreationUnit::key() const {
    return {kind};
}
