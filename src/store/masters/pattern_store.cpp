#include "store/masters/pattern_store.h"

#include "store/database.h"
#include "store/masters/pattern_lookup.h"
#include "store/records/record_access.h"
#include "store/table.h"

#include <algorithm>
#include <optional>

namespace PatternStore {

namespace {

using Transaction = Database::Transaction;

PatternRow storedOrNew(Database& db, int kind, int no, int position) {
    if (auto row = PatternRow::load(db, kind, no, position))
        return *row;
    PatternRow row;
    row.kind = kind;
    row.no = no;
    row.position = position;
    return row;
}

// Writes what a shift row carries over the stored row of its key, or a new one.
void storeShift(Database& db, const PatternRow& shift) {
    PatternRow row = storedOrNew(db, shift.kind, shift.no, shift.position);
    row.shiftAbbrev = shift.shiftAbbrev;
    row.shiftName = shift.shiftName;
    row.remark = shift.remark;
    row.save(db);
}

} // namespace

void saveHeader(Database& db, int kind, int no, const QString& name, const QString& remark) {
    Transaction tx(db);
    PatternRow header = storedOrNew(db, kind, no, 0);
    header.name = name;
    header.remark = remark;
    header.save(db);
    tx.commit();
}

ShiftSave saveShift(Database& db, const PatternRow& row) {
    Transaction tx(db);
    if (!PatternRow::load(db, row.kind, row.no, row.position)) {
        const std::vector<PatternRow> stored = PatternRow::loadPattern(db, row.kind, row.no);
        const auto shifts = std::count_if(stored.begin(), stored.end(),
                                          [](const PatternRow& r) { return r.position >= 1; });
        if (shifts >= maxSequenceRows)
            return ShiftSave::PatternFull;
    }
    storeShift(db, row);
    tx.commit();
    return ShiftSave::Saved;
}

void saveWeekdays(Database& db, const std::array<PatternRow, 7>& days) {
    Transaction tx(db);
    for (const PatternRow& day : days)
        storeShift(db, day);
    tx.commit();
}

bool removeFrom(Database& db, int kind, int no, int position) {
    Transaction tx(db);
    Table t(db, PatternRow::table);
    t.setIndex(PatternRow::Index::key);
    t.seek(Seek::Equal, {kind, no, position});
    if (t.noMatch())
        return false;
    for (; t.keyMatches({kind, no}); t.moveNext())
        t.remove();
    tx.commit();
    return true;
}

std::vector<PatternRow> allHeaders(Database& db) {
    std::vector<PatternRow> headers = RecordAccess::loadAll<PatternRow>(db);
    std::erase_if(headers, [](const PatternRow& r) { return r.position != 0; });
    return headers;
}

std::vector<ShiftDefinition> shiftsOfPattern(Database& db, const QString& name) {
    Transaction read(db, Transaction::Kind::Read);
    std::vector<ShiftDefinition> shifts;
    const std::vector<PatternRow> headers = PatternLookup::headersNamed(db, name);
    if (!headers.empty()) {
        for (const PatternRow& row :
             PatternRow::loadPattern(db, headers.front().kind, headers.front().no)) {
            if (row.position < 1)
                continue;
            if (auto shift = ShiftDefinition::load(db, row.shiftAbbrev))
                shifts.push_back(std::move(*shift));
        }
    }
    read.commit();
    return shifts;
}

} // namespace PatternStore
