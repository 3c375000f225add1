#include "roster/roster_load.h"

#include "roster/cumulative_totals.h"
#include "roster/master_cache.h"
#include "roster/roster_loader.h"
#include "roster/roster_rows.h"
#include "roster/tallies.h"
#include "store/database.h"
#include "store/startup_settings.h"
#include "store/text_values.h"

#include <QHash>

namespace {

// View mode reads from the period start; the report's lead days come in the same view form,
// so that runs and night shifts carry over the period's start.
void loadLeadDaysForView(Database& db, RosterModel& m) {
    const QDate start = TextValues::parseDateText(m.periodStart);
    QHash<QString, Person*> byNo;
    for (auto& group : m.groups)
        for (Person& p : group)
            byNo.insert(p.no, &p);
    ForEachRosterRow(db, TextValues::addDays(m.periodStart, -5),
                     TextValues::addDays(m.periodStart, -1), [&](const RosterRow& row) {
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
}

void setModes(RosterModel& m, const StartupSettings& settings, const RosterQuery& q) {
    const bool generation =
        q.purpose == LoadPurpose::Generate || q.purpose == LoadPurpose::PersonalSheets;
    const bool requests = q.purpose == LoadPurpose::Generate || q.purpose == LoadPurpose::Report;
    m.loaded.mode = generation ? LoadMode::Generation : LoadMode::View;
    m.loaded.requests = requests ? RequestsMode::Load : RequestsMode::Skip;
    m.loaded.leaders = LeaderFilter::Everybody;
    m.byTeam = settings.byTeam;
    if (q.purpose == LoadPurpose::Generate) {
        m.loaded.grouping = q.grouping;
    } else if (q.purpose == LoadPurpose::Report) {
        m.loaded.grouping = settings.byTeam == 1 ? Grouping::ByTeam : Grouping::Everybody;
    } else {
        m.loaded.grouping = q.grouping;
        m.loaded.filter = q.filter;
    }
    if (q.purpose == LoadPurpose::Totals) {
        SetTotalsColumns(m, q.columns);
    } else {
        m.periodStart = q.from;
        m.periodEnd = q.to;
    }
}

} // namespace

RosterModel LoadRoster(Database& db, const StartupSettings& settings, const RosterQuery& query) {
    RosterModel m;
    setModes(m, settings, query);
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    LoadRosterPeriod(db, m, settings.weekdayName);
    LoadMasterCache(db, m);
    switch (query.purpose) {
    case LoadPurpose::Generate:
        LoadStoredRoster(db, m);
        // Requests and stored days count before the passes make their first decision.
        TallyAll(m);
        LoadCumulativeTotals(db, m, TotalsLoad::History);
        break;
    case LoadPurpose::View:
        LoadStoredRoster(db, m);
        break;
    case LoadPurpose::Print:
    case LoadPurpose::PersonalSheets:
        LoadStoredRoster(db, m);
        TallyAll(m);
        break;
    case LoadPurpose::Report:
        LoadStoredRoster(db, m);
        loadLeadDaysForView(db, m);
        TallyAll(m);
        break;
    case LoadPurpose::Totals:
        LoadCumulativeTotals(db, m, TotalsLoad::Columns);
        break;
    }
    read.commit();
    return m;
}
