#include "engine_fixture.h"

#include <algorithm>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace SampleWorkplace;

namespace {

class LoaderTest : public EngineFixture {};

TEST_F(LoaderTest, AdmitsStaffByAssignmentAndLeaveAndMarksTheDaysTheyCannotWork) {
    addMasters(db());
    addStaff(db(), staff(u"J"_s, u"途中配属"_s, 1, 0, 1, 1, {}, u"2024/04/10"_s));
    addStaff(db(),
             staff(u"L"_s, u"休職中"_s, 1, 0, 1, 1, {}, u"2020/01/01"_s, u"2024/04/20"_s, {}));
    addStaff(db(), staff(u"M"_s, u"中休職"_s, 1, 0, 1, 1, {}, u"2020/01/01"_s, u"2024/04/05"_s,
                         u"2024/04/08"_s));
    addStaff(db(), staff(u"F"_s, u"未配属"_s, 1, 0, 1, 1, {}, u"2024/05/01"_s));
    // Without an assignment date only a leave touching the period, or no leave at all, admits.
    addStaff(db(), staff(u"N"_s, u"日付なし"_s, 1, 0, 1, 1, {}, QString()));
    addStaff(db(), staff(u"O"_s, u"長期休職"_s, 1, 0, 1, 1, {}, QString(), u"2024/01/01"_s,
                         u"2024/12/31"_s));
    load();

    QStringList loaded;
    for (const Person& p : m().group(1))
        loaded << p.no;
    EXPECT_EQ(loaded, (QStringList{u"J"_s, u"L"_s, u"M"_s, u"N"_s}));
    EXPECT_EQ(person(u"J"_s).cell(9).unavailable, 1);
    EXPECT_EQ(person(u"J"_s).cell(10).unavailable, 0);
    EXPECT_EQ(person(u"L"_s).cell(19).unavailable, 0);
    EXPECT_EQ(person(u"L"_s).cell(20).unavailable, 1);
    EXPECT_EQ(person(u"L"_s).cell(30).unavailable, 1); // no end date: open-ended
    EXPECT_EQ(person(u"M"_s).cell(4).unavailable, 0);
    EXPECT_EQ(person(u"M"_s).cell(5).unavailable, 1);
    EXPECT_EQ(person(u"M"_s).cell(8).unavailable, 1);
    EXPECT_EQ(person(u"M"_s).cell(9).unavailable, 0);
    EXPECT_EQ(person(u"N"_s).cell(1).unavailable, 0);
}

// Who takes part in April 2024 (a person without an assignment date unless said), and the
// first and last day of April they cannot work (0 when they can work every day).
TEST_F(LoaderTest, OnlyJoiningAfterThePeriodOrALeaveOverAllOfItKeepsSomeoneOut) {
    struct Case {
        const char* no;
        QString assigned, leaveFrom, leaveTo;
        bool admitted;
        int firstOut, lastOut;
    };
    const QString none;
    const std::vector<Case> cases = {
        {"return-mid", none, u"2024/03/01"_s, u"2024/04/10"_s, true, 1, 10},
        {"past-leave", none, u"2023/01/01"_s, u"2023/06/30"_s, true, 0, 0},
        {"future-leave", none, u"2024/05/10"_s, u"2024/06/30"_s, true, 0, 0},
        {"open-future", none, u"2024/05/10"_s, none, true, 0, 0},
        {"leave-inside", none, u"2024/04/05"_s, u"2024/04/08"_s, true, 5, 8},
        {"ends-on-last", none, u"2024/04/02"_s, u"2024/04/30"_s, true, 2, 30},
        {"covers-exact", none, u"2024/04/01"_s, u"2024/04/30"_s, false, 0, 0},
        {"covers-wider", none, u"2024/03/01"_s, u"2024/05/31"_s, false, 0, 0},
        {"open-start", none, none, u"2024/04/30"_s, false, 0, 0},
        {"retired", none, u"2024/02/01"_s, none, false, 0, 0},
        {"joined-later", u"2024/05/01"_s, none, none, false, 0, 0},
        {"joined-last-day", u"2024/04/30"_s, none, none, true, 1, 29},
        {"joined-on-leave", u"2020/04/01"_s, u"2024/03/01"_s, none, false, 0, 0},
    };
    addMasters(db());
    for (const Case& c : cases)
        addStaff(db(), staff(QString::fromUtf8(c.no), u"職員"_s, 1, 0, 1, 1, {}, c.assigned,
                             c.leaveFrom, c.leaveTo));
    load();
    for (const Case& c : cases) {
        const QString no = QString::fromUtf8(c.no);
        const auto& group = m().group(1);
        const auto it =
            std::find_if(group.begin(), group.end(), [&](const Person& p) { return p.no == no; });
        ASSERT_EQ(it != group.end(), c.admitted) << c.no;
        if (!c.admitted)
            continue;
        for (int d = 1; d <= 30; ++d) {
            const bool out = c.firstOut != 0 && d >= c.firstOut && d <= c.lastOut;
            EXPECT_EQ(it->cell(d).unavailable, out ? 1 : 0) << c.no << " day " << d;
        }
    }
}

TEST_F(LoaderTest, FiltersAndGroupsByTeam) {
    addMasters(db());
    addStaff(db(), staff(u"A1"_s, u"A1"_s, 1, 1, 1, 1, u"Aチーム"_s));
    addStaff(db(), staff(u"B1"_s, u"B1"_s, 1, 0, 1, 1, u"Bチーム"_s));
    addStaff(db(), staff(u"A2"_s, u"A2"_s, 1, 0, 1, 1, u"Aチーム"_s));
    load(u"2024/04/01"_s, u"2024/04/30"_s, Grouping::ByTeam);
    ASSERT_EQ(m().groupCount(1), 2);
    ASSERT_EQ(m().groupCount(2), 1);
    EXPECT_EQ(m().person(1, 2).no, u"A2"_s);
    EXPECT_EQ(m().person(2, 1).no, u"B1"_s);
    EXPECT_EQ(m().teamName[1], u"Aチーム"_s);

    model = std::make_unique<RosterModel>();
    m().periodStart = u"2024/04/01"_s;
    m().periodEnd = u"2024/04/30"_s;
    m().loaded.leaders = LeaderFilter::NonLeaders;
    m().loaded.filter.team = u"Aチーム"_s;
    LoadRosterPeriod(db(), m());
    ASSERT_EQ(m().groupCount(1), 1);
    EXPECT_EQ(m().person(1, 1).no, u"A2"_s);
}

TEST_F(LoaderTest, DaysComeFromTheCalendarAndRequestsLandOnTheirDay) {
    addMasters(db());
    addStaff(db(), staff(u"1"_s, u"一"_s));
    addCalendarDay(db(), u"2024/04/29"_s, 1);
    addCalendarDay(db(), u"2024/03/30"_s, 1);
    addRequest(db(), 1, u"1"_s, u"2024/04/03"_s, u"有"_s);
    addRequest(db(), 2, u"1"_s, u"2024/05/01"_s, u"夜"_s); // after the period
    load();
    EXPECT_EQ(m().day(1).weekday, 2); // Monday
    EXPECT_EQ(m().day(1).weekdayName, u"月"_s);
    EXPECT_EQ(m().day(29).holidayFlag, 1);
    EXPECT_EQ(m().day(-1).holidayFlag, 1);
    EXPECT_EQ(m().day(28).holidayFlag, 0); // no calendar row: an open day
    EXPECT_EQ(m().day(32).date, u"2024/05/02"_s);
    EXPECT_EQ(m().periodDayCount, 34);
    EXPECT_EQ(person(u"1"_s).cell(3).requestShift, u"有"_s);
    EXPECT_EQ(person(u"1"_s).cell(3).requestKind, 1);
    EXPECT_TRUE(person(u"1"_s).cell(31).requestShift.isEmpty());
    EXPECT_EQ(m().cellState(person(u"1"_s), 3), CellState::Taken);
    EXPECT_EQ(m().cellState(person(u"1"_s), 29), CellState::Closed);
    EXPECT_EQ(m().cellState(person(u"1"_s), 28), CellState::Free);
}

TEST_F(LoaderTest, GenerationModeTakesActualShiftsAndTheLeadDaysViewModeKeepsThemApart) {
    addMasters(db());
    addStaff(db(), staff(u"1"_s, u"一"_s));
    addRosterRow(db(), u"1"_s, u"2024/03/26"_s, u"日"_s); // six days before: outside
    addRosterRow(db(), u"1"_s, u"2024/03/27"_s, u"日"_s, u"夜"_s);
    addRosterRow(db(), u"1"_s, u"2024/04/02"_s, u"日"_s, u"休"_s);
    load();
    EXPECT_EQ(shifts(u"1"_s, -4, 2), u"夜-----休"_s);

    model = std::make_unique<RosterModel>();
    m().periodStart = u"2024/04/01"_s;
    m().periodEnd = u"2024/04/30"_s;
    m().loaded.mode = LoadMode::View;
    LoadRosterPeriod(db(), m());
    LoadMasterCache(db(), m());
    LoadStoredRoster(db(), m());
    EXPECT_EQ(shifts(u"1"_s, -4, 2), u"------日"_s);
    EXPECT_EQ(person(u"1"_s).cell(2).actualShift, u"休"_s);
}

} // namespace
