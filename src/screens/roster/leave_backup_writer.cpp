#include "screens/roster/leave_backup_writer.h"

#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "store/table.h"

#include <QStringList>

namespace {

void writeLeaveRequest(Database& db, const LeaveBackup& leave, const QString& paidLeaveAbbrev) {
    ShiftRequest r = ShiftRequest::load(db, 1, leave.takerNo, leave.date).value_or(ShiftRequest{});
    r.kind = 1;
    r.staffNo = leave.takerNo;
    r.date = leave.date;
    r.planned = paidLeaveAbbrev;
    r.actual = leave.leaveShift;
    r.lateEarly = 0;
    r.dayOffFlag = 1;
    r.from.clear();
    r.to.clear();
    r.backup = leave.backupNo;
    r.appliedOn = leave.date;
    r.save(db);
}

// The staff numbers of the kind 2 rows of `date` that cover `takerName`.
QStringList coverersOf(Database& db, const QString& date, const QString& takerName) {
    QStringList found;
    Table t(db, RosterRow::table);
    t.setIndex(RosterRow::Index::byDate);
    t.seek(Seek::GreaterEqual, {date});
    for (; !t.noMatch() && !t.eof(); t.moveNext()) {
        const RosterRow row = RosterRow::fromRow(t);
        if (row.date != date)
            break;
        if (row.kind == 2 && row.backup == takerName)
            found << row.staffNo;
    }
    return found;
}

void writeBackupRow(Database& db, const LeaveBackup& leave) {
    const RosterRow taker = RosterRow::load(db, 1, leave.takerNo, leave.date).value_or(RosterRow{});
    const RosterRow backup =
        RosterRow::load(db, 1, leave.backupNo, leave.date).value_or(RosterRow{});
    for (const QString& earlier : coverersOf(db, leave.date, leave.takerName))
        RosterRow::remove(db, 2, earlier, leave.date);
    RosterRow r;
    r.kind = 2;
    r.staffNo = leave.backupNo;
    r.date = leave.date;
    r.planned = backup.planned;
    r.plannedEarly = backup.plannedEarly;
    r.actual = leave.leaveShift;
    r.actualEarly = taker.plannedEarly;
    r.backup = leave.takerName;
    r.team = backup.team;
    r.pattern = backup.pattern;
    r.save(db);
}

} // namespace

void WriteLeaveBackup(Database& db, const LeaveBackup& leave, const QString& paidLeaveAbbrev) {
    if (leave.paidLeave && leave.registration == 1)
        writeLeaveRequest(db, leave, paidLeaveAbbrev);
    if (!leave.backupNo.isEmpty())
        writeBackupRow(db, leave);
}
