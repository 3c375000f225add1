#include "store/code_kind.h"
#include "store/fiscal_year.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(FiscalYearStart, ReadsMonthAndDayWithOrWithoutLeadingZeros) {
    struct Case {
        QString text;
        std::optional<std::pair<int, int>> start;
    };
    const std::vector<Case> cases{
        {u"4/1"_s, {{4, 1}}},   {u"04/01"_s, {{4, 1}}}, {u" 10/15 "_s, {{10, 15}}},
        {u"2/29"_s, {{2, 29}}}, {u"13/01"_s, {}},       {u"04/31"_s, {}},
        {u"0/1"_s, {}},         {u"4-1"_s, {}},         {u"04/01/2024"_s, {}},
        {u"四月"_s, {}},        {QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const auto s = FiscalYear::parseStart(c.text);
        ASSERT_EQ(s.has_value(), c.start.has_value());
        if (s) {
            EXPECT_EQ(s->month, c.start->first);
            EXPECT_EQ(s->day, c.start->second);
        }
    }
}

TEST(FiscalYearStart, ComesFromTheCodeMasterOrNotAtAll) {
    TempDatabase tmp;
    EXPECT_FALSE(FiscalYear::loadStart(tmp.db()));
    TableRows::putCode(tmp.db(), CodeKind::FiscalYearStart, 1, u"年度"_s, {});
    EXPECT_FALSE(FiscalYear::loadStart(tmp.db())) << "an empty start is unreadable";
    TableRows::putCode(tmp.db(), CodeKind::FiscalYearStart, 1, u"5/1"_s, {});
    const auto s = FiscalYear::loadStart(tmp.db());
    ASSERT_TRUE(s);
    EXPECT_EQ(s->month, 5);
    EXPECT_EQ(s->day, 1);
}

TEST(FiscalYear, ContainingADayRunsFromItsStartToTheDayBeforeAYearLater) {
    struct Case {
        FiscalYear::Start start;
        QDate day;
        QString from, to;
    };
    const std::vector<Case> cases{
        {{4, 1}, QDate(2025, 2, 1), u"2024/04/01"_s, u"2025/03/31"_s},
        {{4, 1}, QDate(2024, 4, 1), u"2024/04/01"_s, u"2025/03/31"_s},
        {{4, 1}, QDate(2024, 3, 31), u"2023/04/01"_s, u"2024/03/31"_s},
        {{4, 1}, QDate(2007, 2, 10), u"2006/04/01"_s, u"2007/03/31"_s},
        {{4, 1}, QDate(2007, 5, 10), u"2007/04/01"_s, u"2008/03/31"_s},
        {{4, 1}, QDate(2007, 11, 30), u"2007/04/01"_s, u"2008/03/31"_s},
        {{5, 1}, QDate(2024, 5, 1), u"2024/05/01"_s, u"2025/04/30"_s},
        {{4, 15}, QDate(2024, 4, 1), u"2023/04/15"_s, u"2024/04/14"_s},
        {{1, 1}, QDate(2024, 12, 31), u"2024/01/01"_s, u"2024/12/31"_s},
        // A leap-day start falls back to 02/28 in common years, and the year before ends the
        // day before that.
        {{2, 29}, QDate(2025, 3, 1), u"2025/02/28"_s, u"2026/02/27"_s},
        {{2, 29}, QDate(2024, 3, 1), u"2024/02/29"_s, u"2025/02/27"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        const FiscalYear y = FiscalYear::containing(c.start, c.day);
        EXPECT_EQ(y.startText(), c.from);
        EXPECT_EQ(y.endText(), c.to);
        EXPECT_TRUE(y.contains(c.day));
    }
    const FiscalYear y = FiscalYear::beginningIn({4, 1}, 2006);
    EXPECT_EQ(y.startText(), u"2006/04/01"_s);
    EXPECT_FALSE(y.contains(QDate(2007, 4, 1))) << "a year later belongs to the next year";
}

} // namespace
