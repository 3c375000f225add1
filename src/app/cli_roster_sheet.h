#pragma once

#include <QString>

class Database;
struct RosterQuery;
struct StartupSettings;

// What `print` and `export` both take: the period of a roster sheet and whom it shows.
struct RosterSheetOptions {
    QString from, to, team, staff;
    bool byTeam = false;
};

// The print screen's checks of the sheet's options, in its order; normalises the dates. Returns
// the message for bad input, empty when the options are good.
QString CheckRosterSheetOptions(RosterSheetOptions& o);

// Sets the query's period, grouping and filter from the options. Returns the message for a staff
// number or team that is not registered (bad input), empty otherwise.
QString ChooseRosterSheet(Database& db, const StartupSettings& settings,
                          const RosterSheetOptions& o, RosterQuery& query);
