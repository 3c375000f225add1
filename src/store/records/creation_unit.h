#pragma once

#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Database;
class Table;

// How rosters are made (作成単位), keyed by `kind`: kind 1 holds the unit itself (a month,
// weeks or a number of days, how many, the starting day, by team or not), kind 2 the period
// created last.
struct CreationUnit final {
    static inline const QString table = QStringLiteral("作成単位");
    // The stored field names, for walks through Table and for SQL.
    struct Field final {
        static inline const QString kind = QStringLiteral("作_区分");
        static inline const QString unit = QStringLiteral("作_単位");
        static inline const QString unitCount = QStringLiteral("作_単位数");
        static inline const QString startDay = QStringLiteral("作_開始日");
        static inline const QString byTeam = QStringLiteral("作_チームF");
        static inline const QString createdFrom = QStringLiteral("作_作成From");
        static inline const QString createdTo = QStringLiteral("作_作成To");
        static inline const QString remark = QStringLiteral("作_備考");
    };
    struct Index final {
        static inline const QString key = QStringLiteral("key_作成単位");
    };

    int kind = 0;      // 1 the unit, 2 the last period created
    int unit = 0;      // 1 month, 2 weeks, 3 days
    int unitCount = 0; // how many units one roster covers
    QString startDay;
    int byTeam = 0; // 1 when rostered by team
    QString createdFrom;
    QString createdTo;
    QString remark;

    static std::optional<CreationUnit> load(Database& db, int kind);
    // Adds the row, or overwrites every field of the row stored under the same key.
    void save(Database& db) const;
    // False when there was no such row.
    static bool remove(Database& db, int kind);

    static CreationUnit fromRow(const Table& t); // the current row of a walk on any index
    void writeTo(Table& t) const;                // every field, the key included
    QVariantList key() const;
    bool operator==(const CreationUnit&) const = default;
};
