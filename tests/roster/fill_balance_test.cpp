#include "engine_fixture.h"
#include "roster/fill_balance.h"

using namespace Qt::Literals::StringLiterals;
using namespace SampleWorkplace;

namespace {

class FillBalanceTest : public EngineFixture {
protected:
    // Gives a person the shift `pattern` spells from day `from` on ("-" leaves a day alone).
    void lay(const QString& no, int from, const QString& pattern) {
        for (int i = 0; i < pattern.size(); ++i)
            if (pattern[i] != u'-')
                person(no).cell(from + i).shift = pattern.mid(i, 1);
    }
    // Everybody but `no` on the day shift all month, so that the day shift has people to spare.
    void othersOnDayShift(const QString& no) {
        for (Person& p : m().group(1))
            if (p.no != no)
                for (int d = 1; d <= 30; ++d)
                    p.cell(d).shift = u"日"_s;
    }
    void recount() { TallyAll(m()); }
    int restCount(const QString& no) { return person(no).count[shiftIndex(u"休"_s)]; }
    // A mandatory run of the night alone, so that single people may be moved into the night.
    void nightAlone() { m().cache.patterns[4].front().shifts = {u"夜"_s}; }
    static QString days(const QString& shift, int n) { return shift.repeated(n); }
};

TEST_F(FillBalanceTest, NobodyMovesWhenTheDefaultShiftIsExactlyAtItsMinimum) {
    build(db(), 4, 1, 4, 1);
    load();
    FillRemainingShifts(m());
    for (const Person& p : m().group(1))
        EXPECT_EQ(p.count[shiftIndex(u"日"_s)], 30) << p.no.toStdString();
    EXPECT_EQ(m().assigned.at(Level::Unit, 10, shiftIndex(u"夜"_s), Figure::Staff),
              0); // the shortage stays
}

TEST_F(FillBalanceTest, SurplusPeopleMoveIntoShortShiftsFairlyButNeverOffTheirRequests) {
    build(db(), 5, 1, 4, 1);
    addRequest(db(), 2, u"0002"_s, u"2024/04/01"_s, u"日"_s);
    load();
    nightAlone();
    FillRemainingShifts(m());
    const int night = shiftIndex(u"夜"_s);
    for (int d = 1; d <= 30; ++d)
        EXPECT_EQ(m().assigned.at(Level::Unit, d, night, Figure::Staff), 1) << d;
    EXPECT_EQ(shiftOn(u"0003"_s, 1), u"夜"_s); // 0002 keeps its request, the leader 0001 is needed
    EXPECT_EQ(person(u"0001"_s).count[night], 0);
    int fewest = 99, most = 0;
    for (const QString& no : {u"0002"_s, u"0003"_s, u"0004"_s, u"0005"_s}) {
        fewest = std::min(fewest, person(no).count[night]);
        most = std::max(most, person(no).count[night]);
    }
    EXPECT_LE(most - fewest, 1);
}

TEST_F(FillBalanceTest, ByTeamEachTeamCoversItsOwnShortageWithoutItsLeader) {
    build(db(), 3, 2, 4, 1);
    load(u"2024/04/01"_s, u"2024/04/30"_s, Grouping::ByTeam);
    ASSERT_EQ(m().groupCount(2), 3);
    nightAlone();
    FillRemainingShifts(m());
    const int night = shiftIndex(u"夜"_s);
    for (int d = 1; d <= 30; ++d) {
        EXPECT_EQ(m().assigned.at(Level::FirstGroup, d, night, Figure::Staff), 1) << d;
        EXPECT_EQ(m().assigned.at(Level::SecondGroup, d, night, Figure::Staff), 1) << d;
        EXPECT_EQ(m().assigned.at(Level::Unit, d, night, Figure::Leaders), 0)
            << d; // team leaders are needed on days
    }

    // Everybody in one group: the unit needs one night, so one person moves.
    load();
    nightAlone();
    FillRemainingShifts(m());
    for (int d = 1; d <= 30; ++d)
        EXPECT_EQ(m().assigned.at(Level::Unit, d, night, Figure::Staff), 1) << d;
}

TEST_F(FillBalanceTest, ARunOfBaseLengthAfterASingleRestBecomesATwoDayRest) {
    build(db(), 3, 1, 1, 0, 30);
    addRosterRow(db(), u"0002"_s, u"2024/03/31"_s, u"日"_s);
    load();
    lay(u"0002"_s, 1, u"休"_s + days(u"日"_s, 6) + days(u"休"_s, 23));
    othersOnDayShift(u"0002"_s);
    recount();
    BreakLongRuns(m(), shape(), 1, 2);
    EXPECT_EQ(shifts(u"0002"_s, 0, 8), u"日休休日日日日日休"_s);

    // With a two-day rest already before the run, the run is cut in its middle instead.
    load();
    lay(u"0002"_s, -1, u"休休日日日日日日休"_s);
    othersOnDayShift(u"0002"_s);
    recount();
    BreakLongRuns(m(), shape(), 1, 2);
    EXPECT_EQ(shifts(u"0002"_s, 1, 7), u"日日日休日日休"_s);
}

TEST_F(FillBalanceTest, ALongRunIsCutNearItsMiddleTryingTheDaysInOrder) {
    build(db(), 3, 1, 1, 0, 30);
    addRosterRow(db(), u"0002"_s, u"2024/03/31"_s, u"休"_s);
    // Seven working days with a base length of 5: m = 4, so e-4, e-5, e-3.
    const std::vector<std::pair<std::vector<int>, int>> cases = {{{}, 4}, {{4}, 3}, {{4, 3}, 5}};
    for (const auto& [blocked, expected] : cases) {
        load();
        m().cache.patterns[1].front().shifts = {u"日"_s, u"夜"_s, u"明"_s, u"休"_s, u"休"_s};
        lay(u"0002"_s, 1, days(u"日"_s, 7) + days(u"休"_s, 23));
        for (int d : blocked)
            person(u"0002"_s).cell(d).requestShift = u"日"_s; // a requested day has no surplus
        othersOnDayShift(u"0002"_s);
        recount();
        BreakLongRuns(m(), shape(), 1, 2);
        for (int d = 1; d <= 7; ++d)
            EXPECT_EQ(shiftOn(u"0002"_s, d) == u"休"_s, d == expected) << d;
    }
    EXPECT_EQ(HalfRoundedToEven(7), 4);
    EXPECT_EQ(HalfRoundedToEven(5), 2);
    EXPECT_EQ(HalfRoundedToEven(9), 4);
    EXPECT_EQ(HalfRoundedToEven(8), 4);
}

TEST_F(FillBalanceTest, RestDaysStopAtTheRestShiftsMaximum) {
    const QString runs =
        days(u"日"_s, 3) + u"休"_s + days(u"日"_s, 8) + u"休"_s + days(u"日"_s, 17);
    build(db(), 3, 1, 1, 0, 2);
    addRosterRow(db(), u"0002"_s, u"2024/03/31"_s, u"休"_s);
    load();
    lay(u"0002"_s, 1, runs);
    othersOnDayShift(u"0002"_s);
    recount();
    ASSERT_EQ(restCount(u"0002"_s), 2);
    BreakLongRuns(m(), shape(), 1, 2);
    AddRestDaysUpToMax(m(), 1, 2);
    EXPECT_EQ(restCount(u"0002"_s), 2);

    // One more allowed: it goes to the start of the longest run that follows a rest day.
    db().exec(u"UPDATE \"シフト基本\" SET \"基本_MAX\" = 3 WHERE \"基本_略称\" = '休'"_s);
    load();
    lay(u"0002"_s, 1, runs);
    othersOnDayShift(u"0002"_s);
    recount();
    AddRestDaysUpToMax(m(), 1, 2);
    EXPECT_EQ(restCount(u"0002"_s), 3);
    EXPECT_EQ(shifts(u"0002"_s, 1, 6), u"日日日休休日"_s);

    // A run that began in the lead days is history: it is skipped, not an end to the search.
    load();
    lay(u"0002"_s, -2, u"休日日"_s + runs);
    othersOnDayShift(u"0002"_s);
    recount();
    AddRestDaysUpToMax(m(), 1, 2);
    EXPECT_EQ(shifts(u"0002"_s, 1, 6), u"日日日休休日"_s);
}

// The shifts of a mandatory run of more than one day are neither filled one person at a time
// nor broken up by a rest day: a short night or after-night stays short, a surplus night stays.
TEST_F(FillBalanceTest, NightRunsAreNeitherFilledNorBrokenOnePersonAtATime) {
    struct Lay {
        QString no;
        int from;
        QString shifts;
    };
    struct Count {
        int day;
        QString shift;
        int expected;
    };
    struct Row {
        const char* what;
        int need[3]; // 日, 夜, 明
        QStringList run;
        std::vector<Lay> laid;
        QString requestOnDay1; // for 0002
        Lay expected;          // what the person still holds afterwards
        std::vector<Count> counts;
    };
    const QString rested = days(u"休"_s, 5);
    const std::vector<Row> rows = {
        {"a request cuts the night run carried over from the month before",
         {2, 0, 1},
         {u"夜"_s, u"明"_s, u"休"_s},
         {{u"0002"_s, 0, u"夜"_s}},
         u"有"_s,
         {u"0002"_s, 0, u"夜-"_s},
         {{1, u"明"_s, 0}, {15, u"明"_s, 0}}},
        {"the night is short after the assignment pass",
         {2, 1, 0},
         {u"夜"_s, u"明"_s, u"休"_s},
         {},
         {},
         {u"0003"_s, 10, u"日"_s},
         {{1, u"夜"_s, 0}, {10, u"夜"_s, 0}}},
        {"one night too many on a day short of day staff, right after a rest day",
         {4, 1, 0},
         {u"夜"_s, u"明"_s},
         {{u"0002"_s, 2, u"夜明"_s},
          {u"0003"_s, -4, rested + u"休夜明日日日休"_s + u"日日日休"_s.repeated(5) + u"日日日"_s}},
         {},
         {u"0003"_s, 1, u"休夜明"_s},
         {{2, u"夜"_s, 2}, {2, u"日"_s, 3}}},
        {"a long run whose only surplus day is a night",
         {4, 1, 0},
         {u"夜"_s, u"明"_s},
         {{u"0002"_s, 4, u"休夜明"_s}, {u"0003"_s, -4, rested + u"休日日日夜明日日休"_s}},
         {},
         {u"0003"_s, 5, u"夜明"_s},
         {{5, u"夜"_s, 2}, {4, u"日"_s, 4}}},
    };
    build(db(), 5, 1, 4, 1, 20);
    const auto need = [&](const QString& shift, int n) {
        db().exec(
            u"UPDATE \"シフト基本\" SET \"基本_最小要員\" = %1 WHERE \"基本_略称\" = '%2'"_s.arg(n)
                .arg(shift));
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        need(u"日"_s, row.need[0]);
        need(u"夜"_s, row.need[1]);
        need(u"明"_s, row.need[2]);
        load();
        m().cache.patterns[4].front().shifts = {row.run.begin(), row.run.end()};
        for (const Lay& l : row.laid)
            lay(l.no, l.from, l.shifts);
        if (!row.requestOnDay1.isEmpty())
            person(u"0002"_s).cell(1).requestShift = row.requestOnDay1;
        recount();
        FillRemainingShifts(m());
        const Lay& e = row.expected;
        EXPECT_EQ(shifts(e.no, e.from, e.from + static_cast<int>(e.shifts.size()) - 1), e.shifts);
        for (const Count& c : row.counts)
            EXPECT_EQ(m().assigned.at(Level::Unit, c.day, shiftIndex(c.shift), Figure::Staff),
                      c.expected)
                << c.day << " " << c.shift.toStdString();
    }
}

} // namespace
