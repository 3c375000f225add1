#include "print/pdf_file_output.h"
#include "roster/roster_model.h"
#include "screens/output/roster_print_screen.h"
#include "screens/roster/quality_window.h"
#include "screens/roster/roster_creation_screen.h"
#include "screens/roster/roster_grid_painter.h"
#include "screens/roster/short_day_dialog.h"
#include "store/demo_workplace.h"
#include "store/startup_settings.h"
#include "store/table.h"
#include "support/screens/entry_screen_fixture.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

class QualityWindowTest : public EntryScreenFixture {
protected:
    QualityWindowTest() {
        // Today 2024/04/01: the demo proposes April and holds March registered.
        LoadDemoWorkplace(tmp.db(), clock);
        LoadStartupSettings(tmp.db(), ctx.settings);
    }

    RosterCreationScreen& openCreation() {
        creation = std::make_unique<RosterCreationScreen>(
            ctx, RosterCreationScreen::Kind::Individual,
            std::make_unique<PdfFileOutput>(outDir.filePath(u"quality.pdf"_s)));
        creation->setEditChooser([this](QWidget*, const QString& abbrev, int) {
            offered.push_back(abbrev);
            return EditResult{.action = EditAction::Cancelled};
        });
        creation->setShortDayChooser(
            [this](QWidget*, const ShortDayExplanation& e) -> std::optional<std::pair<int, int>> {
                explained.push_back(e);
                if (e.candidates.empty())
                    return std::nullopt;
                return std::pair{e.candidates.front().group, e.candidates.front().slot};
            });
        creation->show();
        return *creation;
    }

    void expandApril() {
        type(creation.get(), u"表開始日"_s, u"2024/04/01"_s);
        type(creation.get(), u"表終了日"_s, u"2024/04/30"_s);
        click(creation.get(), u"展開"_s);
    }

    // Every chart series holds one value per person, the mean line included.
    static void expectChartsPerPerson(const QualityWindow& w, int staff) {
        ASSERT_GT(staff, 0);
        int bars = 0, lines = 0;
        for (QAbstractSeries* s : w.nightsChart()->series()) {
            if (auto* b = qobject_cast<QBarSeries*>(s)) {
                ++bars;
                ASSERT_EQ(b->count(), 1);
                EXPECT_EQ(b->barSets().front()->count(), staff);
            } else if (auto* l = qobject_cast<QLineSeries*>(s)) {
                ++lines;
                EXPECT_EQ(l->count(), staff);
            }
        }
        EXPECT_EQ(bars, 1);
        EXPECT_EQ(lines, 1);
        ASSERT_EQ(w.weekendChart()->series().size(), 1);
        auto* weekend = qobject_cast<QStackedBarSeries*>(w.weekendChart()->series().front());
        ASSERT_NE(weekend, nullptr);
        ASSERT_EQ(weekend->count(), 2); // Saturdays and Sundays
        for (QBarSet* set : weekend->barSets())
            EXPECT_EQ(set->count(), staff);
        EXPECT_EQ(w.people()->rowCount(), staff);
        EXPECT_EQ(w.dayStrip()->columnCount(), w.report().dayCount);
        EXPECT_TRUE(w.nightHours()->text().contains(u"72"_s));
    }

    QTemporaryDir outDir;
    std::unique_ptr<RosterCreationScreen> creation;
    std::vector<QString> offered;
    std::vector<ShortDayExplanation> explained;
};

} // namespace

TEST_F(QualityWindowTest, OpensFromTheCreationScreenOnlyAfterExpansion) {
    openCreation();
    auto* quality = child<QPushButton>(creation.get(), u"品質"_s);
    EXPECT_FALSE(quality->isEnabled());
    expandApril();
    ASSERT_TRUE(quality->isEnabled());
    click(creation.get(), u"品質"_s);
    QualityWindow* w = creation->qualityWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), u"品質"_s);
    expectChartsPerPerson(*w, creation->painter().staffRows());

    // The strip shows the whole unit's shortage of each day as the grid's red counts do: the
    // 15th is short.
    const std::vector<int> shortage = UnitShortageByDay(w->report());
    ASSERT_EQ(shortage.size(), 30u);
    EXPECT_GT(shortage[14], 0);
    EXPECT_EQ(w->dayStrip()->item(0, 14)->text(), QString::number(shortage[14]));

    // 印刷 writes the window's figures through the screen's output.
    click(w, u"印刷"_s);
    EXPECT_GT(QFileInfo(outDir.filePath(u"quality.pdf"_s)).size(), 0);

    // A new expansion closes the window on the roster it replaced.
    QPointer<QualityWindow> old = w;
    click(creation.get(), u"展開"_s);
    EXPECT_TRUE(old.isNull() || !old->isVisible());
}

// A printout that cannot be written (here the PDF's name is a folder) is said, and nothing is
// left where it was to go.
TEST_F(QualityWindowTest, APrintoutThatCannotBeWrittenIsSaid) {
    creation =
        std::make_unique<RosterCreationScreen>(ctx, RosterCreationScreen::Kind::Individual,
                                               std::make_unique<PdfFileOutput>(outDir.path()));
    creation->show();
    expandApril();
    click(creation.get(), u"品質"_s);
    QualityWindow* w = creation->qualityWindow();
    ASSERT_NE(w, nullptr);
    w->setPrompter(prompter);
    prompter.clear();
    click(w, u"印刷"_s);
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_TRUE(prompter.texts().front().contains(outDir.path()))
        << prompter.texts().front().toStdString();
    EXPECT_TRUE(QDir(outDir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(QualityWindowTest, AFindingSelectsItsCellInTheGrid) {
    openCreation();
    expandApril();
    click(creation.get(), u"品質"_s);
    QualityWindow* w = creation->qualityWindow();
    ASSERT_NE(w, nullptr);
    const auto& findings = w->report().findings;
    const auto personal = std::find_if(findings.begin(), findings.end(),
                                       [](const auto& f) { return f.group > 0 && f.day > 0; });
    if (personal == findings.end())
        GTEST_SKIP() << "the demo roster has no finding about one person's day";
    const int index = static_cast<int>(personal - findings.begin());
    Q_EMIT w->findings()->itemClicked(w->findings()->item(index));
    const FlexGrid& grid = *creation->grid();
    EXPECT_EQ(grid.currentRow(), creation->painter().rowOf(personal->group, personal->slot));
    EXPECT_EQ(grid.currentColumn(), RosterGridPainter::columnOfDay(personal->day));
}

TEST_F(QualityWindowTest, ARedCountListsWhoCouldTakeTheShiftAndOpensTheirCellChange) {
    openCreation();
    expandApril();
    const RosterGridPainter& painter = creation->painter();
    FlexGrid& grid = *creation->grid();
    const int col = RosterGridPainter::columnOfDay(15);
    int shortRow = -1, fullRow = -1;
    for (int r = painter.firstCountRow(); r < grid.rows(); ++r) {
        if (grid.text(r, col).isEmpty())
            continue;
        (painter.shortCountAt(r, col) ? shortRow : fullRow) = r;
    }
    ASSERT_GE(shortRow, 0) << "the 15th is short in the demo";

    // A count that meets its need is no shortage: nothing is explained.
    if (fullRow >= 0) {
        Q_EMIT grid.cellClickedAt(fullRow, col);
        EXPECT_TRUE(explained.empty());
    }

    Q_EMIT grid.cellClickedAt(shortRow, col);
    ASSERT_EQ(explained.size(), 1u);
    const ShortDayExplanation& e = explained.front();
    EXPECT_EQ(e.day, 15);
    EXPECT_LT(e.assigned, e.required);
    ASSERT_FALSE(e.people.empty());
    for (const ShortDayPerson& p : e.people)
        EXPECT_EQ(p.blocker == ShortDayBlocker::None, p.reason.isEmpty()) << p.name.toStdString();
    ASSERT_FALSE(e.candidates.empty()) << "somebody could take the demo's short shift";
    for (size_t i = 1; i < e.candidates.size(); ++i)
        EXPECT_LE(e.candidates[i - 1].shiftCount, e.candidates[i].shiftCount);

    // The first candidate's cell goes through the usual change, offered the short shift rather
    // than what the cell holds now.
    const ShortDayPerson& first = e.candidates.front();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered.front(), e.shiftAbbrev);
    EXPECT_NE(offered.front(), creation->model().person(first.group, first.slot).cell(15).shift);

    // The dialog lists the same people and hands back the candidate picked.
    ShortDayDialog dialog(e);
    EXPECT_EQ(dialog.people()->rowCount(), static_cast<int>(e.people.size()));
    ASSERT_EQ(dialog.candidates()->count(), static_cast<int>(e.candidates.size()));
    EXPECT_FALSE(dialog.chosen());
    dialog.candidates()->setCurrentRow(dialog.candidates()->count() - 1);
    const ShortDayPerson& last = e.candidates.back();
    EXPECT_EQ(dialog.chosen(), std::pair(last.group, last.slot));
}

TEST_F(QualityWindowTest, OpensFromThePrintScreenForARegisteredPeriodOnly) {
    RosterPrintScreen screen(ctx, std::make_unique<PdfFileOutput>(outDir.filePath(u"p.pdf"_s)));
    screen.show();

    // April is not registered yet: nothing opens.
    type(&screen, u"表開始日"_s, u"2024/04/01"_s);
    type(&screen, u"表終了日"_s, u"2024/04/30"_s);
    click(&screen, u"品質"_s);
    EXPECT_EQ(screen.qualityWindow(), nullptr);
    EXPECT_EQ(prompter.lastText(), u"2024/04/01 ～ 2024/04/30 の勤務表は登録されていません。"_s);

    type(&screen, u"表開始日"_s, u"2024/03/01"_s);
    type(&screen, u"表終了日"_s, u"2024/03/31"_s);
    click(&screen, u"品質"_s);
    QualityWindow* w = screen.qualityWindow();
    ASSERT_NE(w, nullptr);
    QSet<QString> staff;
    Table t(tmp.db(), u"勤務表"_s);
    for (t.moveFirst(); !t.eof(); t.moveNext()) {
        const QString day = t.text(u"勤_勤務日"_s);
        if (day >= u"2024/03/01"_s && day <= u"2024/03/31"_s)
            staff.insert(t.text(u"勤_職員番号"_s));
    }
    expectChartsPerPerson(*w, static_cast<int>(staff.size()));
    EXPECT_EQ(w->report().periodStart, u"2024/03/01"_s);
}

TEST_F(QualityWindowTest, TheWardAverageIsRedOnlyAboveTheCeiling) {
    PdfFileOutput output(outDir.filePath(u"unused.pdf"_s));
    for (bool over : {false, true}) {
        QualityReport r;
        r.night.average = over ? 72.5 : 72;
        r.night.overLimit = over;
        QualityWindow w(r, output);
        const QColor ink = w.nightHours()->palette().color(QPalette::WindowText);
        EXPECT_EQ(ink == Palette::colour(Palette::Red), over) << over;
        EXPECT_TRUE(w.nightHours()->text().contains(over ? u"72.5"_s : u"72.0"_s));
    }
}
