#include "output/stored_roster_print.h"

#include "output/roster_print.h"
#include "roster/master_cache.h"
#include "roster/roster_loader.h"
#include "roster/roster_model.h"
#include "roster/tallies.h"
#include "store/database.h"
#include "store/startup_settings.h"

using namespace Qt::Literals::StringLiterals;

void LoadRosterForPrint(Database& db, const StartupSettings& settings, RosterModel& model) {
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    model.loadMode = LoadMode::View;
    model.loadRequests = RequestsMode::Skip;
    model.leaderFilter = LeaderFilter::Everybody;
    model.byTeam = settings.byTeam;
    LoadRosterPeriod(db, model, settings.weekdayName);
    LoadMasterCache(db, model);
    LoadStoredRoster(db, model);
    TallyAll(model);
    read.commit();
}

QString NothingToPrintMessage(const RosterModel& model) {
    if (model.groupCount(1) + model.groupCount(2) > 0)
        return {};
    return u"指定された期間に勤務する職員がいないため、印刷する勤務表がありません"_s;
}

void PrintStoredRoster(Database& db, const StartupSettings& settings, RosterModel& model,
                       Sheet& sheet) {
    LoadRosterForPrint(db, settings, model);
    PrintRoster(model, settings.weekdayColour, sheet);
}
