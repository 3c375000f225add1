#pragma once

#include "store/archive_file.h"

#include <QString>
#include <functional>

class Database;

// Removes the roster rows (勤務表, both kinds) of a span of days, and for the term-end purge
// the leave and shift requests (休暇希望) of the span too, optionally keeping the removed
// roster rows in a CSV file (see RosterCsv), ordered by date, kind and staff number.
//
// All or nothing, even when the process dies halfway: in one write transaction the span is
// read, the file is written, synced and named (see ArchiveFile), and only then are the rows
// deleted and the deletion committed. A failure before the commit rolls back and takes the
// file back (a file it replaced returns), so the clerk finds every row and no new file; a run
// killed after the file was named leaves every row beside a complete file, or, once committed,
// no rows and the complete file. Failures throw DbError with a message for the clerk that says
// nothing was removed.
class RosterRemoval final {
public:
    enum class Kind { Purge, Deletion };
    using Existing = ArchiveFile::Existing;

    // The moments of a run with a CSV file, in order.
    enum class Step {
        SpanRead,
        FileWritten,
        FileSynced,
        FileNamed,
        FolderSynced,
        RowsDeleted,
        Committed
    };
    // Called after each step; a fault test stops the run there.
    using StepHook = std::function<void(Step)>;

    struct Result {
        int rosterRows = 0;
        int requestRows = 0;
    };

    // `from` and `to` are "yyyy/mm/dd", both included; an empty `csvPath` writes no file. An
    // existing file of that name is refused unless `existing` says to replace it.
    static Result run(Database& db, Kind kind, const QString& from, const QString& to,
                      const QString& csvPath, Existing existing = Existing::Refuse,
                      const StepHook& afterStep = {});
};
