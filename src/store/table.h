#pragma once

#include "store/schema.h"
#include "store/statement.h"

#include <QVariant>
#include <QVariantList>
#include <cstdint>
#include <map>
#include <vector>

class Database;

enum class Seek { Equal, GreaterEqual };

// A table-type record set: set an index by name, seek on full or leading key parts, read
// forward in index order, and add, edit or delete the current row. The cursor remembers
// the key of its current row, so moving next after a write continues in index order.
class Table final {
public:
    Table(Database& db, const QString& name);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const TableDef& def() const { return *def_; }

    void setIndex(const QString& indexName);
    void seek(Seek op, const QVariantList& key);
    bool noMatch() const { return noMatch_; }
    // True when there is a current row and its leading parts on the current index equal
    // `prefix`: the end test of a walk over the rows that share a key prefix.
    bool keyMatches(const QVariantList& prefix) const;
    bool eof() const { return !hasCurrent_; }
    void moveFirst();
    void moveNext();

    // Seeks `key` (every part) on the primary key index, which becomes the current index, and
    // starts editing the row found, or adding a new one whose key fields already hold `key`.
    // Set the other fields and update(). Returns true when the row already existed.
    bool seekOrAdd(const QVariantList& key);

    void addNew();
    void edit();
    void set(const QString& field, const QVariant& value);
    void update();
    void remove();

    // Null reads as empty text / 0.
    QString text(const QString& field) const;
    int integer(const QString& field) const;
    QVariant value(const QString& field) const;
    bool isNull(const QString& field) const;

private:
    enum class EditMode { None, Add, Edit };
    enum class Work { Read, Write, Remove }; // what a failure message says failed

    int fieldIndexOrThrow(const QString& field) const;
    QString orderColumns() const;
    QString partExpr(const QString& part) const;
    QString selectSql(const QString& where) const;
    Statement& cached(const QString& sql, Work work);
    void bindValue(Statement& st, int pos, const QString& field, const QVariant& v) const;
    void startStepping(Statement& st);
    bool stepRow();
    void loadRow();
    QVariant normalised(const QString& field, const QVariant& v) const;
    void requireCurrent() const;

    Database& db_;
    const TableDef* def_;
    const IndexDef* index_ = nullptr;
    std::map<QString, Statement> statements_;
    Statement* stepping_ = nullptr;
    std::uint64_t steppingGeneration_ = 0;

    bool hasCurrent_ = false;
    bool positioned_ = false; // a remembered key exists (current row, or one just deleted)
    bool noMatch_ = false;
    qint64 rowid_ = 0;
    std::vector<QVariant> row_;

    EditMode editMode_ = EditMode::None;
    std::vector<QVariant> pending_;
};
