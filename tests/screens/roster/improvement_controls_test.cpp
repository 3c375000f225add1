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
#include <set>

using namespace Qt::Literals::StringLiterals;

namespace {

using GridCells = std::set<std::pair<int, int>>; // (row, col)

class ImprovementControlsTest : public EntryScreenFixture {
protected:
    // The default is a ward of ten on the day, night and rest shifts needing three people on
    // the day shift: its expanded April leaves one day a person short while other days have
    // people to spare.
    void open(int staff = 10, int dayStaff = 3) {
        SampleWorkplace::build(tmp.db(), staff, 1, dayStaff, 2);
        screen = std::make_unique<RosterCreationScreen>(
            ctx, RosterCreationScreen::Kind::Individual,
            std::make_unique<PdfFileOutput>(outDir.filePath(u"out.pdf"_s)));
        screen->setEditChooser([this](QWidget*, const QString&, int) { return nextEdit; });
        screen->show();
        click(screen.get(), u"展開"_s);
        ASSERT_EQ(prompter.lastText(), u"勤務表を展開しました"_s);
    }

    bool enabled(const QString& button) {
        return child<QPushButton>(screen.get(), button)->isEnabled();
    }
    // Every shift and early/late mark of the model, for comparing two rosters exactly.
    static QStringList cells(const RosterModel& m) {
        QStringList out;
        for (const auto& group : m.groups)
            for (const Person& p : group)
                for (int d = RosterBounds::FirstDay; d <= m.lastDay(); ++d)
                    out << p.no + p.cell(d).shift + QString::number(p.cell(d).early);
        return out;
    }
    GridCells framed() {
        GridCells out;
        for (int row = 2; row < screen->painter().firstCountRow(); ++row)
            for (int col = 2; col < screen->grid()->cols(); ++col)
                if (screen->painter().markedAt(row, col))
                    out.insert({row, col});
        return out;
    }
    GridCells differingFrom(const RosterModel& before) {
        GridCells out;
        for (int row = 2; row < screen->painter().firstCountRow(); ++row) {
            const auto [g, slot] = screen->painter().personAt(row);
            for (int d = 1; d <= before.lastDay(); ++d)
                if (before.person(g, slot).cell(d).shift !=
                    screen->model().person(g, slot).cell(d).shift)
                    out.insert({row, RosterGridPainter::columnOfDay(d)});
        }
        return out;
    }

    QTemporaryDir outDir;
    std::unique_ptr<RosterCreationScreen> screen;
    EditResult nextEdit;
};

} // namespace

TEST_F(ImprovementControlsTest, ImproveFramesWhatChangedAndUndoRestoresTheExpandedRoster) {
    open();
    EXPECT_TRUE(enabled(u"改善"_s));
    EXPECT_FALSE(enabled(u"元に戻す"_s)) << "nothing to undo yet";
    const RosterModel expanded = screen->model();
    const ObjectiveTerms before = MeasureObjective(expanded);
    ASSERT_EQ(before.unitShortage, 1) << "the ward leaves one short day";

    click(screen.get(), u"改善"_s);
    EXPECT_EQ(MeasureObjective(screen->model()).unitShortage, 0);
    EXPECT_TRUE(prompter.lastText().startsWith(u"勤務表を改善しました"_s));
    EXPECT_TRUE(prompter.lastText().contains(u"\n不足 1→0\n"_s));
    auto* line = child<QLabel>(screen.get(), u"改善結果"_s);
    EXPECT_TRUE(line->isVisible());
    EXPECT_TRUE(line->text().contains(u"不足 1→0 /"_s));
    const GridCells changed = differingFrom(expanded);
    EXPECT_FALSE(changed.empty());
    EXPECT_EQ(framed(), changed) << "exactly the changed cells are framed";
    EXPECT_FALSE(enabled(u"改善"_s));
    EXPECT_TRUE(enabled(u"元に戻す"_s));
    click(screen.get(), u"責任者"_s);
    click(screen.get(), u"全員"_s);
    EXPECT_EQ(framed(), changed) << "a redraw keeps the frames";

    click(screen.get(), u"元に戻す"_s);
    EXPECT_EQ(cells(screen->model()), cells(expanded));
    EXPECT_EQ(MeasureObjective(screen->model()), before) << "the tallies come back too";
    EXPECT_TRUE(framed().empty());
    EXPECT_FALSE(line->isVisible());
    EXPECT_TRUE(enabled(u"改善"_s));
    EXPECT_FALSE(enabled(u"元に戻す"_s));
}

TEST_F(ImprovementControlsTest, ConfirmRegistersTheImprovedCells) {
    open();
    const RosterModel expanded = screen->model();
    click(screen.get(), u"改善"_s);
    const GridCells changed = differingFrom(expanded);
    ASSERT_FALSE(changed.empty());
    prompter.answerYes();
    prompter.answer(false); // no early/late duties
    click(screen.get(), u"確定"_s);
    ASSERT_EQ(prompter.pendingAnswers(), 0u);
    for (const auto& [row, col] : changed) {
        const auto [g, slot] = screen->painter().personAt(row);
        const QString no = screen->model().person(g, slot).no;
        const QString date = screen->model().day(RosterGridPainter::dayOfColumn(col)).date;
        const std::optional<RosterRow> stored = RosterRow::load(tmp.db(), 1, no, date);
        ASSERT_TRUE(stored.has_value()) << no.toStdString() << " " << date.toStdString();
        EXPECT_EQ(stored->planned, screen->grid()->text(row, col));
    }
}

TEST_F(ImprovementControlsTest, AHandEditOrANewExpansionForgetsTheImprovement) {
    open();
    click(screen.get(), u"改善"_s);
    ASSERT_FALSE(framed().empty());
    // The frames and figures no longer describe the roster; the hand edit is the step to undo.
    const auto [row, col] = *framed().begin();
    nextEdit =
        EditResult{.action = EditAction::Replace, .shiftName = u"夜勤"_s, .shiftAbbrev = u"夜"_s};
    prompter.answerYes();
    Q_EMIT screen->grid()->cellClickedAt(row, col);
    EXPECT_EQ(screen->grid()->text(row, col), u"夜"_s);
    EXPECT_TRUE(framed().empty());
    EXPECT_TRUE(enabled(u"元に戻す"_s));
    EXPECT_TRUE(enabled(u"改善"_s));
    EXPECT_FALSE(child<QLabel>(screen.get(), u"改善結果"_s)->isVisible());

    click(screen.get(), u"改善"_s);
    click(screen.get(), u"展開"_s);
    EXPECT_TRUE(framed().empty());
    EXPECT_FALSE(enabled(u"元に戻す"_s));
    EXPECT_TRUE(enabled(u"改善"_s));
}

TEST_F(ImprovementControlsTest, TheMessageSaysWhenTheTimeLimitCutTheSearchShort) {
    open(14, 4); // enough people for the search to try some hundred moves
    auto* controls = screen->findChild<ImprovementControls*>();
    ASSERT_NE(controls, nullptr);
    controls->setOptions({.moveBudget = 2'000'000, .timeLimitMs = -1});
    click(screen.get(), u"改善"_s);
    EXPECT_TRUE(
        prompter.lastText().endsWith(u"\n時間の上限に達したため、改善を途中で打ち切りました。"_s));
}
