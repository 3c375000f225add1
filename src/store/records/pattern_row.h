#pragma once

#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Database;
class Table;

// One row of a shift pattern (ｼﾌﾄﾊﾟﾀｰﾝ), keyed by (kind, no, position): position 0 is the
// pattern's own row holding its name, positions from 1 its shifts in order.
struct PatternRow final {
    static inline const QString table = QStringLiteral("ｼﾌﾄﾊﾟﾀｰﾝ");
    // The stored field names, for walks through Table and for SQL.
    struct Field final {
        static inline const QString kind = QStringLiteral("パタ_区分");
        static inline const QString no = QStringLiteral("パタ_NO");
        static inline const QString name = QStringLiteral("パタ_名称");
        static inline const QString position = QStringLiteral("パタ_連番");
        static inline const QString shiftAbbrev = QStringLiteral("パタ_シフト略称");
        static inline const QString shiftName = QStringLiteral("パタ_シフト名称");
        static inline const QString remark = QStringLiteral("パタ_備考");
    };
    struct Index final {
        static inline const QString key = QStringLiteral("key_ﾊﾟﾀﾝ");
        static inline const QString byName = QStringLiteral("idx_パタ名称");
    };

    int kind = 0; // the pattern list
    int no = 0;   // the pattern within its list
    QString name;
    int position = 0; // 0 for the pattern row, then 1, 2, ...
    QString shiftAbbrev;
    QString shiftName;
    QString remark;

    static std::optional<PatternRow> load(Database& db, int kind, int no, int position);
    // Adds the row, or overwrites every field of the row stored under the same key.
    void save(Database& db) const;
    // False when there was no such row.
    static bool remove(Database& db, int kind, int no, int position);
    static std::vector<PatternRow> loadKind(Database& db, int kind); // in key order
    // The pattern's own row first, then its shifts in order.
    static std::vector<PatternRow> loadPattern(Database& db, int kind, int no);

    static PatternRow fromRow(const Table& t); // the current row of a walk on any index
    void writeTo(Table& t) const;              // every field, the key included
    QVariantList key() const;
    bool operator==(const PatternRow&) const = default;
};
