#include "roster/leave_backup_writer.h"

#include "store/leave_cover.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"

#include <QHash>
#include <QSet>

namespace {

constexpr int kCover = 2;

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

void writeBackupRow(Database& db, const LeaveBackup& leave) {
    const RosterRow taker = RosterRow::load(db, 1, leave.takerNo, leave.date).value_or(RosterRow{});
    const RosterRow backup =
        RosterRow::load(db, 1, leave.backupNo, leave.date).value_or(RosterRow{});
    RosterRow r;
    r.kind = kCover;
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

void WriteLeaveBackups(Database& db, const std::vector<LeaveBackup>& leaves,
                       const QString& paidLeaveAbbrev) {
    // All earlier covers go before any new one is written: a new cover may take the key of a
    // cover another taker had.
    QHash<QString, QSet<QString>> attributed; // per day, the covers found so far
    std::vector<QString> earlier;
    for (const LeaveBackup& leave : leaves) {
        if (leave.registration != 1)
            continue;
        QSet<QString>& ofDay = attributed[leave.date];
        const QString cover = RecordedCover(db, leave.takerNo, leave.takerName, leave.date, ofDay);
        if (!cover.isEmpty())
            ofDay.insert(cover);
        earlier.push_back(cover);
    }
    size_t i = 0;
    for (const LeaveBackup& leave : leaves)
        if (leave.registration == 1)
            if (const QString& cover = earlier[i++]; !cover.isEmpty())
                RosterRow::remove(db, kCover, cover, leave.date);
    for (const LeaveBackup& leave : leaves) {
        if (leave.registration != 1)
            continue;
        if (leave.paidLeave)
            writeLeaveRequest(db, leave, paidLeaveAbbrev);
        if (!leave.backupNo.isEmpty())
            writeBackupRow(db, leave);
    }
}
