#include "screens/masters/master_fixture.h"
#include "screens/output/daily_staffing_inquiry_screen.h"
#include "store/records/staff_member.h"
#include "support/screens/cut_off_cells.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

using namespace Qt::Literals::StringLiterals;

namespace {

class DailyStaffingInquiryTest : public MasterFixture {
protected:
    DailyStaffingInquiryTest() {
        TableRows::putCreationUnit(db(), 1, {1, 1, u"1"_s, 0, {}, {}, {}});
        TableRows::putCreationUnit(db(), 2, {0, 0, {}, 0, u"2024/04/01"_s, u"2024/04/30"_s, {}});
        addShift(u"日"_s, u"日勤"_s, 1, 1);
        addShift(u"夜"_s, u"夜勤"_s, 1, 2);
        addShift(u"有"_s, u"有給"_s, 0, 3);
        setTimes(u"日"_s, u"08:30"_s, u"17:00"_s);
        setTimes(u"夜"_s, u"16:30"_s, u"09:00"_s);
        addStaff(u"1001"_s, u"山田"_s, u"1"_s);
        addStaff(u"1002"_s, u"佐藤"_s, u"2"_s);
        clock.set(QDate(2024, 4, 10));
    }
    void setTimes(const QString& abbrev, const QString& start, const QString& end) {
        TableRows::putShift(db(), abbrev, abbrev, 1, abbrev == u"日"_s ? 1 : 2,
                            {{u"基本_開始時間"_s, start}, {u"基本_終了時間"_s, end}});
    }
    void addStaff(const QString& no, const QString& name, const QString& order) {
        using F = StaffMember::Field;
        TableRows::put(db(), StaffMember::table, u"key_職員"_s, {no},
                       {{F::name, name}, {F::kana, name}, {F::displayOrder, order}});
    }
    FlexGrid* grid(const QWidget* s) { return child<FlexGrid>(s, u"勤務名"_s); }
};

TEST_F(DailyStaffingInquiryTest, DatesAreCheckedAgainstTheLastPeriodReadAtOpening) {
    ctx.settings.periodEnd = u"2024/03/31"_s; // older than the stored period
    DailyStaffingInquiryScreen s(ctx);
    EXPECT_EQ(s.windowTitle(), u"勤務表日別照会"_s);
    EXPECT_EQ(text(&s, u"照会日"_s), u"2024/04/10"_s);
    const std::pair<QString, QString> cases[] = {
        {u""_s, u"照会日に入力してください"_s},
        {u"4月1日"_s, u"照会日に正しく入力してください"_s},
        {u"2024/5/1"_s, u"勤務表は作成されていません、照会日に正しく入力してください"_s},
    };
    for (const auto& [typed, message] : cases) {
        prompter.clear();
        setText(&s, u"照会日"_s, typed);
        click(&s, u"照会"_s);
        EXPECT_EQ(prompter.texts(), std::vector<QString>{message}) << typed.toStdString();
        EXPECT_EQ(prompter.lastTitle(), u"勤務表照会"_s);
        EXPECT_TRUE(red(&s, u"照会日"_s));
    }
    prompter.clear();
    setText(&s, u"照会日"_s, u"2024/4/30"_s);
    click(&s, u"照会"_s);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"表示されました"_s});
    EXPECT_EQ(text(&s, u"照会日"_s), u"2024/04/30"_s);
    EXPECT_FALSE(red(&s, u"照会日"_s));
}

TEST_F(DailyStaffingInquiryTest, ChartsTheDayFromEightWithTheNightsAroundIt) {
    TableRows::putRosterDay(db(), u"1001"_s, u"2024/04/09"_s, u"夜"_s);
    TableRows::putRosterDay(db(), u"1001"_s, u"2024/04/10"_s, u"日"_s);
    TableRows::putRosterDay(db(), u"1002"_s, u"2024/04/10"_s, u"日"_s, {{u"勤_実績"_s, u"夜"_s}});
    TableRows::putRosterDay(db(), u"1002"_s, u"2024/04/11"_s, u"有"_s);
    DailyStaffingInquiryScreen s(ctx);
    click(&s, u"照会"_s);
    FlexGrid* g = grid(&s);
    ASSERT_EQ(g->rows(), DailyStaffingInquiryScreen::kMinRows);
    ASSERT_EQ(g->cols(), 2 + 48);
    EXPECT_EQ(g->text(0, 0), u"氏名"_s);
    EXPECT_EQ(g->text(0, 2), u"時間"_s);
    EXPECT_EQ(g->text(1, 2), u"8"_s);
    EXPECT_EQ(g->text(1, 2 + 32), u"0"_s);
    EXPECT_EQ(g->columnSpan(1, 2), 2);
    EXPECT_EQ(g->cellBackColor(1, 10), QColor(192, 192, 192));
    EXPECT_EQ(g->text(2, 0), u" 山田"_s);
    EXPECT_EQ(g->text(2, 1), u" 1001"_s);
    // 山田: the night before up to 09:00, cut by the day shift from 08:30 to 17:00.
    EXPECT_EQ(g->text(2, 2), u"夜"_s);
    EXPECT_EQ(g->columnSpan(2, 2), 1);
    EXPECT_EQ(g->text(2, 3), u"日"_s);
    EXPECT_EQ(g->columnSpan(2, 3), 17);
    EXPECT_EQ(g->cellBackColor(2, 3), Palette::colour(Palette::Cyan));
    EXPECT_TRUE(g->text(2, 20).isEmpty());
    // 佐藤: the actual night shift runs to the chart's end; the leave of the next day paints
    // nothing.
    EXPECT_TRUE(g->text(3, 18).isEmpty());
    EXPECT_EQ(g->text(3, 19), u"夜"_s);
    EXPECT_EQ(g->columnSpan(3, 19), 31);
    EXPECT_EQ(g->text(3, 49), u"夜"_s);

    // Closing asks first.
    s.show();
    prompter.clear();
    prompter.answer(false);
    click(&s, u"終了"_s);
    EXPECT_TRUE(s.isVisible());
    prompter.answerYes();
    click(&s, u"終了"_s);
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(prompter.lastText(), u"勤務表の照会を終了します"_s);
}

TEST_F(DailyStaffingInquiryTest, TheChartGrowsToHoldEveryone) {
    for (int i = 0; i < 60; ++i)
        addStaff(QString::number(2000 + i), u"職員"_s + QString::number(i),
                 QString::number(900 + i));
    DailyStaffingInquiryScreen s(ctx);
    click(&s, u"照会"_s);
    EXPECT_EQ(grid(&s)->rows(), 2 + 62);
    EXPECT_EQ(grid(&s)->text(2 + 61, 1), u" 2059"_s);
}

} // namespace

// The name and number columns hold their headings and a long name whole.
TEST_F(DailyStaffingInquiryTest, NamesNumbersAndHeadingsShowWhole) {
    addStaff(u"100003"_s, u"長谷川 真理子"_s, u"3"_s);
    DailyStaffingInquiryScreen s(ctx);
    for (const bool inquired : {false, true}) {
        if (inquired)
            click(&s, u"照会"_s);
        QStringList cut;
        for (const QString& cell : cutOffCells(*grid(&s)))
            if (cell.section(u',', 1, 1).section(u':', 0, 0).toInt() < 2)
                cut << cell;
        EXPECT_EQ(cut.join(u" "_s).toStdString(), "") << (inquired ? "after" : "before");
    }
    EXPECT_EQ(grid(&s)->text(4, 0), u" 長谷川 真理子"_s);
}
