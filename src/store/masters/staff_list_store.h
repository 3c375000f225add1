#pragma once

#include "store/records/staff_member.h"

#include <QString>
#include <vector>

class Database;

// The staff list: every member of staff in display order with what the list shows beside them.
namespace StaffListStore {

struct Line {
    StaffMember member;
    QString position;      // the name of the member's staff category; empty when it has none
    bool shiftWork = true; // false for staff without shift work
    QString patternName;   // the member's pattern, of the kind the shift type follows
};

// Read as one consistent view.
std::vector<Line> load(Database& db);

} // namespace StaffListStore
