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
#include "store/table.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

// One key per record type; the round trip below runs the same steps on each.
template <typename R> struct Sample;
template <> struct Sample<CodeEntry> {
    static auto key() { return std::tuple(5, 2); }
};
template <> struct Sample<StaffMember> {
    static auto key() { return std::tuple(u"0042"_s); }
};
template <> struct Sample<ShiftDefinition> {
    static auto key() { return std::tuple(u"夜"_s); }
};
template <> struct Sample<PatternRow> {
    static auto key() { return std::tuple(1, 3, 2); }
};
template <> struct Sample<CreationUnit> {
    static auto key() { return std::tuple(2); }
};
template <> struct Sample<DailyRequirement> {
    static auto key() { return std::tuple(1, 7, 2); }
};
template <> struct Sample<CalendarDay> {
    static auto key() { return std::tuple(u"2024/05/03"_s); }
};
template <> struct Sample<ShiftRequest> {
    static auto key() { return std::tuple(2, u"0042"_s, u"2024/05/10"_s); }
};
template <> struct Sample<RosterRow> {
    static auto key() { return std::tuple(1, u"0042"_s, u"2024/05/10"_s); }
};

template <typename Tuple> QVariantList variants(const Tuple& t) {
    return std::apply([](const auto&... k) { return QVariantList{QVariant(k)...}; }, t);
}

// A value for every field that no other field and no other seed shares.
QVariant distinct(const FieldDef& f, size_t column, int seed) {
    if (f.kind == FieldKind::Integer)
        return seed * 100 + static_cast<int>(column);
    return u"値%1-%2"_s.arg(seed).arg(column);
}

// Writes the row under `key` with distinct values in every other field, through Table alone.
void fillRow(Database& db, const QString& table, const QVariantList& key, int seed) {
    Table t(db, table);
    t.seekOrAdd(key);
    const TableDef& def = t.def();
    for (size_t c = 0; c < def.fields.size(); ++c)
        if (!def.isKeyPart(def.fields[c].name))
            t.set(def.fields[c].name, distinct(def.fields[c], c, seed));
    t.update();
}

// Every row of the table, all fields, as Table reads them.
std::vector<QVariantList> rows(Database& db, const QString& table) {
    std::vector<QVariantList> out;
    Table t(db, table);
    for (t.moveFirst(); !t.eof(); t.moveNext()) {
        QVariantList row;
        for (const FieldDef& f : t.def().fields)
            row << t.value(f.name);
        out.push_back(row);
    }
    return out;
}

template <typename R> class RecordRoundTrip : public ::testing::Test {};
using RecordTypes =
    ::testing::Types<CodeEntry, StaffMember, ShiftDefinition, PatternRow, CreationUnit,
                     DailyRequirement, CalendarDay, ShiftRequest, RosterRow>;
TYPED_TEST_SUITE(RecordRoundTrip, RecordTypes);

TYPED_TEST(RecordRoundTrip, SaveLoadUpsertAndRemoveKeepEveryFieldInItsColumn) {
    using R = TypeParam;
    TempDatabase tmp;
    Database& db = tmp.db();
    const auto key = Sample<R>::key();
    auto load = [&] {
        return std::apply([&](const auto&... k) { return R::load(db, k...); }, key);
    };
    auto remove = [&] {
        return std::apply([&](const auto&... k) { return R::remove(db, k...); }, key);
    };

    EXPECT_FALSE(load().has_value());
    fillRow(db, R::table, variants(key), 1);
    const std::vector<QVariantList> firstColumns = rows(db, R::table);
    const std::optional<R> first = load();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->key(), variants(key));
    fillRow(db, R::table, variants(key), 2);
    const std::optional<R> second = load();
    ASSERT_TRUE(second.has_value());
    EXPECT_FALSE(*first == *second);

    // Saved over the stored row: one row, holding exactly what the first fill put in each column.
    first->save(db);
    EXPECT_EQ(rows(db, R::table), firstColumns);
    EXPECT_EQ(load(), first);

    // Saved into an empty table: the key fields come from the record.
    ASSERT_TRUE(remove());
    EXPECT_TRUE(rows(db, R::table).empty());
    EXPECT_FALSE(load().has_value());
    EXPECT_FALSE(remove());
    second->save(db);
    EXPECT_EQ(rows(db, R::table).size(), 1u);
    EXPECT_EQ(load(), second);
}

TEST(Records, RangeLoadsStopAtTheirBoundsAndKeepKeyOrder) {
    TempDatabase tmp;
    Database& db = tmp.db();
    const std::vector<std::pair<int, int>> codes = {{4, 1}, {5, 2}, {5, 1}, {6, 1}};
    for (const auto& [kind, no] : codes)
        CodeEntry{kind, no, u"名%1-%2"_s.arg(kind).arg(no), QString()}.save(db);
    for (const QString& d : {u"2024/04/30"_s, u"2024/05/01"_s, u"2024/05/31"_s, u"2024/06/01"_s})
        CalendarDay{d, 1, QString()}.save(db);
    const std::vector<std::pair<QString, QString>> days = {{u"0001"_s, u"2024/05/01"_s},
                                                           {u"0001"_s, u"2024/05/31"_s},
                                                           {u"0001"_s, u"2024/06/01"_s},
                                                           {u"0002"_s, u"2024/05/15"_s}};
    for (const auto& [no, date] : days) {
        RosterRow r;
        r.kind = 1;
        r.staffNo = no;
        r.date = date;
        r.save(db);
        ShiftRequest q;
        q.kind = no == u"0001"_s ? 1 : 2;
        q.staffNo = no;
        q.date = date;
        q.save(db);
    }
    for (const int pos : {2, 0, 1})
        PatternRow{1, 1, QString(), pos, u"日"_s, QString(), QString()}.save(db);
    PatternRow{1, 2, QString(), 0, QString(), QString(), QString()}.save(db);

    auto names = [](const std::vector<CodeEntry>& v) {
        QStringList out;
        for (const auto& c : v)
            out << c.name;
        return out;
    };
    EXPECT_EQ(names(CodeEntry::loadKind(db, 5)), (QStringList{u"名5-1"_s, u"名5-2"_s}));
    EXPECT_TRUE(CodeEntry::loadKind(db, 7).empty());

    QStringList calendar;
    for (const auto& c : CalendarDay::loadRange(db, u"2024/05/01"_s, u"2024/05/31"_s))
        calendar << c.date;
    EXPECT_EQ(calendar, (QStringList{u"2024/05/01"_s, u"2024/05/31"_s}));

    QStringList dates;
    for (const auto& r :
         RosterRow::loadForStaff(db, 1, u"0001"_s, u"2024/05/01"_s, u"2024/05/31"_s))
        dates << r.date;
    EXPECT_EQ(dates, (QStringList{u"2024/05/01"_s, u"2024/05/31"_s}));
    EXPECT_TRUE(
        RosterRow::loadForStaff(db, 2, u"0001"_s, u"2024/05/01"_s, u"2024/05/31"_s).empty());

    // Requests of one person across kinds, by date.
    EXPECT_EQ(ShiftRequest::loadForStaff(db, u"0001"_s, u"2024/05/02"_s, u"2024/06/30"_s).size(),
              2u);
    EXPECT_EQ(ShiftRequest::loadForStaff(db, u"0002"_s, u"2024/05/01"_s, u"2024/05/31"_s).size(),
              1u);

    QList<int> positions;
    for (const auto& p : PatternRow::loadPattern(db, 1, 1))
        positions << p.position;
    EXPECT_EQ(positions, (QList<int>{0, 1, 2}));
    EXPECT_EQ(PatternRow::loadKind(db, 1).size(), 4u);
}

TEST(Records, SeekOrAddEditsTheStoredRowOrAddsOneWithItsKey) {
    TempDatabase tmp;
    Database& db = tmp.db();
    Table t(db, CreationUnit::table);
    t.setIndex(CreationUnit::Index::key);
    EXPECT_FALSE(t.seekOrAdd({2}));
    t.set(CreationUnit::Field::createdTo, u"2024/05/31"_s);
    t.update();
    EXPECT_TRUE(t.seekOrAdd({2}));
    t.set(CreationUnit::Field::createdTo, u"2024/06/30"_s);
    t.update();
    const std::optional<CreationUnit> unit = CreationUnit::load(db, 2);
    ASSERT_TRUE(unit.has_value());
    EXPECT_EQ(unit->createdTo, u"2024/06/30"_s);
    EXPECT_FALSE(CreationUnit::load(db, 0).has_value()); // the key was set on the new row
    EXPECT_THROW(t.seekOrAdd({2, 1}), DbError);

    // On a table walked by another index, the primary key becomes the current index.
    Table staff(db, StaffMember::table);
    staff.setIndex(StaffMember::Index::byName);
    staff.seekOrAdd({u"0001"_s});
    staff.set(StaffMember::Field::name, u"山田"_s);
    staff.update();
    EXPECT_EQ(StaffMember::load(db, u"0001"_s)->name, u"山田"_s);
}

} // namespace
