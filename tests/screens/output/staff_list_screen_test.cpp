#include "screens/masters/master_fixture.h"
#include "screens/output/personal_roster_screen.h"
#include "screens/output/staff_list_screen.h"
#include "store/records/staff_member.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <QComboBox>
#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kOutside = u"有功範囲外を指定しています。やり直して下さい"_s;

class StaffListScreenTest : public MasterFixture {
protected:
    StaffListScreenTest() {
        addCode(1, 1, u"看護師"_s);
        addCode(1, 2, u"介護士"_s);
        // One number names a different pattern in each kind.
        addPatternRow(1, 4, 0, u"基本四"_s);
        addPatternRow(3, 4, 0, u"特定四"_s);
        addPatternRow(5, 4, 0, u"曜日四"_s);
        addStaff(u"1001"_s, u"山田"_s, u"3"_s, 1, 1, 1, u"A"_s);
        addStaff(u"1002"_s, u"佐藤"_s, u"1"_s, 2, 3, 0, {});
        addStaff(u"1003"_s, u"田中"_s, u"2"_s, 1, 5, 0, u"B"_s);
        addStaff(u"1004"_s, u"鈴木"_s, u"4"_s, 9, 2, 0, {});
    }
    void addStaff(const QString& no, const QString& name, const QString& order, int category,
                  int shiftType, int leader, const QString& team) {
        using F = StaffMember::Field;
        TableRows::put(db(), StaffMember::table, u"key_職員"_s, {no},
                       {{F::name, name},
                        {F::kana, name},
                        {F::displayOrder, order},
                        {F::category, category},
                        {F::shiftType, shiftType},
                        {F::fixedPattern, shiftType == 2 ? 0 : 4},
                        {F::leader, leader},
                        {F::team, team}});
    }
    FlexGrid* grid(const QWidget* s) { return child<FlexGrid>(s, u"職員一覧"_s); }
    QString line(const QWidget* s, int row) {
        QStringList cells;
        for (int c = 0; c < StaffListScreen::kCols; ++c)
            cells << grid(s)->text(row, c);
        return cells.join(u'|');
    }
};

TEST_F(StaffListScreenTest, ListsEveryoneInDisplayOrderWithThePatternOfTheirShiftType) {
    StaffListScreen s(ctx);
    EXPECT_EQ(s.windowTitle(), u"職員一覧"_s);
    EXPECT_EQ(grid(&s)->rows(), StaffListScreen::kMinRows);
    EXPECT_EQ(line(&s, 0), u"番号|職員名|職位|ﾘｰﾀﾞｰ区分|ﾁｰﾑ|ｼﾌﾄ有無|ｼﾌﾄﾊﾟﾀｰﾝ"_s);
    EXPECT_EQ(line(&s, 1), u"1002|佐藤|介護士|||有|特定四"_s);
    EXPECT_EQ(line(&s, 2), u"1003|田中|看護師||B|有|曜日四"_s);
    EXPECT_EQ(line(&s, 3), u"1001|山田|看護師|ﾘｰﾀﾞｰ|A|有|基本四"_s);
    EXPECT_EQ(line(&s, 4), u"1004|鈴木||||無|"_s);
    EXPECT_EQ(line(&s, 5), u"||||||"_s);
    EXPECT_EQ(s.listedCount(), 4);
}

TEST_F(StaffListScreenTest, ClicksOutsideTheListAreRefusedAndARowIsSelected) {
    StaffListScreen s(ctx);
    for (int row : {0, 5, 99}) {
        prompter.clear();
        Q_EMIT grid(&s)->cellClickedAt(row, 1);
        EXPECT_EQ(prompter.texts(), std::vector<QString>{kOutside}) << row;
        EXPECT_EQ(prompter.lastTitle(), u"職員一覧"_s);
    }
    EXPECT_TRUE(ctx.selectedStaffNo.isEmpty());
    prompter.clear();
    Q_EMIT grid(&s)->cellClickedAt(2, 4);
    Q_EMIT grid(&s)->cellClickedAt(3, 0);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(ctx.selectedStaffNo, u"1001"_s);
    EXPECT_EQ(ctx.selectedStaffName, u"山田"_s);
    EXPECT_EQ(grid(&s)->cellBackColor(3, 6), Palette::colour(Palette::Green));
    EXPECT_EQ(grid(&s)->cellBackColor(2, 0), Palette::colour(Palette::White));

    // The personal roster opens on the selected person, and follows a later selection.
    click(&s, u"個人勤務表"_s);
    auto* personal = s.findChild<PersonalRosterScreen*>();
    ASSERT_NE(personal, nullptr);
    EXPECT_EQ(child<QComboBox>(personal, u"CMB職員"_s)->currentText(), u"山田"_s);
    Q_EMIT grid(&s)->cellClickedAt(1, 0);
    click(&s, u"個人勤務表"_s);
    EXPECT_EQ(s.findChildren<PersonalRosterScreen*>().size(), 1);
    EXPECT_EQ(child<QComboBox>(personal, u"CMB職員"_s)->currentText(), u"佐藤"_s);
}

TEST_F(StaffListScreenTest, TheStaffRegisterIsTheMenusAndItsClosingRefillsTheList) {
    auto* registerScreen = new QWidget;
    registerScreen->setAttribute(Qt::WA_DeleteOnClose);
    std::vector<QString> asked;
    ctx.openMenuScreen = [&](const QString& button) -> QWidget* {
        asked.push_back(button);
        return registerScreen;
    };
    StaffListScreen s(ctx);
    click(&s, u"職員登録"_s);
    click(&s, u"職員登録"_s); // the same instance again
    EXPECT_EQ(asked, (std::vector<QString>{u"職員登録"_s, u"職員登録"_s}));
    addStaff(u"1005"_s, u"高橋"_s, u"5"_s, 1, 2, 0, {});
    for (int i = 0; i < 110; ++i)
        addStaff(QString::number(3000 + i), u"職員"_s, u"9"_s, 1, 2, 0, {});
    EXPECT_EQ(s.listedCount(), 4);
    registerScreen->close(); // deleted on closing
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(s.listedCount(), 115);
    EXPECT_EQ(line(&s, 5), u"1005|高橋|看護師|||無|"_s);
    EXPECT_EQ(grid(&s)->rows(), 116);
}

// From the keyboard: the arrow keys move to a row and Return selects it, as a click does.
TEST_F(StaffListScreenTest, ReturnSelectsTheCurrentRow) {
    StaffListScreen s(ctx);
    showActive(&s);
    FlexGrid* g = grid(&s);
    g->setFocus();
    g->setCurrentCell(1, 1);
    QTest::keyClick(g, Qt::Key_Down);
    QTest::keyClick(g, Qt::Key_Return);
    EXPECT_EQ(ctx.selectedStaffNo, g->text(2, 0));
    EXPECT_EQ(ctx.selectedStaffName, g->text(2, 1));
    EXPECT_FALSE(ctx.selectedStaffNo.isEmpty());
    EXPECT_EQ(g->cellBackColor(2, 6), Palette::colour(Palette::Green));
}

// The personal roster already open on one person turns to the next person chosen here,
// calendars included, without a second 表示.
TEST_F(StaffListScreenTest, TheOpenPersonalRosterFollowsTheNextSelection) {
    TableRows::putRosterDay(db(), u"1001"_s, u"2024/04/01"_s, u"日"_s); // 山田
    TableRows::putRosterDay(db(), u"1002"_s, u"2024/04/01"_s, u"夜"_s); // 佐藤
    StaffListScreen s(ctx);
    Q_EMIT grid(&s)->cellClickedAt(3, 0); // 山田
    click(&s, u"個人勤務表"_s);
    auto* personal = s.findChild<PersonalRosterScreen*>();
    ASSERT_NE(personal, nullptr);
    click(personal, u"表示"_s);
    // 1 April 2024 is a Monday: column 1, its planned shift on the row under the day.
    const FlexGrid* april = child<FlexGrid>(personal, u"当月度"_s);
    ASSERT_EQ(april->text(1, 1), u"1"_s);
    EXPECT_EQ(april->text(2, 1), u"日"_s);

    Q_EMIT grid(&s)->cellClickedAt(1, 0); // 佐藤
    click(&s, u"個人勤務表"_s);
    EXPECT_EQ(child<QComboBox>(personal, u"CMB職員"_s)->currentText(), u"佐藤"_s);
    EXPECT_EQ(april->text(2, 1), u"夜"_s);
}

} // namespace
