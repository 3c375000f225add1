#include "store/list_services.h"

#include "store/records/code_entry.h"
#include "store/records/pattern_row.h"
#include "store/records/shift_definition.h"
#include "store/records/staff_member.h"
#include "store/table.h"

using namespace Qt::Literals::StringLiterals;

namespace ShiftListService {

QStringList FillShiftList(Database& db, int filter) {
    QStringList names;
    Table t(db, ShiftDefinition::table);
    t.setIndex(ShiftDefinition::Index::byWorking);
    for (t.seek(Seek::GreaterEqual, {0, 0, QString()}); !t.eof(); t.moveNext()) {
        const int flag = t.integer(ShiftDefinition::Field::working);
        if (filter == 2 || (filter == 0 && flag == 0) || (filter == 1 && flag == 1))
            names << t.text(ShiftDefinition::Field::name);
    }
    return names;
}

namespace {
ShiftLookup lookup(const std::optional<ShiftDefinition>& s) {
    if (!s)
        return {};
    return {true, s->restWorkKind, s->abbrev, s->name, s->remark};
}
} // namespace

ShiftLookup FindShiftByName(Database& db, const QString& name) {
    Table t(db, ShiftDefinition::table);
    t.setIndex(ShiftDefinition::Index::byName);
    t.seek(Seek::Equal, {name});
    return lookup(t.noMatch() ? std::nullopt : std::optional(ShiftDefinition::fromRow(t)));
}

ShiftLookup FindShiftByAbbrev(Database& db, const QString& abbrev) {
    return lookup(ShiftDefinition::load(db, abbrev));
}

} // namespace ShiftListService

namespace PatternListService {

QStringList FillPatternList(Database& db, int mode, int kind) {
    QStringList names;
    using F = PatternRow::Field;
    Table t(db, PatternRow::table);
    t.setIndex(PatternRow::Index::key);
    for (t.seek(Seek::GreaterEqual, {kind, 0, 0}); !t.eof(); t.moveNext()) {
        if (t.integer(F::position) == 0) {
            const int k = t.integer(F::kind);
            if ((mode == 1 && k == kind) || (mode == 4 && k != 2 && k != 4))
                names << t.text(F::name);
        }
    }
    return names;
}

QString FindPatternName(Database& db, int kind, int number) {
    const std::optional<PatternRow> head = PatternRow::load(db, kind, number, 0);
    return head ? head->name : QString();
}

} // namespace PatternListService

namespace CodeListService {

QStringList FillCodeList(Database& db, int kind) {
    QStringList names;
    for (const CodeEntry& code : CodeEntry::loadKind(db, kind))
        names << code.name;
    return names;
}

QString FindCodeAbbrev(Database& db, int kind, int number) {
    const std::optional<CodeEntry> code = CodeEntry::load(db, kind, number);
    return code ? code->abbrev : QString();
}

} // namespace CodeListService

namespace StaffListService {

QStringList FillStaffList(Database& db) {
    QStringList names;
    Table t(db, StaffMember::table);
    t.setIndex(StaffMember::Index::byKana);
    for (t.moveFirst(); !t.eof(); t.moveNext())
        names << t.text(StaffMember::Field::name);
    return names;
}

StaffLookup FindStaffByName(Database& db, const QString& name) {
    Table t(db, StaffMember::table);
    t.setIndex(StaffMember::Index::byName);
    t.seek(Seek::Equal, {name});
    if (t.noMatch())
        return {};
    return {t.text(StaffMember::Field::no), t.text(StaffMember::Field::name)};
}

} // namespace StaffListService
