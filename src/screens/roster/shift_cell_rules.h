#pragma once

#include "widgets/palette.h"

#include <QString>

struct RosterModel;

// What every roster grid decides alike about a shift cell, whichever screen draws it.
namespace ShiftCellRules {

// The text colour of a cell showing `shown`: the rest shift light red, any other requested
// shift light blue, everything else black.
Palette::Number colour(const QString& shown, bool requested, const QString& restShift);

// Whether model day `day` lies in the period (its date within periodStart..periodEnd); a click
// on any other column changes nothing ("日付が有効範囲外です。").
bool dayInPeriod(const RosterModel& m, int day);

inline const QString OutsidePeriodMessage = QStringLiteral("日付が有効範囲外です。");
inline const QString OutsideStaffMessage = QStringLiteral("職員欄が有効範囲外です。");
inline const QString ClosedDayMessage = QStringLiteral("休日は変更出来ません。");

} // namespace ShiftCellRules
