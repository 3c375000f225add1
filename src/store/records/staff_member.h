#pragma once

#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Database;
class Table;

// One member of staff (職員), keyed by the staff number: how the person is listed, reached and
// rostered (shift type, fixed pattern, early duties, team, leader) and when they can work
// (assignment date, leave of absence). Dates are stored as "yyyy/MM/dd" text.
struct StaffMember final {
    static inline const QString table = QStringLiteral("職員");
    // The stored field names, for walks through Table and for SQL.
    struct Field final {
        static inline const QString no = QStringLiteral("職員_no");
        static inline const QString displayOrder = QStringLiteral("職員_表示順");
        static inline const QString name = QStringLiteral("職員_名漢字");
        static inline const QString kana = QStringLiteral("職員_名カナ");
        static inline const QString address = QStringLiteral("職員_住所");
        static inline const QString phone = QStringLiteral("職員_電話");
        static inline const QString mobile = QStringLiteral("職員_携帯");
        static inline const QString fax = QStringLiteral("職員_FAX");
        static inline const QString email = QStringLiteral("職員_email");
        static inline const QString birthDate = QStringLiteral("職員_誕生日");
        static inline const QString assignedFrom = QStringLiteral("職員_配属日");
        static inline const QString category = QStringLiteral("職員_区分");
        static inline const QString sex = QStringLiteral("職員_性別");
        static inline const QString shiftType = QStringLiteral("職員_シフト有無");
        static inline const QString earlyAllowed = QStringLiteral("職員_早出有無");
        static inline const QString fixedPattern = QStringLiteral("職員_特定シフトNO");
        static inline const QString team = QStringLiteral("職員_チーム");
        static inline const QString leader = QStringLiteral("職員_責任者");
        static inline const QString employFlag = QStringLiteral("職員_就業FLG");
        static inline const QString leaveFrom = QStringLiteral("職員_休職from");
        static inline const QString leaveTo = QStringLiteral("職員_休職To");
        static inline const QString remark = QStringLiteral("職員_備考");
    };
    struct Index final {
        static inline const QString key = QStringLiteral("key_職員");
        static inline const QString byName = QStringLiteral("idx_名漢字");
        static inline const QString byKana = QStringLiteral("idx_ｶﾅ");
        static inline const QString byDisplayOrder = QStringLiteral("idx_表示順");
    };

    QString no;           // staff number
    QString displayOrder; // sorted as text
    QString name;
    QString kana;
    QString address;
    QString phone;
    QString mobile;
    QString fax;
    QString email;
    QString birthDate;
    QString assignedFrom; // first day on the ward
    int category = 0;     // code of code list 1
    int sex = 0;          // 1 male, 2 female
    int shiftType = 0;    // 1 base pattern, 2 no shift work, 3 specific pattern, 5 weekday pattern
    int earlyAllowed = 0; // 1 when early/late duties may be given
    int fixedPattern = 0; // pattern number for the shift type
    QString team;
    int leader = 0;     // 1 for a leader
    int employFlag = 0; // 0 employed, 1 on leave, 2 retired
    QString leaveFrom;
    QString leaveTo;
    QString remark;

    static std::optional<StaffMember> load(Database& db, const QString& no);
    // Adds the row, or overwrites every field of the row stored under the same key.
    void save(Database& db) const;
    // False when there was no such row.
    static bool remove(Database& db, const QString& no);
    static std::vector<StaffMember> loadAll(Database& db); // in staff number order

    static StaffMember fromRow(const Table& t); // the current row of a walk on any index
    void writeTo(Table& t) const;               // every field, the key included
    QVariantList key() const;
    bool operator==(const StaffMember&) const = default;
};
