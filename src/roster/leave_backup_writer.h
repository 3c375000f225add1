#pragma once

#include <QString>
#include <vector>

class Database;

// One leave day taken in a roster correction, with the clerk's answer about it.
struct LeaveBackup final {
    QString takerNo;
    QString takerName;
    QString date;       // yyyy/MM/dd
    QString leaveShift; // abbreviation of the leave shift the taker now has
    bool paidLeave = false;
    int registration = 0; // 1 when the leave is to be registered
    QString backupNo;     // empty when nobody covers
};

// Stores answered leave days; runs inside the caller's transaction. A leave that is not
// registered changes nothing. For a registered one the backup recorded for it before (found
// as RecordedCover finds it) is removed, and a backup person, if any, gets a backup roster
// row (kind 2) holding their own plan, the leave shift and the taker's planned mark, so a day
// has one backup per taker and "no backup" leaves none. A registered paid leave becomes the
// taker's leave request of that day (`paidLeaveAbbrev` as the shift asked for, the leave
// shift as the one taken, the backup's staff number). Every earlier backup is found before
// anything is written, so the days may come in any order.
void WriteLeaveBackups(Database& db, const std::vector<LeaveBackup>& leaves,
                       const QString& paidLeaveAbbrev);
