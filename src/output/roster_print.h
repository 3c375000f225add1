#pragma once

#include <array>
#include <vector>

class Sheet;
struct RosterModel;

// Prints the roster sheet "勤務シフト表" of the period and the staff the model holds,
// honouring its team and staff-number filters: one ruled landscape table with a line per
// person, per-person shift counts and per-day head counts. Reads nothing but the model;
// `weekdayColour` (palette numbers, 0 Sunday) colours the weekday headings.
void PrintRoster(const RosterModel& model, const std::array<int, 7>& weekdayColour, Sheet& sheet);

// One line of the roster sheet: a person's line, or the head counts of one working shift at one
// count level (1 and 2 a staff group, 3 the whole unit).
struct RosterSheetLine {
    enum class Kind { Person, Count };
    Kind kind = Kind::Person;
    int group = 0, slot = 0;  // a person's line
    int shift = 0, level = 0; // a count line
    bool newBlock = false;    // the first line of the second team's block, which opens a page
};

// The lines the roster sheet prints, in order: the chosen team's block with its counts, or the
// chosen person alone, or everybody with the whole unit's counts (by team, each block with its
// own counts).
std::vector<RosterSheetLine> RosterSheetLines(const RosterModel& model);

// Page geometry of the roster sheet, in millimetres.
namespace RosterSheet {
constexpr double Left = 15;
constexpr double Right = 283;
constexpr double Top = 16;
constexpr double Bottom = 192;
constexpr double RowHeight = 8;
constexpr double NoStart = 45; // the staff number column, right of the name column
constexpr int BodyRows = 21;
constexpr double DayStart = 60;
constexpr double DayWidth = 5;
constexpr double CountStart = 218;
constexpr double CountWidth = 7;
// Above the page limit, so the first printed line opens a page with its heading.
constexpr int FreshPageCounter = 90;
} // namespace RosterSheet
