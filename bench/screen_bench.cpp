// From pressing 展開 on the creation screen to its grid painted, for 60 staff over 31 days.
#include "../tests/support/sample_workplace.h"
#include "screens/app_context.h"
#include "screens/roster/roster_creation_screen.h"
#include "store/clock.h"
#include "store/database.h"
#include "widgets/flex_grid.h"
#include "widgets/prompter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

// The screen reports "勤務表を展開しました"; a benchmark has nobody to read it.
class QuietPrompter final : public Prompter {
public:
    void inform(const QString&, const QString& text) override { last = text; }
    bool ask(const QString&, const QString&) override { return true; }
    QString last;
};

void BM_ExpandAndDraw(benchmark::State& state) {
    QTemporaryDir dir;
    Database db(Database::pathIn(dir.path()), Database::OpenMode::CreateIfMissing);
    SampleWorkplace::build(db, 60);
    QuietPrompter prompter;
    FixedClock clock(QDate(2024, 4, 1));
    AppContext ctx{db, prompter, clock, {}, {}, {}};
    RosterCreationScreen screen(ctx, RosterCreationScreen::Kind::Individual);
    screen.findChild<QLineEdit*>(u"表開始日"_s)->setText(u"2024/05/01"_s);
    screen.findChild<QLineEdit*>(u"表終了日"_s)->setText(u"2024/05/31"_s);
    screen.show();
    auto* expand = screen.findChild<QPushButton*>(u"展開"_s);
    for (auto _ : state) {
        expand->click();
        screen.grid()->repaint();
    }
    if (prompter.last != u"勤務表を展開しました"_s)
        state.SkipWithError("the roster was not expanded");
}

} // namespace

BENCHMARK(BM_ExpandAndDraw)->Unit(benchmark::kMillisecond);
