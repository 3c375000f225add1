#pragma once

#include <QDate>
#include <QString>

class Database;

// The span the term-end purge proposes: the first and the last day of today's fiscal year
// (code 9/1 holds its start), each moved back the kept number of years (code 4/1).
struct PurgeSpan final {
    QString from; // "yyyy/mm/dd"; empty with `error`
    QString to;
    QString error; // the message when a setting is missing or unreadable

    static PurgeSpan propose(Database& db, const QDate& today);
};
