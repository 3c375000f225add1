#pragma once

#include "store/schema.h"

#include <QVariant>
#include <QVariantList>
#include <cstdint>
#include <map>
#include <vector>

class Database;
struct sqlite3_stmt;

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
    bool eof() const { return !hasCurrent_; }
    void moveFirst();
    void moveNext();

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

    int fieldIndexOrThrow(const QString& field) const;
    QString orderColumns() const;
    QString partExpr(const QString& part) const;
    QString selectSql(const QString& where) const;
    sqlite3_stmt* cached(const QString& sql);
    void bindValue(sqlite3_stmt* st, int pos, const QString& field, const QVariant& v) const;
    void startStepping(sqlite3_stmt* st);
    bool stepRow();
    void loadRow();
    QVariant normalised(const QString& field, const QVariant& v) const;
    void requireCurrent() const;

    Database& db_;
    const TableDef* def_;
    const IndexDef* index_ = nullptr;
    std::map<QString, sqlite3_stmt*> statements_;
    sqlite3_stmt* stepping_ = nullptr;
    std::uint64_t steppingGeneration_ = 0;

    bool hasCurrent_ = false;
    bool positioned_ = false; // a remembered key exists (current row, or one just deleted)
    bool noMatch_ = false;
    std::int64_t rowid_ = 0;
    std::vector<QVariant> row_;

    EditMode editMode_ = EditMode::None;
    std::vector<QVariant> pending_;
};
