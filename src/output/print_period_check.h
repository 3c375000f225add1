#pragma once

#include <QString>

// What the print screen outputs, in the order of its list.
enum class PrintKind { Roster, MonthTotals, YearTotals };

// The period check of the print screen on dates already in "yyyy/mm/dd" form (an empty end is
// allowed here and fails the order check). Returns the message of the first failure, or empty.
QString PrintPeriodError(PrintKind kind, const QString& start, const QString& end);

// Only the order check: the start must come before the end.
QString PrintOrderError(const QString& start, const QString& end);

// The field check of a typed start date: empty when fine, else its message.
QString PrintStartDateError(const QString& typed);
// Only the order check: the start must come before the end.
QString PrintOrderError(const QString& start, const QString& end);

// The field check of a typed end date (empty is allowed).
QString PrintEndDateError(const QString& typed);
