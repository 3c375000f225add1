#include "engine_fixture.h"
#include "roster/night_settings.h"
#include "roster/quality_report.h"
#include "roster/report_loader.h"
#include "roster/short_day_explainer.h"
#include "store/code_kind.h"
#include "store/startup_settings.h"
#include "support/model_builder.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A week from Monday 2024/04/01 (day 6 Saturday, day 7 Sunday) with the night run 夜 明 休.
WorkShiftInfo shiftInfo(const QString& abbrev, const QString& start, const QString& end, int max) {
    WorkShiftInfo w;
    w.abbrev = abbrev;
    w.start = start;
    w.end = end;
    w.max = max;
    return w;
}

RosterModel weekModel() {
    RosterModel m;
    const QDate start(2024, 4, 1);
    m.periodStart = u"2024/04/01"_s;
    m.periodEnd = u"2024/04/07"_s;
    fillDays(m, start);
    m.cache.workShifts = {shiftInfo(u"日"_s, u"08:30"_s, u"17:00"_s, 5),
                          shiftInfo(u"夜"_s, u"16:30"_s, u"09:00"_s, 0),
                          shiftInfo(u"明"_s, u"00:00"_s, u"09:00"_s, 0),
                          shiftInfo(u"休"_s, {}, {}, 10)};
    m.cache.restShift = u"休"_s;
    m.cache.replacementOrder = {u"日"_s, u"休"_s};
    Pattern run;
    run.no = 1;
    run.shifts = {u"夜"_s, u"明"_s, u"休"_s};
    m.cache.patterns[4] = {run};
    return m;
}

Person& addWeek(RosterModel& m, const QString& no, const QStringList& week, int leader = 0) {
    Person p;
    p.no = no;
    p.name = u"職員"_s + no;
    p.shiftType = 1;
    p.leader = leader;
    for (int d = 1; d <= week.size(); ++d)
        p.cell(d).shift = week[d - 1] == u"-"_s ? QString() : week[d - 1];
    m.group(1).push_back(p);
    return m.group(1).back();
}

const QualityReport::PersonFigures& figuresOf(const QualityReport& r, const QString& no) {
    for (const auto& f : r.people)
        if (f.staffNo == no)
            return f;
    throw std::runtime_error("no such person");
}

// Four people over the week; what each is there for is said where they are made.
class QualityReportTest : public ::testing::Test {
protected:
    RosterModel m = weekModel();

    void SetUp() override {
        // A: a leader on the day shift every day, five lead days included, over 日's MAX of 5.
        Person& a =
            addWeek(m, u"A"_s, {u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s}, 1);
        for (int d = -4; d <= 0; ++d)
            a.cell(d).shift = u"日"_s;
        a.cell(1).early = 2;
        a.cell(2).early = 3;
        a.cell(3).early = 2;
        a.cell(3).actualEarly = 3; // the actual mark wins
        // B: one night run, then the weekend off.
        addWeek(m, u"B"_s, {u"夜"_s, u"明"_s, u"休"_s, u"日"_s, u"日"_s, u"休"_s, u"休"_s});
        // C: a lone 明 on day 1 (nothing the day before), then a full run.
        addWeek(m, u"C"_s, {u"明"_s, u"夜"_s, u"明"_s, u"休"_s, u"日"_s, u"日"_s, u"休"_s});
        // D: two lead days of work, a granted rest request, an actual rest over a planned day
        // and a refused request on Sunday.
        Person& d =
            addWeek(m, u"D"_s, {u"日"_s, u"日"_s, u"日"_s, u"-"_s, u"日"_s, u"日"_s, u"日"_s});
        d.cell(-1).shift = u"日"_s;
        d.cell(0).shift = u"日"_s;
        d.cell(4).requestShift = u"休"_s;
        d.cell(5).actualShift = u"休"_s;
        d.cell(7).requestShift = u"日"_s;
        d.cell(7).actualShift = u"休"_s;
        requireEveryDay(m, 1, Figure::Staff, 2);   // 日 needs two people
        requireEveryDay(m, 1, Figure::Leaders, 1); // and a leader
        for (int day = 1; day <= 3; ++day)
            m.requirement.at(Level::Unit, day, 2, Figure::Staff) = 1; // 夜 one person on days 1..3
        // and a leader on day 1, whom nobody gives
        m.requirement.at(Level::Unit, 1, 2, Figure::Leaders) = 1;
    }
};

TEST_F(QualityReportTest, StaffingTotalsCountShortAndSurplusPersonShifts) {
    const QualityReport r = BuildQualityReport(m);
    EXPECT_EQ(r.dayCount, 7);
    EXPECT_EQ(r.shifts, (std::vector<QString>{u"日"_s, u"夜"_s, u"明"_s, u"休"_s}));
    // 日: day 7 has only A (short 1); days 5 and 6 have three (D's actual rest counts on day 5).
    // 夜: day 3 is short. 明 is never required. The rest shift has no staffing row.
    const struct {
        QString shift;
        int shortage, surplus;
    } expected[] = {{u"日"_s, 1, 2}, {u"夜"_s, 1, 0}, {u"明"_s, 0, 3}, {u"休"_s, 0, 0}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.shift.toStdString());
        EXPECT_EQ(r.unitShortage(e.shift), e.shortage);
        EXPECT_EQ(r.unitSurplus(e.shift), e.surplus);
    }
    ASSERT_EQ(r.staffing.size(), 3u); // one level (not grouped by team), three shifts
    EXPECT_EQ(r.staffing[0].days[4].assigned, 3);
    EXPECT_EQ(r.staffing[0].days[6].assigned, 1);
    // One explanation per short day and shift.
    ASSERT_EQ(r.shortDays.size(), 2u);
    EXPECT_EQ(r.shortDays[0].date, u"2024/04/07"_s);
    EXPECT_EQ(r.shortDays[1].date, u"2024/04/03"_s);
    EXPECT_EQ(r.shortDays[1].shiftAbbrev, u"夜"_s);
}

TEST_F(QualityReportTest, ByTeamEachGroupIsMeasuredAgainstTheTeamFigures) {
    // C and D form the second group; 日 asks each team for one person and one leader, which
    // only A can give.
    m.loaded.grouping = Grouping::ByTeam;
    m.group(2) = {m.person(1, 3), m.person(1, 4)};
    m.group(1).resize(2);
    for (int d = 1; d <= 7; ++d) {
        m.requirement.at(Level::FirstGroup, d, 1, Figure::Staff) = 1;
        m.requirement.at(Level::FirstGroup, d, 1, Figure::Leaders) = 1;
    }
    const QualityReport r = BuildQualityReport(m);
    ASSERT_EQ(r.staffing.size(), 9u); // three levels x 日 夜 明
    const struct {
        size_t row;
        int level;
        QString shift;
        int shortage, surplus;
    } expected[] = {
        // Group 1 (A, B) on 日: A every day, B on days 4 and 5.
        {0, 1, u"日"_s, 0, 2},
        // Group 2 (C, D) on 日: D on 1, 2, 3 and 6, C on 5 and 6; day 4 and 7 nobody.
        {3, 2, u"日"_s, 2, 1},
        {6, 3, u"日"_s, 1, 2},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.row);
        EXPECT_EQ(r.staffing[e.row].level, e.level);
        EXPECT_EQ(r.staffing[e.row].shift, e.shift);
        EXPECT_EQ(r.staffing[e.row].shortage, e.shortage);
        EXPECT_EQ(r.staffing[e.row].surplus, e.surplus);
    }
    // Group 2 has no leader on 日 on any of the seven days.
    int groupLeaderGaps = 0;
    for (const auto& f : r.findings)
        if (f.kind == QualityReport::FindingKind::LeaderShort && f.level == 2)
            ++groupLeaderGaps;
    EXPECT_EQ(groupLeaderGaps, 7);
}

TEST_F(QualityReportTest, PerPersonFiguresFollowTheDaysAsWorked) {
    const QualityReport r = BuildQualityReport(m);
    const struct {
        QString no;
        std::vector<int> shiftDays;
        int rest, nights, saturdays, sundays, run;
        QString runFrom;
        int requested, granted, early, late;
    } expected[] = {
        // A's run starts on the first lead day: 5 lead days + 7.
        {u"A"_s, {7, 0, 0, 0}, 0, 0, 0, 0, 12, u"2024/03/27"_s, 0, 0, 1, 2},
        {u"B"_s, {2, 1, 1, 3}, 3, 1, 1, 1, 2, u"2024/04/01"_s, 0, 0, 0, 0},
        {u"C"_s, {2, 1, 2, 2}, 2, 1, 0, 1, 3, u"2024/04/01"_s, 0, 0, 0, 0},
        // D: 日 日 日 休(request) 休(actual) 日 休(actual against the request for 日).
        {u"D"_s, {4, 0, 0, 3}, 3, 0, 0, 1, 5, u"2024/03/30"_s, 2, 1, 0, 0},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.no.toStdString());
        const auto& f = figuresOf(r, e.no);
        EXPECT_EQ(f.shiftDays, e.shiftDays);
        EXPECT_EQ(f.restDays, e.rest);
        EXPECT_EQ(f.nights, e.nights);
        EXPECT_EQ(f.saturdaysOff, e.saturdays);
        EXPECT_EQ(f.sundaysOff, e.sundays);
        EXPECT_EQ(f.longestRun, e.run);
        EXPECT_EQ(f.longestRunFrom, e.runFrom);
        EXPECT_EQ(f.requested, e.requested);
        EXPECT_EQ(f.granted, e.granted);
        EXPECT_EQ(f.earlyMarks, e.early);
        EXPECT_EQ(f.lateMarks, e.late);
    }
}

TEST_F(QualityReportTest, ARunWhollyBeforeThePeriodIsNotReported) {
    Person& b = m.person(1, 2);
    for (int d = -4; d <= -1; ++d)
        b.cell(d).shift = u"日"_s; // four lead days, then day 0 empty
    EXPECT_EQ(figuresOf(BuildQualityReport(m), u"B"_s).longestRun, 2);
}

TEST_F(QualityReportTest, SpreadIsOverThePeopleWhoCanWorkTheShift) {
    m.person(1, 4).shiftType = 2; // D has no shift work and no night: left out of 夜
    const QualityReport r = BuildQualityReport(m);
    ASSERT_EQ(r.spread.size(), 4u);
    const auto& night = r.spread[1];
    EXPECT_EQ(night.shift, u"夜"_s);
    EXPECT_EQ(night.people, 3);
    EXPECT_EQ(night.min, 0);
    EXPECT_EQ(night.max, 1);
    EXPECT_NEAR(night.mean, 2.0 / 3.0, 1e-9);
    EXPECT_NEAR(night.stddev, std::sqrt(2.0 / 9.0), 1e-9);
    const auto& day = r.spread[0]; // D still counts for 日, which D has
    EXPECT_EQ(day.people, 4);
    EXPECT_EQ(day.min, 2);
    EXPECT_EQ(day.max, 7);
    EXPECT_NEAR(day.mean, 15.0 / 4.0, 1e-9);
}

TEST_F(QualityReportTest, FindingsNameTheLoneAfterNightTheLeaderGapAndTheMax) {
    const QualityReport r = BuildQualityReport(m);
    std::vector<std::tuple<QualityReport::FindingKind, QString, QString, QString>> got;
    for (const auto& f : r.findings)
        got.emplace_back(f.kind, f.date, f.staffNo, f.shift);
    using K = QualityReport::FindingKind;
    EXPECT_EQ(got, (decltype(got){{K::OverMax, {}, u"A"_s, u"日"_s},
                                  {K::RunWithoutPredecessor, u"2024/04/01"_s, u"C"_s, u"明"_s},
                                  {K::LeaderShort, u"2024/04/01"_s, {}, u"夜"_s}}));
}

TEST_F(QualityReportTest, AnAfterNightAcrossAClosedDayStillHasItsNight) {
    // C: 夜 on day 4, closed day 5 left empty, 明 on day 6.
    Person& c = m.person(1, 3);
    c.cell(1).shift = u"日"_s;
    c.cell(4).shift = u"夜"_s;
    c.cell(5).shift.clear();
    c.cell(6).shift = u"明"_s;
    m.day(5).holidayFlag = 1;
    for (const auto& f : BuildQualityReport(m).findings)
        EXPECT_NE(f.kind, QualityReport::FindingKind::RunWithoutPredecessor)
            << f.text.toStdString();
}

TEST_F(QualityReportTest, NightHoursCountOnceAndTheAverageLeavesOutThoseUnderTheMinimum) {
    NightSettings night;
    night.minimumHours = 10;
    const QualityReport r = BuildQualityReport(m, night);
    // B: 夜 16:30-09:00 gives 7 h of 22:00-05:00; the 明 inside it adds nothing.
    EXPECT_DOUBLE_EQ(figuresOf(r, u"B"_s).nightHours, 7);
    // C: the lone 明 00:00-09:00 gives 5 h, then a run of 7 h.
    EXPECT_DOUBLE_EQ(figuresOf(r, u"C"_s).nightHours, 12);
    EXPECT_DOUBLE_EQ(figuresOf(r, u"A"_s).nightHours, 0);
    EXPECT_EQ(r.night.staffCounted, 1); // B is under 10 h
    EXPECT_DOUBLE_EQ(r.night.average, 12);
    EXPECT_FALSE(r.night.overLimit);
    EXPECT_EQ(r.night.window, u"22:00-05:00"_s);
}

TEST_F(QualityReportTest, ANightRunningIntoThePeriodCountsWhereItStarted) {
    // B worked a night on the last lead day: its hours belong to the month before, and the
    // 明 of day 1 lies inside it.
    Person& b = m.person(1, 2);
    b.cell(0).shift = u"夜"_s;
    b.cell(1).shift = u"明"_s;
    b.cell(2).shift = u"休"_s;
    EXPECT_DOUBLE_EQ(figuresOf(BuildQualityReport(m), u"B"_s).nightHours, 0);
}

TEST(NightSettingsTest, MinutesOfAShiftInsideTheWindow) {
    const struct {
        const char* shift;
        int start, end, minutes;
    } cases[] = {
        {"16:30-09:00 night", 16 * 60 + 30, 9 * 60, 7 * 60},
        {"08:30-17:00 day", 8 * 60 + 30, 17 * 60, 0},
        {"00:00-09:00 after night", 0, 9 * 60, 5 * 60},
        {"20:00-23:00 evening", 20 * 60, 23 * 60, 60},
        {"04:00-06:00 early morning", 4 * 60, 6 * 60, 60},
        {"22:00-22:00 whole day", 22 * 60, 22 * 60, 7 * 60},
    };
    const NightSettings night;
    for (const auto& c : cases)
        EXPECT_EQ(night.minutesInside(c.start, c.end), c.minutes) << c.shift;
}

TEST(NightSettingsTest, WindowTextsAreReadOrRefused) {
    const struct {
        QString text;
        std::optional<std::pair<int, int>> window;
    } cases[] = {
        {u"22:00-05:00"_s, std::pair{22 * 60, 5 * 60}},
        {u"21:30～6:00"_s, std::pair{21 * 60 + 30, 6 * 60}},
        {u" 0:00 ~ 05:00 "_s, std::pair{0, 5 * 60}},
        {u"22:00"_s, std::nullopt},
        {u"22:00-22:00"_s, std::nullopt},
        {u"25:00-05:00"_s, std::nullopt},
        {u"夜"_s, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NightSettings::parseWindow(c.text), c.window) << c.text.toStdString();
}

// One person per reason that keeps them off the short night of day 3, and two who could take
// it.
TEST(ShortDayTest, EveryPersonHasTheReasonThatStopsThem) {
    RosterModel m = weekModel();
    m.cache.workShifts[1].max = 2;
    const QString o = u"-"_s;
    const auto week = [&](const QString& no, const QStringList& days) -> Person& {
        return addWeek(m, no, days);
    };
    week(u"unavailable"_s, {u"日"_s, u"日"_s, o, o, o, o, o}).cell(3).unavailable = 1;
    week(u"request"_s, {u"日"_s, u"日"_s, o, u"日"_s, u"日"_s, u"日"_s, u"日"_s})
        .cell(3)
        .requestShift = u"休"_s;
    week(u"fixed"_s, {u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"休"_s, u"休"_s}).shiftType = 2;
    week(u"run"_s, {u"日"_s, u"夜"_s, u"明"_s, u"休"_s, u"日"_s, u"日"_s, u"日"_s});
    week(u"runNoRoom"_s, {u"日"_s, u"日"_s, u"日"_s, o, u"日"_s, u"日"_s, u"日"_s})
        .cell(4)
        .requestShift = u"有"_s;
    week(u"max"_s, {u"夜"_s, u"明"_s, u"日"_s, u"休"_s, u"夜"_s, u"明"_s, u"休"_s});
    week(u"leader"_s, {u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s}).leader = 1;
    week(u"onNight"_s, {u"日"_s, u"休"_s, u"夜"_s, u"明"_s, u"休"_s, u"日"_s, u"日"_s});
    week(u"oneNight"_s, {u"日"_s, u"日"_s, u"日"_s, u"日"_s, u"夜"_s, u"明"_s, u"休"_s});
    week(u"noNight"_s, {u"日"_s, u"日"_s, u"休"_s, u"日"_s, u"日"_s, u"日"_s, u"日"_s});
    m.requirement.at(Level::Unit, 3, 1, Figure::Leaders) = 1; // 日 needs its one leader
    m.requirement.at(Level::Unit, 3, 2, Figure::Staff) = 2;   // 夜 needs two

    const ShortDayExplanation e = ExplainShortDay(m, 3, 2, 3);
    EXPECT_EQ(e.required, 2);
    EXPECT_EQ(e.assigned, 1);
    using B = ShortDayBlocker;
    const std::vector<std::pair<QString, B>> expected = {
        {u"unavailable"_s, B::Unavailable}, {u"request"_s, B::Request},
        {u"fixed"_s, B::FixedSchedule},     {u"run"_s, B::MandatoryRun},
        {u"runNoRoom"_s, B::MandatoryRun},  {u"max"_s, B::MaxReached},
        {u"leader"_s, B::LeaderRule},       {u"onNight"_s, B::OnThisShift},
        {u"oneNight"_s, B::None},           {u"noNight"_s, B::None}};
    ASSERT_EQ(e.people.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].first.toStdString());
        EXPECT_EQ(e.people[i].staffNo, expected[i].first);
        EXPECT_EQ(e.people[i].blocker, expected[i].second);
        EXPECT_EQ(e.people[i].reason.isEmpty(), expected[i].second == B::None);
    }
    // Fewest nights first.
    ASSERT_EQ(e.candidates.size(), 2u);
    EXPECT_EQ(e.candidates[0].staffNo, u"noNight"_s);
    EXPECT_EQ(e.candidates[0].shiftCount, 0);
    EXPECT_EQ(e.candidates[1].staffNo, u"oneNight"_s);
    EXPECT_EQ(e.candidates[1].shiftCount, 1);

    // Days, shifts and levels outside the model explain nothing.
    for (const auto& [day, shift, level] :
         {std::tuple{0, 2, 3}, std::tuple{41, 2, 3}, std::tuple{3, 0, 3}, std::tuple{3, 5, 3},
          std::tuple{3, 2, 0}, std::tuple{3, 2, 4}})
        EXPECT_TRUE(ExplainShortDay(m, day, shift, level).people.empty())
            << day << " " << shift << " " << level;

    // On a closed day nobody can be asked.
    m.day(3).holidayFlag = 1;
    for (const auto& p : ExplainShortDay(m, 3, 2, 3).people) {
        if (p.staffNo != u"unavailable"_s) {
            EXPECT_EQ(p.blocker, B::ClosedDay) << p.staffNo.toStdString();
        }
    }
}

TEST(ReportedShiftTest, ActualWinsAndARequestStandsInOnlyWhereNothingWasStored) {
    const struct {
        LoadMode mode;
        QString planned, request, actual, reported;
    } cases[] = {
        {LoadMode::Generation, u"日"_s, u"休"_s, {}, u"休"_s},
        {LoadMode::Generation, u"日"_s, u"休"_s, u"夜"_s, u"夜"_s},
        {LoadMode::View, u"日"_s, u"休"_s, {}, u"日"_s},
        {LoadMode::View, {}, u"休"_s, {}, u"休"_s},
        {LoadMode::View, u"日"_s, {}, u"夜"_s, u"夜"_s},
    };
    for (const auto& c : cases) {
        RosterModel m = weekModel();
        m.loaded.mode = c.mode;
        Person& p = addWeek(m, u"1"_s, {});
        p.cell(1).shift = c.planned;
        p.cell(1).requestShift = c.request;
        p.cell(1).actualShift = c.actual;
        EXPECT_EQ(ReportedShift(m, 1, 1, 1), c.reported)
            << c.planned.toStdString() << c.request.toStdString() << c.actual.toStdString();
    }
}

// A registered period read back from the file: lead days, actual shifts and the stored night
// settings.
class ReportLoaderTest : public EngineFixture {};

TEST_F(ReportLoaderTest, ARegisteredPeriodCarriesItsLeadDaysAndActualShifts) {
    SampleWorkplace::build(db(), 2);
    for (const QString& date :
         {u"2024/03/29"_s, u"2024/03/30"_s, u"2024/03/31"_s, u"2024/04/01"_s, u"2024/04/02"_s})
        SampleWorkplace::addRosterRow(db(), u"0001"_s, date, u"日"_s);
    SampleWorkplace::addRosterRow(db(), u"0001"_s, u"2024/04/03"_s, u"日"_s, u"休"_s);
    SampleWorkplace::addRequest(db(), 2, u"0001"_s, u"2024/04/02"_s, u"日"_s);
    SampleWorkplace::addCode(db(), CodeKind::TimeDisplay, CodeKind::NightWindowNo, u"夜勤時間帯"_s,
                             u"21:00-06:00"_s);
    SampleWorkplace::addCode(db(), CodeKind::TimeDisplay, CodeKind::NightMinimumNo,
                             u"夜勤時間下限"_s, u"8"_s);
    LoadRosterForReport(db(), StartupSettings{}, m(), u"2024/04/01"_s, u"2024/04/30"_s);
    const NightSettings night = NightSettings::load(db());
    EXPECT_EQ(night.windowText(), u"21:00-06:00"_s);
    EXPECT_EQ(night.minimumHours, 8);
    const QualityReport r = BuildQualityReport(m(), night);
    const auto& f = figuresOf(r, u"0001"_s);
    EXPECT_EQ(f.longestRun, 5); // three lead days and two in the period; day 3 was a rest
    EXPECT_EQ(f.longestRunFrom, u"2024/03/29"_s);
    EXPECT_EQ(f.shiftDays[0], 2);
    EXPECT_EQ(f.requested, 1);
    EXPECT_EQ(f.granted, 1);
}

TEST_F(ReportLoaderTest, MissingOrUnreadableNightSettingsKeepTheDefaults) {
    SampleWorkplace::addCode(db(), CodeKind::TimeDisplay, CodeKind::NightWindowNo, u"夜勤時間帯"_s,
                             u"夜間"_s);
    const NightSettings night = NightSettings::load(db());
    EXPECT_EQ(night.windowText(), u"22:00-05:00"_s);
    EXPECT_EQ(night.minimumHours, 16);
}

} // namespace
