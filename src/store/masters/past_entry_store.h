#pragma once

#include <QString>
#include <vector>

class Database;

// The shifts one person actually worked on days that were never generated, written as
// registered roster rows whose planned and actual shifts are both the entered ones, so
// generation can continue patterns across them.
namespace PastEntryStore {

// The roster kind the days are written as: the registered roster.
inline constexpr int kRegistered = 1;

// The pattern kind a member's shift type follows; 0 for staff without shift work.
int patternKindOf(int shiftType);

struct PatternRef {
    int kind = 0; // 0 when no staff pattern has the name
    int no = 0;
};
// The staff pattern named `name`. A name may be used in several kinds: `preferredKind` wins,
// then the first staff pattern of that name; prohibited (2) and mandatory (4) patterns are
// no staff patterns.
PatternRef findPattern(Database& db, const QString& name, int preferredKind);

struct Day {
    QString date; // "yyyy/mm/dd"
    QString shift;
};
// Writes the days of `staffNo` with the team and pattern, all or none.
void saveDays(Database& db, const QString& staffNo, const std::vector<Day>& days,
              const QString& team, int patternNo);
// Removes the registered rows of `staffNo` on `dates`, all or none.
void removeDays(Database& db, const QString& staffNo, const std::vector<QString>& dates);

} // namespace PastEntryStore
