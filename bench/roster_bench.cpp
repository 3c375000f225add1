// Expansion and registration of a 60-person, 31-day roster, with a bare SQLite insert loop of
// the same rows as the floor registration is measured against.
#include "../tests/support/sample_workplace.h"
#include "roster/generation.h"
#include "roster/registration.h"
#include "roster/roster_model.h"
#include "store/database.h"
#include "store/startup_settings.h"
#include "store/statement.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString PeriodStart = u"2024/05/01"_s;
const QString PeriodEnd = u"2024/05/31"_s;

// Two teams of 30 with requests sprinkled over the month and April on record.
struct Workplace {
    QTemporaryDir dir;
    std::unique_ptr<Database> db;
    std::unique_ptr<RosterModel> model = std::make_unique<RosterModel>();

    Workplace() {
        db = std::make_unique<Database>(Database::pathIn(dir.path()),
                                        Database::OpenMode::CreateIfMissing);
        SampleWorkplace::build(*db, 30, 2, 20, 6);
        Database::Transaction tx(*db);
        for (int n = 1; n <= 60; ++n) {
            const QString no = u"%1"_s.arg(n, 4, 10, QChar(u'0'));
            SampleWorkplace::addRequest(
                *db, 1, no, u"2024/05/%1"_s.arg(n % 28 + 1, 2, 10, QChar(u'0')), u"有"_s);
            for (int d = 1; d <= 30; ++d)
                SampleWorkplace::addRosterRow(*db, no, u"2024/04/%1"_s.arg(d, 2, 10, QChar(u'0')),
                                              (n + d) % 4 == 0 ? u"休"_s : u"日"_s);
        }
        tx.commit();
    }
    void expand() {
        ExpandRoster(*db, *model, StartupSettings{}, PeriodStart, PeriodEnd, Grouping::ByTeam);
    }
    void clearMay() { db->exec(u"DELETE FROM \"勤務表\" WHERE \"勤_勤務日\" >= '2024/05/01'"_s); }
};

Workplace& workplace() {
    static Workplace w;
    return w;
}

void BM_Expand(benchmark::State& state) {
    Workplace& w = workplace();
    for (auto _ : state) {
        w.expand();
        benchmark::DoNotOptimize(w.model->assigned.at(Level::Unit, 1, 1, Figure::Staff));
    }
}

void BM_RegisterRoster(benchmark::State& state) {
    Workplace& w = workplace();
    w.expand();
    for (auto _ : state) {
        state.PauseTiming();
        w.clearMay();
        state.ResumeTiming();
        RegisterRoster(*w.db, *w.model, Registering::NewRoster);
    }
}

// The same rows through one prepared INSERT in one transaction, with no key lookup per row.
void BM_BareSqliteFloor(benchmark::State& state) {
    Workplace& w = workplace();
    w.expand();
    struct Row {
        QByteArray no, date, planned, team, pattern;
    };
    std::vector<Row> rows;
    for (const auto& group : w.model->groups)
        for (const Person& p : group)
            for (int d = 1; d <= 31; ++d)
                rows.push_back({p.no.toUtf8(), w.model->day(d).date.toUtf8(),
                                p.cell(d).shift.toUtf8(), QByteArray("A"), QByteArray("1")});
    for (auto _ : state) {
        state.PauseTiming();
        w.clearMay();
        state.ResumeTiming();
        Database::Transaction tx(*w.db);
        Statement st =
            w.db->prepare(u"INSERT INTO \"勤務表\" VALUES (1, ?, ?, ?, 0, '', 0, '', ?, ?)"_s);
        for (const Row& r : rows)
            st.bind(1, r.no)
                .bind(2, r.date)
                .bind(3, r.planned)
                .bind(4, r.team)
                .bind(5, r.pattern)
                .run();
        tx.commit();
    }
}

} // namespace

BENCHMARK(BM_Expand)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegisterRoster)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSqliteFloor)->Unit(benchmark::kMillisecond);
