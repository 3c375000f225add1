#pragma once

#include <QString>
#include <QVariant>
#include <array>

// The CSV line of one removed roster row (勤務表): its ten fields in stored order, separated by
// commas, ending in CRLF, no header. Numbers are padded with a space on either side (a minus
// takes the leading space), a missing value is the word Null. A text is written as stored
// unless it holds a comma, a double quote or a line break: then it is quoted, its quotes
// doubled, so the file stays one row per line.
namespace RosterCsv {

inline constexpr int kFields = 10;

// The SELECT list that reads the fields in line order.
QString selectList();

// `values` in line order; an invalid QVariant is Null. The kind and the two early/late marks
// are numbers, the rest texts.
QString line(const std::array<QVariant, kFields>& values);

} // namespace RosterCsv
