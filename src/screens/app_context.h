#pragma once

#include "store/startup_settings.h"

#include <QString>

class Clock;
class Database;
class Prompter;

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
};
