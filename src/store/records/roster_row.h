#pragma once

#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Database;
class Table;

// One person's day of a roster (勤務表), keyed by (kind, staffNo, date): the planned shift and
// its early/late mark, the actual one where it differs, and the team and pattern the person
// had. Kind 1 rows are the registered roster.
struct RosterRow final {
    static inline const QString table = QStringLiteral("勤務表");
    // The stored field names, for walks through Table and for SQL.
    struct Field final {
        static inline const QString kind = QStringLiteral("勤_区分");
        static inline const QString staffNo = QStringLiteral("勤_職員番号");
        static inline const QString date = QStringLiteral("勤_勤務日");
        static inline const QString planned = QStringLiteral("勤_予定");
        static inline const QString plannedEarly = QStringLiteral("勤_予定早出");
        static inline const QString actual = QStringLiteral("勤_実績");
        static inline const QString actualEarly = QStringLiteral("勤_実績早出");
        static inline const QString backup = QStringLiteral("勤_BKUP者");
        static inline const QString team = QStringLiteral("勤_チーム");
        static inline const QString pattern = QStringLiteral("勤_バタン");
    };
    struct Index final {
        static inline const QString key = QStringLiteral("key_勤務表");
        static inline const QString byDate = QStringLiteral("idx_勤務日");
    };

    int kind = 0; // 1 for the registered roster
    QString staffNo;
    QString date;
    QString planned;      // planned shift
    int plannedEarly = 0; // early/late mark of the planned shift
    QString actual;       // actual shift, empty when as planned
    int actualEarly = 0;
    QString backup;
    QString team;
    QString pattern; // pattern number as text

    static std::optional<RosterRow> load(Database& db, int kind, const QString& staffNo,
                                         const QString& date);
    // Adds the row, or overwrites every field of the row stored under the same key.
    void save(Database& db) const;
    // False when there was no such row.
    static bool remove(Database& db, int kind, const QString& staffNo, const QString& date);
    // The rows of one person and kind dated `from` to `to` (inclusive), in date order.
    static std::vector<RosterRow> loadForStaff(Database& db, int kind, const QString& staffNo,
                                               const QString& from, const QString& to);

    static RosterRow fromRow(const Table& t); // the current row of a walk on any index
    void writeTo(Table& t) const;             // every field, the key included
    QVariantList key() const;
    bool operator==(const RosterRow&) const = default;
};
