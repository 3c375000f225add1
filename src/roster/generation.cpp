#include "roster/generation.h"

#include "roster/fill_balance.h"
#include "roster/pinned_cells.h"
#include "roster/roster_load.h"
#include "roster/shift_assignment.h"
#include "roster/tallies.h"
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
    RosterQuery query;
    query.purpose = LoadPurpose::Generate;
    query.from = start;
    query.to = end;
    query.grouping = grouping;
    m = LoadRoster(db, settings, query);
    if (!pins.empty()) {
        // A held cell steers the passes as a request of its shift would, and counts before
        // their first decision as the stored days do.
        HoldPinsAsRequests(m, pins);
        TallyAll(m);
    }
    AssignShifts(m);
    FillRemainingShifts(m);
    ReleasePinRequests(m);
    TallyAll(m);
}
