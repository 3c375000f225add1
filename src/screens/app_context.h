#pragma once

#include "store/startup_settings.h"

#include <QString>
#include <functional>

class Clock;
class Database;
class Prompter;
class QWidget;

// What every screen receives: the services and the program-wide settings. There are no
// globals; the menu owns one of these and hands it to each screen it opens.
struct AppContext {
    Database& db;
    Prompter& prompter;
    const Clock& clock;
    StartupSettings settings;
    // The selected staff pair that a list screen sets so a master screen opens on one person.
    QString selectedStaffNo;
    QString selectedStaffName;
    // The folder last chosen for a CSV file in this run, where the next CSV screen starts.
    QString csvFolder = {};
    // The folder the last Excel workbook was written to in this run.
    QString workbookFolder = {};
    // Shows the single instance of the screen behind a menu button, opening it when needed,
    // and returns it (null when it cannot be opened). Set by the main menu while it lives, so
    // a screen that leads to another menu screen never opens a second copy of it.
    std::function<QWidget*(const QString& button)> openMenuScreen = nullptr;
};
