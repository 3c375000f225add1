#include "store/masters/staff_list_store.h"

#include "store/code_kind.h"
#include "store/database.h"
#include "store/list_services.h"
#include "store/records/code_entry.h"
#include "store/table.h"

#include <map>
#include <utility>

namespace StaffListStore {

namespace {

constexpr int kNoShiftWork = 2;

// The pattern list a person's pattern number belongs to, by the person's shift type.
int patternKindOf(int shiftType) {
    return shiftType == 1 ? 1 : shiftType == 3 ? 3 : 5;
}

} // namespace

std::vector<Line> load(Database& db) {
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    std::map<int, QString> positions;
    for (const CodeEntry& c : CodeEntry::loadKind(db, CodeKind::StaffCategory))
        positions[c.no] = c.name;
    std::map<std::pair<int, int>, QString> patterns;
    std::vector<Line> lines;
    Table t(db, StaffMember::table);
    t.setIndex(StaffMember::Index::byDisplayOrder);
    for (t.moveFirst(); !t.eof(); t.moveNext()) {
        Line line{StaffMember::fromRow(t), {}, true, {}};
        const StaffMember& s = line.member;
        if (const auto p = positions.find(s.category); p != positions.end())
            line.position = p->second;
        line.shiftWork = s.shiftType != kNoShiftWork;
        if (line.shiftWork) {
            const std::pair key{patternKindOf(s.shiftType), s.fixedPattern};
            if (!patterns.contains(key))
                patterns[key] = PatternListService::FindPatternName(db, key.first, key.second);
            line.patternName = patterns[key];
        }
        lines.push_back(std::move(line));
    }
    read.commit();
    return lines;
}

} // namespace StaffListStore
