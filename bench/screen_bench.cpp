// From pressing 展開 on the creation screen to its grid painted: the demo ward's proposed month,
// and 60 staff over 31 days.
#include "../tests/support/sample_workplace.h"
#include "screens/app_context.h"
#include "screens/roster/roster_creation_screen.h"
#include "store/clock.h"
#include "store/database.h"
#include "store/demo_workplace.h"
#include "widgets/flex_grid.h"
#include "widgets/prompter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// The screen reports "勤務表を展開しました"; a benchmark has nobody to read it.
class QuietPrompter final : public Prompter {
public:
    void inform(const QString&, const QString& text) override { last = text; }
    void informPlain(const QString&, const QString& text) override { last = text; }
    bool ask(const QString&, const QString&) override { return true; }
    QString last;
};

enum class Ward { Demo, SixtyStaff };

void expandAndDraw(benchmark::State& state, Ward ward) {
    QTemporaryDir dir;
    Database db(Database::pathIn(dir.path()), Database::OpenMode::CreateIfMissing);
    QuietPrompter prompter;
    FixedClock clock(QDate(2024, 4, 1));
    if (ward == Ward::Demo)
        LoadDemoWorkplace(db, clock); // proposes April 2024
    else
        SampleWorkplace::build(db, 60);
    AppContext ctx{db, prompter, clock, {}, {}, {}};
    RosterCreationScreen screen(ctx, RosterCreationScreen::Kind::Individual);
    if (ward == Ward::SixtyStaff) {
        screen.findChild<QLineEdit*>(u"表開始日"_s)->setText(u"2024/05/01"_s);
        screen.findChild<QLineEdit*>(u"表終了日"_s)->setText(u"2024/05/31"_s);
    }
    screen.show();
    auto* expand = screen.findChild<QPushButton*>(u"展開"_s);
    for (auto _ : state) {
        expand->click();
        screen.grid()->repaint();
    }
    if (prompter.last != u"勤務表を展開しました"_s)
        state.SkipWithError("the roster was not expanded");
}

void BM_ExpandAndDrawDemoWard(benchmark::State& state) {
    expandAndDraw(state, Ward::Demo);
}
void BM_ExpandAndDrawSixtyStaff(benchmark::State& state) {
    expandAndDraw(state, Ward::SixtyStaff);
}

} // namespace

BENCHMARK(BM_ExpandAndDrawDemoWard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandAndDrawSixtyStaff)->Unit(benchmark::kMillisecond);
