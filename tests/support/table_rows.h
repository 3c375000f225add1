#pragma once

// Rows written, read back and removed straight in the tables, so that a test sets up and
// checks its data without going through the screen under test.
#include "store/database.h"
#include "store/db_error.h"
#include "store/records/code_entry.h"
#include "store/records/creation_unit.h"
#include "store/records/pattern_row.h"
#include "store/records/roster_row.h"
#include "store/records/shift_definition.h"
#include "store/table.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>
#include <utility>
#include <vector>

namespace TableRows {

using Fields = std::vector<std::pair<QString, QVariant>>;

inline void setAll(Table& t, const Fields& fields) {
    for (const auto& [name, value] : fields)
        t.set(name, value);
}

// Adds a row holding `fields`.
inline void add(Database& db, const QString& table, const Fields& fields) {
    Table t(db, table);
    t.addNew();
    setAll(t, fields);
    t.update();
}

// Adds a row, or overwrites `fields` of the row already stored under `key`. `index` must be
// the table's primary key; a new row gets `key` in its key fields.
inline void put(Database& db, const QString& table, const QString& index, const QVariantList& key,
                const Fields& fields) {
    Table t(db, table);
    if (index != t.def().primaryKey().name)
        throw DbError(QStringLiteral("「%1」は「%2」の主キーではありません。").arg(index, table));
    t.seekOrAdd(key);
    setAll(t, fields);
    t.update();
}

// Deletes the row stored under `key` on `index` (a DbError when there is none).
inline void remove(Database& db, const QString& table, const QString& index,
                   const QVariantList& key) {
    Table t(db, table);
    t.setIndex(index);
    t.seek(Seek::Equal, key);
    t.remove();
}

// One field of the row stored under `key` on `index`; nothing when there is no such row.
inline std::optional<QVariant> value(Database& db, const QString& table, const QString& index,
                                     const QVariantList& key, const QString& field) {
    Table t(db, table);
    t.setIndex(index);
    t.seek(Seek::Equal, key);
    if (t.noMatch())
        return std::nullopt;
    return t.value(field);
}

inline int count(Database& db, const QString& table) {
    Table t(db, table);
    int n = 0;
    for (t.moveFirst(); !t.eof(); t.moveNext())
        ++n;
    return n;
}

// One code of the code master: `kind` is the code list, `no` the code within it.
inline void putCode(Database& db, int kind, int no, const QString& name, const QString& abbrev) {
    CodeEntry{kind, no, name, abbrev}.save(db);
}

// Only the abbreviation of a code, leaving the name of a stored code as it is: the setting
// codes keep their value there.
inline void putCodeAbbrev(Database& db, int kind, int no, const QString& abbrev) {
    put(db, CodeEntry::table, CodeEntry::Index::key, {kind, no},
        {{CodeEntry::Field::abbrev, abbrev}});
}

// A shift with its working flag and order; `more` are further fields of the shift row.
inline void putShift(Database& db, const QString& abbrev, const QString& name, int working,
                     int order, Fields more = {}) {
    using F = ShiftDefinition::Field;
    more.insert(more.begin(), {{F::name, name}, {F::working, working}, {F::priority, order}});
    put(db, ShiftDefinition::table, ShiftDefinition::Index::key, {abbrev}, more);
}

// One row of pattern `no` of list `kind`: position 0 is the pattern's own row, positions from 1
// its shifts in order.
inline void putPatternRow(Database& db, int kind, int no, int pos, Fields more) {
    put(db, PatternRow::table, PatternRow::Index::key, {kind, no, pos}, more);
}

// The planned shift of one person on one day of the registered roster (kind 1); `more` are
// further fields of the row.
inline void putRosterDay(Database& db, const QString& no, const QString& date,
                         const QString& planned, Fields more = {}) {
    more.insert(more.begin(), {RosterRow::Field::planned, planned});
    put(db, RosterRow::table, RosterRow::Index::key, {1, no, date}, more);
}

// One row of the creation unit: kind 1 holds the unit itself, kind 2 the last period created.
struct CreationUnitRow {
    int unit = 0, count = 0;
    QString startDay;
    int team = 0;
    QString from, to, remark;
};

inline void putCreationUnit(Database& db, int kind, const CreationUnitRow& r) {
    CreationUnit{kind, r.unit, r.count, r.startDay, r.team, r.from, r.to, r.remark}.save(db);
}

} // namespace TableRows
