#include "roster/generation.h"

#include "roster/fill_balance.h"
#include "roster/master_cache.h"
#include "roster/pinned_cells.h"
#include "roster/roster_loader.h"
#include "roster/roster_model.h"
#include "roster/shift_assignment.h"
#include "roster/tallies.h"
#include "store/database.h"
#include "store/startup_settings.h"
#include "store/text_values.h"

using namespace Qt::Literals::StringLiterals;

QString CheckGenerationPeriod(const QString& start, const QString& end) {
    if (start >= end)
        return u"日付の大小関係を正しく入力してください"_s;
    const QDate from = TextValues::parseDateText(start);
    const QDate to = TextValues::parseDateText(end);
    if (from.isValid() && to.isValid() && TextValues::diffDays(from, to) > 31)
        return u"1ｹ月以上の作成は出来ません"_s;
    return {};
}

void ExpandRoster(Database& db, RosterModel& m, const StartupSettings& settings,
                  const QString& start, const QString& end, Grouping grouping,
                  const std::vector<PinnedShift>& pins) {
    m.periodStart = start;
    m.periodEnd = end;
    m.leaderFilter = LeaderFilter::Everybody;
    m.groupingMode = grouping;
    m.loadRequests = RequestsMode::Load;
    m.loadMode = LoadMode::Generation;
    m.filterStaffNo.clear();
    m.filterTeam.clear();
    m.byTeam = settings.byTeam;
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    LoadRosterPeriod(db, m, settings.weekdayName);
    LoadMasterCache(db, m);
    LoadStoredRoster(db, m);
    // A held cell steers the passes as a request of its shift would.
    HoldPinsAsRequests(m, pins);
    // Requests and stored days count before the passes make their first decision.
    TallyAll(m);
    LoadCumulativeTotals(db, m, 2);
    read.commit();
    AssignShifts(m);
    FillRemainingShifts(m);
    ReleasePinRequests(m);
    TallyAll(m);
}
