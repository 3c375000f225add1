#pragma once

// The keyed access every record shares, through Table on the table's primary key. A record type
// R provides `table` (its table name), `fromRow(const Table&)`, `writeTo(Table&)` and `key()`.
#include "store/table.h"

#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Database;

namespace RecordAccess {

// Seeks `key` on the primary key of `table`; the table is left on the row when there is one.
bool seekKey(Table& table, const QVariantList& key);

// Deletes the row stored under `key`; false when there is none.
bool remove(Database& db, const QString& table, const QVariantList& key);

template <typename R> std::optional<R> load(Database& db, const QVariantList& key) {
    Table t(db, R::table);
    if (!seekKey(t, key))
        return std::nullopt;
    return R::fromRow(t);
}

// Adds the record's row, or overwrites every field of the row already stored under its key.
template <typename R> void save(Database& db, const R& record) {
    Table t(db, R::table);
    t.seekOrAdd(record.key());
    record.writeTo(t);
    t.update();
}

// The rows whose primary key begins with `prefix` (every row when it is empty), in key order.
template <typename R> std::vector<R> loadAll(Database& db, const QVariantList& prefix = {}) {
    std::vector<R> rows;
    Table t(db, R::table);
    t.setIndex(t.def().primaryKey().name);
    if (prefix.isEmpty())
        t.moveFirst();
    else
        t.seek(Seek::GreaterEqual, prefix);
    for (; t.keyMatches(prefix); t.moveNext())
        rows.push_back(R::fromRow(t));
    return rows;
}

} // namespace RecordAccess
