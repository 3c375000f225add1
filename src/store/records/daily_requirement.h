#pragma once

#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Database;
class Table;

// The staffing a shift needs on some days (日別要員), keyed by (kind, day, priority): kind 1
// rules apply to a weekday (`day` 1 Sunday .. 7 Saturday), kind 2 rules to a day of the month.
struct DailyRequirement final {
    static inline const QString table = QStringLiteral("日別要員");
    // The stored field names, for walks through Table and for SQL.
    struct Field final {
        static inline const QString kind = QStringLiteral("日_区分");
        static inline const QString day = QStringLiteral("日_特定日");
        static inline const QString priority = QStringLiteral("日_優先順");
        static inline const QString shiftAbbrev = QStringLiteral("日_略称");
        static inline const QString shiftName = QStringLiteral("日_シフト名");
        static inline const QString minStaff = QStringLiteral("日_最小要員");
        static inline const QString leaders = QStringLiteral("日_責任者");
        static inline const QString teamStaff = QStringLiteral("日_チ要員数");
        static inline const QString teamLeaders = QStringLiteral("日_チ責任者");
        static inline const QString earlyStaff = QStringLiteral("日_早出要員数");
        static inline const QString lateStaff = QStringLiteral("日_遅出要員数");
        static inline const QString remark = QStringLiteral("日_備考");
    };
    struct Index final {
        static inline const QString key = QStringLiteral("key_日別");
    };

    int kind = 0; // 1 weekday rule, 2 day-of-month rule
    int day = 0;  // weekday or day of the month, by `kind`
    int priority = 0;
    QString shiftAbbrev;
    QString shiftName;
    int minStaff = 0;
    int leaders = 0;
    int teamStaff = 0;
    int teamLeaders = 0;
    int earlyStaff = 0;
    int lateStaff = 0;
    QString remark;

    static std::optional<DailyRequirement> load(Database& db, int kind, int day, int priority);
    // Adds the row, or overwrites every field of the row stored under the same key.
    void save(Database& db) const;
    // False when there was no such row.
    static bool remove(Database& db, int kind, int day, int priority);
    static std::vector<DailyRequirement> loadKind(Database& db, int kind); // in key order

    static DailyRequirement fromRow(const Table& t); // the current row of a walk on any index
    void writeTo(Table& t) const;                    // every field, the key included
    QVariantList key() const;
    bool operator==(const DailyRequirement&) const = default;
};
