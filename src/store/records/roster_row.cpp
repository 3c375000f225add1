#include "store/records/roster_row.h"

#include "store/records/record_access.h"
#include "store/table.h"

std::optional<RosterRow> RosterRow::load(Database& db, int kind, const QString& staffNo,
                                         const QString& date) {
    return RecordAccess::load<RosterRow>(db, {kind, staffNo, date});
}

void RosterRow::save(Database& db) const {
    RecordAccess::save(db, *this);
}

bool RosterRow::remove(Database& db, int kind, const QString& staffNo, const QString& date) {
    return RecordAccess::remove(db, table, {kind, staffNo, date});
}

std::vector<RosterRow> RosterRow::loadForStaff(Database& db, int kind, const QString& staffNo,
                                               const QString& from, const QString& to) {
    std::vector<RosterRow> rows;
    Table t(db, table);
    t.setIndex(Index::key);
    for (t.seek(Seek::GreaterEqual, {kind, staffNo, from});
         t.keyMatches({kind, staffNo}) && t.text(Field::date) <= to; t.moveNext())
        rows.push_back(fromRow(t));
    return rows;
}

RosterRow RosterRow::fromRow(const Table& t) {
    RosterRow r;
    r.kind = t.integer(Field::kind);
    r.staffNo = t.text(Field::staffNo);
    r.date = t.text(Field::date);
    r.planned = t.text(Field::planned);
    r.plannedEarly = t.integer(Field::plannedEarly);
    r.actual = t.text(Field::actual);
    r.actualEarly = t.integer(Field::actualEarly);
    r.backup = t.text(Field::backup);
    r.team = t.text(Field::team);
    r.pattern = t.text(Field::pattern);
    return r;
}

void RosterRow::writeTo(Table& t) const {
    t.set(Field::kind, kind);
    t.set(Field::staffNo, staffNo);
    t.set(Field::date, date);
    t.set(Field::planned, planned);
    t.set(Field::plannedEarly, plannedEarly);
    t.set(Field::actual, actual);
    t.set(Field::actualEarly, actualEarly);
    t.set(Field::backup, backup);
    t.set(Field::team, team);
    t.set(Field::pattern, pattern);
}

QVariantList RosterRow::key() const {
    return {kind, staffNo, date};
}
