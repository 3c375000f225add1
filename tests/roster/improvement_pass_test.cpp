#include "roster/generation.h"
#include "roster/improvement_pass.h"
#include "roster/roster_objective.h"
#include "roster/roster_report.h"
#include "roster/tallies.h"
#include "store/startup_settings.h"
#include "support/model_builder.h"
#include "support/roster_rule_checker.h"
#include "support/temp_database.h"
#include "support/varied_workplace.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// Working-shift indexes of the hand-made ward.
constexpr int Day = 1, Late = 2, Night = 3, After = 4, Rest = 5;

// A ward of `days` days from 2024/04/01 (a Monday) with the shifts 日 遅 夜 明 休, the night run
// 夜 明 休, no requirement and nobody on the staff yet.
std::unique_ptr<RosterModel> ward(int days) {
    auto m = std::make_unique<RosterModel>();
    const QDate start(2024, 4, 1);
    m->periodStart = u"2024/04/01"_s;
    m->periodEnd = start.addDays(days - 1).toString(u"yyyy/MM/dd"_s);
    fillDays(*m, start);
    for (const QString& s : {u"日"_s, u"遅"_s, u"夜"_s, u"明"_s, u"休"_s}) {
        WorkShiftInfo w;
        w.abbrev = s;
        w.max = 31;
        w.shortageFlag = s == u"休"_s ? 0 : 1;
        m->cache.workShifts.push_back(w);
    }
    m->cache.restShift = u"休"_s;
    m->cache.patterns[4].push_back(Pattern{1, {u"夜"_s, u"明"_s, u"休"_s}});
    return m;
}

// A person whose days 1.. hold the shifts spelled by `days`.
Person& worker(RosterModel& m, const QString& no, const QString& days, int shiftType = 1,
               int group = 1) {
    Person p;
    p.no = no;
    p.shiftType = shiftType;
    for (int d = 1; d <= days.size(); ++d)
        p.cell(d).shift = days.mid(d - 1, 1);
    m.group(group).push_back(p);
    return m.group(group).back();
}

// The whole-unit minimum of a shift, one digit per day.
void need(RosterModel& m, int shift, const QString& perDay) {
    for (int d = 1; d <= perDay.size(); ++d)
        m.requirement.at(Level::Unit, d, shift, Figure::Staff) = perDay[d - 1].digitValue();
}

QString row(const RosterModel& m, const QString& no) {
    for (const auto& g : m.groups)
        for (const Person& p : g)
            if (p.no == no) {
                QString out;
                for (int d = 1; d <= m.lastDay(); ++d)
                    out += p.cell(d).shift.isEmpty() ? u"-"_s : p.cell(d).shift;
                return out;
            }
    return {};
}

// Improves a copy of the ward and checks the outcome against the rules.
struct Outcome {
    std::unique_ptr<RosterModel> model;
    ImprovementResult result;
    QStringList violations;
};
Outcome improve(RosterModel& generated) {
    TallyAll(generated);
    Outcome o{std::make_unique<RosterModel>(generated), {}, {}};
    o.result = ImproveRoster(*o.model);
    o.violations = CheckRosterRules(generated, *o.model, 3);
    return o;
}

// Day 3 has one person short on the day shift; A's rest day moves to a day with people to spare.
TEST(ImprovementPassTest, OneSwapOfARestDayRemovesAShortDay) {
    auto m = ward(7);
    worker(*m, u"A"_s, u"日日休日日日日"_s);
    worker(*m, u"B"_s, u"日日休日日日日"_s);
    worker(*m, u"C"_s, u"日日日日日日日"_s, 2);
    need(*m, Day, u"2222222"_s);
    const Outcome o = improve(*m);
    EXPECT_EQ(o.violations, QStringList());
    EXPECT_EQ(o.result.before.unitShortage, 1);
    EXPECT_EQ(o.result.after.unitShortage, 0);
    ASSERT_EQ(o.result.changed.size(), 2u);
    EXPECT_EQ(o.result.changed[0].staffNo, o.result.changed[1].staffNo);
    EXPECT_EQ(o.result.changed[0].day, 3);
    EXPECT_EQ(o.model->assigned.at(Level::Unit, 3, Day, Figure::Staff),
              2); // the tallies follow the cells
    EXPECT_EQ(o.model->person(1, 1).count[Rest], 1);
    EXPECT_EQ(o.model->person(1, 2).count[Rest], 1);
    // A weekday takes the rest, so that nobody has a weekend off the other has not.
    EXPECT_LT(o.result.changed[1].day, 6);
}

// The night is needed on day 6, not on day 2 where A's run lies; the maximum of one night keeps
// anybody from taking a second run, so only moving the whole run covers it.
TEST(ImprovementPassTest, AShortNightIsCoveredByMovingAWholeRun) {
    auto m = ward(10);
    worker(*m, u"A"_s, u"日夜明休日日休休日休"_s);
    worker(*m, u"B"_s, u"日日日日日日日日日日"_s, 2);
    m->cache.workShifts[Night - 1].max = 1;
    need(*m, Night, u"0000010000"_s);
    const Outcome o = improve(*m);
    EXPECT_EQ(o.violations, QStringList());
    EXPECT_EQ(o.result.after.unitShortage, 0);
    EXPECT_EQ(row(*o.model, u"A"_s), u"日日休休日夜明休日休"_s);
    EXPECT_EQ(row(*o.model, u"B"_s), u"日日日日日日日日日日"_s); // no pattern worker
}

// Day 3 lacks the late shift. A may take it but leaves the day shift short; B, off on day 3, may
// cover the day shift only by moving that rest day to day 4; B may not take the late shift itself
// (its maximum of one is used on day 1, where it is needed). Only the three cells together help.
TEST(ImprovementPassTest, AChainOfThreeCellsRemovesAShortDay) {
    auto m = ward(7);
    worker(*m, u"A"_s, u"日日日休日日休"_s);
    worker(*m, u"B"_s, u"遅日休日日日休"_s);
    worker(*m, u"C"_s, u"日日日日日休休"_s);
    m->cache.workShifts[Late - 1].max = 1;
    need(*m, Late, u"1010000"_s);
    need(*m, Day, u"2221220"_s);
    const Outcome o = improve(*m);
    EXPECT_EQ(o.violations, QStringList());
    EXPECT_EQ(o.result.before.unitShortage, 1);
    EXPECT_EQ(o.result.after.unitShortage, 0);
    EXPECT_EQ(row(*o.model, u"A"_s), u"日日遅休日日休"_s);
    EXPECT_EQ(row(*o.model, u"B"_s), u"遅日日休日日休"_s);
}

// Moves that would cover day shifts by breaking what the night relies on: taking A's night run
// away altogether (two day shifts covered, the night left empty), or moving the rest day that
// closes the run (夜 明 日 instead of 夜 明 休). The pass makes neither.
TEST(ImprovementPassTest, NeitherTheNightNorTheRunsRestDayIsTraded) {
    struct Case {
        const char* name;
        const char* dayNeed;
        const char* nightNeed;
    };
    const Case cases[] = {
        {"night run removed", "2220000", "0100000"},
        {"rest day moved", "1112000", "0100000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto m = ward(7);
        worker(*m, u"A"_s, u"日夜明休日日休"_s);
        worker(*m, u"B"_s, u"日日日日日日休"_s);
        need(*m, Day, QString::fromUtf8(c.dayNeed));
        need(*m, Night, QString::fromUtf8(c.nightNeed));
        const Outcome o = improve(*m);
        EXPECT_EQ(o.violations, QStringList());
        EXPECT_GT(o.result.before.unitShortage, 0);
        EXPECT_EQ(row(*o.model, u"A"_s).mid(1, 3), u"夜明休"_s);
    }
}

// Two people hold the night of day 2 where one is needed, and the days around it are short of
// the day shift. No run can move (the rest floor and the period's end hold it), so only one of
// the two giving up the run for day work covers them: its rest day stays, even when it is a
// request or the run steps over a closed day.
TEST(ImprovementPassTest, ARunOnANightToSpareGivesWayToDayWork) {
    struct Case {
        const char* name;
        QString a, dayNeed, given;
        int requestedRest, closed;
    };
    const Case cases[] = {
        {"run", u"日夜明休"_s, u"2220"_s, u"日日日休"_s, 0, 0},
        {"requested rest day", u"日夜明休"_s, u"2220"_s, u"日日日休"_s, 4, 0},
        {"closed day", u"日夜-明休"_s, u"22020"_s, u"日日-日休"_s, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto m = ward(static_cast<int>(c.a.size()));
        for (const QString& no : {u"A"_s, u"B"_s}) {
            Person& p = worker(*m, no, c.a);
            if (c.requestedRest > 0) {
                p.cell(c.requestedRest).requestShift = u"休"_s;
                p.cell(c.requestedRest).requestKind = 1;
            }
        }
        worker(*m, u"C"_s, u"日"_s.repeated(c.a.size()), 2);
        if (c.closed > 0) {
            m->day(c.closed).holidayFlag = 1;
            for (auto& g : m->groups)
                for (Person& p : g)
                    p.cell(c.closed).shift.clear();
        }
        need(*m, Day, c.dayNeed);
        m->requirement.at(Level::Unit, 2, Night, Figure::Staff) = 1;
        const Outcome o = improve(*m);
        EXPECT_EQ(o.violations, QStringList());
        EXPECT_EQ(o.result.before.unitShortage, 2);
        EXPECT_EQ(o.result.after.unitShortage, 0);
        QStringList rows = {row(*o.model, u"A"_s), row(*o.model, u"B"_s)};
        rows.sort();
        EXPECT_EQ(rows, QStringList({c.a, c.given}));
    }
}

// A, first in line, would be the one to move, but its day 3 must stay: B moves instead.
TEST(ImprovementPassTest, RequestsUnavailableAndClosedDaysAreLeftAlone) {
    struct Case {
        const char* name;
        void (*protect)(RosterModel&, Person&);
        int shortAfter;
    };
    const Case cases[] = {
        {"request",
         [](RosterModel&, Person& p) {
             p.cell(3).requestShift = u"休"_s;
             p.cell(3).requestKind = 1;
         },
         0},
        {"unavailable", [](RosterModel&, Person& p) { p.cell(3).unavailable = 1; }, 0},
        {"held by hand", [](RosterModel&, Person& p) { p.cell(3).pinned = true; }, 0},
        {"closed",
         [](RosterModel& m, Person& p) {
             m.day(3).holidayFlag = 1;
             p.cell(3).shift.clear();
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto m = ward(7);
        Person& a = worker(*m, u"A"_s, u"日日休日日日日"_s);
        c.protect(*m, a);
        worker(*m, u"B"_s, u"日日休日日日日"_s);
        worker(*m, u"C"_s, u"日日日日日日日"_s, 2);
        need(*m, Day, u"2222222"_s);
        const QString before = row(*m, u"A"_s);
        const Outcome o = improve(*m);
        EXPECT_EQ(o.violations, QStringList());
        EXPECT_EQ(o.result.after.unitShortage, c.shortAfter);
        EXPECT_EQ(o.model->person(1, 1).cell(3).shift, m->person(1, 1).cell(3).shift);
        for (const ChangedCell& changed : o.result.changed)
            EXPECT_FALSE(changed.staffNo == u"A"_s && changed.day == 3);
        EXPECT_EQ(row(*o.model, u"A"_s).mid(2, 1), before.mid(2, 1));
    }
}

// The same short day with a bound that leaves the pass no legal move, and without it.
TEST(ImprovementPassTest, PatternsMaximaAndTheRestFloorHoldTheShortageBack) {
    struct Case {
        const char* name;
        QString a, b, dayNeed, lateNeed;
        int lateMax;
        std::vector<QString> prohibited;
        int shortAfter;
    };
    const Case cases[] = {
        // Moving A's rest anywhere makes three day shifts in a row where there were none.
        {"prohibited",
         u"日日休日日日日"_s,
         u"日日休日日日日"_s,
         u"2222222"_s,
         u"0000000"_s,
         31,
         {u"日"_s, u"日"_s, u"日"_s},
         1},
        {"no pattern",
         u"日日休日日日日"_s,
         u"日日休日日日日"_s,
         u"2222222"_s,
         u"0000000"_s,
         31,
         {},
         0},
        // A late shift is needed on day 3, the day shift has one to spare: nobody may have one.
        {"maximum", u"日日日日日"_s, u"日日日日日"_s, u"22222"_s, u"00100"_s, 0, {}, 1},
        {"maximum one", u"日日日日日"_s, u"日日日日日"_s, u"22222"_s, u"00100"_s, 1, {}, 0},
        // Only A's rest day could become the late shift, and no other day can take the rest.
        {"rest floor", u"日日休日日"_s, u"日日日日日"_s, u"33233"_s, u"00100"_s, 31, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto m = ward(static_cast<int>(c.a.size()));
        worker(*m, u"A"_s, c.a);
        worker(*m, u"B"_s, c.b);
        worker(*m, u"C"_s, u"日"_s.repeated(c.a.size()), 2);
        need(*m, Day, c.dayNeed);
        need(*m, Late, c.lateNeed);
        m->cache.workShifts[Late - 1].max = c.lateMax;
        if (!c.prohibited.empty())
            m->cache.patterns[2].push_back(Pattern{1, c.prohibited});
        const Outcome o = improve(*m);
        EXPECT_EQ(o.violations, QStringList());
        EXPECT_EQ(o.result.after.unitShortage, c.shortAfter);
        if (c.shortAfter == 1) {
            EXPECT_TRUE(o.result.changed.empty());
        }
    }
}

// The same database gives the same improved roster, and the kept copy brings back exactly what
// the generation gave.
TEST(ImprovementPassTest, SameInputSameRosterAndTheKeptCopyUndoesIt) {
    TempDatabase tmp;
    const VariedWorkplace::Workplace w = VariedWorkplace::build(tmp.db(), 26);
    const auto generated = VariedWorkplace::expand(tmp.db(), w);
    const QByteArray shown = RosterReportJson(*generated);

    auto first = std::make_unique<RosterModel>(*generated);
    const auto second = VariedWorkplace::expand(tmp.db(), w);
    const ImprovementResult r1 = ImproveRoster(*first);
    const ImprovementResult r2 = ImproveRoster(*second);
    ASSERT_FALSE(r1.changed.empty());
    EXPECT_EQ(r1.changed, r2.changed);
    EXPECT_EQ(r1.after, r2.after);
    EXPECT_EQ(r1.movesTried, r2.movesTried);
    EXPECT_EQ(RosterReportJson(*first), RosterReportJson(*second));
    EXPECT_NE(RosterReportJson(*first), shown);

    *first = *generated; // undo
    EXPECT_EQ(RosterReportJson(*first), shown);
    EXPECT_EQ(MeasureObjective(*first), r1.before);
}

// The checker itself: each broken rule of an otherwise good roster is reported.
TEST(RosterRuleCheckerTest, FindsEachBrokenRule) {
    struct Case {
        const char* name;
        void (*breakIt)(RosterModel&);
        const char* expected;
    };
    const Case cases[] = {
        {"lead day", [](RosterModel& m) { m.person(1, 1).cell(0).shift = u"日"_s; }, "must stay"},
        {"request", [](RosterModel& m) { m.person(1, 2).cell(2).shift = u"休"_s; }, "must stay"},
        {"mark kept",
         [](RosterModel& m) {
             m.person(1, 1).cell(5).shift = u"遅"_s;
             m.person(1, 1).cell(5).early = 2;
         },
         "kept its mark"},
        {"lone after-night", [](RosterModel& m) { m.person(1, 1).cell(6).shift = u"明"_s; },
         "outside a whole run"},
        {"run cut", [](RosterModel& m) { m.person(1, 1).cell(3).shift = u"日"_s; },
         "outside a whole run"},
        {"prohibited", [](RosterModel& m) { m.person(1, 1).cell(8).shift = u"遅"_s; },
         "prohibited"},
        {"maximum", [](RosterModel& m) { m.person(1, 1).cell(5).shift = u"遅"_s; },
         "above its maximum"},
        {"rest floor", [](RosterModel& m) { m.person(1, 1).cell(4).shift = u"日"_s; }, "rest days"},
        {"long run",
         [](RosterModel& m) {
             m.person(1, 1).cell(7).shift = u"日"_s;
             m.person(1, 1).cell(8).shift = u"日"_s;
         },
         "working run"},
        {"leader", [](RosterModel& m) { m.person(1, 3).cell(1).shift = u"休"_s; }, "leaders short"},
        {"run's rest day moved",
         [](RosterModel& m) {
             m.person(1, 1).cell(4).shift = u"日"_s;
             m.person(1, 1).cell(5).shift = u"休"_s;
         },
         "outside a whole run"},
        {"night given up",
         [](RosterModel& m) {
             m.person(1, 1).cell(2).shift = u"日"_s;
             m.person(1, 1).cell(3).shift = u"日"_s;
         },
         "night short"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto m = ward(10);
        worker(*m, u"A"_s, u"日夜明休日日休休日日"_s);
        Person& b = worker(*m, u"B"_s, u"日日日日日日日日日日"_s);
        b.cell(2).requestShift = u"日"_s;
        Person& leader = worker(*m, u"L"_s, u"日日日日日日日日日日"_s, 2);
        leader.leader = 1;
        m->requirement.at(Level::Unit, 1, Day, Figure::Leaders) = 1;
        m->requirement.at(Level::Unit, 2, Night, Figure::Staff) = 1;
        m->cache.workShifts[Late - 1].max = 0;
        m->cache.patterns[2].push_back(Pattern{1, {u"遅"_s, u"日"_s}});
        TallyAll(*m);
        auto broken = std::make_unique<RosterModel>(*m);
        EXPECT_EQ(CheckRosterRules(*m, *broken, 3), QStringList());
        c.breakIt(*broken);
        TallyAll(*broken);
        const QStringList found = CheckRosterRules(*m, *broken, 3);
        EXPECT_TRUE(found.join(u'\n').contains(QString::fromUtf8(c.expected)))
            << found.join(u'\n').toStdString();
    }
    // Counts left stale after a change.
    auto m = ward(5);
    worker(*m, u"A"_s, u"日日日日日"_s);
    TallyAll(*m);
    auto stale = std::make_unique<RosterModel>(*m);
    stale->person(1, 1).cell(2).shift = u"遅"_s;
    stale->person(1, 1).cell(2).early = 0;
    EXPECT_TRUE(CheckRosterRules(*m, *stale, 3).join(u'\n').contains(u"not current"_s));
}

} // namespace

namespace {

// The objective terms on a ward with known answers: the rest shift and closed days are not
// short, people off the pattern are left out of the spreads.
TEST(RosterObjectiveTest, ShortagesAndSpreadsOfAHandMadeWard) {
    auto m = ward(7); // days 6 and 7 are Saturday and Sunday
    worker(*m, u"A"_s, u"夜明休夜明休休"_s);
    worker(*m, u"B"_s, u"日日日日日日日"_s);
    worker(*m, u"C"_s, u"日日日日日日日"_s, 2);
    need(*m, Day, u"3220222"_s);
    need(*m, Night, u"0100000"_s);
    need(*m, Rest, u"5000000"_s);
    m->requirement.at(Level::FirstGroup, 1, Day, Figure::Staff) = 3; // the team minimum
    m->requirement.at(Level::Unit, 2, Day, Figure::Leaders) = 1;     // a leader, and nobody is one
    m->requirement.at(Level::Unit, 3, Day, Figure::Staff) = 9;
    m->day(3).holidayFlag = 1;
    TallyAll(*m);
    const ObjectiveTerms t = MeasureObjective(*m);
    EXPECT_EQ(t.unitShortage, 2); // day 1 and the night of day 2
    EXPECT_EQ(t.groupShortage, 1);
    EXPECT_EQ(t.leaderShortage, 1);
    EXPECT_EQ(t.nightCapable, 2);
    EXPECT_DOUBLE_EQ(t.nightSpread, 1.0);      // nights 2 and 0
    EXPECT_DOUBLE_EQ(t.weekendOffSpread, 1.0); // weekend days off 2 and 0
    EXPECT_EQ(WeekendDaysOff(*m, m->person(1, 3)), 0);
}

} // namespace
