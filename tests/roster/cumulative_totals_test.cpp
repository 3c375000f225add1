#include "engine_fixture.h"

#include "roster/cumulative_totals.h"
#include "roster/roster_load.h"
#include "store/startup_settings.h"

using namespace Qt::Literals::StringLiterals;
using namespace SampleWorkplace;

namespace {

class CumulativeTotalsTest : public EngineFixture {
protected:
    void SetUp() override { build(db(), 2, 2); } // 0001, 0002 in Aチーム; 0003, 0004 in Bチーム

    void row(int kind, const QString& no, const QString& date, const QString& planned,
             int plannedMark, const QString& actual = {}, int actualMark = 0) {
        db().exec(
            u"INSERT INTO \"勤務表\" VALUES (%1, %2, %3, %4, %5, %6, %7, '', '', '1')"_s.arg(kind)
                .arg(quote(no), quote(date), quote(planned))
                .arg(plannedMark)
                .arg(quote(actual))
                .arg(actualMark));
    }

    // A fresh model with the layout `setColumns` gives it, loaded and counted.
    template <typename F> void count(F setColumns, const QString& team = {}) {
        RosterModel laid;
        setColumns(laid);
        RosterQuery query;
        query.purpose = LoadPurpose::Totals;
        query.narrowTo(RosterFilter::ofTeam(team), Grouping::Everybody);
        query.columns = {laid.totalsBy,      laid.totalsMonthList,   laid.totalsYearStart,
                         laid.totalsYearEnd, laid.totalsWindowStart, laid.totalsWindowEnd};
        StartupSettings settings;
        settings.byTeam = team.isEmpty() ? 0 : 1;
        model = std::make_unique<RosterModel>(LoadRoster(db(), settings, query));
    }

    int plane(const QString& no, int p, int column, const QString& shift) {
        return person(no).cumulative[static_cast<size_t>(p)][static_cast<size_t>(column)]
                                    [static_cast<size_t>(shiftIndex(shift))];
    }
};

TEST_F(CumulativeTotalsTest, CountsTheShiftOfTheDayWithItsMarkOnlyForOrdinaryRowsOfWorkingShifts) {
    struct Case {
        const char* what;
        int kind;
        QString planned;
        int plannedMark;
        QString actual;
        int actualMark;
        QString counted; // the shift counted, empty for none
        int early, late;
    };
    const Case cases[] = {
        {"plan only", 1, u"日"_s, 0, {}, 0, u"日"_s, 0, 0},
        {"actual wins over the plan", 1, u"日"_s, 2, u"夜"_s, 0, u"夜"_s, 0, 0},
        {"early mark", 1, u"日"_s, 2, {}, 0, u"日"_s, 1, 0},
        {"late mark of the actual shift", 1, u"夜"_s, 0, u"日"_s, 3, u"日"_s, 0, 1},
        {"leave shift skipped", 1, u"有"_s, 0, {}, 0, {}, 0, 0},
        {"unknown shift skipped", 1, u"X"_s, 0, {}, 0, {}, 0, 0},
        {"backup row is not the person's own", 2, u"日"_s, 0, {}, 0, {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db().exec(u"DELETE FROM \"勤務表\""_s);
        row(c.kind, u"0001"_s, u"2024/05/10"_s, c.planned, c.plannedMark, c.actual, c.actualMark);
        row(1, u"0001"_s, u"2024/06/01"_s, u"日"_s, 0); // after the window
        row(1, u"0001"_s, u"2024/04/30"_s, u"日"_s, 0); // before it
        count([](RosterModel& m) { SetWholeMonthColumns(m, QDate(2024, 5, 1), 1); });
        for (const QString& shift : {u"日"_s, u"夜"_s}) {
            const int expected = shift == c.counted ? 1 : 0;
            for (int column : {1, 7}) {
                EXPECT_EQ(plane(u"0001"_s, 1, column, shift), expected);
                EXPECT_EQ(plane(u"0001"_s, 2, column, shift), expected * c.early);
                EXPECT_EQ(plane(u"0001"_s, 3, column, shift), expected * c.late);
            }
        }
    }
}

TEST_F(CumulativeTotalsTest, SixMonthsFromNovemberRunToAprilEachMonthInItsColumn) {
    row(1, u"0002"_s, u"2023/11/30"_s, u"日"_s, 0);
    row(1, u"0002"_s, u"2024/02/29"_s, u"夜"_s, 0);
    row(1, u"0002"_s, u"2024/04/30"_s, u"夜"_s, 0);
    row(1, u"0002"_s, u"2024/05/01"_s, u"夜"_s, 0);
    count([](RosterModel& m) { SetWholeMonthColumns(m, QDate(2023, 11, 17), 6); });
    EXPECT_EQ(TotalsColumnLabels(m()),
              (QStringList{u"11月"_s, u"12月"_s, u"1月"_s, u"2月"_s, u"3月"_s, u"4月"_s}));
    EXPECT_EQ(m().totalsWindowStart, u"2023/11/01"_s);
    EXPECT_EQ(m().totalsWindowEnd, u"2024/04/30"_s);
    EXPECT_EQ(m().periodEnd, u"2024/04/30"_s);
    EXPECT_EQ(plane(u"0002"_s, 1, 1, u"日"_s), 1);
    EXPECT_EQ(plane(u"0002"_s, 1, 4, u"夜"_s), 1);
    EXPECT_EQ(plane(u"0002"_s, 1, 6, u"夜"_s), 1);
    EXPECT_EQ(plane(u"0002"_s, 1, 7, u"夜"_s), 2);
}

TEST_F(CumulativeTotalsTest, MonthColumnsStopAtTheLimitAndCutTheWindowBack) {
    count([](RosterModel& m) { SetMonthColumns(m, QDate(2024, 1, 1), QDate(2024, 5, 31), 4); });
    EXPECT_EQ(TotalsColumnLabels(m()), (QStringList{u"1月"_s, u"2月"_s, u"3月"_s, u"4月"_s}));
    EXPECT_EQ(m().totalsWindowEnd, u"2024/04/30"_s);
    count([](RosterModel& m) { SetMonthColumns(m, QDate(2024, 1, 15), QDate(2024, 2, 10), 4); });
    EXPECT_EQ(TotalsColumnLabels(m()), (QStringList{u"1月"_s, u"2月"_s}));
    EXPECT_EQ(m().totalsWindowStart, u"2024/01/15"_s);
    EXPECT_EQ(m().totalsWindowEnd, u"2024/02/10"_s);
}

TEST_F(CumulativeTotalsTest, FiscalYearColumnsAreWholeYearsLabelledByTheirFirstYear) {
    row(1, u"0001"_s, u"2022/04/01"_s, u"日"_s, 0);
    row(1, u"0001"_s, u"2024/03/31"_s, u"日"_s, 0);
    row(1, u"0001"_s, u"2024/04/01"_s, u"日"_s, 0);
    const FiscalYear::Start april{4, 1};
    count([&](RosterModel& m) {
        SetYearColumns(m, april, QDate(2022, 5, 10), QDate(2024, 3, 1), 4);
    });
    EXPECT_EQ(TotalsColumnLabels(m()), (QStringList{u"2022年度"_s, u"2023年度"_s}));
    EXPECT_EQ(m().totalsWindowStart, u"2022/04/01"_s);
    EXPECT_EQ(m().totalsWindowEnd, u"2024/03/31"_s);
    EXPECT_EQ(plane(u"0001"_s, 1, 1, u"日"_s), 1);
    EXPECT_EQ(plane(u"0001"_s, 1, 2, u"日"_s), 1);
    EXPECT_EQ(plane(u"0001"_s, 1, 7, u"日"_s), 2);

    // A start before the year's first day belongs to the year before; at most four columns.
    count(
        [&](RosterModel& m) { SetYearColumns(m, april, QDate(2019, 3, 1), QDate(2026, 1, 1), 4); });
    EXPECT_EQ(TotalsColumnLabels(m()),
              (QStringList{u"2018年度"_s, u"2019年度"_s, u"2020年度"_s, u"2021年度"_s}));
    EXPECT_EQ(m().totalsWindowStart, u"2018/04/01"_s);
    EXPECT_EQ(m().totalsWindowEnd, u"2022/03/31"_s);
}

TEST_F(CumulativeTotalsTest, ATeamFilterCountsOnlyThatTeam) {
    for (const QString& no : {u"0001"_s, u"0003"_s})
        row(1, no, u"2024/05/02"_s, u"日"_s, 0);
    count([](RosterModel& m) { SetPeriodColumn(m, u"2024/05/01"_s, u"2024/05/31"_s); },
          u"Bチーム"_s);
    const auto staff = TotalsStaff(m());
    ASSERT_EQ(staff.size(), 2u);
    QStringList counted;
    for (const auto& [g, slot] : staff)
        counted << m().person(g, slot).no;
    EXPECT_EQ(counted, (QStringList{u"0003"_s, u"0004"_s}));
    EXPECT_EQ(plane(u"0003"_s, 1, 1, u"日"_s), 1);
    EXPECT_EQ(plane(u"0003"_s, 1, 7, u"日"_s), 1);
}

TEST_F(CumulativeTotalsTest, WhoIsCountedFollowsTheWindowNotTheLastCreatedPeriod) {
    StaffDef late = staff(u"0009"_s, u"新人"_s);
    late.assigned = u"2024/09/01"_s;
    late.order = 9;
    addStaff(db(), late);
    row(1, u"0009"_s, u"2024/09/03"_s, u"日"_s, 0);
    count([](RosterModel& m) { SetPeriodColumn(m, u"2024/08/01"_s, u"2024/09/30"_s); });
    EXPECT_EQ(m().totalsYearStart[1], u"2024/08/01"_s);
    EXPECT_EQ(plane(u"0009"_s, 1, 1, u"日"_s), 1);
}

} // namespace
