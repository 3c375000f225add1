#pragma once

#include <QHash>
#include <QString>
#include <array>

class Database;
class Sheet;
struct RosterModel;
struct RosterQuery;
struct StartupSettings;

// 基本_名称 of every shift, working or leave, by its abbreviation.
using ShiftNames = QHash<QString, QString>;

// Prints a personal duty sheet for every person the model holds, staff group 1 first: one
// portrait A4 page each, headed by `title`, the person's name and the period, with a line per
// day of the period (up to its end) giving the date, the weekday, the shift's name, the early or
// late mark, the working hours and the day's calendar note. The shift of a day is the actual
// one where the model holds one, else the planned one. `weekdayColour` (palette numbers, 0
// Sunday) colours the weekdays.
void PrintPersonalSheets(const RosterModel& model, const ShiftNames& shiftNames,
                         const std::array<int, 7>& weekdayColour, const QString& title,
                         Sheet& sheet);

// Loads the period and people `query` asks for (its purpose aside) so that every day holds the
// shift really worked: the actual shift where one is stored, else the planned one, each with
// its own mark. Returns the shift names the sheets print, read in the same transaction.
ShiftNames LoadPersonalSheets(Database& db, const StartupSettings& settings, RosterQuery query,
                              RosterModel& model);

// Page geometry of the personal sheet, in millimetres.
namespace PersonalSheet {
constexpr double Left = 14;
constexpr double Right = 196;
constexpr double Top = 30;
constexpr double Bottom = 254;
constexpr double HeadingBottom = 40;
constexpr double LineHeight = 6;
constexpr int MaxLines = 31;
// Top of the text of day line n (1..31).
constexpr double lineY(int n) {
    return 35 + LineHeight * n;
}
constexpr double DateX = 16;
constexpr double WeekdayX = 31;
constexpr double ShiftX = 39;
constexpr double MarkX = 60.5;
constexpr double StartX = 67;
constexpr double EndX = 82;
constexpr double NoteX = 97;
constexpr int NameLength = 7; // longer names are cut so they stay on the paper
} // namespace PersonalSheet
