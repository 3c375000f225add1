#include "store/masters/pattern_lookup.h"

#include "store/table.h"

#include <algorithm>
#include <utility>

namespace PatternLookup {

std::vector<PatternRow> headersNamed(Database& db, const QString& name) {
    std::vector<PatternRow> found;
    Table t(db, PatternRow::table);
    t.setIndex(PatternRow::Index::byName);
    t.seek(Seek::Equal, {name, 0});
    for (; t.keyMatches({name, 0}); t.moveNext())
        found.push_back(PatternRow::fromRow(t));
    return found;
}

std::vector<PatternRow> headersNamed(Database& db, int kind, const QString& name) {
    std::vector<PatternRow> found = headersNamed(db, name);
    std::erase_if(found, [kind](const PatternRow& r) { return r.kind != kind; });
    return found;
}

std::optional<PatternRow> header(Database& db, int kind, const QString& name) {
    std::vector<PatternRow> rows = headersNamed(db, kind, name);
    if (rows.empty())
        return std::nullopt;
    return rows.front();
}

bool nameTakenByOther(Database& db, int kind, int no, const QString& name) {
    const std::vector<PatternRow> rows = headersNamed(db, kind, name);
    return std::any_of(rows.begin(), rows.end(), [no](const PatternRow& r) { return r.no != no; });
}

} // namespace PatternLookup
