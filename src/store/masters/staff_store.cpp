#include "store/masters/staff_store.h"

#include "store/code_kind.h"
#include "store/database.h"
#include "store/leave_cover.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "store/table.h"

#include <map>

namespace StaffStore {

namespace {

using Transaction = Database::Transaction;

constexpr int kBackupRowKind = 2;
constexpr int kPaidLeave = 1;

// Every member in kana order.
std::vector<StaffMember> byKana(Database& db) {
    std::vector<StaffMember> members;
    Table t(db, StaffMember::table);
    t.setIndex(StaffMember::Index::byKana);
    for (t.moveFirst(); !t.eof(); t.moveNext())
        members.push_back(StaffMember::fromRow(t));
    return members;
}

} // namespace

std::optional<CodeEntry> categoryNamed(Database& db, const QString& name) {
    Table t(db, CodeEntry::table);
    t.setIndex(CodeEntry::Index::byName);
    t.seek(Seek::Equal, {name});
    for (; t.keyMatches({name}); t.moveNext())
        if (t.integer(CodeEntry::Field::kind) == CodeKind::StaffCategory)
            return CodeEntry::fromRow(t);
    return std::nullopt;
}

std::optional<StaffMember> findNamed(Database& db, const QString& name) {
    Table t(db, StaffMember::table);
    t.setIndex(StaffMember::Index::byName);
    t.seek(Seek::Equal, {name});
    if (t.noMatch())
        return std::nullopt;
    return StaffMember::fromRow(t);
}

void save(Database& db, const StaffMember& member) {
    Transaction tx(db);
    member.save(db);
    tx.commit();
}

bool removeNamed(Database& db, const QString& name) {
    Transaction tx(db);
    Table t(db, StaffMember::table);
    t.setIndex(StaffMember::Index::byName);
    t.seek(Seek::Equal, {name});
    if (t.noMatch())
        return false;
    t.remove();
    tx.commit();
    return true;
}

std::vector<StatusLine> yearStatus(Database& db, Status status, const QString& firstDay,
                                   const QString& lastDay) {
    Transaction read(db, Transaction::Kind::Read);
    std::vector<StatusLine> lines;
    std::map<QString, QString> names;
    for (const StaffMember& s : byKana(db)) {
        const bool listed = s.employFlag == 0 || s.employFlag == 1 ||
                            (s.employFlag == 2 && s.leaveFrom >= firstDay);
        if (listed) {
            lines.push_back({s.no, s.name, {}});
            names[s.no] = s.name;
        }
    }
    for (StatusLine& line : lines) {
        if (status == Status::Backups) {
            for (const RosterRow& r :
                 RosterRow::loadForStaff(db, kBackupRowKind, line.no, firstDay, lastDay))
                line.entries.emplace_back(r.date, r.backup);
            continue;
        }
        for (const ShiftRequest& r : ShiftRequest::loadForStaff(db, line.no, firstDay, lastDay)) {
            if (r.kind != kPaidLeave)
                continue;
            const auto named = names.find(r.backup);
            line.entries.emplace_back(r.date, named == names.end() ? r.backup : named->second);
        }
    }
    read.commit();
    return lines;
}

CoverCandidates coverCandidates(Database& db, const QString& takerNo, const QString& takerName,
                                const QString& day, const QSet<QString>& alsoBusy) {
    Transaction read(db, Transaction::Kind::Read);
    CoverCandidates found;
    // Whom the caller has assigned to others is not this taker's cover either, whoever
    // shares the taker's name.
    found.recorded = RecordedCover(db, takerNo, takerName, day, alsoBusy);
    QSet<QString> busy = alsoBusy;
    busy.insert(takerNo);
    Table roster(db, RosterRow::table);
    roster.setIndex(RosterRow::Index::byDate);
    for (roster.seek(Seek::GreaterEqual, {day}); roster.keyMatches({day}); roster.moveNext()) {
        const RosterRow row = RosterRow::fromRow(roster);
        if (row.kind == kBackupRowKind && row.staffNo != found.recorded)
            busy.insert(row.staffNo);
    }
    for (StaffMember& s : byKana(db))
        if (!busy.contains(s.no))
            found.staff.push_back(std::move(s));
    read.commit();
    return found;
}

} // namespace StaffStore
