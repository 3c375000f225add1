#pragma once

#include <QString>
#include <vector>

class Database;

enum class FieldKind { Integer, Text };

struct FieldDef {
    QString name;
    FieldKind kind;
};

struct IndexDef {
    QString name;         // the name the program opens the index by
    QString physicalName; // the SQLite name; index names are global to a file
    std::vector<QString> parts;
    bool unique;
};

struct TableDef {
    QString name;
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;

    const FieldDef* field(const QString& fieldName) const;
    int fieldIndex(const QString& fieldName) const; // -1 when unknown
    const IndexDef* index(const QString& indexName) const;
    const IndexDef& primaryKey() const; // the unique index every table has
    bool isKeyPart(const QString& fieldName) const;
};

namespace Schema {

// A table, field or index name as an SQL identifier: "name".
QString quoted(const QString& name);

// Every table of the roster database, fields in their stored order.
const std::vector<TableDef>& tables();

// Throws DbError for an unknown table name: a typo must fail loudly.
const TableDef& table(const QString& name);

// Creates every table and index in an empty database.
void create(Database& db);

// True when every table of the schema exists in the file with every one of its fields.
bool matches(Database& db);

// What keeps the file from being a roster database: the first missing table or field, named
// ("テーブル「勤務表」がありません", "テーブル「勤務表」に列「勤_予定」がありません"); empty when
// every table and field is there. Only reads.
QString mismatch(Database& db);

} // namespace Schema
