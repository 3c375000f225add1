#include "roster/cumulative_totals.h"
#include "screens/output/monthly_totals_screen.h"
#include "screens/output/period_totals_screen.h"
#include "store/demo_workplace.h"
#include "store/startup_settings.h"
#include "support/recording_output.h"
#include "support/screens/cut_off_cells.h"
#include "support/screens/entry_screen_fixture.h"
#include "widgets/flex_grid.h"

#include <QComboBox>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

class TotalsScreensTest : public EntryScreenFixture {
protected:
    TotalsScreensTest() {
        LoadDemoWorkplace(tmp.db(), clock);
        LoadStartupSettings(tmp.db(), ctx.settings);
        tmp.db().exec(u"DELETE FROM \"勤務表\""_s); // only the days below count
        for (int d = 1; d <= 5; ++d)
            TableRows::putRosterDay(tmp.db(), u"1003"_s,
                                    u"2024/02/%1"_s.arg(d, 2, 10, QLatin1Char('0')), u"日"_s);
        TableRows::putRosterDay(tmp.db(), u"1003"_s, u"2024/04/10"_s, u"夜"_s);
    }

    template <typename S> std::unique_ptr<S> open() {
        auto out = std::make_unique<RecordingOutput>();
        output = out.get();
        auto s = std::make_unique<S>(ctx, std::move(out));
        s->show();
        return s;
    }

    // The grid row of a person by name, -1 when absent.
    static int rowOf(const FlexGrid* grid, const QString& name) {
        for (int r = 0; r < grid->rows(); ++r)
            if (grid->text(r, 0) == name)
                return r;
        return -1;
    }

    RecordingOutput* output = nullptr;
};

TEST_F(TotalsScreensTest, MonthlyInquiryChecksItsFieldsBeforeCounting) {
    auto screen = open<MonthlyTotalsScreen>();
    EXPECT_EQ(screen->windowTitle(), u"月別シフト累計表"_s);
    click(screen.get(), u"表示"_s);
    EXPECT_EQ(prompter.lastText(), u"開始日に入力してください"_s);
    EXPECT_EQ(prompter.lastTitle(), u"ﾁｰﾑ別勤務表作成"_s);
    EXPECT_TRUE(red(screen.get(), u"期間"_s));

    type(screen.get(), u"開始日"_s, u"2024/2/30"_s);
    click(screen.get(), u"表示"_s);
    EXPECT_EQ(prompter.lastText(), u"開始日に正しく入力してください"_s);

    type(screen.get(), u"開始日"_s, u"2023/11/17"_s);
    click(screen.get(), u"表示"_s);
    EXPECT_EQ(text(screen.get(), u"開始日"_s), u"2023/11/01"_s);
    EXPECT_EQ(prompter.lastText(), u"期間に入力してください"_s);
    EXPECT_EQ(prompter.shown().size(), 3u) << "one message per try";
    EXPECT_TRUE(output->names.empty());
}

TEST_F(TotalsScreensTest, SixMonthsFromNovemberShowNovemberToAprilAndPrintAllSixBlocks) {
    auto screen = open<MonthlyTotalsScreen>();
    type(screen.get(), u"開始日"_s, u"2023/11/17"_s);
    child<QComboBox>(screen.get(), u"期間"_s)->setCurrentText(u"６ｹ月"_s);
    prompter.clear();
    click(screen.get(), u"印刷"_s); // shows first
    ASSERT_EQ(prompter.shown().size(), 2u);
    EXPECT_EQ(prompter.shown()[0].title, u"月別累計出力"_s);
    EXPECT_EQ(prompter.shown()[0].text, u"月別累計の出力を終了しました。"_s);
    EXPECT_EQ(prompter.lastText(), u"勤務表の印刷を終了しました"_s);

    const auto* grid = child<FlexGrid>(screen.get(), u"累計"_s);
    const int shifts = screen->model().cache.workShiftCount();
    ASSERT_EQ(shifts, 4); // 日 夜 明 休
    EXPECT_EQ(grid->cols(), 1 + 7 * shifts);
    EXPECT_EQ(grid->rows(), 2 + static_cast<int>(TotalsStaff(screen->model()).size()));
    EXPECT_GT(grid->rows(), 22) << "everybody has a row";
    const QString headings[] = {u"11月"_s, u"12月"_s, u"1月"_s, u"2月"_s,
                                u"3月"_s,  u"4月"_s,  u"合計"_s};
    for (int b = 0; b < 7; ++b) {
        EXPECT_EQ(grid->text(0, 1 + b * shifts), headings[b]);
        EXPECT_EQ(grid->columnSpan(0, 1 + b * shifts), shifts);
        EXPECT_EQ(grid->text(1, 2 + b * shifts), u"夜"_s);
    }
    const int row = rowOf(grid, u"高橋 健一"_s);
    ASSERT_GT(row, 1);
    EXPECT_EQ(grid->text(row, 1 + 3 * shifts), u"5"_s); // February, 日
    EXPECT_EQ(grid->text(row, 2 + 5 * shifts), u"1"_s); // April, 夜
    EXPECT_EQ(grid->text(row, 1 + 6 * shifts), u"5"_s); // total, 日
    EXPECT_EQ(grid->text(row, 1 + 4 * shifts), u"0"_s); // March, 日

    ASSERT_EQ(output->names, std::vector<QString>{u"月別勤務累計表"_s});
    const auto pages = static_cast<size_t>(output->sheet.pageCount());
    EXPECT_EQ(pages, 2u) << "more than 22 people";
    for (const QString& label : headings)
        EXPECT_EQ(output->sheet.textsEqual(label).size(), pages) << label.toStdString();
    EXPECT_EQ(output->sheet.textsEqual(u"2023年11月1日～2024年4月30日"_s).size(), pages);

    prompter.answer(false);
    click(screen.get(), u"終了"_s);
    EXPECT_EQ(prompter.lastText(), u"月別累計の照会を終了します"_s);
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(TotalsScreensTest, PeriodInquiryCountsTheWholeSpanAndPrintsIt) {
    auto screen = open<PeriodTotalsScreen>();
    EXPECT_EQ(screen->windowTitle(), u"期間シフト累計表"_s);
    type(screen.get(), u"開始日"_s, u"2024/04/15"_s);
    type(screen.get(), u"終了日"_s, u"2024/04/01"_s);
    click(screen.get(), u"表示"_s);
    EXPECT_EQ(text(screen.get(), u"開始日"_s), u"2024/04/01"_s);
    EXPECT_EQ(prompter.lastText(), u"日付の関係を正しく入力してください"_s);
    EXPECT_EQ(prompter.lastTitle(), u"勤務累計表作成"_s);
    type(screen.get(), u"終了日"_s, u"2024/4/x"_s);
    click(screen.get(), u"表示"_s);
    EXPECT_EQ(prompter.lastText(), u"終了日に正しく入力してください"_s);

    type(screen.get(), u"開始日"_s, u"2024/02/03"_s);
    type(screen.get(), u"終了日"_s, u"2024/04/10"_s);
    click(screen.get(), u"表示"_s);
    EXPECT_EQ(prompter.lastText(), u"累計表を表示しました。"_s);
    const auto* grid = child<FlexGrid>(screen.get(), u"累計"_s);
    EXPECT_EQ(grid->text(0, 1), u"日"_s);
    EXPECT_EQ(grid->cols(), 5);
    const int row = rowOf(grid, u"高橋 健一"_s);
    ASSERT_GT(row, 0);
    EXPECT_EQ(grid->text(row, 1), u"5"_s) << "from the first of February";
    EXPECT_EQ(grid->text(row, 2), u"1"_s);

    click(screen.get(), u"印刷"_s);
    EXPECT_EQ(prompter.lastText(), u"累計表を出力しました"_s);
    ASSERT_EQ(output->names, std::vector<QString>{u"シフト勤務累計表"_s});
    EXPECT_EQ(output->sheet.textsEqual(u"2024年2月1日～2024年4月10日"_s).size(),
              static_cast<size_t>(output->sheet.pageCount()));
}

} // namespace

// Half a year of day duties runs into three figures; no count or name may show cut off.
TEST_F(TotalsScreensTest, LongTotalsShowWhole) {
    for (QDate d(2023, 11, 1); d <= QDate(2024, 4, 30); d = d.addDays(1))
        TableRows::putRosterDay(tmp.db(), u"1003"_s, d.toString(u"yyyy/MM/dd"_s), u"日"_s);
    auto monthly = open<MonthlyTotalsScreen>();
    type(monthly.get(), u"開始日"_s, u"2023/11/01"_s);
    child<QComboBox>(monthly.get(), u"期間"_s)->setCurrentText(u"６ｹ月"_s);
    click(monthly.get(), u"表示"_s);
    auto period = open<PeriodTotalsScreen>();
    type(period.get(), u"開始日"_s, u"2023/11/01"_s);
    type(period.get(), u"終了日"_s, u"2024/04/30"_s);
    click(period.get(), u"表示"_s);

    for (const QWidget* screen :
         std::initializer_list<const QWidget*>{monthly.get(), period.get()}) {
        const auto* grid = child<FlexGrid>(screen, u"累計"_s);
        const int row = rowOf(grid, u"高橋 健一"_s);
        ASSERT_GT(row, 0);
        EXPECT_EQ(grid->text(row, grid->cols() - 4), u"182"_s) << "total 日";
        EXPECT_EQ(cutOffCells(*grid).join(u" "_s).toStdString(), "")
            << screen->objectName().toStdString();
    }
}

// A clerk tabs to a button and presses Return; the button acts as on a click.
TEST_F(TotalsScreensTest, ReturnPressesTheFocusedButton) {
    auto monthly = open<MonthlyTotalsScreen>();
    auto period = open<PeriodTotalsScreen>();
    for (QWidget* screen : std::initializer_list<QWidget*>{monthly.get(), period.get()}) {
        showActive(screen);
        prompter.clear();
        auto* button = child<QPushButton>(screen, u"表示"_s);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        EXPECT_EQ(prompter.lastText(), u"開始日に入力してください"_s)
            << screen->objectName().toStdString();
    }
}
