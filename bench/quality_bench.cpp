// The quality report of a generated 60-person, 31-day roster: the figures a clerk asks for
// after expansion should cost little beside expansion itself. The argument is the day shift's
// staffing need: 20 is met, 40 leaves every day short, so that every day is explained.
#include "../tests/support/sample_workplace.h"
#include "roster/generation.h"
#include "roster/quality_report.h"
#include "roster/roster_model.h"
#include "store/database.h"
#include "store/startup_settings.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

void BM_QualityReport(benchmark::State& state) {
    QTemporaryDir dir;
    Database db(Database::pathIn(dir.path()), Database::OpenMode::CreateIfMissing);
    SampleWorkplace::build(db, 30, 2, static_cast<int>(state.range(0)), 6);
    auto model = std::make_unique<RosterModel>();
    ExpandRoster(db, *model, StartupSettings{}, u"2024/05/01"_s, u"2024/05/31"_s, Grouping::ByTeam);
    size_t shortDays = 0;
    for (auto _ : state) {
        const QualityReport r = BuildQualityReport(*model);
        shortDays = r.shortDays.size();
        benchmark::DoNotOptimize(r.people.data());
    }
    state.counters["short_days"] = static_cast<double>(shortDays);
}

} // namespace

BENCHMARK(BM_QualityReport)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);
