// One undo and one redo of a hand edit on an expanded varied workplace of 60 staff over 31
// days, with a step recorded before each undo as a screen records it before each change; and
// 元に戻す on the creation screen of 60 staff, from the click to the grid painted again.
#include "../tests/support/sample_workplace.h"
#include "../tests/support/varied_workplace.h"
#include "roster/generation.h"
#include "roster/roster_history.h"
#include "roster/roster_model.h"
#include "screens/app_context.h"
#include "screens/roster/roster_creation_screen.h"
#include "store/clock.h"
#include "store/database.h"
#include "store/startup_settings.h"
#include "widgets/flex_grid.h"
#include "widgets/prompter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

std::unique_ptr<RosterModel> expanded60() {
    QTemporaryDir dir;
    Database db(Database::pathIn(dir.path()), Database::OpenMode::CreateIfMissing);
    const VariedWorkplace::Workplace w = VariedWorkplace::build(db, 1, 60);
    return VariedWorkplace::expand(db, w);
}

void BM_Undo60(benchmark::State& state) {
    const auto m = expanded60();
    RosterHistory history;
    for (auto _ : state) {
        state.PauseTiming();
        history.record(*m);
        m->person(1, 1).cell(3).shift = m->cache.restShift;
        state.ResumeTiming();
        benchmark::DoNotOptimize(history.undo(*m, {}).has_value());
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
        benchmark::DoNotOptimize(history.redo(*m, {}).has_value());
    }
}

// What the screens pay before each change: the copy of the people and the day counts.
void BM_Record60(benchmark::State& state) {
    const auto m = expanded60();
    RosterHistory history;
    for (auto _ : state)
        history.record(*m);
}

class YesPrompter final : public Prompter {
public:
    void inform(const QString&, const QString&) override {}
    void informPlain(const QString&, const QString&) override {}
    bool ask(const QString&, const QString&) override { return true; }
};

void BM_UndoOnScreen60(benchmark::State& state) {
    QTemporaryDir dir;
    Database db(Database::pathIn(dir.path()), Database::OpenMode::CreateIfMissing);
    SampleWorkplace::build(db, 60);
    YesPrompter prompter;
    FixedClock clock(QDate(2024, 4, 1));
    AppContext ctx{db, prompter, clock, {}, {}, {}};
    RosterCreationScreen screen(ctx, RosterCreationScreen::Kind::Individual);
    screen.findChild<QLineEdit*>(u"表開始日"_s)->setText(u"2024/05/01"_s);
    screen.findChild<QLineEdit*>(u"表終了日"_s)->setText(u"2024/05/31"_s);
    screen.setEditChooser([](QWidget*, const QString&, int) {
        return EditResult{
            .action = EditAction::Insert, .shiftName = u"公休"_s, .shiftAbbrev = u"休"_s};
    });
    screen.show();
    screen.findChild<QPushButton*>(u"展開"_s)->click();
    Q_EMIT screen.grid()->cellClickedAt(3, 11);
    auto* undo = screen.findChild<QPushButton*>(u"元に戻す"_s);
    auto* redo = screen.findChild<QPushButton*>(u"やり直し"_s);
    if (!undo->isEnabled())
        state.SkipWithError("the edit was not made");
    for (auto _ : state) {
        undo->click();
        screen.grid()->repaint();
        state.PauseTiming();
        redo->click();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_UndoOnScreen60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Undo60)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Redo60)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Record60)->Unit(benchmark::kMicrosecond);
