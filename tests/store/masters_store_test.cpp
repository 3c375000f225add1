#include "store/masters/past_entry_store.h"
#include "store/masters/shift_order.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

// The master stores' look-ups that no screen test reaches row by row; their writes and
// limits are proven through the master screens.
namespace {

TEST(PastEntryStore, APatternNameFindsTheShiftTypesKindThenAnyStaffPattern) {
    TempDatabase tmp;
    auto pattern = [&](int kind, int no, int pos, const QString& name) {
        TableRows::putPatternRow(tmp.db(), kind, no, pos, {{PatternRow::Field::name, name}});
    };
    pattern(3, 5, 0, u"早番"_s); // stored first, so a later preferred kind must still win
    pattern(1, 3, 0, u"早番"_s);
    pattern(2, 4, 0, u"遅番"_s); // prohibited
    pattern(5, 2, 1, u"遅番"_s); // a shift row, not a pattern
    pattern(1, 4, 0, u"遅番"_s);
    pattern(4, 1, 0, u"必須"_s); // mandatory
    struct Case {
        QString name;
        int preferred, kind, no;
    };
    const std::vector<Case> cases{
        {u"早番"_s, 1, 1, 3}, {u"早番"_s, 3, 3, 5}, {u"遅番"_s, 5, 1, 4},
        {u"遅番"_s, 2, 1, 4}, {u"必須"_s, 4, 0, 0}, {u"無し"_s, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " preferring " + std::to_string(c.preferred));
        const PastEntryStore::PatternRef found =
            PastEntryStore::findPattern(tmp.db(), c.name, c.preferred);
        EXPECT_EQ(found.kind, c.kind);
        EXPECT_EQ(found.no, c.no);
    }
}

TEST(ShiftOrder, WorkingAbbrevsFollowThePriorityAndTheLimitCountsOnlyThem) {
    TempDatabase tmp;
    TableRows::putShift(tmp.db(), u"休"_s, u"公休"_s, 0, 1);
    TableRows::putShift(tmp.db(), u"日"_s, u"日勤"_s, 1, 2);
    TableRows::putShift(tmp.db(), u"夜"_s, u"夜勤"_s, 1, 1);
    TableRows::putShift(tmp.db(), u"準"_s, u"準夜"_s, 1, 3);
    EXPECT_EQ(ShiftOrder::inListOrder(tmp.db()).front().abbrev, u"休"_s);
    const std::vector<std::pair<qsizetype, QStringList>> cases{{0, {u"夜"_s, u"日"_s, u"準"_s}},
                                                               {2, {u"夜"_s, u"日"_s}},
                                                               {5, {u"夜"_s, u"日"_s, u"準"_s}}};
    for (const auto& [limit, abbrevs] : cases)
        EXPECT_EQ(ShiftOrder::workingAbbrevs(tmp.db(), limit), abbrevs) << limit;
}

} // namespace
