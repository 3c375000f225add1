#pragma once

#include "store/statement.h"

#include <QString>
#include <cstdint>

struct sqlite3;

// One open roster database file. Opened once per process and passed to whoever needs it.
// Every failure throws DbError with a Japanese message that names the file.
//
// A file is checked to be a roster database (every table and column the program uses) before
// anything in it is changed, so a foreign SQLite file is left byte for byte as it was.
class Database final {
public:
    // ReadOnly: for work that only reads (printing, generating without registering). It needs
    // no write access to the file or its folder and never changes the file.
    // Snapshot: read-only for a copy nobody writes (a backup): read as it stands on disk, so
    // no side file appears beside it; a copy that came with its write-ahead log is read with
    // the log, as ReadOnly does.
    enum class OpenMode { OpenExisting, CreateIfMissing, ReadOnly, Snapshot };

    // How long a statement waits for another connection's write to end before giving up.
    static constexpr int busyTimeoutMs = 5000;

    static QString fileName(); // "Rotavell.mdb"
    static QString pathIn(const QString& dataDir);

    Database(const QString& path, OpenMode mode);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return path_; }
    bool created() const { return created_; } // true when this open made a new file
    bool readOnly() const { return readOnly_; }

    // Runs SQL that returns no rows (schema, pragmas, fixtures).
    void exec(const QString& sql);
    // The one statement form the program itself executes: "DELETE * FROM <table> ;".
    void execute(const QString& statement);
    bool hasTable(const QString& name);

    // Bumped on every write, so open cursors know their stepping statement may be stale.
    std::uint64_t writeGeneration() const { return writeGeneration_; }
    void noteWrite() { ++writeGeneration_; }

    // Writes a complete, consistent copy of the database into `file` (missing or empty) through
    // SQLite's online backup, waiting for another connection's write as statements do. The
    // copy keeps a rollback journal, so it stands alone. Throws DbError naming the copy.
    void copyInto(const QString& file);

    // `what` names the work in failure messages ("勤務表の書き込み"); without it a statement
    // is described as reading or writing.
    Statement prepare(const QString& sql, const QString& what = QString());
    // Statements prepared on this connection and not finalized yet.
    int openStatementCount() const;

    // The message of a failure of `what`, naming the file and SQLite's reason.
    QString failureMessage(const QString& what) const;
    [[noreturn]] void fail(const QString& what) const;

    // One user action = one transaction. Nested transactions join the outermost one.
    class Transaction final {
    public:
        enum class Kind { Write, Read };
        explicit Transaction(Database& db, Kind kind = Kind::Write);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        Database& db_;
        bool outermost_;
        bool done_ = false;
    };

    // What the user can do about a failure with SQLite's result code `rc` (disk full, damaged
    // file, no permission, in use), as a sentence to follow the message; empty when nothing
    // specific is known.
    static QString advice(int rc);

private:
    void openExisting(OpenMode mode);
    void openChecked(OpenMode mode, bool walFile, bool hadWal, bool hadShm);
    QString adviceFor(int rc) const; // advice(), told a full disk by the system's reason
    void openFile(const QByteArray& name, int flags);
    int probe();
    void checkIsOurs();
    void createNew();
    void configure();
    [[noreturn]] void closeAndThrow(const QString& message);
    void close();

    QString path_;
    sqlite3* db_ = nullptr;
    bool created_ = false;
    bool readOnly_ = false;
    // A read-only open of a file that keeps a write-ahead log found no log beside it.
    bool madeLogFiles_ = false;
    int transactionDepth_ = 0;
    std::uint64_t writeGeneration_ = 0;
};
