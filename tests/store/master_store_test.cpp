#include "store/code_kind.h"
#include "store/masters/pattern_store.h"
#include "store/masters/request_store.h"
#include "store/masters/shift_store.h"
#include "store/masters/staff_store.h"
#include "store/records/roster_row.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

PatternRow patternRow(int no, int position, const QString& name = {}) {
    PatternRow r;
    r.kind = 1;
    r.no = no;
    r.position = position;
    r.name = name;
    r.shiftAbbrev = u"日"_s;
    return r;
}

// Pattern 1 holding positions 0 to `shifts`, beside pattern 2 with one shift.
void storePatterns(Database& db, int shifts) {
    for (int p = 0; p <= shifts; ++p)
        patternRow(1, p, u"元"_s).save(db);
    patternRow(2, 0).save(db);
    patternRow(2, 1).save(db);
}

std::vector<int> positions(Database& db, int no) {
    std::vector<int> out;
    for (const PatternRow& r : PatternRow::loadPattern(db, 1, no))
        out.push_back(r.position);
    return out;
}

std::vector<int> upTo(int last) {
    std::vector<int> out;
    for (int p = 0; p <= last; ++p)
        out.push_back(p);
    return out;
}

ShiftDefinition shift(const QString& abbrev, int working) {
    ShiftDefinition d;
    d.abbrev = abbrev;
    d.working = working;
    return d;
}

} // namespace

TEST(MasterStore, PatternShiftsStopAtTwentyButStoredOnesChange) {
    using enum PatternStore::ShiftSave;
    const struct {
        int stored, position;
        PatternStore::ShiftSave result;
        int last; // the pattern's last position afterwards
    } rows[] = {{19, 20, Saved, 20}, {20, 21, PatternFull, 20}, {20, 7, Saved, 20}};
    for (const auto& row : rows) {
        TempDatabase t;
        storePatterns(t.db(), row.stored);
        PatternRow shift = patternRow(1, row.position);
        shift.shiftAbbrev = u"夜"_s;
        EXPECT_EQ(PatternStore::saveShift(t.db(), shift), row.result) << row.position;
        EXPECT_EQ(positions(t.db(), 1), upTo(row.last)) << row.position;
        const auto stored = PatternRow::load(t.db(), 1, 1, row.position);
        ASSERT_EQ(stored.has_value(), row.result == Saved);
        if (stored) { // a stored row keeps what the shift does not carry
            EXPECT_EQ(stored->shiftAbbrev, u"夜"_s);
            EXPECT_EQ(stored->name, row.position <= row.stored ? u"元"_s : QString());
        }
    }
}

TEST(MasterStore, PatternDeleteRunsFromThePositionToTheEnd) {
    const struct {
        int position;
        bool found;
        std::vector<int> left;
    } rows[] = {{0, true, {}}, {3, true, {0, 1, 2}}, {9, false, upTo(5)}};
    for (const auto& row : rows) {
        TempDatabase t;
        storePatterns(t.db(), 5);
        EXPECT_EQ(PatternStore::removeFrom(t.db(), 1, 1, row.position), row.found);
        EXPECT_EQ(positions(t.db(), 1), row.left) << row.position;
        EXPECT_EQ(positions(t.db(), 2), (std::vector<int>{0, 1})); // the next pattern stays
    }
}

TEST(MasterStore, CategoryIsLookedUpAmongEmployeeCategoriesOnly) {
    TempDatabase t;
    CodeEntry{CodeKind::Team, 1, u"A"_s, {}}.save(t.db());
    CodeEntry{CodeKind::Team, 2, u"B"_s, {}}.save(t.db());
    CodeEntry{CodeKind::StaffCategory, 4, u"B"_s, {}}.save(t.db());
    const struct {
        QString name;
        std::optional<int> no;
    } rows[] = {{u"A"_s, std::nullopt}, {u"B"_s, 4}, {u"C"_s, std::nullopt}};
    for (const auto& row : rows) {
        const auto found = StaffStore::categoryNamed(t.db(), row.name);
        EXPECT_EQ(found ? std::optional(found->no) : std::nullopt, row.no)
            << row.name.toStdString();
    }
}

TEST(MasterStore, AtMostTenWorkingShifts) {
    using enum ShiftStore::SaveResult;
    const struct {
        int working;
        QString abbrev;
        int asWorking;
        ShiftStore::SaveResult result;
    } rows[] = {{10, u"新"_s, 1, TooManyWorking},
                {10, u"休"_s, 1, TooManyWorking},
                {10, u"S1"_s, 1, Saved},
                {10, u"新"_s, 0, Saved},
                {9, u"新"_s, 1, Saved}};
    for (const auto& row : rows) {
        TempDatabase t;
        for (int i = 1; i <= row.working; ++i)
            shift(u"S%1"_s.arg(i), 1).save(t.db());
        shift(u"休"_s, 0).save(t.db());
        ShiftDefinition d = shift(row.abbrev, row.asWorking);
        d.name = u"変"_s;
        EXPECT_EQ(ShiftStore::save(t.db(), d), row.result) << row.abbrev.toStdString();
        const auto stored = ShiftDefinition::load(t.db(), row.abbrev);
        EXPECT_EQ(stored && stored->name == u"変"_s, row.result == Saved);
    }
}

TEST(MasterStore, ARequestEnteredAgainDropsWhatTheRosterMadeOfIt) {
    TempDatabase t;
    ShiftRequest stored;
    stored.kind = 1;
    stored.staffNo = u"7"_s;
    stored.date = u"2024/05/01"_s;
    ShiftRequest entered = stored;
    stored.actual = u"夜"_s;
    stored.backup = u"8"_s;
    stored.consecutiveFlag = 1;
    stored.save(t.db());
    entered.planned = u"有"_s;
    entered.remark = u"再"_s;
    RequestStore::save(t.db(), entered);
    const auto r = ShiftRequest::load(t.db(), 1, u"7"_s, u"2024/05/01"_s);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->planned, u"有"_s);
    EXPECT_EQ(r->remark, u"再"_s);
    EXPECT_TRUE(r->actual.isEmpty() && r->backup.isEmpty());
    EXPECT_EQ(r->consecutiveFlag, 1);
}

TEST(MasterStore, ALeaveDayIsCoveredByNobodyBusyElsewhere) {
    TempDatabase t;
    const QString day = u"2024/05/01"_s;
    // 1 takes the day; 2 covers 1 already, 3 covers someone else, 4 is free, all in kana order.
    for (const char16_t* no : {u"1", u"2", u"3", u"4"}) {
        StaffMember m;
        m.no = QString::fromUtf16(no);
        m.kana = u"ｱ"_s + m.no;
        m.name = m.no == u"1"_s ? u"甲"_s : u"名"_s + m.no;
        m.save(t.db());
    }
    for (const auto& [no, covers] : {std::pair(u"2"_s, u"甲"_s), std::pair(u"3"_s, u"乙"_s)}) {
        RosterRow r;
        r.kind = 2;
        r.staffNo = no;
        r.date = day;
        r.backup = covers;
        r.save(t.db());
    }
    const struct {
        QSet<QString> alsoBusy;
        QStringList offered;
        QString recorded;
    } rows[] = {{{}, {u"2"_s, u"4"_s}, u"2"_s},
                {{u"4"_s}, {u"2"_s}, u"2"_s},
                {{u"2"_s}, {u"4"_s}, QString()}}; // given to another taker of the day
    for (const auto& row : rows) {
        const auto found = StaffStore::coverCandidates(t.db(), u"1"_s, u"甲"_s, day, row.alsoBusy);
        QStringList offered;
        for (const StaffMember& m : found.staff)
            offered << m.no;
        EXPECT_EQ(offered, row.offered);
        EXPECT_EQ(found.recorded, row.recorded);
    }
}
