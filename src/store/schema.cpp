#include "store/schema.h"

#include "store/database.h"
#include "store/db_error.h"
#include "store/records/calendar_day.h"
#include "store/records/code_entry.h"
#include "store/records/creation_unit.h"
#include "store/records/daily_requirement.h"
#include "store/records/pattern_row.h"
#include "store/records/roster_row.h"
#include "store/records/shift_definition.h"
#include "store/records/shift_request.h"
#include "store/records/staff_member.h"

#include <QSet>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

FieldDef I(const QString& n) {
    return {n, FieldKind::Integer};
}
FieldDef T(const QString& n) {
    return {n, FieldKind::Text};
}

// The Japanese names come from the records, so each is written once.
template <typename R> IndexDef keyIndex(std::vector<QString> parts) {
    return {R::Index::key, R::Index::key, std::move(parts), true};
}

IndexDef plain(const QString& name, std::vector<QString> parts) {
    return {name, name, std::move(parts), false};
}

// Index names are global to a file, so an index whose name another table already uses gets
// another name in SQLite.
IndexDef renamed(const QString& name, const QString& physical, std::vector<QString> parts) {
    return {name, physical, std::move(parts), false};
}

TableDef codeEntries() {
    using F = CodeEntry::Field;
    return {CodeEntry::table,
            {I(F::kind), I(F::no), T(F::name), T(F::abbrev)},
            {keyIndex<CodeEntry>({F::kind, F::no}), plain(CodeEntry::Index::byName, {F::name})}};
}

TableDef staffMembers() {
    using F = StaffMember::Field;
    using X = StaffMember::Index;
    return {StaffMember::table,
            {T(F::no),      T(F::displayOrder), T(F::name),         T(F::kana),
             T(F::address), T(F::phone),        T(F::mobile),       T(F::fax),
             T(F::email),   T(F::birthDate),    T(F::assignedFrom), I(F::category),
             I(F::sex),     I(F::shiftType),    I(F::earlyAllowed), I(F::fixedPattern),
             T(F::team),    I(F::leader),       I(F::employFlag),   T(F::leaveFrom),
             T(F::leaveTo), T(F::remark)},
            {keyIndex<StaffMember>({F::no}), plain(X::byName, {F::name}),
             plain(X::byKana, {F::kana}), plain(X::byDisplayOrder, {F::displayOrder, F::no})}};
}

TableDef shiftDefinitions() {
    using F = ShiftDefinition::Field;
    using X = ShiftDefinition::Index;
    return {ShiftDefinition::table,
            {T(F::abbrev),      T(F::name),      I(F::working),    I(F::shortageFlag),
             I(F::priority),    T(F::start),     T(F::end),        I(F::restWorkKind),
             I(F::earlyKind),   I(F::paidFlag),  I(F::earlyStaff), T(F::earlyStart),
             T(F::earlyEnd),    I(F::lateStaff), T(F::lateStart),  T(F::lateEnd),
             I(F::minStaff),    I(F::leaders),   I(F::max),        I(F::teamStaff),
             I(F::teamLeaders), T(F::remark)},
            {keyIndex<ShiftDefinition>({F::abbrev}),
             renamed(X::byName, X::byName + u"_"_s + ShiftDefinition::table, {F::name}),
             plain(X::byWorking, {F::working, F::priority, F::abbrev}),
             plain(X::byWorkingName, {F::working, F::name})}};
}

TableDef patternRows() {
    using F = PatternRow::Field;
    return {PatternRow::table,
            {I(F::kind), I(F::no), T(F::name), I(F::position), T(F::shiftAbbrev), T(F::shiftName),
             T(F::remark)},
            {keyIndex<PatternRow>({F::kind, F::no, F::position}),
             plain(PatternRow::Index::byName, {F::name, F::position})}};
}

TableDef creationUnits() {
    using F = CreationUnit::Field;
    return {CreationUnit::table,
            {I(F::kind), I(F::unit), I(F::unitCount), T(F::startDay), I(F::byTeam),
             T(F::createdFrom), T(F::createdTo), T(F::remark)},
            {keyIndex<CreationUnit>({F::kind})}};
}

TableDef dailyRequirements() {
    using F = DailyRequirement::Field;
    return {DailyRequirement::table,
            {I(F::kind), I(F::day), I(F::priority), T(F::shiftAbbrev), T(F::shiftName),
             I(F::minStaff), I(F::leaders), I(F::teamStaff), I(F::teamLeaders), I(F::earlyStaff),
             I(F::lateStaff), T(F::remark)},
            {keyIndex<DailyRequirement>({F::kind, F::day, F::priority})}};
}

TableDef shiftRequests() {
    using F = ShiftRequest::Field;
    using X = ShiftRequest::Index;
    return {ShiftRequest::table,
            {I(F::kind), T(F::staffNo), T(F::date), T(F::planned), T(F::actual), I(F::lateEarly),
             I(F::dayOffFlag), T(F::from), T(F::to), T(F::backup), T(F::appliedOn), T(F::remark),
             I(F::consecutiveFlag)},
            {keyIndex<ShiftRequest>({F::kind, F::staffNo, F::date}),
             plain(X::byStaff, {F::staffNo, F::date}),
             renamed(X::byDate, X::byDate + u"_"_s + ShiftRequest::table, {F::date})}};
}

TableDef rosterRows() {
    using F = RosterRow::Field;
    return {RosterRow::table,
            {I(F::kind), T(F::staffNo), T(F::date), T(F::planned), I(F::plannedEarly), T(F::actual),
             I(F::actualEarly), T(F::backup), T(F::team), T(F::pattern)},
            {keyIndex<RosterRow>({F::kind, F::staffNo, F::date}),
             plain(RosterRow::Index::byDate, {F::date})}};
}

TableDef calendarDays() {
    using F = CalendarDay::Field;
    return {CalendarDay::table,
            {T(F::date), I(F::holidayFlag), T(F::remark)},
            {keyIndex<CalendarDay>({F::date})}};
}

// Every table in the order a new file creates them.
std::vector<TableDef> buildTables() {
    return {codeEntries(),   staffMembers(),  shiftDefinitions(),
            patternRows(),   creationUnits(), dailyRequirements(),
            shiftRequests(), rosterRows(),    calendarDays()};
}

} // namespace

QString Schema::quoted(const QString& name) {
    return u"\""_s + name + u"\""_s;
}

const FieldDef* TableDef::field(const QString& fieldName) const {
    for (const auto& f : fields)
        if (f.name == fieldName)
            return &f;
    return nullptr;
}

int TableDef::fieldIndex(const QString& fieldName) const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == fieldName)
            return static_cast<int>(i);
    return -1;
}

const IndexDef* TableDef::index(const QString& indexName) const {
    for (const auto& ix : indexes)
        if (ix.name == indexName)
            return &ix;
    return nullptr;
}

const IndexDef& TableDef::primaryKey() const {
    for (const auto& ix : indexes)
        if (ix.unique)
            return ix;
    throw DbError(u"テーブル「%1」に主キーがありません。"_s.arg(name));
}

bool TableDef::isKeyPart(const QString& fieldName) const {
    for (const auto& ix : indexes)
        if (ix.unique)
            for (const auto& p : ix.parts)
                if (p == fieldName)
                    return true;
    return false;
}

namespace Schema {

const std::vector<TableDef>& tables() {
    static const std::vector<TableDef> all = buildTables();
    return all;
}

const TableDef& table(const QString& name) {
    for (const auto& t : tables())
        if (t.name == name)
            return t;
    throw DbError(u"テーブル「%1」はありません。"_s.arg(name));
}

void create(Database& db) {
    for (const auto& t : tables()) {
        QStringList cols;
        for (const auto& f : t.fields) {
            QString col = quoted(f.name);
            // Integers are INTEGER so that 10 sorts after 2; key parts may never be NULL.
            col += f.kind == FieldKind::Integer ? u" INTEGER"_s : u" TEXT"_s;
            if (t.isKeyPart(f.name))
                col += u" NOT NULL"_s;
            col += f.kind == FieldKind::Integer ? u" DEFAULT 0"_s : u" DEFAULT ''"_s;
            cols << col;
        }
        db.exec(u"CREATE TABLE "_s + quoted(t.name) + u" ("_s + cols.join(u", "_s) + u")"_s);
        for (const auto& ix : t.indexes) {
            QStringList parts;
            for (const auto& p : ix.parts)
                parts << quoted(p);
            db.exec(u"CREATE "_s + (ix.unique ? u"UNIQUE "_s : QString()) + u"INDEX "_s +
                    quoted(ix.physicalName) + u" ON "_s + quoted(t.name) + u" ("_s +
                    parts.join(u", "_s) + u")"_s);
        }
    }
}

QString mismatch(Database& db) {
    Statement columns = db.prepare(u"SELECT name FROM pragma_table_info(?)"_s);
    for (const auto& t : tables()) {
        if (!db.hasTable(t.name))
            return u"テーブル「%1」がありません"_s.arg(t.name);
        columns.reset(Statement::Reset::ClearBindings);
        columns.bind(1, t.name);
        QSet<QString> present;
        while (columns.step())
            present.insert(columns.text(0));
        for (const auto& f : t.fields)
            if (!present.contains(f.name))
                return u"テーブル「%1」に列「%2」がありません"_s.arg(t.name, f.name);
    }
    return {};
}

bool matches(Database& db) {
    return mismatch(db).isEmpty();
}

} // namespace Schema
