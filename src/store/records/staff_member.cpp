#include "store/records/staff_member.h"

#include "store/records/record_access.h"
#include "store/table.h"

std::optional<StaffMember> StaffMember::load(Database& db, const QString& no) {
    return RecordAccess::load<StaffMember>(db, {no});
}

void StaffMember::save(Database& db) const {
    RecordAccess::save(db, *this);
}

bool StaffMember::remove(Database& db, const QString& no) {
    return RecordAccess::remove(db, table, {no});
}

std::vector<StaffMember> StaffMember::loadAll(Database& db) {
    return RecordAccess::loadAll<StaffMember>(db);
}

StaffMember StaffMember::fromRow(const Table& t) {
    StaffMember r;
    r.no = t.text(Field::no);
    r.displayOrder = t.text(Field::displayOrder);
    r.name = t.text(Field::name);
    r.kana = t.text(Field::kana);
    r.address = t.text(Field::address);
    r.phone = t.text(Field::phone);
    r.mobile = t.text(Field::mobile);
    r.fax = t.text(Field::fax);
    r.email = t.text(Field::email);
    r.birthDate = t.text(Field::birthDate);
    r.assignedFrom = t.text(Field::assignedFrom);
    r.category = t.integer(Field::category);
    r.sex = t.integer(Field::sex);
    r.shiftType = t.integer(Field::shiftType);
    r.earlyAllowed = t.integer(Field::earlyAllowed);
    r.fixedPattern = t.integer(Field::fixedPattern);
    r.team = t.text(Field::team);
    r.leader = t.integer(Field::leader);
    r.employFlag = t.integer(Field::employFlag);
    r.leaveFrom = t.text(Field::leaveFrom);
    r.leaveTo = t.text(Field::leaveTo);
    r.remark = t.text(Field::remark);
    return r;
}

void StaffMember::writeTo(Table& t) const {
    t.set(Field::no, no);
    t.set(Field::displayOrder, displayOrder);
    t.set(Field::name, name);
    t.set(Field::kana, kana);
    t.set(Field::address, address);
    t.set(Field::phone, phone);
    t.set(Field::mobile, mobile);
    t.set(Field::fax, fax);
    t.set(Field::email, email);
    t.set(Field::birthDate, birthDate);
    t.set(Field::assignedFrom, assignedFrom);
    t.set(Field::category, category);
    t.set(Field::sex, sex);
    t.set(Field::shiftType, shiftType);
    t.set(Field::earlyAllowed, earlyAllowed);
    t.set(Field::fixedPattern, fixedPattern);
    t.set(Field::team, team);
    t.set(Field::leader, leader);
    t.set(Field::employFlag, employFlag);
    t.set(Field::leaveFrom, leaveFrom);
    t.set(Field::leaveTo, leaveTo);
    t.set(Field::remark, remark);
}

QVariantList StaffMember::key() const {
    return {no};
}
