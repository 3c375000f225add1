#include "roster/roster_change_save.h"

#include "roster/registration.h"
#include "roster/roster_model.h"
#include "store/database.h"

std::vector<LeaveBackup> LeaveDaysOf(const RosterModel& m) {
    std::vector<LeaveBackup> found;
    const int last = m.lastDay();
    for (const auto& group : m.groups) {
        for (const Person& p : group) {
            if (p.no.isEmpty())
                break;
            for (int d = 1; d <= last; ++d) {
                const QString& shift = p.cell(d).actualShift;
                if (shift.isEmpty())
                    continue;
                for (const LeaveShiftInfo& leave : m.cache.leaveShifts) {
                    if (leave.abbrev != shift)
                        continue;
                    if (leave.restWorkKind == 1 || leave.paidFlag == 1)
                        found.push_back(LeaveBackup{.takerNo = p.no,
                                                    .takerName = p.name,
                                                    .date = m.day(d).date,
                                                    .leaveShift = shift,
                                                    .paidLeave = leave.paidFlag == 1,
                                                    .registration = 0,
                                                    .backupNo = {}});
                    break;
                }
            }
        }
    }
    return found;
}

QStringList SaveRosterChanges(Database& db, RosterModel& m,
                              const std::vector<LeaveBackup>& answered) {
    Database::Transaction tx(db);
    QStringList messages = RegisterRoster(db, m, Registering::Correction);
    WriteLeaveBackups(db, answered, m.cache.paidLeaveAbbrev);
    tx.commit();
    return messages;
}
