#pragma once

// Seeded shift workplaces that differ in size, teams, shifts, requirements, patterns, requests,
// closed days, leave of absence and the days before the period, for testing and measuring the
// generation on more than one shape of ward. The same seed always gives the same workplace.
#include "dice.h"
#include "roster/generation.h"
#include "roster/roster_model.h"
#include "sample_workplace.h"
#include "store/startup_settings.h"

#include <QDate>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

namespace VariedWorkplace {

struct Workplace {
    QString start, end;
    Grouping grouping = Grouping::Everybody;
    int staff = 0;
};

inline QString date(const QDate& d) {
    return d.toString(QStringLiteral("yyyy/MM/dd"));
}

// The staff of a workplace with their leaders, shift types, leave, the five days before the
// period (so that runs continue into it), requests and days many people ask off together.
inline void addStaffAndRequests(Database& db, Dice& dice, const QDate& first, int n, int perTeam,
                                const QStringList& lead) {
    using namespace SampleWorkplace;
    const QString D = QStringLiteral("日"), N = QStringLiteral("夜"), R = QStringLiteral("休");
    std::vector<int> popular;
    for (int k = dice.between(1, 4); k > 0; --k)
        popular.push_back(dice.between(0, 27));
    const int popularShare = dice.between(8, 22);
    const QStringList asked = {QStringLiteral("有"), R, R, N, D};
    for (int i = 1; i <= n; ++i) {
        StaffDef s;
        s.no = QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
        s.name = QStringLiteral("職員%1").arg(i);
        s.order = i;
        s.team = (i - 1) / perTeam == 0 ? QStringLiteral("Aチーム") : QStringLiteral("Bチーム");
        s.leader = dice.chance(22) || (i - 1) % perTeam == 0 ? 1 : 0;
        const int kind = dice.between(1, 100);
        s.shiftType = kind <= 6 ? 2 : kind <= 9 ? 5 : 1;
        if (dice.chance(4))
            s.leaveFrom = date(first.addDays(dice.between(5, 25)));
        if (s.leaveFrom.isEmpty() && dice.chance(3))
            s.assigned = date(first.addDays(dice.between(3, 15)));
        addStaff(db, s);
        // The five days before the period, so that runs continue into it.
        const int offset = dice.between(0, static_cast<int>(lead.size()) - 1);
        for (int k = 0; k < 5; ++k)
            addRosterRow(db, s.no, date(first.addDays(k - 5)), lead[(offset + k) % lead.size()]);
        std::set<int> requested;
        for (int k = dice.between(0, 4); k > 0; --k)
            requested.insert(dice.between(0, 27));
        // Days that many people ask off together (a festival, school holidays).
        std::set<int> off;
        for (int day : popular)
            if (dice.chance(popularShare) && !requested.count(day))
                off.insert(day);
        for (int day : requested)
            addRequest(db, 1, s.no, date(first.addDays(day)),
                       asked[dice.between(0, static_cast<int>(asked.size()) - 1)]);
        for (int day : off)
            addRequest(db, 1, s.no, date(first.addDays(day)), asked[dice.between(0, 1)]);
    }
}

// Writes workplace `seed` into an empty roster database and says which period to generate;
// `staffOverride` fixes the head count (for measuring), otherwise the seed chooses it.
inline Workplace build(Database& db, std::uint64_t seed, int staffOverride = 0) {
    using namespace SampleWorkplace;
    Dice dice(seed);
    Workplace w;
    const int teams = dice.chance(60) ? 2 : 1;
    const int perTeam = staffOverride > 0 ? (staffOverride + teams - 1) / teams
                                          : dice.between(teams == 2 ? 8 : 10, 30);
    const int n = perTeam * teams;
    w.staff = n;
    w.grouping = teams == 2 ? Grouping::ByTeam : Grouping::Everybody;
    const QDate first(2024, dice.between(1, 12), 1);
    w.start = date(first);
    w.end = date(first.addMonths(1).addDays(-1));

    const bool late = dice.chance(55), early = dice.chance(30);
    const int nightStaff = std::max(1, n * dice.between(8, 14) / 100);
    const int lateStaff = late ? std::max(1, n * dice.between(4, 10) / 100) : 0;
    const int earlyStaff = early ? std::max(1, n * dice.between(3, 8) / 100) : 0;
    const int dayStaff = std::max(2, n * dice.between(22, 34) / 100);
    const int nightMax = dice.between(4, 9);
    const int restMax = dice.between(8, 10);
    const int nightLeaders = dice.chance(30) ? 1 : 0;
    const int runShape = dice.between(0, 2);

    Database::Transaction tx(db);
    addShift(db, {QStringLiteral("日"), QStringLiteral("日勤"), 1, 1, dayStaff, 1,
                  teams == 2 ? dayStaff / 2 : 0, teams == 2 ? 1 : 0, 31, 1, 1, 1});
    addShift(db, {QStringLiteral("夜"), QStringLiteral("夜勤"), 1, 2, nightStaff, nightLeaders,
                  teams == 2 ? nightStaff / 2 : 0, 0, nightMax});
    addShift(db, {QStringLiteral("明"), QStringLiteral("明け"), 1, 3, 0, 0, 0, 0, nightMax + 1});
    if (late)
        addShift(db, {QStringLiteral("遅"), QStringLiteral("遅番"), 1, 4, lateStaff, 0,
                      teams == 2 ? lateStaff / 2 : 0, 0, dice.between(5, 14)});
    if (early)
        addShift(db, {QStringLiteral("早"), QStringLiteral("早番"), 1, 5, earlyStaff, 0, 0, 0,
                      dice.between(4, 12)});
    addShift(db, {QStringLiteral("休"), QStringLiteral("公休"), 1, 6, 0, 0, 0, 0, restMax});
    addShift(db,
             {QStringLiteral("有"), QStringLiteral("有給休暇"), 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    addCode(db, 3, 1, QStringLiteral("日勤"), QStringLiteral("日"));
    addCode(db, 3, 2, QStringLiteral("公休"), QStringLiteral("休"));
    addCode(db, 5, 1, QStringLiteral("Aチーム"), QStringLiteral("A"));
    addCode(db, 5, 2, QStringLiteral("Bチーム"), QStringLiteral("B"));
    addCode(db, 7, 1, QStringLiteral("日勤"), QStringLiteral("日"));
    addCode(db, 8, 1, QStringLiteral("日勤"), QStringLiteral("日"));
    const QString D = QStringLiteral("日"), N = QStringLiteral("夜"), A = QStringLiteral("明"),
                  R = QStringLiteral("休");
    if (runShape == 0) {
        addPattern(db, 1, 1, {D, D, N, A, R, R});
        addPattern(db, 4, 1, {N, A, R});
    } else if (runShape == 1) {
        addPattern(db, 1, 1, {D, D, D, N, A, R});
        addPattern(db, 4, 1, {N, A, R});
    } else {
        addPattern(db, 1, 1, {D, D, N, A, R});
        addPattern(db, 4, 1, {N, A});
    }
    addPattern(db, 5, 1, {R, D, D, D, D, D, R});
    // A day shift straight after the night and a day shift after a late one are not allowed.
    addPattern(db, 2, 1, {A, D});
    if (late)
        addPattern(db, 2, 2, {QStringLiteral("遅"), early ? QStringLiteral("早") : D});
    setCreationUnit(db, 1, 1, teams == 2 ? 1 : 0, date(first.addMonths(-1)),
                    date(first.addDays(-1)));

    // Closed days: none in most wards, a few holidays in some.
    if (dice.chance(20)) {
        std::set<int> closed;
        for (int k = dice.between(1, 3); k > 0; --k)
            closed.insert(dice.between(0, 27));
        for (int day : closed)
            addCalendarDay(db, date(first.addDays(day)), 1);
    }

    addStaffAndRequests(db, dice, first, n, perTeam, {D, D, N, A, R, R, D, D, D, R, R});
    tx.commit();
    return w;
}

// A small understaffed ward of 8 to 20 people: one night nurse a night (two in the larger ones),
// a day shift that wants more people than the ward can spare, the night run 夜明休, 夜明 or
// 夜夜休, and the after-night and rest shifts left out of the shortage check (so is the late
// shift in some wards).
inline Workplace buildSmall(Database& db, std::uint64_t seed) {
    using namespace SampleWorkplace;
    Dice dice(seed * 7919 + 17);
    Workplace w;
    const int teams = dice.chance(25) ? 2 : 1;
    const int perTeam = teams == 2 ? dice.between(4, 10) : dice.between(8, 20);
    const int n = perTeam * teams;
    w.staff = n;
    w.grouping = teams == 2 ? Grouping::ByTeam : Grouping::Everybody;
    const QDate first(2024, dice.between(1, 12), 1);
    w.start = date(first);
    w.end = date(first.addMonths(1).addDays(-1));

    const int runShape = dice.between(0, 2);
    const bool late = dice.chance(40);
    const int nightStaff = n >= 14 && dice.chance(50) ? 2 : 1;
    // About as many as the ward has left once the nights are covered, give or take one.
    const int nightDays = runShape == 2 ? nightStaff : 2 * nightStaff;
    const int dayStaff = std::max(2, 7 * n / 10 - nightDays - (late ? 1 : 0) + dice.between(-1, 1));
    const int nightMax = dice.between(5, 9);
    const int restMax = dice.between(8, 10);
    const QString D = QStringLiteral("日"), N = QStringLiteral("夜"), A = QStringLiteral("明"),
                  R = QStringLiteral("休"), L = QStringLiteral("遅");

    Database::Transaction tx(db);
    addShift(db, {D, QStringLiteral("日勤"), 1, 1, dayStaff, 1, teams == 2 ? dayStaff / 2 : 0,
                  teams == 2 ? 1 : 0, 31, 1, 1, 1});
    addShift(db, {N, QStringLiteral("夜勤"), 1, 2, nightStaff, 0, 0, 0,
                  runShape == 2 ? 2 * nightMax : nightMax});
    if (runShape != 2)
        addShift(db, {A, QStringLiteral("明け"), 1, 3, 0, 0, 0, 0, nightMax + 1, 0, 0, 0, 0, 0});
    if (late)
        addShift(db, {L, QStringLiteral("遅番"), 1, 4, 1, 0, 0, 0, dice.between(4, 10), 0, 0, 0, 0,
                      dice.chance(30) ? 0 : 1});
    addShift(db, {R, QStringLiteral("公休"), 1, 6, 0, 0, 0, 0, restMax, 0, 0, 0, 0, 0});
    addShift(db,
             {QStringLiteral("有"), QStringLiteral("有給休暇"), 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    addCode(db, 3, 1, QStringLiteral("日勤"), D);
    addCode(db, 3, 2, QStringLiteral("公休"), R);
    addCode(db, 5, 1, QStringLiteral("Aチーム"), QStringLiteral("A"));
    addCode(db, 5, 2, QStringLiteral("Bチーム"), QStringLiteral("B"));
    addCode(db, 7, 1, QStringLiteral("日勤"), D);
    addCode(db, 8, 1, QStringLiteral("日勤"), D);
    QStringList lead;
    if (runShape == 0) {
        addPattern(db, 1, 1, {D, D, N, A, R, R});
        addPattern(db, 4, 1, {N, A, R});
        addPattern(db, 2, 1, {A, D});
        lead = {D, D, N, A, R, R, D, D, D, R, R};
    } else if (runShape == 1) {
        addPattern(db, 1, 1, {D, D, N, A, R});
        addPattern(db, 4, 1, {N, A});
        addPattern(db, 2, 1, {A, D});
        lead = {D, D, N, A, R, D, D, D, R, R};
    } else {
        addPattern(db, 1, 1, {D, D, N, N, R, R});
        addPattern(db, 4, 1, {N, N, R});
        lead = {D, D, N, N, R, R, D, D, D, R, R};
    }
    addPattern(db, 5, 1, {R, D, D, D, D, D, R});
    if (late)
        addPattern(db, 2, 2, {L, D});
    setCreationUnit(db, 1, 1, teams == 2 ? 1 : 0, date(first.addMonths(-1)),
                    date(first.addDays(-1)));
    if (dice.chance(25))
        for (int k = dice.between(1, 2); k > 0; --k)
            addCalendarDay(db, date(first.addDays(dice.between(0, 27))), 1);
    addStaffAndRequests(db, dice, first, n, perTeam, lead);
    tx.commit();
    return w;
}

// Workplace `index` of the measuring set: odd ones from build, even ones small wards.
inline Workplace buildOfSet(Database& db, int index) {
    return index % 2 == 1 ? build(db, static_cast<std::uint64_t>(index))
                          : buildSmall(db, static_cast<std::uint64_t>(index));
}

// The workplace's period expanded as the creation screen would, by team where it is split.
inline std::unique_ptr<RosterModel> expand(Database& db, const Workplace& w) {
    StartupSettings settings;
    settings.byTeam = w.grouping == Grouping::ByTeam ? 1 : 0;
    auto m = std::make_unique<RosterModel>();
    ExpandRoster(db, *m, settings, w.start, w.end, w.grouping);
    return m;
}

} // namespace VariedWorkplace
