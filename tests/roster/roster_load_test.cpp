// One entry point loads a roster for every purpose: what it loads is what the step-by-step
// loads of each caller loaded, on the demo ward and on a varied workplace split by team.
#include "roster/cumulative_totals.h"
#include "roster/generation.h"
#include "roster/master_cache.h"
#include "roster/registration.h"
#include "roster/roster_load.h"
#include "roster/roster_loader.h"
#include "roster/roster_rows.h"
#include "roster/tallies.h"
#include "store/clock.h"
#include "store/database.h"
#include "store/demo_workplace.h"
#include "store/records/roster_row.h"
#include "store/startup_settings.h"
#include "store/text_values.h"
#include "support/temp_database.h"
#include "support/varied_workplace.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// The steps each caller ran itself before there was one entry point.
std::unique_ptr<RosterModel> stepByStep(Database& db, const StartupSettings& s,
                                        const RosterQuery& q) {
    auto m = std::make_unique<RosterModel>();
    const LoadPurpose p = q.purpose;
    m->periodStart = q.from;
    m->periodEnd = q.to;
    m->byTeam = p == LoadPurpose::View ? 0 : s.byTeam; // the daily inquiry left it unset
    m->loaded.grouping = q.grouping;
    m->loaded.filter.staffNo = q.filter.staffNo;
    m->loaded.filter.team = q.filter.team;
    if (p == LoadPurpose::Totals)
        SetTotalsColumns(*m, q.columns);
    if (p == LoadPurpose::Generate || p == LoadPurpose::PersonalSheets)
        m->loaded.mode = LoadMode::Generation;
    else
        m->loaded.mode = LoadMode::View;
    if (p == LoadPurpose::Generate || p == LoadPurpose::Report)
        m->loaded.requests = RequestsMode::Load;
    if (p == LoadPurpose::Report)
        m->loaded.grouping = s.byTeam == 1 ? Grouping::ByTeam : Grouping::Everybody;
    Database::Transaction read(db, Database::Transaction::Kind::Read);
    LoadRosterPeriod(db, *m, s.weekdayName);
    LoadMasterCache(db, *m);
    if (p == LoadPurpose::Totals) {
        LoadCumulativeTotals(db, *m, TotalsLoad::Columns);
        return m;
    }
    LoadStoredRoster(db, *m);
    if (p == LoadPurpose::Report) { // the five lead days, planned and actual apart
        const QDate start = TextValues::parseDateText(q.from);
        ForEachRosterRow(
            db, TextValues::addDays(q.from, -5), TextValues::addDays(q.from, -1),
            [&](const RosterRow& row) {
                for (auto& g : m->groups)
                    for (Person& person : g) {
                        const int d =
                            TextValues::diffDays(start, TextValues::parseDateText(row.date)) + 1;
                        if (person.no != row.staffNo || d < RosterBounds::FirstDay)
                            continue;
                        Cell& c = person.cell(d);
                        c.shift = row.planned;
                        c.early = row.plannedEarly;
                        c.actualShift = row.actual;
                        c.actualEarly = row.actualEarly;
                    }
            });
    }
    if (p != LoadPurpose::View)
        TallyAll(*m);
    if (p == LoadPurpose::Generate)
        LoadCumulativeTotals(db, *m, TotalsLoad::History);
    return m;
}

// Everything a load puts in the model, as one text.
QString loaded(const RosterModel& m) {
    QStringList out{m.periodStart,
                    m.periodEnd,
                    QString::number(m.periodDayCount),
                    QString::number(static_cast<int>(m.loaded.mode)),
                    QString::number(static_cast<int>(m.loaded.requests)),
                    QString::number(static_cast<int>(m.loaded.grouping)),
                    m.loaded.filter.staffNo,
                    m.loaded.filter.team,
                    m.totalsWindowStart,
                    m.totalsWindowEnd,
                    QString::number(m.createdSeen.has_value()),
                    QString::fromLatin1(m.requestsSeen.value_or(QByteArray()).toHex())};
    for (int d = RosterBounds::FirstDay; d <= RosterBounds::LastDay; ++d)
        out << m.day(d).date + m.day(d).note + QString::number(m.day(d).holidayFlag);
    auto numbers = [&](const ShiftCounts& c) {
        for (int v : c)
            out << QString::number(v);
    };
    for (int g = 1; g <= 2; ++g)
        for (const Person& p : m.group(g)) {
            out << QString::number(g) + p.no + p.team;
            for (int d = RosterBounds::FirstDay; d <= RosterBounds::LastDay; ++d) {
                const Cell& c = p.cell(d);
                out << c.shift + c.actualShift + c.requestShift +
                           QString::number(c.early * 100 + c.actualEarly * 10 + c.unavailable);
            }
            numbers(p.count);
            numbers(p.earlyCount);
            numbers(p.lateCount);
            for (const auto& plane : p.cumulative)
                for (const ShiftCounts& column : plane)
                    numbers(column);
        }
    for (int level = 1; level <= RosterBounds::Levels; ++level)
        for (int d = 0; d <= RosterBounds::LastDay; ++d)
            for (int s = 1; s <= RosterBounds::MaxWorkShifts; ++s)
                for (const Figure f : AllFigures)
                    if (const int n = m.assigned.at(level, d, s, f); n != 0)
                        out << u"%1.%2.%3.%4=%5"_s.arg(level)
                                   .arg(d)
                                   .arg(s)
                                   .arg(static_cast<int>(f))
                                   .arg(n);
    return out.join(u'|');
}

void expectSameLoads(Database& db, const StartupSettings& settings, const QString& from,
                     const QString& to, Grouping grouping) {
    // A generated roster registered over the period, so that stored rows are there to load.
    auto generated = std::make_unique<RosterModel>();
    ExpandRoster(db, *generated, settings, from, to, grouping);
    RegisterRoster(db, *generated, Registering::NewRoster);
    const Person& someone = generated->person(generated->groupCount(2) > 0 ? 2 : 1, 1);
    const TotalsColumns months = MonthColumns(TextValues::parseDateText(from).addMonths(-1),
                                              TextValues::parseDateText(to), 4);

    struct Case {
        const char* what;
        LoadPurpose purpose;
        RosterFilter filter;
        Grouping grouping;
    };
    const RosterFilter everybody;
    const RosterFilter one = RosterFilter::staff(someone.no);
    const RosterFilter team = RosterFilter::ofTeam(someone.team);
    const Case cases[] = {
        {"generate", LoadPurpose::Generate, everybody, grouping},
        {"view", LoadPurpose::View, everybody, Grouping::Everybody},
        {"print everybody", LoadPurpose::Print, everybody, grouping},
        {"print one person", LoadPurpose::Print, one, Grouping::Everybody},
        {"print one team", LoadPurpose::Print, team, Grouping::ByTeam},
        {"personal sheets", LoadPurpose::PersonalSheets, one, Grouping::Everybody},
        {"report", LoadPurpose::Report, everybody, Grouping::Everybody},
        {"totals everybody", LoadPurpose::Totals, everybody, Grouping::Everybody},
        {"totals one team", LoadPurpose::Totals, team, Grouping::ByTeam},
    };
    for (const Case& c : cases) {
        RosterQuery q;
        q.purpose = c.purpose;
        q.from = from;
        q.to = to;
        q.grouping = c.grouping;
        q.filter = c.filter;
        q.columns = months;
        EXPECT_EQ(loaded(LoadRoster(db, settings, q)), loaded(*stepByStep(db, settings, q)))
            << c.what;
    }
}

TEST(RosterLoadTest, EveryPurposeLoadsWhatItsStepsLoaded) {
    {
        TempDatabase tmp;
        LoadDemoWorkplace(tmp.db(), FixedClock(QDate(2024, 4, 1)));
        StartupSettings settings;
        LoadStartupSettings(tmp.db(), settings);
        expectSameLoads(tmp.db(), settings, u"2024/04/01"_s, u"2024/04/30"_s, Grouping::Everybody);
    }
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        TempDatabase tmp;
        const VariedWorkplace::Workplace w = VariedWorkplace::build(tmp.db(), seed);
        if (w.grouping != Grouping::ByTeam)
            continue;
        StartupSettings settings;
        settings.byTeam = 1;
        expectSameLoads(tmp.db(), settings, w.start, w.end, w.grouping);
        break;
    }
}

} // namespace
