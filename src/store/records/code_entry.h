#pragma once

#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Database;
class Table;

// One code of the code master (個マスタ), keyed by (kind, no): `kind` picks the list (categories,
// teams, the settings kept as codes...), `no` the code within it. Settings keep their value in
// `abbrev` or `name`.
struct CodeEntry final {
    static inline const QString table = QStringLiteral("個マスタ");
    // The stored field names, for walks through Table and for SQL.
    struct Field final {
        static inline const QString kind = QStringLiteral("個_区分");
        static inline const QString no = QStringLiteral("個_NO");
        static inline const QString name = QStringLiteral("個_名称");
        static inline const QString abbrev = QStringLiteral("個_略称");
    };
    struct Index final {
        static inline const QString key = QStringLiteral("key_個ﾏｽﾀｰ");
        static inline const QString byName = QStringLiteral("idx_名称");
    };

    int kind = 0; // the code list
    int no = 0;   // the code within its list
    QString name;
    QString abbrev;

    static std::optional<CodeEntry> load(Database& db, int kind, int no);
    // Adds the row, or overwrites every field of the row stored under the same key.
    void save(Database& db) const;
    // False when there was no such row.
    static bool remove(Database& db, int kind, int no);
    static std::vector<CodeEntry> loadKind(Database& db, int kind); // in code order

    static CodeEntry fromRow(const Table& t); // the current row of a walk on any index
    void writeTo(Table& t) const;             // every field, the key included
    QVariantList key() const;
    bool operator==(const CodeEntry&) const = default;
};
