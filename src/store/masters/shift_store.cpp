#include "store/masters/shift_store.h"

#include "store/database.h"
#include "store/table.h"

#include <algorithm>

namespace ShiftStore {

std::vector<ShiftDefinition> workingShifts(Database& db) {
    std::vector<ShiftDefinition> shifts;
    Table t(db, ShiftDefinition::table);
    t.setIndex(ShiftDefinition::Index::byWorking);
    for (t.moveFirst(); !t.eof(); t.moveNext())
        if (t.integer(ShiftDefinition::Field::working) == 1)
            shifts.push_back(ShiftDefinition::fromRow(t));
    return shifts;
}

std::optional<ShiftDefinition> findListed(Database& db, int working, const QString& name) {
    Table t(db, ShiftDefinition::table);
    t.setIndex(ShiftDefinition::Index::byWorkingName);
    t.seek(Seek::Equal, {working, name});
    if (t.noMatch())
        return std::nullopt;
    return ShiftDefinition::fromRow(t);
}

bool priorityTaken(Database& db, int priority, const QString& abbrev) {
    const std::vector<ShiftDefinition> all = ShiftDefinition::loadAll(db);
    return std::any_of(all.begin(), all.end(), [&](const ShiftDefinition& d) {
        return d.working == 1 && d.priority == priority && d.abbrev != abbrev;
    });
}

SaveResult save(Database& db, const ShiftDefinition& definition) {
    Database::Transaction tx(db);
    if (definition.working == 1) {
        const auto before = ShiftDefinition::load(db, definition.abbrev);
        const bool becomesWorking = !before || before->working != 1;
        if (becomesWorking && workingShifts(db).size() >= size_t{maxWorkingShifts})
            return SaveResult::TooManyWorking;
    }
    definition.save(db);
    tx.commit();
    return SaveResult::Saved;
}

bool remove(Database& db, const QString& abbrev) {
    Database::Transaction tx(db);
    if (!ShiftDefinition::remove(db, abbrev))
        return false;
    tx.commit();
    return true;
}

} // namespace ShiftStore
