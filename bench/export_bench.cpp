// Export of a registered 300-person month to an Excel workbook (target: under a second).
#include "../tests/support/varied_workplace.h"
#include "output/roster_workbook_export.h"
#include "print/colour_table.h"
#include "roster/generation.h"
#include "roster/registration.h"
#include "roster/roster_load.h"
#include "store/database.h"
#include "store/startup_settings.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

void BM_ExportWorkbook300(benchmark::State& state) {
    QTemporaryDir dir;
    Database db(Database::pathIn(dir.path()), Database::OpenMode::CreateIfMissing);
    const VariedWorkplace::Workplace w = VariedWorkplace::build(db, 7, 300);
    const auto generated = VariedWorkplace::expand(db, w);
    StartupSettings settings;
    settings.byTeam = generated->byTeam;
    RegisterRoster(db, *generated, Registering::NewRoster);
    RosterQuery choice;
    choice.from = w.start;
    choice.to = w.end;
    choice.grouping = w.grouping;
    const QString path = dir.filePath(u"勤務表.xlsx"_s);
    for (auto _ : state) {
        const QString failed = ExportRosterWorkbook(db, settings, choice, path, ColourTable::rgb);
        if (!failed.isEmpty())
            state.SkipWithError(failed.toStdString().c_str());
    }
    state.counters["staff"] = w.staff;
}

} // namespace

BENCHMARK(BM_ExportWorkbook300)->Unit(benchmark::kMillisecond);
