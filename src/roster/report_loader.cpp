#include "roster/report_loader.h"

#include "roster/roster_load.h"

void LoadRosterForReport(Database& db, const StartupSettings& settings, RosterModel& m,
                         const QString& from, const QString& to) {
    RosterQuery query;
    query.purpose = LoadPurpose::Report;
    query.from = from;
    query.to = to;
    m = LoadRoster(db, settings, query);
}
