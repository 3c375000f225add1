#pragma once

#include "store/month_days.h"
#include "store/startup_settings.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <utility>
#include <vector>

class FlexGrid;
class QListWidget;

// One month laid out in a 7 × 7 grid, shared by the screens that let the clerk pick a day:
// row 0 holds the weekday headings, rows 1–6 the weeks, column c is weekday c (0 Sunday).
// Day numbers are coloured by the workplace calendar and, for one member of staff, by
// their requests.
namespace MonthCalendar {

inline constexpr int kRows = 7;
inline constexpr int kCols = 7;
inline constexpr int kColTwips = 400;

// Seven columns of 400 twips (wider where the font needs it), the weekday headings of the
// start-up settings (names, empty ones falling back to 日…土, and colours, as the roster grids
// show them: Sunday light red, Saturday light blue) on yellow.
void SetupCalendarGrid(FlexGrid& grid, const StartupSettings& settings);

// Lays out the month `days` (ReadMonthDays): holidays in light red, registered working days in
// light blue, other days black, and requested days light magenta whatever the calendar says.
// With `holidays`, that list is emptied and gets one line per registered day: its day number
// right-aligned in two characters, a space and its name.
void DrawMonthCalendar(FlexGrid& grid, const std::vector<MonthDay>& days,
                       const StartupSettings& settings, QListWidget* holidays);

// The day number a week cell holds, 0 for a heading or an empty cell.
int dayInCell(const FlexGrid& grid, int row, int col);
// The (row, column) of a day number in the drawn month.
std::optional<std::pair<int, int>> cellOfDay(const FlexGrid& grid, int day);
// The day number a holiday-list line begins with, 0 when it has none.
int dayOfListLine(const QString& line);

} // namespace MonthCalendar
