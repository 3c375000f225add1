#pragma once

#include "roster/leave_backup_writer.h"

#include <QStringList>
#include <vector>

class Database;
struct RosterModel;

// The days of the period on which a person shown now has a leave shift (a rest-work or paid
// leave kind of the master cache) as their actual shift, in staff order and then day order;
// each still without an answer (registration 0, no backup).
std::vector<LeaveBackup> LeaveDaysOf(const RosterModel& m);

// Writes a corrected roster and its answered leave days in one transaction: the roster rows
// as registered (the period is not recorded as created again, requests are not rewritten),
// then each leave day. Returns the messages of the registration; throws DbError with nothing
// written.
QStringList SaveRosterChanges(Database& db, RosterModel& m,
                              const std::vector<LeaveBackup>& answered);
