#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class Database;
struct RosterQuery;
struct StartupSettings;

// Exports the registered roster of `choice`'s period to the workbook at `path`, for the people
// its filter and grouping choose (as the print screen sets them); its purpose is not used. Returns
// an empty string when the file is written, else the message to show: the period is not registered,
// nobody works in it, or the file could not be written. `paletteRgb` turns palette numbers into
// 0xRRGGBB. Throws DbError when the database cannot be read.
QString ExportRosterWorkbook(Database& db, const StartupSettings& settings,
                             const RosterQuery& choice, const QString& path,
                             const std::function<std::uint32_t(int)>& paletteRgb);
