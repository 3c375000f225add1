#include "store/leave_cover.h"

#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "store/table.h"

namespace {

constexpr int kPaidLeave = 1;
constexpr int kCover = 2;

// The backups the paid-leave rows of `date` name.
QSet<QString> namedByLeaveRows(Database& db, const QString& date) {
    QSet<QString> named;
    Table t(db, ShiftRequest::table);
    t.setIndex(ShiftRequest::Index::byDate);
    for (t.seek(Seek::GreaterEqual, {date}); t.keyMatches({date}); t.moveNext()) {
        const ShiftRequest r = ShiftRequest::fromRow(t);
        if (r.kind == kPaidLeave && !r.backup.isEmpty())
            named.insert(r.backup);
    }
    return named;
}

} // namespace

QString RecordedCover(Database& db, const QString& takerNo, const QString& takerName,
                      const QString& date, const QSet<QString>& attributed) {
    if (const auto leave = ShiftRequest::load(db, kPaidLeave, takerNo, date);
        leave && !leave->backup.isEmpty() && RosterRow::load(db, kCover, leave->backup, date))
        return leave->backup;
    const QSet<QString> named = namedByLeaveRows(db, date);
    Table t(db, RosterRow::table);
    t.setIndex(RosterRow::Index::byDate);
    for (t.seek(Seek::GreaterEqual, {date}); t.keyMatches({date}); t.moveNext()) {
        const RosterRow row = RosterRow::fromRow(t);
        if (row.kind == kCover && row.backup == takerName && !named.contains(row.staffNo) &&
            !attributed.contains(row.staffNo))
            return row.staffNo;
    }
    return {};
}
