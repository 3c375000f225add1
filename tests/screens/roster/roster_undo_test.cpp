#include "print/pdf_file_output.h"
#include "roster/roster_model.h"
#include "screens/roster/roster_creation_screen.h"
#include "screens/roster/roster_grid_painter.h"
#include "support/sample_workplace.h"
#include "support/screens/entry_screen_fixture.h"
#include "widgets/flex_grid.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

// A ward of ten whose expanded April leaves one day a person short, so that 改善 changes it.
class RosterUndoTest : public EntryScreenFixture {
protected:
    RosterUndoTest() {
        SampleWorkplace::build(tmp.db(), 10, 1, 3, 2);
        screen = std::make_unique<RosterCreationScreen>(
            ctx, RosterCreationScreen::Kind::Individual,
            std::make_unique<PdfFileOutput>(outDir.filePath(u"out.pdf"_s)));
        screen->setEditChooser([this](QWidget*, const QString&, int) { return nextEdit; });
        screen->setEarlyLateOpener([](RosterModel&) {});
        screen->show();
        click(screen.get(), u"展開"_s);
    }

    bool enabled(const QString& button) {
        return child<QPushButton>(screen.get(), button)->isEnabled();
    }
    void edit(EditResult e, int row = Row, int col = Col) {
        nextEdit = std::move(e);
        prompter.answerYes();
        Q_EMIT screen->grid()->cellClickedAt(row, col);
    }
    // What the grid shows of the people, their tallies and the counts.
    QStringList shown() {
        QStringList out;
        for (int r = 2; r < screen->grid()->rows(); ++r)
            for (int c = 2; c < screen->grid()->cols(); ++c)
                out << screen->grid()->text(r, c);
        return out;
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods) { QTest::keyClick(screen->grid(), k, mods); }

    static constexpr int Row = 3, Col = RosterGridPainter::columnOfDay(5);
    QTemporaryDir outDir;
    std::unique_ptr<RosterCreationScreen> screen;
    EditResult nextEdit;
};

} // namespace

// Each kind of step is undone to the model exactly as it was and redone to the model exactly as
// it became, by the buttons or the keys, and the grid follows.
TEST_F(RosterUndoTest, EveryStepIsUndoneAndRedoneExactly) {
    using Act = std::function<void()>;
    const Act undoButton = [this] { click(screen.get(), u"元に戻す"_s); };
    const Act redoButton = [this] { click(screen.get(), u"やり直し"_s); };
    const Act ctrlZ = [this] { key(Qt::Key_Z, Qt::ControlModifier); };
    const Act ctrlY = [this] { key(Qt::Key_Y, Qt::ControlModifier); };
    const Act ctrlShiftZ = [this] { key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); };
    struct Case {
        const char* name;
        Act step, undo, redo;
    };
    const Case cases[] = {
        {"置換え",
         [this] {
             edit({.action = EditAction::Replace, .shiftName = u"夜勤"_s, .shiftAbbrev = u"夜"_s});
         },
         undoButton, redoButton},
        {"挿入",
         [this] {
             edit({.action = EditAction::Insert, .shiftName = u"公休"_s, .shiftAbbrev = u"休"_s});
         },
         ctrlZ, ctrlY},
        {"削除", [this] { edit({.action = EditAction::Delete}); }, ctrlZ, ctrlShiftZ},
        {"シフト", [this] { edit({.action = EditAction::Sequence}, Row + 1); }, undoButton, ctrlY},
        {"改善", [this] { click(screen.get(), u"改善"_s); }, ctrlZ, redoButton},
        {"固定", [this] { key(Qt::Key_L, Qt::ControlModifier); }, ctrlZ, ctrlY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        click(screen.get(), u"展開"_s);
        screen->grid()->setCurrentCell(Row, Col);
        EXPECT_FALSE(enabled(u"元に戻す"_s)) << "a new expansion leaves nothing to undo";
        const RosterModel before = screen->model();
        const QStringList shownBefore = shown();
        c.step();
        const RosterModel after = screen->model();
        ASSERT_FALSE(after == before) << "the step changed nothing";
        EXPECT_TRUE(enabled(u"元に戻す"_s));
        EXPECT_FALSE(enabled(u"やり直し"_s));

        c.undo();
        EXPECT_TRUE(screen->model() == before);
        EXPECT_EQ(shown(), shownBefore);
        EXPECT_FALSE(screen->painter().pinnedAt(Row, Col));
        EXPECT_FALSE(enabled(u"元に戻す"_s));
        EXPECT_TRUE(enabled(u"やり直し"_s));

        c.redo();
        EXPECT_TRUE(screen->model() == after);
        EXPECT_FALSE(enabled(u"やり直し"_s));
    }
}

// A new step drops what was undone; undo after 確定 leaves the roster to register again.
TEST_F(RosterUndoTest, ANewStepEndsRedoAndUndoAfterConfirmUnregisters) {
    edit({.action = EditAction::Replace, .shiftName = u"夜勤"_s, .shiftAbbrev = u"夜"_s});
    click(screen.get(), u"元に戻す"_s);
    edit({.action = EditAction::Delete});
    EXPECT_FALSE(enabled(u"やり直し"_s));

    prompter.answerYes();
    prompter.answer(false); // no early/late duties
    click(screen.get(), u"確定"_s);
    click(screen.get(), u"元に戻す"_s);
    prompter.clear();
    prompter.answer(false);
    screen->close();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"勤務表の作成を終了します"_s});
}

// A held cell shows its mark and says so, refuses a change and the holding of what cannot be
// changed, and stays through 改善 and a new expansion of the period.
TEST_F(RosterUndoTest, AHeldCellIsMarkedRefusesChangesAndStays) {
    const QString held = screen->grid()->text(Row, Col);
    screen->grid()->setCurrentCell(Row, Col);
    key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(screen->painter().pinnedAt(Row, Col));
    EXPECT_EQ(screen->grid()->item(Row, Col)->toolTip(), u"固定"_s);

    prompter.clear();
    nextEdit = {.action = EditAction::Replace, .shiftName = u"夜勤"_s, .shiftAbbrev = u"夜"_s};
    Q_EMIT screen->grid()->cellClickedAt(Row, Col);
    EXPECT_EQ(prompter.lastText(),
              u"固定された日は変更出来ません。固定解除してから変更して下さい。"_s);
    screen->grid()->setCurrentCell(Row, RosterGridPainter::columnOfDay(0));
    key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(prompter.lastText(), u"固定できるのは職員の期間内の勤務だけです。"_s);

    click(screen.get(), u"改善"_s);
    click(screen.get(), u"展開"_s);
    EXPECT_EQ(screen->grid()->text(Row, Col), held);
    EXPECT_TRUE(screen->painter().pinnedAt(Row, Col));

    screen->grid()->setCurrentCell(Row, Col);
    key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_FALSE(screen->painter().pinnedAt(Row, Col));
    EXPECT_TRUE(screen->grid()->item(Row, Col)->toolTip().isEmpty());
}
