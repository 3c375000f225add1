#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <vector>

class Database;
struct sqlite3_stmt;

// One prepared SQL statement of a Database, finalized when it goes out of scope (also while an
// exception unwinds). Made by Database::prepare; move-only.
//
// Parameters are numbered from 1 (or named `:name` / `?N` in the SQL), result columns from 0.
// Bound texts are kept by the statement itself, so a caller may pass temporaries; binding a
// QByteArray shares its bytes instead of copying them, the fast path for bulk writes.
// A failing step throws DbError naming the file and what failed. Stepping a statement that
// writes tells the Database, so open Table cursors re-seek instead of trusting a stale read.
class Statement final {
public:
    enum class Reset { KeepBindings, ClearBindings };
    enum class ColumnType { Null, Integer, Real, Text, Blob };

    Statement() = default; // holds no statement until one is moved in
    Statement(Database& db, sqlite3_stmt* st, const QString& what);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isValid() const { return st_ != nullptr; }
    bool isReadOnly() const { return readOnly_; }

    Statement& bind(int pos, int v);
    Statement& bind(int pos, qint64 v);
    Statement& bind(int pos, double v);
    Statement& bind(int pos, const QString& v);    // a null QString binds empty text
    Statement& bind(int pos, const QByteArray& v); // UTF-8 text, shared, not copied
    Statement& bind(int pos, const QVariant& v);   // an invalid/null QVariant binds NULL
    Statement& bindNull(int pos);
    Statement& bind(int pos, const char*) = delete; // say u""_s or QByteArray
    Statement& bind(int pos, bool) = delete;        // say 0 or 1, as the tables store

    // Binds a named parameter (":name", "?3"); an unknown name throws DbError.
    template <typename T> Statement& bind(const QString& name, const T& v) {
        return bind(parameterIndex(name), v);
    }
    Statement& bindNull(const QString& name) { return bindNull(parameterIndex(name)); }
    int parameterIndex(const QString& name) const;

    // True when a row is ready to read, false when the statement has finished.
    bool step();
    // Steps a statement that gives no rows to its end and resets it for the next run.
    void run();
    void reset(Reset how = Reset::KeepBindings);

    // A step that breaks a unique key throws DbError with `message` instead of the general
    // failure message.
    void setConflictMessage(const QString& message) { conflictMessage_ = message; }

    int columnCount() const;
    ColumnType type(int col) const;
    bool isNull(int col) const;
    QString text(int col) const; // NULL reads as empty
    int integer(int col) const;
    qint64 int64(int col) const;
    double real(int col) const;
    QVariant value(int col) const; // NULL reads as an invalid QVariant

private:
    void bindText(int pos, QByteArray utf8);
    void check(int rc, int pos) const;
    [[noreturn]] void failStep(int rc);
    void release();

    Database* db_ = nullptr;
    sqlite3_stmt* st_ = nullptr;
    QString what_;
    QString conflictMessage_;
    bool readOnly_ = true;
    std::vector<QByteArray> texts_; // the bytes of bound texts, by parameter position - 1
};
