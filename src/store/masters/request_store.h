#pragma once

#include "store/records/shift_request.h"

#include <QString>

class Database;

// The writes of the request screen. Each is one transaction of its own (or joins the
// caller's).
namespace RequestStore {

// Stores the request as entered: its key, planned shift, day-off flag, application date and
// remark. What a roster made of an earlier request of the same key (actual shift, early/late
// mark, times, backup) is cleared; any other stored field stays.
void save(Database& db, const ShiftRequest& entered);

// False when there was no such request.
bool remove(Database& db, int kind, const QString& staffNo, const QString& date);

} // namespace RequestStore
