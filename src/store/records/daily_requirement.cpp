#include "store/records/daily_requirement.h"

#include "store/records/record_access.h"
#include "store/table.h"

std::optional<DailyRequirement> DailyRequirement::load(Database& db, int kind, int day,
                                                       int priority) {
    return RecordAccess::load<DailyRequirement>(db, {kind, day, priority});
}

void DailyRequirement::save(Database& db) const {
    RecordAccess::save(db, *this);
}

bool DailyRequirement::remove(Database& db, int kind, int day, int priority) {
    return RecordAccess::remove(db, table, {kind, day, priority});
}

std::vector<DailyRequirement> DailyRequirement::loadKind(Database& db, int kind) {
    return RecordAccess::loadAll<DailyRequirement>(db, {kind});
}

DailyRequirement DailyRequirement::fromRow(const Table& t) {
    DailyRequirement r;
    r.kind = t.integer(Field::kind);
    r.day = t.integer(Field::day);
    r.priority = t.integer(Field::priority);
    r.shiftAbbrev = t.text(Field::shiftAbbrev);
    r.shiftName = t.text(Field::shiftName);
    r.minStaff = t.integer(Field::minStaff);
    r.leaders = t.integer(Field::leaders);
    r.teamStaff = t.integer(Field::teamStaff);
    r.teamLeaders = t.integer(Field::teamLeaders);
    r.earlyStaff = t.integer(Field::earlyStaff);
    r.lateStaff = t.integer(Field::lateStaff);
    r.remark = t.text(Field::remark);
    return r;
}

void DailyRequirement::writeTo(Table& t) const {
    t.set(Field::kind, kind);
    t.set(Field::day, day);
    t.set(Field::priority, priority);
    t.set(Field::shiftAbbrev, shiftAbbrev);
    t.set(Field::shiftName, shiftName);
    t.set(Field::minStaff, minStaff);
    t.set(Field::leaders, leaders);
    t.set(Field::teamStaff, teamStaff);
    t.set(Field::teamLeaders, teamLeaders);
    t.set(Field::earlyStaff, earlyStaff);
    t.set(Field::lateStaff, lateStaff);
    t.set(Field::remark, remark);
}

QVariantList DailyRequirement::key() const {
    return {kind, day, priority};
}
