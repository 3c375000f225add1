#pragma once

#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Database;
class Table;

// One shift (シフト基本), keyed by its abbreviation: a work shift the roster places (`working`
// 1) with its times and staffing figures, or a leave shift (`working` 0). Times are "hh:mm"
// text.
struct ShiftDefinition final {
    static inline const QString table = QStringLiteral("シフト基本");
    // The stored field names, for walks through Table and for SQL.
    struct Field final {
        static inline const QString abbrev = QStringLiteral("基本_略称");
        static inline const QString name = QStringLiteral("基本_名称");
        static inline const QString working = QStringLiteral("基本_対象FLG");
        static inline const QString shortageFlag = QStringLiteral("基本_不足対象");
        static inline const QString priority = QStringLiteral("基本_優先順");
        static inline const QString start = QStringLiteral("基本_開始時間");
        static inline const QString end = QStringLiteral("基本_終了時間");
        static inline const QString restWorkKind = QStringLiteral("基本_休出区分");
        static inline const QString earlyKind = QStringLiteral("基本_早出区分");
        static inline const QString paidFlag = QStringLiteral("基本_有給区分");
        static inline const QString earlyStaff = QStringLiteral("基本_早出要員");
        static inline const QString earlyStart = QStringLiteral("基本_早出開始");
        static inline const QString earlyEnd = QStringLiteral("基本_早出終了");
        static inline const QString lateStaff = QStringLiteral("基本_遅出要員");
        static inline const QString lateStart = QStringLiteral("基本_遅出開始");
        static inline const QString lateEnd = QStringLiteral("基本_遅出終了");
        static inline const QString minStaff = QStringLiteral("基本_最小要員");
        static inline const QString leaders = QStringLiteral("基本_責任者");
        static inline const QString max = QStringLiteral("基本_MAX");
        static inline const QString teamStaff = QStringLiteral("基本_チーム要員数");
        static inline const QString teamLeaders = QStringLiteral("基本_チーム責任者");
        static inline const QString remark = QStringLiteral("基本_備考");
    };
    struct Index final {
        static inline const QString key = QStringLiteral("key_基本");
        static inline const QString byName = QStringLiteral("idx_名称");
        static inline const QString byWorking = QStringLiteral("idx_対象");
        static inline const QString byWorkingName = QStringLiteral("idx_FLG名称");
    };

    QString abbrev;
    QString name;
    int working = 0; // 1 work shift, 0 leave shift
    int shortageFlag = 0;
    int priority = 0;
    QString start;
    QString end;
    int restWorkKind = 0;
    int earlyKind = 0;
    int paidFlag = 0; // 1 for paid leave
    int earlyStaff = 0;
    QString earlyStart;
    QString earlyEnd;
    int lateStaff = 0;
    QString lateStart;
    QString lateEnd;
    int minStaff = 0;
    int leaders = 0;
    int max = 0;
    int teamStaff = 0;
    int teamLeaders = 0;
    QString remark;

    static std::optional<ShiftDefinition> load(Database& db, const QString& abbrev);
    // Adds the row, or overwrites every field of the row stored under the same key.
    void save(Database& db) const;
    // False when there was no such row.
    static bool remove(Database& db, const QString& abbrev);
    static std::vector<ShiftDefinition> loadAll(Database& db); // in abbreviation order

    static ShiftDefinition fromRow(const Table& t); // the current row of a walk on any index
    void writeTo(Table& t) const;                   // every field, the key included
    QVariantList key() const;
    bool operator==(const ShiftDefinition&) const = default;
};
