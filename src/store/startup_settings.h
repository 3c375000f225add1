#pragma once

#include <QString>
#include <QStringList>
#include <array>

class Database;

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The start-up settings every screen reads. Filled by LoadStartupSettings.
struct StartupSettings {
    Rgb colourLightGreen;
    Rgb colourLightLavender;
    Rgb colourLightYellow;
    std::array<QString, 7> weekdayName; // 0 Sunday
    std::array<int, 7> weekdayColour{}; // 16-colour palette numbers
    int staffGroupCount = 0;
    int creationUnit = 0;
    int creationUnitCount = 0;
    int byTeam = 0;
    QString periodStart, periodEnd; // the last created period
    bool timeDisplay = false;
    int restInterval = 3;
};

// Each returns the messages the caller must show (exclamation icon, OK), in order; the store
// layer shows nothing itself. Settings that could not be read keep their previous values.
QStringList LoadStartupSettings(Database& db, StartupSettings& s);
QStringList LoadCreationUnitSettings(Database& db, StartupSettings& s);
void LoadDisplaySettings(Database& db, StartupSettings& s);
