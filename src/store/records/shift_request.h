#pragma once

#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Database;
class Table;

// A shift a member of staff asked for on one day (休暇希望), keyed by (kind, staffNo, date):
// kind 1 is paid leave, kind 2 any other shift asked for.
struct ShiftRequest final {
    static inline const QString table = QStringLiteral("休暇希望");
    // The stored field names, for walks through Table and for SQL.
    struct Field final {
        static inline const QString kind = QStringLiteral("希_区分");
        static inline const QString staffNo = QStringLiteral("希_職員NO");
        static inline const QString date = QStringLiteral("希_勤務日");
        static inline const QString planned = QStringLiteral("希_予定略称");
        static inline const QString actual = QStringLiteral("希_実績略称");
        static inline const QString lateEarly = QStringLiteral("希_遅早");
        static inline const QString dayOffFlag = QStringLiteral("希_休FLG");
        static inline const QString from = QStringLiteral("希_FROM");
        static inline const QString to = QStringLiteral("希_TO");
        static inline const QString backup = QStringLiteral("希_BACKUP");
        static inline const QString appliedOn = QStringLiteral("希_申請日");
        static inline const QString remark = QStringLiteral("希_備考");
        static inline const QString consecutiveFlag = QStringLiteral("希_連続FLG");
    };
    struct Index final {
        static inline const QString key = QStringLiteral("key_希望");
        static inline const QString byStaff = QStringLiteral("idx_職員NO");
        static inline const QString byDate = QStringLiteral("idx_勤務日");
    };

    int kind = 0; // 1 paid leave, 2 another shift
    QString staffNo;
    QString date;
    QString planned; // the shift asked for
    QString actual;  // read where `planned` is empty
    int lateEarly = 0;
    int dayOffFlag = 0;
    QString from;
    QString to;
    QString backup;
    QString appliedOn;
    QString remark;
    int consecutiveFlag = 0;

    static std::optional<ShiftRequest> load(Database& db, int kind, const QString& staffNo,
                                            const QString& date);
    // Adds the row, or overwrites every field of the row stored under the same key.
    void save(Database& db) const;
    // False when there was no such row.
    static bool remove(Database& db, int kind, const QString& staffNo, const QString& date);
    // Every request of one person dated `from` to `to` (inclusive), in date order.
    static std::vector<ShiftRequest> loadForStaff(Database& db, const QString& staffNo,
                                                  const QString& from, const QString& to);

    static ShiftRequest fromRow(const Table& t); // the current row of a walk on any index
    void writeTo(Table& t) const;                // every field, the key included
    QVariantList key() const;
    bool operator==(const ShiftRequest&) const = default;
};
