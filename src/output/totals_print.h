#pragma once

#include <QString>

class Sheet;
struct RosterModel;

// The totals printouts, drawn from a model whose totals are counted (LoadPurpose::Totals). Both
// print the people TotalsStaff chooses, so they honour the team and staff-number filters.

// "月別勤務累計表" (by month) or "年度別勤務累計表" (by fiscal year), landscape: a block of
// plane-1 counts per column and working shift, then the "合計" block, 22 people a page. Up
// to four columns take 50 mm blocks; more (six months of the monthly inquiry) share the
// width in narrower ones.
void PrintMonthYearTotals(const RosterModel& model, Sheet& sheet);

// "シフト勤務累計表", A4 portrait: one line per person with the totals of every working shift,
// 22 people a page.
void PrintPeriodTotals(const RosterModel& model, Sheet& sheet);

// The totals window as "yyyy年m月d日～yyyy年m月d日".
QString TotalsPeriodText(const RosterModel& model);

// Page geometry of the totals printouts, in millimetres.
namespace TotalsSheet {
constexpr int LinesPerPage = 22;
constexpr int FreshPageCounter = 50; // above the limit: the first line opens a page
// Month and year totals (landscape).
constexpr double FirstLineY = 38;
constexpr double LineHeight = 7;
constexpr double NameX = 12;
constexpr double BlockStart = 35;
constexpr double BlockWidth = 50;
constexpr double TableRight = 285;
constexpr double ShiftStep = 5;
// Period totals (portrait): line n at PeriodLineY + PeriodLineHeight * n.
constexpr double PeriodLineY = 37;
constexpr double PeriodLineHeight = 8;
constexpr double PeriodNameX = 32;
constexpr double PeriodCountX = 62;
constexpr double PeriodShiftStep = 10;
} // namespace TotalsSheet
