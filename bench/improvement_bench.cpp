// The improvement pass after expansion on varied workplaces of 60 and 300 staff over 31 days.
// Each iteration improves a fresh copy of the same expanded roster; seeds 5 and 11 are
// workplaces the expansion leaves short, seed 1 one it covers.
#include "../tests/support/varied_workplace.h"
#include "roster/generation.h"
#include "roster/improvement_pass.h"
#include "roster/roster_model.h"
#include "store/database.h"
#include "store/startup_settings.h"
#include "support/exact_roster_model.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

struct Expanded {
    QTemporaryDir dir;
    std::unique_ptr<RosterModel> model;

    Expanded(int staff, int seed) {
        Database db(Database::pathIn(dir.path()), Database::OpenMode::CreateIfMissing);
        model = VariedWorkplace::expand(db, VariedWorkplace::build(db, seed, staff));
    }
};

void improve(benchmark::State& state, const Expanded& e) {
    auto copy = std::make_unique<RosterModel>();
    ImprovementResult r;
    for (auto _ : state) {
        state.PauseTiming();
        *copy = *e.model;
        state.ResumeTiming();
        r = ImproveRoster(*copy);
    }
    state.counters["shortBefore"] = r.before.unitShortage;
    state.counters["shortAfter"] = r.after.unitShortage;
    state.counters["changed"] = static_cast<double>(r.changed.size());
    state.counters["moves"] = static_cast<double>(r.movesTried);
    state.counters["timeLimitHit"] = r.timeLimitHit ? 1 : 0;
}

// Expanded once per staff size and seed.
const Expanded& expanded(int staff, int seed) {
    static std::map<std::pair<int, int>, std::unique_ptr<Expanded>> cache;
    auto& e = cache[{staff, seed}];
    if (!e)
        e = std::make_unique<Expanded>(staff, seed);
    return *e;
}

void BM_Improve60(benchmark::State& state) {
    improve(state, expanded(60, static_cast<int>(state.range(0))));
}

void BM_Improve300(benchmark::State& state) {
    improve(state, expanded(300, static_cast<int>(state.range(0))));
}

} // namespace

BENCHMARK(BM_Improve60)->Arg(1)->Arg(5)->Arg(11)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Improve300)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

namespace {

// The pass against the exact optimum over the hundred workplaces of the measuring set: the
// figures are the counters (one iteration; the solver needs `cbc` and takes a few minutes).
void BM_ImproveAgainstOptimum(benchmark::State& state) {
    if (!ExactSolverAvailable()) {
        state.SkipWithError("cbc is not installed");
        return;
    }
    OptimumComparison c;
    for (auto _ : state)
        c = CompareWithOptimum(static_cast<int>(state.range(0)), 60, false);
    state.counters["plain"] = c.plain;
    state.counters["improved"] = c.improved;
    state.counters["optimum"] = c.optimum;
    state.counters["short"] = c.shortWorkplaces;
    state.counters["atOptimum"] = c.atOptimum;
    state.counters["worstGap"] = c.worstGap;
    state.counters["unproven"] = c.unproven;
    state.counters["violations"] = static_cast<double>(c.violations.size());
    state.counters["slowestPassMs"] = c.slowestPassMs;
}

} // namespace

BENCHMARK(BM_ImproveAgainstOptimum)->Arg(100)->Iterations(1)->Unit(benchmark::kSecond);
