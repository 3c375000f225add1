#include "engine_fixture.h"
#include "roster/run_shape.h"
#include "roster/shift_assignment.h"

using namespace Qt::Literals::StringLiterals;
using namespace SampleWorkplace;

namespace {

class ShiftAssignmentTest : public EngineFixture {
protected:
    // The person works 夜明休 on days 10-12; the fillers then lay the base pattern around it.
    void fillAroundNightRun(const QString& no) {
        Person& p = person(no);
        p.cell(10).shift = u"夜"_s;
        p.cell(11).shift = u"明"_s;
        p.cell(12).shift = u"休"_s;
        TallyAll(m());
        AddPatternFillers(m(), shape(), 1, 2);
    }
};

TEST_F(ShiftAssignmentTest, ContinuesANightRunFromTheLastLeadDay) {
    build(db(), 3);
    for (const QString& no : {u"0001"_s, u"0002"_s, u"0003"_s})
        addRosterRow(db(), no, u"2024/03/31"_s, u"夜"_s);
    addCalendarDay(db(), u"2024/04/01"_s, 1); // only day 1 closed ...
    load();
    ContinueMandatoryRun(m(), shape(), 1, 1);
    EXPECT_EQ(shifts(u"0001"_s, 1, 4), u"-明休-"_s); // ... so the run resumes on day 2

    db().exec(u"DELETE FROM \"カレンダー\""_s);
    addRequest(db(), 2, u"0002"_s, u"2024/04/01"_s, u"日"_s);
    load();
    const RunShape r = shape();
    ContinueMandatoryRun(m(), r, 1, 1);
    ContinueMandatoryRun(m(), r, 1, 2);
    EXPECT_EQ(shifts(u"0001"_s, 1, 3), u"明休-"_s);
    EXPECT_EQ(shifts(u"0002"_s, 1, 3), u"---"_s); // a request on day 1 stops it
    // Counts follow each placement at once.
    EXPECT_EQ(person(u"0001"_s).count[shiftIndex(u"明"_s)], 1);
    EXPECT_EQ(m().assigned.at(Level::Unit, 1, shiftIndex(u"明"_s), Figure::Staff), 1);
}

TEST_F(ShiftAssignmentTest, BuildsTheRunAroundARequestedAfterNightShift) {
    build(db(), 2);
    addRequest(db(), 2, u"0001"_s, u"2024/04/10"_s, u"明"_s);
    addRequest(db(), 2, u"0002"_s, u"2024/04/10"_s, u"明"_s);
    addRequest(db(), 1, u"0002"_s, u"2024/04/11"_s, u"有"_s);
    addRequest(db(), 1, u"0002"_s, u"2024/04/09"_s, u"有"_s);
    load();
    const RunShape r = shape();
    PlaceRunsAroundRequests(m(), r, 1, 1);
    PlaceRunsAroundRequests(m(), r, 1, 2);
    EXPECT_EQ(shifts(u"0001"_s, 8, 12), u"-夜-休-"_s);
    // Forward the taken day 11 is skipped; backward the taken day 9 uses up the night.
    EXPECT_EQ(shifts(u"0002"_s, 8, 12), u"----休"_s);
}

TEST_F(ShiftAssignmentTest, NightRunsGoToWhoWaitedLongestThenFewestNightsThenFewestInHistory) {
    build(db(), 3, 1, 0, 1);
    addRosterRow(db(), u"0001"_s, u"2024/03/10"_s, u"夜"_s);
    addRosterRow(db(), u"0001"_s, u"2024/03/20"_s, u"夜"_s);
    addRosterRow(db(), u"0002"_s, u"2024/03/15"_s, u"夜"_s);
    addRosterRow(db(), u"0003"_s, u"2024/03/12"_s, u"夜"_s);
    addRosterRow(db(), u"0003"_s, u"2024/03/13"_s, u"夜"_s);
    load();
    const RunShape r = shape();
    CoverMandatoryShift(m(), r, 3, 2, 3);
    EXPECT_EQ(shifts(u"0002"_s, 3, 5), u"夜明休"_s);
    EXPECT_EQ(shifts(u"0001"_s, 3, 5), u"---"_s);

    // Full ties go to the one shown first.
    db().exec(u"DELETE FROM \"勤務表\""_s);
    load();
    CoverMandatoryShift(m(), shape(), 3, 2, 3);
    EXPECT_EQ(shifts(u"0001"_s, 3, 5), u"夜明休"_s);

    // Whoever waited longest since a night wins, even with more nights in the period.
    load();
    person(u"0001"_s).cell(-4).shift = u"夜"_s;
    person(u"0002"_s).cell(20).shift = u"夜"_s;
    person(u"0003"_s).cell(1).shift = u"夜"_s;
    TallyEverybody(m());
    CoverMandatoryShift(m(), shape(), 3, 2, 3);
    EXPECT_EQ(shiftOn(u"0002"_s, 3), u"夜"_s);
    EXPECT_EQ(m().assigned.at(Level::Unit, 3, shiftIndex(u"夜"_s), Figure::TeamStaff), 1);
}

TEST_F(ShiftAssignmentTest, ACandidateNeedsTheWholeRunFreeAndNoNightThatDay) {
    build(db(), 1, 1, 0, 1);
    load();
    const RunShape r = shape();
    Person& p = person(u"0001"_s);
    EXPECT_TRUE(EvaluateCandidate(m(), r, p, 5).acceptable);
    EXPECT_EQ(EvaluateCandidate(m(), r, p, 5).daysSince, 10);
    p.cell(8).requestShift = u"有"_s; // day + mandatoryLength is still checked
    EXPECT_FALSE(EvaluateCandidate(m(), r, p, 5).acceptable);
    EXPECT_TRUE(EvaluateCandidate(m(), r, p, 4).acceptable);
    EXPECT_TRUE(EvaluateCandidate(m(), r, p, 9).acceptable);
    EXPECT_TRUE(EvaluateCandidate(m(), r, p, 38).acceptable);
    EXPECT_FALSE(EvaluateCandidate(m(), r, p, 39).acceptable); // the run would not fit
    p.cell(9).shift = u"夜"_s;
    EXPECT_FALSE(EvaluateCandidate(m(), r, p, 9).acceptable);
}

TEST_F(ShiftAssignmentTest, AZeroRequirementPlacesNoRun) {
    build(db(), 4, 1, 2, 0);
    load();
    AssignShifts(m());
    for (int g = 1; g <= 2; ++g)
        for (const Person& p : m().group(g))
            EXPECT_EQ(p.count[shiftIndex(u"夜"_s)], 0) << p.no.toStdString();
}

TEST_F(ShiftAssignmentTest, FixedWeekAndWeekdayPatternsOverwriteRequestsButSkipClosedDays) {
    build(db(), 1);
    addStaff(db(), staff(u"W"_s, u"日勤者"_s, 2, 0, 0));
    addStaff(db(), staff(u"P"_s, u"曜日"_s, 5, 0, 1));
    addRequest(db(), 1, u"W"_s, u"2024/04/06"_s, u"有"_s); // a Saturday
    addRequest(db(), 1, u"W"_s, u"2024/04/03"_s, u"有"_s); // a Wednesday
    addCalendarDay(db(), u"2024/04/29"_s, 1);
    load();
    AssignShifts(m());
    EXPECT_EQ(shifts(u"W"_s, 1, 7), u"日日日日日休休"_s);
    EXPECT_EQ(shiftOn(u"W"_s, 29), QString());
    EXPECT_EQ(shifts(u"P"_s, 1, 7), u"日日日日日休休"_s); // weekday pattern 1: Sunday first
}

TEST_F(ShiftAssignmentTest, AFillerStaysOnlyWhereTheDayStillNeedsIt) {
    build(db(), 2, 1, 3, 2);
    load();
    const int night = shiftIndex(u"夜"_s);
    // Night needs 2; with nobody on it one more person still leaves it short.
    EXPECT_EQ(CheckFillerNeeded(m(), u"夜"_s, 1, 2, 5), u"夜"_s);
    m().assigned.at(Level::Unit, 5, night, Figure::Staff) = 1;
    m().assigned.at(Level::FirstGroup, 5, night, Figure::Staff) = 1;
    EXPECT_EQ(CheckFillerNeeded(m(), u"夜"_s, 1, 2, 5), u"日"_s);
    // A leader keeps it while anything is short.
    EXPECT_EQ(CheckFillerNeeded(m(), u"夜"_s, 1, 1, 5), u"夜"_s);
    // The rest shift needs nobody: it stays.
    EXPECT_EQ(CheckFillerNeeded(m(), u"休"_s, 1, 2, 5), u"休"_s);
}

TEST_F(ShiftAssignmentTest, FillersFollowTheBasePatternAroundRuns) {
    build(db(), 2, 1, 1, 1);
    load();
    fillAroundNightRun(u"0002"_s);
    // Base 日日夜明休休: two day shifts before the run, one more rest after it.
    EXPECT_EQ(shifts(u"0002"_s, 7, 14), u"-日日夜明休休-"_s);
}

TEST_F(ShiftAssignmentTest, AFourteenDayBaseRotationIsUsedWhole) {
    build(db(), 2, 1, 4, 1);
    db().exec(u"DELETE FROM \"ｼﾌﾄﾊﾟﾀｰﾝ\" WHERE \"パタ_区分\" = 1"_s);
    addPattern(db(), 1, 1,
               {u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"夜"_s, u"明"_s, u"休"_s, u"日"_s, u"日"_s,
                u"日"_s, u"日"_s, u"休"_s, u"日"_s, u"休"_s});
    load();
    ASSERT_EQ(shape().baseLength(), 14);
    fillAroundNightRun(u"0002"_s);
    // Four base positions before the run and all seven after it, up to the fourteenth.
    EXPECT_EQ(shifts(u"0002"_s, 5, 20), u"-日日日日夜明休日日日日休日休-"_s);
}

TEST(CoverCandidatesTest, PatternWorkersOfTheLevelAndLeadersWhenAsked) {
    RosterModel m;
    const auto add = [&](int g, const QString& no, int shiftType, int leader) {
        Person p;
        p.no = no;
        p.shiftType = shiftType;
        p.leader = leader;
        m.group(g).push_back(p);
    };
    add(1, u"a"_s, 1, 1);
    add(1, u"b"_s, 1, 0);
    add(1, u"c"_s, 2, 1); // not on patterns
    add(2, u"d"_s, 1, 0);
    add(2, u"e"_s, 1, 1);
    const auto visited = [&](int who, int level) {
        QString seen;
        ForEachCoverCandidate(m, who, level, [&](int g, int slot, const Person& p) {
            EXPECT_EQ(&m.person(g, slot), &p);
            seen += p.no;
        });
        return seen;
    };
    EXPECT_EQ(visited(2, 3), u"abde"_s);
    EXPECT_EQ(visited(1, 3), u"ae"_s);
    EXPECT_EQ(visited(2, 1), u"ab"_s);
    EXPECT_EQ(visited(1, 2), u"e"_s);
}

} // namespace
