#pragma once

#include "store/fiscal_year.h"

#include <QDate>
#include <QString>
#include <vector>

class Database;

// Which days one calendar entry covers, and writing or removing those days as one action.
namespace CalendarStore {

// The days of the month starting `first` that fall on one of `weekdays` (0 Sunday .. 6).
std::vector<QDate> weekdaysOfMonth(const QDate& first, const std::vector<int>& weekdays);
// The days of the fiscal year that fall on one of `weekdays`, weekday by weekday in the
// order given, each in date order.
std::vector<QDate> weekdaysOfYear(const FiscalYear& year, const std::vector<int>& weekdays);
// Day `day` of each of the year's twelve months, the last day of a month too short for it.
std::vector<QDate> dayInEveryMonth(const FiscalYear& year, int day);

// Stores every day with the holiday flag and name, all or none.
void saveDays(Database& db, const std::vector<QDate>& days, int holidayFlag, const QString& name);
// Removes every day's row, all or none; returns how many of the days had none.
int removeDays(Database& db, const std::vector<QDate>& days);

} // namespace CalendarStore
