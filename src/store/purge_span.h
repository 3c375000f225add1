#pragma once

#include <QDate>
#include <QString>

class Database;

// The span the term-end purge proposes: the whole fiscal year that lies the kept number of
// years (code 4/1) before the fiscal year of today (code 9/1 holds its start).
struct PurgeSpan final {
    QString from; // "yyyy/mm/dd"; empty with `error`
    QString to;
    QString error; // the message when a setting is missing or unreadable

    static PurgeSpan propose(Database& db, const QDate& today);
};
