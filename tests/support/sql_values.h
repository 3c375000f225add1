#pragma once

// Single values read back with plain SQL, for checks that a keyed table walk would only obscure.
#include "store/database.h"
#include "store/statement.h"

#include <QString>

// The first column of the first row the query gives, as a number; -1 when it gives no row.
inline int sqlInt(Database& db, const QString& sql) {
    Statement st = db.prepare(sql);
    return st.step() ? st.integer(0) : -1;
}

// The same as text; empty when the query gives no row.
inline QString sqlText(Database& db, const QString& sql) {
    Statement st = db.prepare(sql);
    return st.step() ? st.text(0) : QString();
}
