#pragma once

#include "store/records/code_entry.h"
#include "store/records/staff_member.h"

#include <QSet>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

class Database;

// The staff master's look-ups and writes, and the staff-wide reads of the status and cover
// screens. Each write is one transaction of its own (or joins the caller's).
namespace StaffStore {

// The employee category named `name`. The code name index spans every code kind, so a name
// shared with another kind's code is passed over.
std::optional<CodeEntry> categoryNamed(Database& db, const QString& name);

// The first member, in name-index order, whose kanji name is `name`.
std::optional<StaffMember> findNamed(Database& db, const QString& name);

// Adds the member, or overwrites every field of the member with the same number.
void save(Database& db, const StaffMember& member);

// Deletes the member findNamed() finds; false when there is none.
bool removeNamed(Database& db, const QString& name);

// One member's line of the fiscal-year status: the days with, for each, the counterpart.
struct StatusLine {
    QString no;
    QString name;
    std::vector<std::pair<QString, QString>> entries; // day and counterpart
    bool operator==(const StatusLine&) const = default;
};

enum class Status {
    Backups, // the days each member covered someone (backup roster rows) and whom
    Leaves,  // the paid-leave days each member took and who covered them, by name when known
};

// In kana order, every member employed or on leave, and those retired whose leave began on or
// after `firstDay` (they still have days of the year to show); entries dated `firstDay` to
// `lastDay` in date order.
std::vector<StatusLine> yearStatus(Database& db, Status status, const QString& firstDay,
                                   const QString& lastDay);

// Who may cover a leave day as far as the stored covers go, and who covers it now.
struct CoverCandidates {
    std::vector<StaffMember> staff; // in kana order
    QString recorded;               // the staff number of the cover already stored, or empty
};

// The members, in kana order, other than the taker, those in `alsoBusy`, and those who cover
// someone else on `day` by a stored backup row (a person covers at most one colleague a day).
// The taker's own recorded cover stays among them.
CoverCandidates coverCandidates(Database& db, const QString& takerNo, const QString& takerName,
                                const QString& day, const QSet<QString>& alsoBusy);

} // namespace StaffStore
