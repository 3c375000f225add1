#pragma once

#include "roster/roster_model.h"
#include "store/fiscal_year.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class Database;
class Table;
struct RosterRow;

// Per-person counts of every working shift over months, fiscal years or one free period
// (Person::cumulative), for the totals inquiries and printouts.
namespace CumulativeTotals {
constexpr int MaxColumns = 6;  // period columns 1..6
constexpr int TotalColumn = 7; // the sum of every column
constexpr int MaxPrintedColumns = 4;
} // namespace CumulativeTotals

// Counts one roster row into column `column` and the total column: plane 1 the day, plane 2
// an early mark, plane 3 a late mark. The actual shift and its mark win over the planned ones;
// a shift that is not a working shift is not counted.
void AddTotalsRow(const MasterCache& cache, Person& p, int column, const RosterRow& row);

// The column of a date under the model's column layout (1..6), 0 when no column holds it.
int TotalsColumnOf(const RosterModel& m, const QString& date);

// Counts the kind-1 roster rows of one person dated within the totals window.
void AccumulateStaffTotals(Table& roster, RosterModel& m, Person& p);
void AccumulateStaffTotals(Database& db, RosterModel& m, Person& p);

// Whom the totals count and print, as (group, slot): the chosen team's block, else the
// chosen person, else everybody of both groups.
std::vector<std::pair<int, int>> TotalsStaff(const RosterModel& m);

// The column layouts and their counting windows, the period whose staff a totals load reads.
//
// One column per calendar month from the month of `from` to the month of `to`, at most
// `maxColumns`; the window runs from `from` to `to`, cut back to the end of the last column's
// month.
TotalsColumns MonthColumns(const QDate& from, const QDate& to, int maxColumns);
// `months` whole calendar months from the month of `first`.
TotalsColumns WholeMonthColumns(const QDate& first, int months);
// Fiscal years: the one holding `from`, and those after it that start on or before `to`, at
// most `maxColumns`; the window is rewritten to whole years.
TotalsColumns YearColumns(const FiscalYear::Start& start, const QDate& from, const QDate& to,
                          int maxColumns);
// One column over `from`..`to`.
TotalsColumns PeriodColumn(const QString& from, const QString& to);

// Lays the columns on a model and makes their window its period, for counting or printing a
// model built by hand.
void SetTotalsColumns(RosterModel& m, const TotalsColumns& columns);
void SetMonthColumns(RosterModel& m, const QDate& from, const QDate& to, int maxColumns);
void SetWholeMonthColumns(RosterModel& m, const QDate& first, int months);
void SetYearColumns(RosterModel& m, const FiscalYear::Start& start, const QDate& from,
                    const QDate& to, int maxColumns);
void SetPeriodColumn(RosterModel& m, const QString& from, const QString& to);

// The labels of the columns set: "<m>月" by month, "<yyyy>年度" by fiscal year (the year it
// begins in), nothing for one period.
QStringList TotalsColumnLabels(const RosterModel& m);

// TotalsLoad::Columns: clears the counts and counts the window for the people
// TotalsStaff chooses. By period, column 1 becomes the model's period.
void CountCumulativeTotals(Database& db, RosterModel& m);

// What LoadCumulativeTotals fills Person::cumulative with.
enum class TotalsLoad {
    Columns, // the columns and window the model describes (totalsBy and its lists), for the
             // people TotalsStaff chooses (CountCumulativeTotals)
    History, // the three months before the period (plane 1..3, columns 1 and 7) for every
             // loaded person, which the generation passes weigh
};
void LoadCumulativeTotals(Database& db, RosterModel& m, TotalsLoad load);

// Adds the roster rows of one person between two dates (inclusive) to Person::cumulative column
// `column` and to the total column 7.
void AddRosterHistory(Database& db, RosterModel& m, int group, int slot, int column,
                      const QString& from, const QString& to);
