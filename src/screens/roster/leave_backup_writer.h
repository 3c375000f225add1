#pragma once

#include <QString>

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

// Stores one answered leave day; runs inside the caller's transaction. A paid leave that is
// registered becomes the taker's leave request of that day (`paidLeaveAbbrev` as the shift
// asked for, the leave shift as the one taken). A backup person gets a backup roster row
// (kind 2) holding their own plan, the leave shift and the taker's planned mark; a backup row
// stored earlier for the same taker and day is replaced, so the day has one backup.
void WriteLeaveBackup(Database& db, const LeaveBackup& leave, const QString& paidLeaveAbbrev);
