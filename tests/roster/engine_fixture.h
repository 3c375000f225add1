#pragma once

#include "roster/cumulative_totals.h"
#include "roster/master_cache.h"
#include "roster/roster_loader.h"
#include "roster/roster_model.h"
#include "roster/run_shape.h"
#include "roster/tallies.h"
#include "support/sample_workplace.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>
#include <memory>

// A sample workplace in a temporary database and a model loaded from it in generation mode,
// stopped just before the first pass so that tests can run single steps.
class EngineFixture : public ::testing::Test {
protected:
    TempDatabase tmp;
    std::unique_ptr<RosterModel> model = std::make_unique<RosterModel>();

    Database& db() { return tmp.db(); }
    RosterModel& m() { return *model; }

    // April 2024: day 1 is a Monday, days 6/7 and 13/14 are the first weekends.
    void load(const QString& start = QStringLiteral("2024/04/01"),
              const QString& end = QStringLiteral("2024/04/30"),
              Grouping grouping = Grouping::Everybody) {
        model = std::make_unique<RosterModel>();
        m().periodStart = start;
        m().periodEnd = end;
        m().loaded.mode = LoadMode::Generation;
        m().loaded.requests = RequestsMode::Load;
        m().loaded.grouping = grouping;
        LoadRosterPeriod(db(), m());
        LoadMasterCache(db(), m());
        LoadStoredRoster(db(), m());
        TallyAll(m());
        LoadCumulativeTotals(db(), m(), TotalsLoad::History);
    }

    RunShape shape() const { return RunShape::from(model->cache); }
    int shiftIndex(const QString& abbrev) const { return model->cache.workShiftIndex(abbrev); }

    // Group and slot of a staff number; fails the test when the person is not loaded.
    std::pair<int, int> where(const QString& no) const {
        for (int g = 1; g <= 2; ++g)
            for (int s = 1; s <= model->groupCount(g); ++s)
                if (model->person(g, s).no == no)
                    return {g, s};
        ADD_FAILURE() << "staff not loaded: " << no.toStdString();
        return {1, 1};
    }
    Person& person(const QString& no) {
        const auto [g, s] = where(no);
        return m().person(g, s);
    }
    QString shiftOn(const QString& no, int day) { return person(no).cell(day).shift; }
    // The person's shifts on days from..to, joined, "-" for an empty cell.
    QString shifts(const QString& no, int from, int to) {
        QString out;
        for (int d = from; d <= to; ++d) {
            const QString& s = person(no).cell(d).shift;
            out += s.isEmpty() ? QStringLiteral("-") : s;
        }
        return out;
    }
};
