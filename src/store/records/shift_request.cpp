#include "store/records/shift_request.h"

#include "store/records/record_access.h"
#include "store/table.h"

std::optional<ShiftRequest> ShiftRequest::load(Database& db, int kind, const QString& staffNo,
                                               const QString& date) {
    return RecordAccess::load<ShiftRequest>(db, {kind, staffNo, date});
}

void ShiftRequest::save(Database& db) const {
    RecordAccess::save(db, *this);
}

bool ShiftRequest::remove(Database& db, int kind, const QString& staffNo, const QString& date) {
    return RecordAccess::remove(db, table, {kind, staffNo, date});
}

std::vector<ShiftRequest> ShiftRequest::loadForStaff(Database& db, const QString& staffNo,
                                                     const QString& from, const QString& to) {
    std::vector<ShiftRequest> rows;
    Table t(db, table);
    t.setIndex(Index::byStaff);
    for (t.seek(Seek::GreaterEqual, {staffNo, from});
         t.keyMatches({staffNo}) && t.text(Field::date) <= to; t.moveNext())
        rows.push_back(fromRow(t));
    return rows;
}

ShiftRequest ShiftRequest::fromRow(const Table& t) {
    ShiftRequest r;
    r.kind = t.integer(Field::kind);
    r.staffNo = t.text(Field::staffNo);
    r.date = t.text(Field::date);
    r.planned = t.text(Field::planned);
    r.actual = t.text(Field::actual);
    r.lateEarly = t.integer(Field::lateEarly);
    r.dayOffFlag = t.integer(Field::dayOffFlag);
    r.from = t.text(Field::from);
    r.to = t.text(Field::to);
    r.backup = t.text(Field::backup);
    r.appliedOn = t.text(Field::appliedOn);
    r.remark = t.text(Field::remark);
    r.consecutiveFlag = t.integer(Field::consecutiveFlag);
    return r;
}

void ShiftRequest::writeTo(Table& t) const {
    t.set(Field::kind, kind);
    t.set(Field::staffNo, staffNo);
    t.set(Field::date, date);
    t.set(Field::planned, planned);
    t.set(Field::actual, actual);
    t.set(Field::lateEarly, lateEarly);
    t.set(Field::dayOffFlag, dayOffFlag);
    t.set(Field::from, from);
    t.set(Field::to, to);
    t.set(Field::backup, backup);
    t.set(Field::appliedOn, appliedOn);
    t.set(Field::remark, remark);
    t.set(Field::consecutiveFlag, consecutiveFlag);
}

QVariantList ShiftRequest::key() const {
    return {kind, staffNo, date};
}
