#include "screens/masters/daily_staffing_screen.h"
#include "screens/masters/master_fixture.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace {

class DailyStaffingTest : public MasterFixture {
protected:
    DailyStaffingTest() {
        addShift(u"日"_s, u"日勤"_s, 1, 1, {5, 1, 2, 1, 1, 1});
        addShift(u"夜"_s, u"夜勤"_s, 1, 2, {2, 1, 1, 0, 0, 0});
        addShift(u"休"_s, u"公休"_s, 0, 1);
    }

    // Fills the boxes as the user would for one day of one shift.
    void enter(DailyStaffingScreen& s, const QString& day, const QString& abbrev) {
        setText(&s, u"日付順"_s, day);
        choose(&s, u"シフト略称"_s, abbrev);
    }

    FlexGrid* grid(QWidget* s) { return child<FlexGrid>(s, u"日要員"_s); }
};

TEST_F(DailyStaffingTest, DayRangeDependsOnKind) {
    DailyStaffingScreen s(ctx);
    enter(s, u"8"_s, u"日"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"曜日(日付)に正しく入力してください"_s);
    EXPECT_EQ(prompter.lastTitle(), u"日別要員設定"_s);
    EXPECT_EQ(countRows(u"日別要員"_s), 0);

    setText(&s, u"日付順"_s, u"2"_s);
    leave(child<QLineEdit>(&s, u"日付順"_s));
    EXPECT_EQ(child<QLabel>(&s, u"曜日名"_s)->text(), u"月"_s);

    click(&s, u"日付"_s);
    for (const QString& bad : {u"0"_s, u"32"_s, u"x"_s}) {
        prompter.clear();
        setText(&s, u"日付順"_s, bad);
        click(&s, u"確定"_s);
        EXPECT_EQ(prompter.lastText(), u"曜日(日付)に正しく入力してください"_s)
            << bad.toStdString();
    }
    prompter.clear();
    setText(&s, u"日付順"_s, u"31"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"日別要員は更新(登録)されました。"_s);
    EXPECT_EQ(grid(&s)->text(1, 32), u"5"_s);
}

TEST_F(DailyStaffingTest, FirstFailingCountIsReportedAndAllAreRed) {
    DailyStaffingScreen s(ctx);
    enter(s, u"1"_s, u"日"_s);
    setText(&s, u"責任者数"_s, u"a"_s);
    setText(&s, u"遅出要員"_s, u"-1"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"シフト責任者数に正しく入力してください"_s);
    EXPECT_TRUE(FieldChecks::isRed(child<QLineEdit>(&s, u"遅出要員"_s)));
    EXPECT_FALSE(FieldChecks::isRed(child<QLineEdit>(&s, u"要員数"_s)));
    EXPECT_EQ(countRows(u"日別要員"_s), 0);
}

TEST_F(DailyStaffingTest, ShiftChoiceTakesDefaultsAndGridColoursDifferences) {
    DailyStaffingScreen s(ctx);
    enter(s, u"1"_s, u"夜"_s);
    EXPECT_EQ(text(&s, u"シフト名称"_s), u"夜勤"_s);
    EXPECT_EQ(text(&s, u"シフト優先順"_s), u"2"_s);
    EXPECT_EQ(text(&s, u"要員数"_s), u"2"_s);
    click(&s, u"確定"_s);
    // Night shift block starts at row 7; Sunday is column 2.
    EXPECT_EQ(grid(&s)->text(7, 2), u"2"_s);
    EXPECT_EQ(grid(&s)->cellForeColor(7, 2), Palette::colour(0));

    setText(&s, u"要員数"_s, u"3"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(grid(&s)->text(7, 2), u"3"_s);
    EXPECT_EQ(grid(&s)->cellForeColor(7, 2), Palette::colour(9));
    EXPECT_EQ(grid(&s)->cellForeColor(8, 2), Palette::colour(0));
    EXPECT_EQ(countRows(u"日別要員"_s), 1); // the second save edited the row
    EXPECT_EQ(prompter.texts().size(), 2u); // no question before saving

    // A leave shift typed over the chosen one is not stored under the night-shift block.
    child<QComboBox>(&s, u"シフト略称"_s)->setEditText(u"休"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"シフト略称の登録を確認してください。"_s);
    EXPECT_EQ(countRows(u"日別要員"_s), 1);
}

TEST_F(DailyStaffingTest, GridClickHighlightsBlockAndLoadsRow) {
    DailyStaffingScreen s(ctx);
    enter(s, u"3"_s, u"日"_s);
    setText(&s, u"備考"_s, u"火曜増員"_s);
    click(&s, u"確定"_s);
    enter(s, u"4"_s, u"夜"_s);
    click(&s, u"確定"_s);
    setText(&s, u"備考"_s, QString());

    prompter.clear();
    FlexGrid* g = grid(&s);
    Q_EMIT g->cellClickedAt(2, 2); // empty cell
    EXPECT_EQ(prompter.lastText(), u"指示位置が有効範囲外です。"_s);

    Q_EMIT g->cellClickedAt(3, 4); // third row of the day-shift block, Tuesday
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(g->cellBackColor(r, 4), Palette::colour(10)) << r;
    EXPECT_EQ(text(&s, u"日付順"_s), u"3"_s);
    EXPECT_EQ(text(&s, u"備考"_s), u"火曜増員"_s);
    EXPECT_EQ(child<QComboBox>(&s, u"シフト略称"_s)->currentText(), u"日"_s);

    Q_EMIT g->cellClickedAt(7, 5);
    EXPECT_EQ(g->cellBackColor(1, 4), Palette::colour(15));
    EXPECT_EQ(g->cellBackColor(12, 5), Palette::colour(10));
    EXPECT_EQ(text(&s, u"シフト優先順"_s), u"2"_s);
}

TEST_F(DailyStaffingTest, DeleteAsksAndClearsTheCell) {
    DailyStaffingScreen s(ctx);
    click(&s, u"日付"_s);
    enter(s, u"15"_s, u"日"_s);
    click(&s, u"確定"_s);
    ASSERT_EQ(grid(&s)->text(1, 16), u"5"_s);

    prompter.answer(false);
    click(&s, u"削除"_s);
    EXPECT_EQ(countRows(u"日別要員"_s), 1);

    prompter.answer(true);
    click(&s, u"削除"_s);
    EXPECT_EQ(prompter.lastText(), u"日別要員は削除されました。"_s);
    EXPECT_EQ(countRows(u"日別要員"_s), 0);
    EXPECT_EQ(grid(&s)->text(1, 16), QString()); // not left over from before

    prompter.answer(true);
    click(&s, u"削除"_s);
    EXPECT_EQ(prompter.lastText(), u"日別要員は登録されていません。"_s);
}

TEST_F(DailyStaffingTest, LayoutPerKind) {
    putRow(u"日別要員"_s, u"key_日別"_s, {1, 1, 1},
           {{u"日_区分"_s, 1}, {u"日_特定日"_s, 1}, {u"日_優先順"_s, 1}, {u"日_最小要員"_s, 9}});
    // A row whose order number names no working shift has no block to show in.
    putRow(u"日別要員"_s, u"key_日別"_s, {1, 2, 7},
           {{u"日_区分"_s, 1}, {u"日_特定日"_s, 2}, {u"日_優先順"_s, 7}, {u"日_最小要員"_s, 4}});
    DailyStaffingScreen s(ctx);
    FlexGrid* g = grid(&s);
    EXPECT_EQ(g->cols(), 9);
    EXPECT_EQ(g->rows(), 13);
    EXPECT_EQ(g->text(0, 2), u"日"_s);
    EXPECT_EQ(g->cellForeColor(0, 2), Palette::colour(12));
    EXPECT_EQ(g->cellForeColor(0, 8), Palette::colour(9));
    EXPECT_EQ(g->text(7, 0), u"夜"_s);
    EXPECT_EQ(g->text(11, 1), u"早出"_s);
    EXPECT_EQ(g->text(1, 2), u"9"_s);
    EXPECT_EQ(g->text(1, 3), QString());

    click(&s, u"日付"_s);
    EXPECT_EQ(g->cols(), 33);
    EXPECT_EQ(g->text(0, 32), u"31"_s);
    for (int r = 1; r < g->rows(); ++r)
        for (int c = 2; c < g->cols(); ++c)
            ASSERT_TRUE(g->text(r, c).isEmpty()) << r << "," << c;
}

} // namespace
