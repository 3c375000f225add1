#include "screens/masters/master_fixture.h"
#include "screens/masters/pattern_screen.h"
#include "screens/masters/staffing_list_screen.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

class PatternTest : public MasterFixture {
protected:
    PatternTest() {
        addShift(u"日"_s, u"日勤"_s, 1, 1, {5, 2, 2, 1, 1, 1}, 20);
        addShift(u"夜"_s, u"夜勤"_s, 1, 2, {2, 1, 1, 0, 0, 0}, 8);
        addShift(u"休"_s, u"公休"_s, 0, 1);
    }

    QListWidget* list(QWidget* s, const QString& name) { return child<QListWidget>(s, name); }

    void clickItem(QListWidget* l, const QString& textStart) {
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->text().startsWith(textStart)) {
                l->setCurrentRow(i);
                Q_EMIT l->itemClicked(l->item(i));
                return;
            }
        ADD_FAILURE() << "no item " << textStart.toStdString();
    }

    void choosePattern(PatternScreen& s, const QString& name) {
        clickItem(list(&s, u"パターン名称"_s), name);
    }

    // A sequence row saved through the screen.
    void saveRow(PatternScreen& s, int pos, const QString& shiftName) {
        setText(&s, u"シフト順NO"_s, QString::number(pos));
        choose(&s, u"シフト名称"_s, shiftName);
        clickYes(&s, u"確定"_s);
    }

    QList<int> positions(int kind, int no) {
        QList<int> out;
        Table t(db(), u"ｼﾌﾄﾊﾟﾀｰﾝ"_s);
        t.setIndex(u"key_ﾊﾟﾀﾝ"_s);
        t.seek(Seek::GreaterEqual, {kind, no, 0});
        for (; !t.eof() && t.integer(u"パタ_区分"_s) == kind && t.integer(u"パタ_NO"_s) == no;
             t.moveNext())
            out << t.integer(u"パタ_連番"_s);
        return out;
    }
};

TEST_F(PatternTest, SequenceLineFormat) {
    EXPECT_EQ(PatternScreen::sequenceLine(1, u"日勤"_s), u"1  日勤"_s);
    EXPECT_EQ(PatternScreen::sequenceLine(12, u"日勤"_s), u"12 日勤"_s);
}

TEST_F(PatternTest, HeaderSaveListsPatternAndShowsSequenceFrame) {
    PatternScreen s(ctx);
    EXPECT_FALSE(child<QGroupBox>(&s, u"シフト情報"_s)->isVisibleTo(&s));
    setText(&s, u"パタンNO"_s, u"x"_s);
    prompter.answerYes(0);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"パタンNOに正しく入力してください"_s);
    EXPECT_TRUE(FieldChecks::isRed(child<QLineEdit>(&s, u"パタンNO"_s)));

    setText(&s, u"パタンNO"_s, u"3"_s);
    setText(&s, u"パタン名称"_s, u"三交代"_s);
    setText(&s, u"パタン備考"_s, u"旧"_s);
    clickYes(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"更新(登録)されました。"_s);
    EXPECT_EQ(list(&s, u"パターン名称"_s)->count(), 1);
    EXPECT_TRUE(child<QGroupBox>(&s, u"シフト情報"_s)->isVisibleTo(&s));

    // Same number again: the header is overwritten, not duplicated.
    setText(&s, u"パタン名称"_s, u"三交代A"_s);
    setText(&s, u"パタン備考"_s, u"新"_s);
    clickYes(&s, u"確定"_s);
    EXPECT_EQ(positions(1, 3), QList<int>{0});
    ASSERT_EQ(list(&s, u"パターン名称"_s)->count(), 1);
    EXPECT_EQ(list(&s, u"パターン名称"_s)->item(0)->text(), u"三交代A"_s);
}

TEST_F(PatternTest, SequenceRowNeedsHeaderAndPositiveNumber) {
    PatternScreen s(ctx);
    setText(&s, u"パタンNO"_s, u"4"_s);
    setText(&s, u"シフト順NO"_s, u"1"_s);
    choose(&s, u"シフト名称"_s, u"日勤"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"ﾊﾟﾀｰﾝ名称が登録されていません"_s);
    EXPECT_TRUE(positions(1, 4).isEmpty());

    addPatternRow(1, 4, 0, u"日勤のみ"_s);
    setText(&s, u"シフト順NO"_s, u"0"_s); // would overwrite the header
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"シフト順NOに正しく入力してください"_s);
    EXPECT_EQ(positions(1, 4), QList<int>{0});
}

TEST_F(PatternTest, TwentyRowLimitAllowsChangesToExistingRows) {
    addPatternRow(1, 1, 0, u"長い"_s);
    for (int p = 1; p <= 20; ++p)
        addPatternRow(1, 1, p, u"日"_s, u"日勤"_s);
    PatternScreen s(ctx);
    choosePattern(s, u"長い"_s);
    QListWidget* seq = list(&s, u"シフト順"_s);
    ASSERT_EQ(seq->count(), 20);
    EXPECT_EQ(seq->item(0)->text(), u"1  日勤"_s);
    EXPECT_EQ(seq->item(11)->text(), u"12 日勤"_s);

    saveRow(s, 21, u"夜勤"_s);
    EXPECT_EQ(prompter.lastText(), u"ﾊﾟﾀｰﾝ内のｼﾌﾄ順登録はMAX 20件です。"_s);
    EXPECT_EQ(positions(1, 1).size(), 21);

    saveRow(s, 20, u"夜勤"_s);
    EXPECT_EQ(prompter.lastText(), u"指定されたシフトは更新(登録)されました。"_s);
    EXPECT_EQ(seq->item(19)->text(), u"20 夜勤"_s);
    Table t(db(), u"ｼﾌﾄﾊﾟﾀｰﾝ"_s);
    t.setIndex(u"key_ﾊﾟﾀﾝ"_s);
    t.seek(Seek::Equal, {1, 1, 20});
    EXPECT_EQ(t.text(u"パタ_シフト略称"_s), u"夜"_s);
}

TEST_F(PatternTest, SequenceRowChosenFillsBoxes) {
    addPatternRow(1, 2, 0, u"二交代"_s);
    addPatternRow(1, 2, 12, u"夜"_s, u"夜勤"_s);
    PatternScreen s(ctx);
    choosePattern(s, u"二交代"_s);
    EXPECT_EQ(text(&s, u"パタンNO"_s), u"2"_s);
    clickItem(list(&s, u"シフト順"_s), u"12"_s);
    EXPECT_EQ(text(&s, u"シフト順NO"_s), u"12"_s);
    EXPECT_EQ(text(&s, u"シフト略称"_s), u"夜"_s);
    EXPECT_EQ(child<QComboBox>(&s, u"シフト名称"_s)->currentText(), u"夜勤"_s);

    // Passing through the number box changes nothing; typing a new number starts afresh.
    auto* number = child<QLineEdit>(&s, u"パタンNO"_s);
    leave(number);
    EXPECT_EQ(text(&s, u"シフト順NO"_s), u"12"_s);
    EXPECT_TRUE(child<QGroupBox>(&s, u"シフト情報"_s)->isVisibleTo(&s));
    number->setText(u"5"_s);
    number->setModified(true);
    leave(number);
    EXPECT_EQ(text(&s, u"シフト順NO"_s), QString());
    EXPECT_FALSE(child<QGroupBox>(&s, u"シフト情報"_s)->isVisibleTo(&s));
}

TEST_F(PatternTest, DeletePositionRemovesItAndLaterOnes) {
    addPatternRow(1, 1, 0, u"十"_s);
    addPatternRow(1, 2, 0, u"次"_s);
    addPatternRow(1, 2, 1, u"日"_s, u"日勤"_s);
    for (int p = 1; p <= 10; ++p)
        addPatternRow(1, 1, p, u"日"_s, u"日勤"_s);
    PatternScreen s(ctx);
    choosePattern(s, u"十"_s);
    setText(&s, u"シフト順NO"_s, u"3"_s);
    prompter.answer(true);
    click(&s, u"削除"_s);
    EXPECT_EQ(prompter.shown().front().text, u"指定したｼﾌﾄを削除します。"_s);
    EXPECT_EQ(prompter.lastText(), u"指定されたﾊﾟﾀｰﾝは削除されました。"_s);
    EXPECT_EQ(positions(1, 1), (QList<int>{0, 1, 2}));
    EXPECT_EQ(positions(1, 2), (QList<int>{0, 1})); // the next pattern is untouched

    // Empty position: the whole pattern.
    setText(&s, u"シフト順NO"_s, QString());
    prompter.answer(true);
    click(&s, u"削除"_s);
    EXPECT_TRUE(positions(1, 1).isEmpty());
    EXPECT_EQ(list(&s, u"パターン名称"_s)->count(), 1);

    prompter.answer(true);
    click(&s, u"削除"_s);
    EXPECT_EQ(prompter.lastText(), u"指定されたﾊﾟﾀｰﾝは登録されていません。"_s);
}

TEST_F(PatternTest, WeekdayGridChoosesShiftsPerDay) {
    PatternScreen s(ctx);
    auto* grid = child<FlexGrid>(&s, u"曜日"_s);
    EXPECT_EQ(grid->text(0, 1), u"日"_s);
    EXPECT_EQ(grid->text(1, 0), u"ｼﾌﾄ"_s);
    EXPECT_EQ(grid->cellBackColor(0, 3), Palette::colour(14));
    EXPECT_EQ(grid->cellBackColor(1, 0), Palette::colour(14));
    EXPECT_EQ(grid->columnWidth(4), 50);

    choose(&s, u"パターン区分"_s, u"曜日パターン"_s);
    choose(&s, u"シフト名称2"_s, u"日勤"_s);
    EXPECT_EQ(prompter.lastText(), u"シフトを設定する曜日を正しく指定してください"_s);
    Q_EMIT grid->cellClickedAt(1, 0);
    EXPECT_EQ(prompter.lastText(), u"有効範囲を選択して下さい。"_s);
    choose(&s, u"シフト名称2"_s, u"日勤"_s);
    EXPECT_EQ(prompter.lastText(), u"シフトを設定する曜日を正しく指定してください"_s);

    Q_EMIT grid->cellClickedAt(1, 2);
    EXPECT_EQ(grid->cellBackColor(1, 2), Palette::colour(10));
    choose(&s, u"シフト名称2"_s, u"夜勤"_s);
    EXPECT_EQ(grid->text(1, 2), u"夜"_s);
    EXPECT_EQ(text(&s, u"シフト略称2"_s), u"夜"_s);
    EXPECT_EQ(child<QLabel>(&s, u"備考2"_s)->text(), u"夜勤の備考"_s);
    Q_EMIT grid->cellClickedAt(0, 5);
    EXPECT_EQ(grid->cellBackColor(1, 2), Palette::colour(15));
    EXPECT_EQ(grid->cellBackColor(1, 5), Palette::colour(10));
}

TEST_F(PatternTest, WeekdayPatternNeedsEveryDayAndWritesSevenRows) {
    addPatternRow(5, 1, 0, u"平日日勤"_s);
    for (int d = 1; d <= 6; ++d)
        addPatternRow(5, 1, d, u"日"_s, u"日勤"_s);
    PatternScreen s(ctx);
    choose(&s, u"パターン区分"_s, u"曜日パターン"_s);
    choosePattern(s, u"平日日勤"_s);
    EXPECT_TRUE(child<QGroupBox>(&s, u"曜日別設定"_s)->isVisibleTo(&s));
    EXPECT_FALSE(child<QGroupBox>(&s, u"シフト情報"_s)->isVisibleTo(&s));
    EXPECT_EQ(text(&s, u"シフト順NO"_s), u"1"_s);

    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"全曜日に入力してください"_s);
    EXPECT_EQ(positions(5, 1).size(), 7);

    auto* grid = child<FlexGrid>(&s, u"曜日"_s);
    Q_EMIT grid->cellClickedAt(1, 7);
    choose(&s, u"シフト名称2"_s, u"夜勤"_s);
    clickYes(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"指定された曜日シフトは更新(登録)されました。"_s);
    EXPECT_EQ(positions(5, 1), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    Table t(db(), u"ｼﾌﾄﾊﾟﾀｰﾝ"_s);
    t.setIndex(u"key_ﾊﾟﾀﾝ"_s);
    t.seek(Seek::Equal, {5, 1, 7});
    EXPECT_EQ(t.text(u"パタ_シフト略称"_s), u"夜"_s);
    t.seek(Seek::Equal, {5, 1, 2});
    EXPECT_EQ(t.text(u"パタ_シフト名称"_s), u"日勤"_s); // unchanged day keeps its stored name
    EXPECT_EQ(grid->cellBackColor(1, 7), Palette::colour(15));

    // A weekday pattern is always deleted whole.
    prompter.answer(true);
    click(&s, u"削除"_s);
    EXPECT_EQ(prompter.shown()[prompter.shown().size() - 2].text, u"ｼﾌﾄﾊﾟﾀｰﾝ全体を削除します。"_s);
    EXPECT_TRUE(positions(5, 1).isEmpty());
}

TEST_F(PatternTest, TypedKindsAcceptedAndOthersIgnored) {
    addPatternRow(2, 1, 0, u"夜夜禁止"_s);
    PatternScreen s(ctx);
    auto* kind = child<QComboBox>(&s, u"パターン区分"_s);
    EXPECT_EQ(kind->count(), 3);
    setText(&s, u"パタンNO"_s, u"9"_s);
    kind->setEditText(u"何か"_s);
    Q_EMIT kind->lineEdit()->returnPressed();
    EXPECT_EQ(text(&s, u"パタンNO"_s), u"9"_s); // nothing changed
    kind->setEditText(u"禁止パターン"_s);
    Q_EMIT kind->lineEdit()->returnPressed();
    EXPECT_EQ(text(&s, u"パタンNO"_s), QString());
    ASSERT_EQ(list(&s, u"パターン名称"_s)->count(), 1);
    EXPECT_EQ(list(&s, u"パターン名称"_s)->item(0)->text(), u"夜夜禁止"_s);
}

TEST_F(PatternTest, StaffingListShowsDefaultsOfThePatternShifts) {
    addPatternRow(1, 1, 0, u"基本"_s);
    for (int p = 1; p <= 20; ++p)
        addPatternRow(1, 1, p, p == 20 ? u"夜"_s : u"日"_s);
    addPatternRow(1, 1, 5, u"消えた"_s); // a shift no longer registered takes no column
    StaffingListScreen list(ctx, u"基本"_s);
    auto* grid = child<FlexGrid>(&list, u"要員数表"_s);
    EXPECT_EQ(grid->text(7, 0), u"MAX回数"_s);
    EXPECT_EQ(grid->cols(), 20); // 19 shown shifts fill the 19 data columns
    EXPECT_EQ(grid->text(0, 1), u"日勤"_s);
    EXPECT_EQ(grid->text(1, 1), u"5"_s);
    EXPECT_EQ(grid->text(7, 1), u"20"_s);
    EXPECT_EQ(grid->text(0, 19), u"夜勤"_s);

    addPatternRow(1, 1, 5, u"日"_s);
    list.showPattern(u"基本"_s);
    EXPECT_EQ(grid->cols(), 21); // a 20th position gets a column of its own
    EXPECT_EQ(grid->text(0, 20), u"夜勤"_s);
    EXPECT_EQ(grid->text(2, 20), u"1"_s);
}

TEST_F(PatternTest, ListButtonOpensStaffingListOnTheShownPattern) {
    addPatternRow(1, 1, 0, u"基本"_s);
    addPatternRow(1, 1, 1, u"夜"_s);
    addPatternRow(4, 2, 0, u"夜明"_s);
    PatternScreen s(ctx);
    choosePattern(s, u"基本"_s);
    click(&s, u"一覧"_s);
    auto* list = s.findChild<StaffingListScreen*>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isWindow());
    EXPECT_EQ(child<QComboBox>(list, u"パターン名称"_s)->count(), 2); // headers of every kind
    EXPECT_EQ(child<FlexGrid>(list, u"要員数表"_s)->text(0, 1), u"夜勤"_s);

    setText(&s, u"パタン名称"_s, u"夜明"_s);
    click(&s, u"一覧"_s); // the open list follows instead of a second one opening
    EXPECT_EQ(s.findChildren<StaffingListScreen*>().size(), 1);
    EXPECT_EQ(child<FlexGrid>(list, u"要員数表"_s)->text(0, 1), QString());
}

} // namespace

namespace {

// Closing a window moves the focus out of its combo boxes, which may then report a choice.
TEST_F(PatternTest, ClosingWithFocusInAFilledComboIsSafe) {
    addPatternRow(1, 1, 0, u"基本"_s);
    for (int i = 0; i < 2; ++i) {
        QWidget* w = i == 0 ? static_cast<QWidget*>(new StaffingListScreen(ctx, u"基本"_s))
                            : static_cast<QWidget*>(new PatternScreen(ctx));
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        auto* combo = w->findChild<QComboBox*>();
        combo->setCurrentIndex(-1);
        combo->setEditText(combo->itemText(0));
        combo->setFocus();
        ASSERT_TRUE(combo->hasFocus());
        delete w;
    }
    EXPECT_TRUE(prompter.texts().empty());
}

} // namespace

// Refusals that keep a pattern from holding what generation cannot use.
class PatternGuardTest : public PatternTest {
protected:
    const QString nameTaken = u"パタン名称は既に登録されています、別の名称を入力してください"_s;
};

TEST_F(PatternGuardTest, ChosenNameLoadsThePatternOfTheShownKind) {
    addPatternRow(1, 1, 0, u"共通"_s);
    addPatternRow(1, 1, 1, u"日"_s, u"日勤"_s);
    addPatternRow(4, 2, 0, u"共通"_s);
    addPatternRow(4, 2, 1, u"夜"_s, u"夜勤"_s);
    PatternScreen s(ctx);
    choose(&s, u"パターン区分"_s, u"必須パターン"_s);
    choosePattern(s, u"共通"_s);
    EXPECT_EQ(text(&s, u"パタンNO"_s), u"2"_s);
    ASSERT_EQ(list(&s, u"シフト順"_s)->count(), 1);
    EXPECT_EQ(list(&s, u"シフト順"_s)->item(0)->text(), u"1  夜勤"_s);

    // Saving the loaded header under its own name changes only that pattern.
    setText(&s, u"パタン備考"_s, u"夜明"_s);
    clickYes(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"更新(登録)されました。"_s);
    EXPECT_EQ(positions(1, 1), (QList<int>{0, 1}));
    EXPECT_EQ(positions(4, 2), (QList<int>{0, 1}));
}

TEST_F(PatternGuardTest, NameOfAnotherPatternOfTheKindIsRefused) {
    addPatternRow(1, 1, 0, u"日勤型"_s);
    PatternScreen s(ctx);
    setText(&s, u"パタンNO"_s, u"2"_s);
    setText(&s, u"パタン名称"_s, u"日勤型"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), nameTaken);
    EXPECT_EQ(prompter.shown().size(), 1u); // refused before the question
    EXPECT_TRUE(FieldChecks::isRed(child<QLineEdit>(&s, u"パタン名称"_s)));
    EXPECT_TRUE(positions(1, 2).isEmpty());

    // The same name in another kind, and a pattern keeping its own name, are accepted.
    prompter.clear();
    setText(&s, u"パタンNO"_s, u"1"_s);
    clickYes(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"更新(登録)されました。"_s);
    choose(&s, u"パターン区分"_s, u"必須パターン"_s);
    setText(&s, u"パタンNO"_s, u"2"_s);
    setText(&s, u"パタン名称"_s, u"日勤型"_s);
    clickYes(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"更新(登録)されました。"_s);
    EXPECT_EQ(positions(4, 2), QList<int>{0});
}

TEST_F(PatternGuardTest, PositionWithoutARegisteredShiftIsRefused) {
    addPatternRow(1, 1, 0, u"三交代"_s);
    PatternScreen s(ctx);
    choosePattern(s, u"三交代"_s);
    setText(&s, u"シフト順NO"_s, u"1"_s);
    child<QComboBox>(&s, u"シフト名称"_s)->setEditText(u"準夜"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"シフト名称に登録済みのシフトを選択してください"_s);
    EXPECT_TRUE(FieldChecks::isRed(child<QComboBox>(&s, u"シフト名称"_s)));
    EXPECT_EQ(positions(1, 1), QList<int>{0});
}

TEST_F(PatternGuardTest, DeleteAtPositionZeroIsRefusedAsOnSave) {
    addPatternRow(1, 1, 0, u"三交代"_s);
    for (int p = 1; p <= 3; ++p)
        addPatternRow(1, 1, p, u"日"_s, u"日勤"_s);
    PatternScreen s(ctx);
    choosePattern(s, u"三交代"_s);
    setText(&s, u"シフト順NO"_s, u"0"_s);
    click(&s, u"削除"_s); // no question is answered: none may be asked
    EXPECT_EQ(prompter.shown().front().text, u"シフト順NOに正しく入力してください"_s);
    EXPECT_TRUE(FieldChecks::isRed(child<QLineEdit>(&s, u"シフト順NO"_s)));
    EXPECT_EQ(positions(1, 1), (QList<int>{0, 1, 2, 3}));
}
