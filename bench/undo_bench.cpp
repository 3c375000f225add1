// One undo and one redo of a hand edit on an expanded varied workplace of 60 staff over 31
// days, with a step recorded before each undo as a screen records it before each change.
#include "../tests/support/varied_workplace.h"
#include "roster/generation.h"
#include "roster/roster_history.h"
#include "roster/roster_model.h"
#include "store/database.h"
#include "store/startup_settings.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<RosterModel> expanded60() {
    QTemporaryDir dir;
    Database db(Database::pathIn(dir.path()), Database::OpenMode::CreateIfMissing);
    const VariedWorkplace::Workplace w = VariedWorkplace::build(db, 1, 60);
    StartupSettings settings;
    settings.byTeam = w.grouping == Grouping::ByTeam ? 1 : 0;
    auto m = std::make_unique<RosterModel>();
    ExpandRoster(db, *m, settings, w.start, w.end, w.grouping);
    return m;
}

void BM_Undo60(benchmark::State& state) {
    const auto m = expanded60();
    RosterHistory history;
    for (auto _ : state) {
        state.PauseTiming();
        history.record(*m);
        m->person(1, 1).cell(3).shift = m->cache.restShift;
        state.ResumeTiming();
        benchmark::DoNotOptimize(history.undo(*m, {}));
    }
}

void BM_Redo60(benchmark::State& state) {
    const auto m = expanded60();
    RosterHistory history;
    for (auto _ : state) {
        state.PauseTiming();
        history.record(*m);
        history.undo(*m, {});
        state.ResumeTiming();
        benchmark::DoNotOptimize(history.redo(*m, {}));
    }
}

// What the screens pay before each change: the copy of the people and the day counts.
void BM_Record60(benchmark::State& state) {
    const auto m = expanded60();
    RosterHistory history;
    for (auto _ : state)
        history.record(*m);
}

} // namespace

BENCHMARK(BM_Undo60)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Redo60)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Record60)->Unit(benchmark::kMicrosecond);
