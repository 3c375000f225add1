#pragma once

#include <QString>
#include <QStringList>

class Database;

// The list fillers and look-ups the screens share. They return lists and small records;
// the screens put them into their widgets.

struct ShiftLookup {
    bool found = false;
    int restWorkKind = 0; // 基本_休出区分; 0 when not found
    QString abbrev;       // 基本_略称
    QString name;         // 基本_名称
    QString remark;       // 基本_備考, empty when Null
};

struct StaffLookup {
    QString no;   // 職員_no, empty when not found
    QString name; // 職員_名漢字, empty when not found
};

namespace ShiftListService {
// Names in idx_対象 order: filter 0 leave kinds (対象FLG 0), 1 working shifts, 2 every shift.
QStringList FillShiftList(Database& db, int filter);
ShiftLookup FindShiftByName(Database& db, const QString& name);
ShiftLookup FindShiftByAbbrev(Database& db, const QString& abbrev);
} // namespace ShiftListService

namespace PatternListService {
// Header names from (kind, 0, 0) to the end of the table: mode 1 those of `kind`, mode 4
// those whose kind is neither 2 (prohibited) nor 4 (mandatory).
QStringList FillPatternList(Database& db, int mode, int kind);
QString FindPatternName(Database& db, int kind, int number);
} // namespace PatternListService

namespace CodeListService {
QStringList FillCodeList(Database& db, int kind);
QString FindCodeAbbrev(Database& db, int kind, int number);
} // namespace CodeListService

namespace StaffListService {
// Kanji names in idx_ｶﾅ order.
QStringList FillStaffList(Database& db);
StaffLookup FindStaffByName(Database& db, const QString& name);
} // namespace StaffListService
