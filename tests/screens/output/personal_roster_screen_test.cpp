#include "screens/masters/master_fixture.h"
#include "screens/output/personal_roster_screen.h"
#include "store/records/shift_request.h"
#include "store/records/staff_member.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <QComboBox>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace {

class PersonalRosterScreenTest : public MasterFixture {
protected:
    PersonalRosterScreenTest() {
        using F = StaffMember::Field;
        TableRows::put(db(), StaffMember::table, u"key_職員"_s, {u"1001"_s},
                       {{F::name, u"山田"_s}, {F::kana, u"ﾔﾏﾀﾞ"_s}});
        clock.set(QDate(2024, 5, 10));
    }
    QString label(const QWidget* s, const QString& name) { return child<QLabel>(s, name)->text(); }
    FlexGrid* grid(const QWidget* s, const QString& name) { return child<FlexGrid>(s, name); }
};

TEST_F(PersonalRosterScreenTest, ShowsTheMonthAndTheOneBeforeWithRequestsInBlue) {
    TableRows::putRosterDay(db(), u"1001"_s, u"2024/05/01"_s, u"日"_s); // past: plan twice
    TableRows::putRosterDay(db(), u"1001"_s, u"2024/05/20"_s, u"夜"_s); // future: once
    ShiftRequest{2, u"1001"_s, u"2024/05/21"_s, u"有"_s, {}, 0, 0, {}, {}, {}, {}, {}, 0}.save(
        db());
    TableRows::putRosterDay(db(), u"1001"_s, u"2024/04/30"_s, u"日"_s, {{u"勤_実績"_s, u"休"_s}});
    PersonalRosterScreen s(ctx);
    EXPECT_EQ(s.windowTitle(), u"個人勤務表"_s);
    EXPECT_EQ(text(&s, u"表示年"_s), u"2024"_s);
    EXPECT_EQ(text(&s, u"表示月"_s), u"5"_s);
    child<QComboBox>(&s, u"CMB職員"_s)->setEditText(u"山田"_s);
    click(&s, u"表示"_s);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(label(&s, u"表示当月年"_s), u"2024"_s);
    EXPECT_EQ(label(&s, u"表示当月"_s), u"5"_s);
    EXPECT_EQ(label(&s, u"表示前月"_s), u"4"_s);
    FlexGrid* may = grid(&s, u"当月度"_s);
    ASSERT_EQ(may->rows(), PersonalRosterScreen::kRows);
    // 1 May 2024 is a Wednesday (column 3); the 20th and 21st are in the fourth week.
    EXPECT_EQ(may->text(1, 3), u"1"_s);
    EXPECT_EQ(may->text(2, 3), u"日"_s);
    EXPECT_EQ(may->text(3, 3), u"日"_s);
    EXPECT_EQ(may->text(10, 1), u"20"_s);
    EXPECT_EQ(may->text(11, 1), u"夜"_s);
    EXPECT_TRUE(may->text(12, 1).isEmpty());
    EXPECT_EQ(may->text(11, 2), u"有"_s);
    EXPECT_EQ(may->cellForeColor(11, 2), Palette::colour(Palette::Blue));
    FlexGrid* april = grid(&s, u"前月度"_s);
    EXPECT_EQ(april->text(13, 2), u"30"_s);
    EXPECT_EQ(april->text(15, 2), u"休"_s);

    click(&s, u"次月"_s);
    EXPECT_EQ(text(&s, u"表示月"_s), u"6"_s);
    EXPECT_EQ(label(&s, u"表示前月"_s), u"5"_s);
    click(&s, u"前月"_s);
    click(&s, u"前月"_s);
    EXPECT_EQ(label(&s, u"表示当月"_s), u"4"_s);
    EXPECT_EQ(label(&s, u"表示前月年"_s), u"2024"_s);
    EXPECT_EQ(label(&s, u"表示前月"_s), u"3"_s);
}

TEST_F(PersonalRosterScreenTest, RefusesABadMonthOrAnUnknownName) {
    PersonalRosterScreen s(ctx);
    struct Case {
        QString year, month, name, message;
    };
    for (const Case& c :
         {Case{u"20x4"_s, u"5"_s, u"山田"_s, u"表示年に正しい数字を入力してください"_s},
          Case{u"2024"_s, u"13"_s, u"山田"_s, u"表示年月に正しい数字を入力してください"_s},
          Case{u"2024"_s, u"5"_s, u"山本"_s, u"職員を正しく選択して下さい"_s}}) {
        prompter.clear();
        setText(&s, u"表示年"_s, c.year);
        setText(&s, u"表示月"_s, c.month);
        child<QComboBox>(&s, u"CMB職員"_s)->setEditText(c.name);
        click(&s, u"表示"_s);
        EXPECT_EQ(prompter.texts(), std::vector<QString>{c.message});
        EXPECT_EQ(prompter.lastTitle(), u"カレンダー設定"_s);
    }
    EXPECT_TRUE(grid(&s, u"当月度"_s)->text(1, 3).isEmpty());
}

} // namespace
