#include "store/masters/shift_order.h"

#include "store/table.h"

namespace ShiftOrder {

std::vector<ShiftDefinition> inListOrder(Database& db) {
    std::vector<ShiftDefinition> shifts;
    Table t(db, ShiftDefinition::table);
    t.setIndex(ShiftDefinition::Index::byWorking);
    for (t.moveFirst(); !t.eof(); t.moveNext())
        shifts.push_back(ShiftDefinition::fromRow(t));
    return shifts;
}

QStringList workingAbbrevs(Database& db, qsizetype limit) {
    QStringList abbrevs;
    for (const ShiftDefinition& s : inListOrder(db)) {
        if (limit > 0 && abbrevs.size() >= limit)
            break;
        if (s.working == 1)
            abbrevs << s.abbrev;
    }
    return abbrevs;
}

} // namespace ShiftOrder
