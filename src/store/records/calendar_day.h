#pragma once

#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Database;
class Table;

// One day of the workplace calendar (カレンダー), keyed by its date ("yyyy/MM/dd"): whether it
// is a holiday, and a note such as the holiday's name. Days without a row are ordinary days.
struct CalendarDay final {
    static inline const QString table = QStringLiteral("カレンダー");
    // The stored field names, for walks through Table and for SQL.
    struct Field final {
        static inline const QString date = QStringLiteral("カレ_年月日");
        static inline const QString holidayFlag = QStringLiteral("カレ_休日FLG");
        static inline const QString remark = QStringLiteral("カレ_備考");
    };
    struct Index final {
        static inline const QString key = QStringLiteral("key_カレンダー");
    };

    QString date;
    int holidayFlag = 0; // 1 for a holiday
    QString remark;

    static std::optional<CalendarDay> load(Database& db, const QString& date);
    // Adds the row, or overwrites every field of the row stored under the same key.
    void save(Database& db) const;
    // False when there was no such row.
    static bool remove(Database& db, const QString& date);
    // The stored days from `from` to `to` (inclusive), in date order.
    static std::vector<CalendarDay> loadRange(Database& db, const QString& from, const QString& to);

    static CalendarDay fromRow(const Table& t); // the current row of a walk on any index
    void writeTo(Table& t) const;               // every field, the key included
    QVariantList key() const;
    bool operator==(const CalendarDay&) const = default;
};
