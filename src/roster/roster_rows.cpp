#include "roster/roster_rows.h"

#include "store/database.h"

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString columnText(sqlite3_stmt* st, int col) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(st, col)) : QString();
}

} // namespace

void ForEachRosterRow(Database& db, const QString& from, const QString& to,
                      const std::function<void(const RosterRow&)>& visit) {
    sqlite3_stmt* st = db.prepare(
        u"SELECT \"勤_職員番号\", \"勤_勤務日\", \"勤_予定\", \"勤_予定早出\", \"勤_実績\", "
        "\"勤_実績早出\" FROM \"勤務表\" WHERE \"勤_区分\" = 1 AND \"勤_勤務日\" >= ? AND "
        "\"勤_勤務日\" <= ? ORDER BY \"勤_職員番号\", \"勤_勤務日\""_s);
    const QByteArray f = from.toUtf8(), t = to.toUtf8();
    sqlite3_bind_text(st, 1, f.constData(), static_cast<int>(f.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 2, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
    RosterRow row;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        row.staffNo = columnText(st, 0);
        row.date = columnText(st, 1);
        row.planned = columnText(st, 2);
        row.plannedEarly = sqlite3_column_int(st, 3);
        row.actual = columnText(st, 4);
        row.actualEarly = sqlite3_column_int(st, 5);
        try {
            visit(row);
        } catch (...) {
            sqlite3_finalize(st);
            throw;
        }
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        db.fail(u"勤務表の読み込み"_s);
}
