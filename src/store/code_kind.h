#pragma once

// The kinds of code kept in 個マスタ (the stored 個_区分), and the numbers of the rows that
// hold a single setting. A kind is stored as this number, so the names are plain constants.
namespace CodeKind {

inline constexpr int StaffCategory = 1;  // 社員区分
inline constexpr int Sex = 2;            // 性別
inline constexpr int FixedShifts = 3;    // シフト有無: the shift of staff without shifts, rest
inline constexpr int RetentionYears = 4; // 保持年数
inline constexpr int Team = 5;           // チーム名
inline constexpr int TimeDisplay = 6;    // 時間表示
inline constexpr int ReplacementOrder = 7; // 置換順
inline constexpr int ReferenceShift = 8;   // 設定基準
inline constexpr int FiscalYearStart = 9;  // 年度開始日
inline constexpr int RestInterval = 10;    // 間隔
inline constexpr int CreationMode = 80;    // the creation-mode setting, not shown on the screen

// Rows of FixedShifts.
inline constexpr int NoShiftWorkShiftNo = 1;
inline constexpr int RestShiftNo = 2;
// The one row of a kind that holds a single setting.
inline constexpr int SettingNo = 1;
// Further rows of TimeDisplay: the ward's night window as "hh:mm-hh:mm" and the least night
// hours a person needs to count towards the ward's average, both in 個_略称. A missing row means
// the default (22:00-05:00, 16 hours).
inline constexpr int NightWindowNo = 2;
inline constexpr int NightMinimumNo = 3;

} // namespace CodeKind
