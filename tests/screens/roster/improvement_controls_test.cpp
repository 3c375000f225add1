#include "print/pdf_file_output.h"
#include "roster/roster_model.h"
#include "roster/roster_objective.h"
#include "screens/roster/improvement_controls.h"
#include "screens/roster/roster_creation_screen.h"
#include "screens/roster/roster_grid_painter.h"
#include "store/records/roster_row.h"
#include "support/sample_workplace.h"
#include "support/screens/entry_screen_fixture.h"
#include "widgets/flex_grid.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

// A ward of ten on the day, night and rest shifts that needs three people on the day shift:
// its expanded April leaves one day a person short while other days have people to spare.
class ImprovementControlsTest : public EntryScreenFixture {
protected:
    void open(int staff = 10, int dayStaff = 3) {
        SampleWorkplace::build(tmp.db(), staff, 1, dayStaff, 2);
        screen = std::make_unique<RosterCreationScreen>(
            ctx, RosterCreationScreen::Kind::Individual,
            std::make_unique<PdfFileOutput>(outDir.filePath(u"out.pdf"_s)));
        screen->setEditChooser([this](QWidget*, const QString&, int) { return nextEdit; });
        screen->setEarlyLateOpener([](RosterModel&) {});
        screen->show();
    }

    void expand() {
        click(screen.get(), u"展開"_s);
        ASSERT_EQ(prompter.lastText(), u"勤務表を展開しました"_s);
    }

    bool enabled(const QString& button) {
        return child<QPushButton>(screen.get(), button)->isEnabled();
    }
    // Every shown person's cells, one line each, with the marks: what 元に戻す must restore.
    QStringList cells() {
        QStringList out;
        const RosterModel& m = screen->model();
        for (const auto& group : m.groups)
            for (const Person& p : group) {
                QString line = p.no + u":"_s;
                for (int d = RosterBounds::FirstDay; d <= m.lastDay(); ++d)
                    line += p.cell(d).shift + QString::number(p.cell(d).early) + u","_s;
                out << line;
            }
        return out;
    }
    // (row, col) of every framed cell and every cell whose shift differs from `before`.
    std::pair<std::set<std::pair<int, int>>, std::set<std::pair<int, int>>>
    framedAndChanged(const QStringList& before) {
        std::set<std::pair<int, int>> framed, changed;
        const RosterGridPainter& painter = screen->painter();
        const QStringList now = cells();
        for (int row = 2; row < painter.firstCountRow(); ++row)
            for (int d = 1; d <= screen->model().lastDay(); ++d) {
                const int col = RosterGridPainter::columnOfDay(d);
                if (painter.markedAt(row, col))
                    framed.insert({row, col});
                const auto [g, slot] = painter.personAt(row);
                const int i = (g == 1 ? 0 : screen->model().groupCount(1)) + slot - 1;
                const auto cell = [&](const QStringList& rows) {
                    return rows[i].split(u',')[d - RosterBounds::FirstDay];
                };
                if (cell(before) != cell(now))
                    changed.insert({row, col});
            }
        return {framed, changed};
    }

    QTemporaryDir outDir;
    std::unique_ptr<RosterCreationScreen> screen;
    EditResult nextEdit;
};

} // namespace

TEST_F(ImprovementControlsTest, ImproveFramesWhatChangedAndUndoRestoresTheExpandedRoster) {
    open();
    EXPECT_FALSE(enabled(u"改善"_s)) << "nothing expanded yet";
    EXPECT_FALSE(enabled(u"元に戻す"_s));
    expand();
    EXPECT_TRUE(enabled(u"改善"_s));
    EXPECT_FALSE(enabled(u"元に戻す"_s));
    const QStringList expanded = cells();
    const ObjectiveTerms before = MeasureObjective(screen->model());
    ASSERT_GT(before.unitShortage, 0) << "the ward must leave a short day";

    click(screen.get(), u"改善"_s);
    const ObjectiveTerms after = MeasureObjective(screen->model());
    EXPECT_LT(after.unitShortage, before.unitShortage);
    EXPECT_TRUE(prompter.lastText().startsWith(u"勤務表を改善しました"_s))
        << prompter.lastText().toStdString();
    const QString figures = u"不足 %1→%2"_s.arg(before.unitShortage).arg(after.unitShortage);
    EXPECT_TRUE(prompter.lastText().contains(figures));
    auto* line = child<QLabel>(screen.get(), u"改善結果"_s);
    EXPECT_TRUE(line->isVisible());
    EXPECT_TRUE(line->text().contains(figures));
    const auto [framed, changed] = framedAndChanged(expanded);
    EXPECT_FALSE(changed.empty());
    EXPECT_EQ(framed, changed) << "exactly the changed cells are framed";
    EXPECT_FALSE(enabled(u"改善"_s)) << "one improvement at a time";
    EXPECT_TRUE(enabled(u"元に戻す"_s));

    // The leaders view and back redraw the frames with the cells.
    click(screen.get(), u"責任者"_s);
    click(screen.get(), u"全員"_s);
    EXPECT_EQ(framedAndChanged(expanded).first, changed);

    click(screen.get(), u"元に戻す"_s);
    EXPECT_EQ(cells(), expanded);
    EXPECT_EQ(MeasureObjective(screen->model()), before) << "the tallies come back too";
    EXPECT_TRUE(framedAndChanged(expanded).first.empty());
    EXPECT_FALSE(line->isVisible());
    EXPECT_TRUE(enabled(u"改善"_s));
    EXPECT_FALSE(enabled(u"元に戻す"_s));
}

TEST_F(ImprovementControlsTest, ConfirmRegistersTheImprovedCells) {
    open();
    expand();
    const QStringList expanded = cells();
    click(screen.get(), u"改善"_s);
    const auto [framed, changed] = framedAndChanged(expanded);
    ASSERT_FALSE(changed.empty());
    prompter.clear();
    prompter.answerYes();
    prompter.answer(false); // no early/late duties
    click(screen.get(), u"確定"_s);
    ASSERT_EQ(prompter.pendingAnswers(), 0u);
    for (const auto& [row, col] : changed) {
        const Person& p = screen->model().person(screen->painter().personAt(row).first,
                                                 screen->painter().personAt(row).second);
        const QString date = screen->model().day(RosterGridPainter::dayOfColumn(col)).date;
        const std::optional<RosterRow> stored = RosterRow::load(tmp.db(), 1, p.no, date);
        ASSERT_TRUE(stored.has_value()) << p.no.toStdString() << " " << date.toStdString();
        EXPECT_EQ(stored->planned, screen->grid()->text(row, col))
            << p.no.toStdString() << " " << date.toStdString();
    }
}

TEST_F(ImprovementControlsTest, TheMessageSaysWhenTheTimeLimitCutTheSearchShort) {
    open(14, 4); // enough people for the search to try some hundred moves
    auto* controls = screen->findChild<ImprovementControls*>();
    ASSERT_NE(controls, nullptr);
    expand();
    click(screen.get(), u"改善"_s);
    EXPECT_FALSE(prompter.lastText().contains(u"時間の上限"_s)) << "far below the limit";
    click(screen.get(), u"元に戻す"_s);
    controls->setOptions({.moveBudget = 2'000'000, .timeLimitMs = -1});
    click(screen.get(), u"改善"_s);
    EXPECT_TRUE(
        prompter.lastText().contains(u"時間の上限に達したため、改善を途中で打ち切りました。"_s))
        << prompter.lastText().toStdString();
}

TEST_F(ImprovementControlsTest, AHandEditOrANewExpansionForgetsTheImprovement) {
    open();
    expand();
    const QStringList expanded = cells();
    click(screen.get(), u"改善"_s);
    ASSERT_FALSE(framedAndChanged(expanded).first.empty());

    // A hand edit: 元に戻す would throw it away, so the improvement is forgotten.
    const auto [row, col] = *framedAndChanged(expanded).first.begin();
    nextEdit =
        EditResult{.action = EditAction::Replace, .shiftName = u"公休"_s, .shiftAbbrev = u"休"_s};
    prompter.answerYes();
    Q_EMIT screen->grid()->cellClickedAt(row, col);
    EXPECT_EQ(screen->grid()->text(row, col), u"休"_s);
    EXPECT_TRUE(framedAndChanged(expanded).first.empty());
    EXPECT_FALSE(enabled(u"元に戻す"_s));
    EXPECT_TRUE(enabled(u"改善"_s));
    EXPECT_FALSE(child<QLabel>(screen.get(), u"改善結果"_s)->isVisible());

    click(screen.get(), u"改善"_s);
    EXPECT_TRUE(enabled(u"元に戻す"_s));
    expand();
    EXPECT_TRUE(framedAndChanged(cells()).first.empty());
    EXPECT_FALSE(enabled(u"元に戻す"_s));
    EXPECT_TRUE(enabled(u"改善"_s));
}
