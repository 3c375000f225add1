#pragma once

// Single values read back with plain SQL, for checks that a keyed table walk would only obscure.
#include "store/database.h"

#include <QString>
#include <sqlite3.h>

// The first column of the first row the query gives, as a number; -1 when it gives no row.
inline int sqlInt(Database& db, const QString& sql) {
    sqlite3_stmt* st = db.prepare(sql);
    const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
    sqlite3_finalize(st);
    return n;
}

// The same as text; empty when the query gives no row.
inline QString sqlText(Database& db, const QString& sql) {
    sqlite3_stmt* st = db.prepare(sql);
    QString v;
    if (sqlite3_step(st) == SQLITE_ROW)
        v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return v;
}
