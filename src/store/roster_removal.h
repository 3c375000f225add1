#pragma once

#include <QString>

class Database;

// Removes the roster rows (勤務表, both kinds) of a span of days, and for the term-end purge
// the leave and shift requests (休暇希望) of the span too, optionally keeping the removed
// roster rows in a CSV file (see RosterCsv), ordered by date, kind and staff number.
//
// All or nothing: every line is encoded before anything is deleted, the file is written to a
// temporary file beside its target and takes the target's name only once the deletion has
// committed. Any failure throws DbError with a message for the clerk, having deleted nothing
// and left no file behind.
class RosterRemoval final {
public:
    enum class Kind { Purge, Deletion };

    struct Result {
        int rosterRows = 0;
        int requestRows = 0;
    };

    // `from` and `to` are "yyyy/mm/dd", both included; an empty `csvPath` writes no file.
    static Result run(Database& db, Kind kind, const QString& from, const QString& to,
                      const QString& csvPath);
};
