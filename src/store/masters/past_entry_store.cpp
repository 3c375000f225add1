#include "store/masters/past_entry_store.h"

#include "store/database.h"
#include "store/records/pattern_row.h"
#include "store/records/roster_row.h"
#include "store/table.h"

namespace PastEntryStore {

int patternKindOf(int shiftType) {
    return shiftType == 1 || shiftType == 3 || shiftType == 5 ? shiftType : 0;
}

PatternRef findPattern(Database& db, const QString& name, int preferredKind) {
    PatternRef found;
    Table t(db, PatternRow::table);
    t.setIndex(PatternRow::Index::byName);
    t.seek(Seek::Equal, {name});
    for (; !t.noMatch() && !t.eof() && t.text(PatternRow::Field::name) == name; t.moveNext()) {
        const int kind = t.integer(PatternRow::Field::kind);
        if (t.integer(PatternRow::Field::position) != 0 || kind == 2 || kind == 4)
            continue;
        if (found.kind == 0 || kind == preferredKind)
            found = {kind, t.integer(PatternRow::Field::no)};
        if (kind == preferredKind)
            break;
    }
    return found;
}

void saveDays(Database& db, const QString& staffNo, const std::vector<Day>& days,
              const QString& team, int patternNo) {
    Database::Transaction tx(db);
    for (const Day& day : days) {
        RosterRow r;
        r.kind = kRegistered;
        r.staffNo = staffNo;
        r.date = day.date;
        r.planned = day.shift;
        r.actual = day.shift;
        r.team = team;
        r.pattern = QString::number(patternNo);
        r.save(db);
    }
    tx.commit();
}

void removeDays(Database& db, const QString& staffNo, const std::vector<QString>& dates) {
    Database::Transaction tx(db);
    for (const QString& date : dates)
        RosterRow::remove(db, kRegistered, staffNo, date);
    tx.commit();
}

} // namespace PastEntryStore
