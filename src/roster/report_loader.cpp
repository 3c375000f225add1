#include "roster/report_loader.h"

#include "roster/master_cache.h"
#include "roster/roster_loader.h"
#include "roster/roster_model.h"
#include "roster/roster_rows.h"
#include "roster/tallies.h"
#include "store/database.h"
#include "store/startup_settings.h"
#include "store/text_values.h"

#include <QHash>

void LoadRosterForReport(Database& db, const StartupSettings& settings, RosterModel& m,
                         const QString& from, const QString& to) {
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    m.periodStart = from;
    m.periodEnd = to;
    m.loadMode = LoadMode::View;
    m.loadRequests = RequestsMode::Load;
    m.leaderFilter = LeaderFilter::Everybody;
    m.filterStaffNo.clear();
    m.filterTeam.clear();
    m.byTeam = settings.byTeam;
    m.groupingMode = settings.byTeam == 1 ? Grouping::ByTeam : Grouping::Everybody;
    LoadRosterPeriod(db, m, settings.weekdayName);
    LoadMasterCache(db, m);
    LoadStoredRoster(db, m);
    // View mode reads from the period start; the lead days come in the same view form.
    const QDate start = TextValues::parseDateText(from);
    QHash<QString, Person*> byNo;
    for (auto& group : m.groups)
        for (Person& p : group)
            byNo.insert(p.no, &p);
    ForEachRosterRow(db, TextValues::addDays(from, -5), TextValues::addDays(from, -1),
                     [&](const RosterRow& row) {
                         Person* p = byNo.value(row.staffNo);
                         const int d =
                             TextValues::diffDays(start, TextValues::parseDateText(row.date)) + 1;
                         if (p == nullptr || d < RosterBounds::FirstDay || d > 0)
                             return;
                         Cell& c = p->cell(d);
                         c.shift = row.planned;
                         c.early = row.plannedEarly;
                         c.actualShift = row.actual;
                         c.actualEarly = row.actualEarly;
                     });
    TallyAll(m);
    read.commit();
}
