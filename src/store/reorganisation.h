#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <vector>

class Database;

// Rebuilds every table of the roster database from a copy of it that the clerk made
// beforehand (Rotavellbkup.mdb beside the data file): each table in turn is emptied and
// refilled from the same table of the copy, row by row in key order, which leaves the file
// compact and every table in key order.
//
// Nothing the clerk entered is reset on the way: every field is copied as it stands, except
// that a request without a consecutive-days flag gets 0.
//
// Each table is one transaction: a table whose rebuilding fails is left exactly as it was,
// and the clerk decides whether to go on with the others. Before the first table the data
// file is copied whole beside itself, so even a wrong backup can be undone.
//
// No widgets here: the clerk is reached through a Dialogue, so the whole run can be tested.
class Reorganisation final {
public:
    struct Step {
        QString table;
        QString keyIndex;      // the copy is read in this index's order
        QVariantList startKey; // read from here on (">="); empty: from the first row
        QString successQuestion;
        QString failureQuestion;
    };

    struct Dialogue {
        // A Yes/No question; false only for No.
        std::function<bool(const QString& question)> ask;
        // A message with the exclamation icon and OK.
        std::function<void(const QString& message)> tell;
    };

    enum class Outcome {
        Declined, // No to the opening question: nothing done
        Refused,  // the backup is the data file, or no safety copy could be made: nothing done
        Stopped,  // No after a table: the tables before it rebuilt, the rest untouched
        Finished, // every table tried and the closing message shown
    };

    struct Result {
        Outcome outcome = Outcome::Declined;
        QStringList rebuilt; // tables rebuilt, in order
        QStringList failed;  // tables left as they were because their step failed
        QString safetyCopy;  // path of the copy made before the first table
    };

    static QString title();          // "DB再編成"
    static QString question();       // asked on the warning screen and again before the first table
    static QString backupFileName(); // "Rotavellbkup.mdb"
    static QString backupPathIn(const QString& dataDir);
    // The closing message: plain success, or the tables that failed.
    static QString closingMessage(const QStringList& failedTables);

    // The nine tables in the order they are rebuilt.
    static const std::vector<Step>& steps();

    // From the second question to the closing message. `now` names the safety copy.
    static Result run(Database& db, const QString& backupPath, const Dialogue& dialogue,
                      const QDateTime& now = QDateTime::currentDateTime());

    // Empties `step`'s table of `db` and refills it from `backup`, in one transaction; returns
    // the number of rows written. Throws DbError with the table as it was before.
    static int rebuild(Database& db, Database& backup, const Step& step);

    // Writes everything of the data file into a dated copy beside it (Rotavell_yyyyMMdd_HHmmss
    // .mdb, numbered when that name is taken) and returns its path; throws DbError when it
    // cannot, leaving no partial copy.
    static QString makeSafetyCopy(Database& db, const QDateTime& now);

    // True when both paths name one file (the same path, a link to it, or a hard link).
    static bool sameFile(const QString& a, const QString& b);
};
