#include "store/records/shift_definition.h"

#include "store/records/record_access.h"
#include "store/table.h"

std::optional<ShiftDefinition> ShiftDefinition::load(Database& db, const QString& abbrev) {
    return RecordAccess::load<ShiftDefinition>(db, {abbrev});
}

void ShiftDefinition::save(Database& db) const {
    RecordAccess::save(db, *this);
}

bool ShiftDefinition::remove(Database& db, const QString& abbrev) {
    return RecordAccess::remove(db, table, {abbrev});
}

std::vector<ShiftDefinition> ShiftDefinition::loadAll(Database& db) {
    return RecordAccess::loadAll<ShiftDefinition>(db);
}

ShiftDefinition ShiftDefinition::fromRow(const Table& t) {
    ShiftDefinition r;
    r.abbrev = t.text(Field::abbrev);
    r.name = t.text(Field::name);
    r.working = t.integer(Field::working);
    r.shortageFlag = t.integer(Field::shortageFlag);
    r.priority = t.integer(Field::priority);
    r.start = t.text(Field::start);
    r.end = t.text(Field::end);
    r.restWorkKind = t.integer(Field::restWorkKind);
    r.earlyKind = t.integer(Field::earlyKind);
    r.paidFlag = t.integer(Field::paidFlag);
    r.earlyStaff = t.integer(Field::earlyStaff);
    r.earlyStart = t.text(Field::earlyStart);
    r.earlyEnd = t.text(Field::earlyEnd);
    r.lateStaff = t.integer(Field::lateStaff);
    r.lateStart = t.text(Field::lateStart);
    r.lateEnd = t.text(Field::lateEnd);
    r.minStaff = t.integer(Field::minStaff);
    r.leaders = t.integer(Field::leaders);
    r.max = t.integer(Field::max);
    r.teamStaff = t.integer(Field::teamStaff);
    r.teamLeaders = t.integer(Field::teamLeaders);
    r.remark = t.text(Field::remark);
    return r;
}

void ShiftDefinition::writeTo(Table& t) const {
    t.set(Field::abbrev, abbrev);
    t.set(Field::name, name);
    t.set(Field::working, working);
    t.set(Field::shortageFlag, shortageFlag);
    t.set(Field::priority, priority);
    t.set(Field::start, start);
    t.set(Field::end, end);
    t.set(Field::restWorkKind, restWorkKind);
    t.set(Field::earlyKind, earlyKind);
    t.set(Field::paidFlag, paidFlag);
    t.set(Field::earlyStaff, earlyStaff);
    t.set(Field::earlyStart, earlyStart);
    t.set(Field::earlyEnd, earlyEnd);
    t.set(Field::lateStaff, lateStaff);
    t.set(Field::lateStart, lateStart);
    t.set(Field::lateEnd, lateEnd);
    t.set(Field::minStaff, minStaff);
    t.set(Field::leaders, leaders);
    t.set(Field::max, max);
    t.set(Field::teamStaff, teamStaff);
    t.set(Field::teamLeaders, teamLeaders);
    t.set(Field::remark, remark);
}

QVariantList ShiftDefinition::key() const {
    return {abbrev};
}
