#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// The conversions every screen shares: date text "yyyy/mm/dd", times "hh:mm" and small
// integers typed into boxes.
namespace TextValues {

QString dateText(const QDate& d);         // "yyyy/mm/dd"; empty when invalid or past 9999/12/31
QDate parseDateText(const QString& text); // strict "yyyy/mm/dd"; invalid otherwise

// A typed date (2006/7/1, 2006-07-01, 2006/07/01, 20060701) in normal form, or nothing.
std::optional<QString> normaliseDate(const QString& typed);
bool isDate(const QString& typed);

// A typed time h:mm or hh:mm (0-23, 0-59) as "hh:mm", or nothing.
std::optional<QString> normaliseTime(const QString& typed);

// An optionally signed integer that fits 16 bits, after trimming; nothing otherwise.
std::optional<int> parseSmallInt(const QString& typed);
bool isSmallInt(const QString& typed);

// Boundaries crossed between two dates, as the roster arithmetic counts them.
int diffDays(const QDate& from, const QDate& to);
int diffMonths(const QDate& from, const QDate& to);
int diffYears(const QDate& from, const QDate& to);

// Adds days to a date text; empty input stays empty.
QString addDays(const QString& dateText, int days);

// One line of tab-separated text as spreadsheets read it: a field holding a tab, a line break
// or a double quote is double-quoted with its quotes doubled, so it stays one cell.
QString tsvRow(const QStringList& fields);

} // namespace TextValues
