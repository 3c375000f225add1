#include "screens/masters/master_fixture.h"
#include "screens/shell/calendar_screen.h"
#include "store/code_kind.h"
#include "store/records/calendar_day.h"
#include "store/text_values.h"
#include "widgets/flex_grid.h"
#include "widgets/month_calendar.h"
#include "widgets/palette.h"

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kFiscalDone = u"定休日の設定を終了しました。"_s;

class CalendarScreenTest : public MasterFixture {
protected:
    void setStart(const QString& start) {
        TableRows::putCode(db(), CodeKind::FiscalYearStart, 1, start, {});
    }
    void show(CalendarScreen& s, int year, int month) {
        setText(&s, u"CAL_表示年"_s, QString::number(year));
        setText(&s, u"CAL_表示月"_s, QString::number(month));
        click(&s, u"表示"_s);
    }
    void pick(CalendarScreen& s, int day) {
        auto* grid = child<FlexGrid>(&s, u"CAL_日付"_s);
        const auto cell = MonthCalendar::cellOfDay(*grid, day);
        ASSERT_TRUE(cell) << day;
        Q_EMIT grid->cellClickedAt(cell->first, cell->second);
    }
    void choose(CalendarScreen& s, std::initializer_list<QString> options) {
        for (const QString& o : options)
            child<QRadioButton>(&s, o)->setChecked(true);
    }
    void tick(CalendarScreen& s, std::initializer_list<QString> days) {
        for (const QString& d : days)
            child<QCheckBox>(&s, d)->setChecked(true);
    }
    // Presses a button, answering every question yes, and returns what was shown.
    std::vector<QString> press(CalendarScreen& s, const QString& button, int yes = 1) {
        prompter.clear();
        prompter.answerYes(yes);
        click(&s, button);
        return prompter.texts();
    }
    std::vector<CalendarDay> stored(const QString& from = u"1900/01/01"_s,
                                    const QString& to = u"9999/12/31"_s) {
        return CalendarDay::loadRange(db(), from, to);
    }
};

TEST_F(CalendarScreenTest, OpensOnTheCurrentMonthUnderItsCaption) {
    CalendarDay{u"2024/04/29"_s, 1, u"昭和の日"_s}.save(db());
    CalendarScreen s(ctx);
    EXPECT_EQ(s.windowTitle(), u"カレンダー作成"_s);
    EXPECT_EQ(s.objectName(), u"暦作成"_s);
    EXPECT_EQ(text(&s, u"CAL_表示年"_s), u"2024"_s);
    EXPECT_EQ(text(&s, u"CAL_表示月"_s), u"4"_s);
    EXPECT_EQ(s.firstDay(), QDate(2024, 4, 1));
    auto* list = child<QListWidget>(&s, u"休業日"_s);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), u"29 昭和の日"_s);

    // A list line selects its day as a click on the grid would.
    Q_EMIT list->itemClicked(list->item(0));
    EXPECT_EQ(s.selectedDay(), 29);
    EXPECT_EQ(text(&s, u"CAL_休日名"_s), u"昭和の日"_s);
}

TEST_F(CalendarScreenTest, DisplayedMonthIsCheckedAndMoves) {
    CalendarScreen s(ctx);
    struct Case {
        QString year, month, message;
    };
    for (const Case& c : {Case{u"２０２４"_s, u"4"_s, u"表示年に正しい数字を入力してください"_s},
                          Case{u"2024"_s, u"x"_s, u"表示月に正しい数字を入力してください"_s},
                          Case{u"2024"_s, u"13"_s, u"表示年月に正しい数字を入力してください"_s}}) {
        setText(&s, u"CAL_表示年"_s, c.year);
        setText(&s, u"CAL_表示月"_s, c.month);
        prompter.clear();
        click(&s, u"表示"_s);
        EXPECT_EQ(prompter.texts(), std::vector<QString>{c.message});
        EXPECT_EQ(prompter.lastTitle(), u"カレンダー設定"_s);
        EXPECT_EQ(s.firstDay(), QDate(2024, 4, 1)) << "a refused month is not shown";
    }
    show(s, 2024, 12);
    click(&s, u"次月"_s);
    EXPECT_EQ(s.firstDay(), QDate(2025, 1, 1));
    EXPECT_EQ(text(&s, u"CAL_表示年"_s), u"2025"_s);
    EXPECT_EQ(text(&s, u"CAL_表示月"_s), u"1"_s);
    click(&s, u"前月"_s);
    click(&s, u"前月"_s);
    EXPECT_EQ(s.firstDay(), QDate(2024, 11, 1));
}

TEST_F(CalendarScreenTest, SingleDayRegistersWithItsFlagAndIsRemovedAgain) {
    CalendarScreen s(ctx);
    pick(s, 10);
    setText(&s, u"CAL_休日名"_s, u"開院記念日"_s);
    EXPECT_EQ(press(s, u"確定"_s), (std::vector<QString>{u"表示内容で更新します､確認して下さい。"_s,
                                                         u"ｶﾚﾝﾀﾞｰの登録･更新をしました。"_s}));
    EXPECT_EQ(stored(), (std::vector<CalendarDay>{{u"2024/04/10"_s, 1, u"開院記念日"_s}}));

    choose(s, {u"勤務"_s});
    press(s, u"確定"_s);
    EXPECT_EQ(stored().at(0).holidayFlag, 2) << "a single working day is flagged 2";
    auto* grid = child<FlexGrid>(&s, u"CAL_日付"_s);
    const auto cell = MonthCalendar::cellOfDay(*grid, 10);
    EXPECT_EQ(grid->cellForeColor(cell->first, cell->second), Palette::colour(Palette::Blue));
    EXPECT_EQ(grid->cellBackColor(cell->first, cell->second), Palette::colour(Palette::Green))
        << "the selection stays while its month is shown";

    EXPECT_EQ(press(s, u"削除"_s, 2),
              (std::vector<QString>{u"登録日を取り消します､確認して下さい"_s,
                                    u"指定日を削除しました"_s}));
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(press(s, u"削除"_s, 2),
              (std::vector<QString>{u"登録日を取り消します､確認して下さい"_s,
                                    u"指定された日付は登録されていません"_s}));
}

TEST_F(CalendarScreenTest, EntryRefusalsWriteNothing) {
    CalendarScreen s(ctx);
    setText(&s, u"CAL_休日名"_s, u"休"_s);
    EXPECT_EQ(press(s, u"確定"_s, 0), std::vector<QString>{u"日付の指定がされていません"_s});
    EXPECT_EQ(press(s, u"削除"_s, 0), std::vector<QString>{u"日付の指定がされていません"_s});

    // Moving to another month drops the selected day: it could not be seen any more.
    pick(s, 30);
    click(&s, u"次月"_s);
    EXPECT_EQ(s.selectedDay(), 0);
    EXPECT_EQ(press(s, u"確定"_s, 0), std::vector<QString>{u"日付の指定がされていません"_s});

    choose(s, {u"曜日"_s});
    EXPECT_EQ(press(s, u"確定"_s, 0), std::vector<QString>{u"曜日の指定がされていません"_s});
    tick(s, {u"日曜"_s, u"月曜"_s, u"火曜"_s, u"水曜"_s, u"木曜"_s, u"金曜"_s, u"土曜"_s});
    EXPECT_EQ(press(s, u"確定"_s, 0), std::vector<QString>{u"全ての曜日の指定は出来ません"_s});
    EXPECT_EQ(press(s, u"削除"_s, 0), std::vector<QString>{u"全ての曜日の指定は出来ません"_s});

    child<QCheckBox>(&s, u"水曜"_s)->setChecked(false);
    setText(&s, u"CAL_休日名"_s, QString());
    EXPECT_EQ(press(s, u"確定"_s, 0), std::vector<QString>{u"登録名を入力して下さい"_s});

    // By date, seven ticked days ask whether to go on without them; no stops.
    choose(s, {u"日付"_s});
    tick(s, {u"日曜"_s, u"月曜"_s, u"火曜"_s, u"水曜"_s, u"木曜"_s, u"金曜"_s, u"土曜"_s});
    pick(s, 5);
    setText(&s, u"CAL_休日名"_s, u"休"_s);
    prompter.clear();
    prompter.answer(false);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.texts(),
              std::vector<QString>{u"曜日の指定は出来ません、曜日を無視して処理を続行しますか"_s});
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(press(s, u"確定"_s),
              (std::vector<QString>{u"曜日の指定は出来ません、曜日を無視して処理を続行しますか"_s,
                                    u"ｶﾚﾝﾀﾞｰの登録･更新をしました。"_s}));
    EXPECT_FALSE(child<QCheckBox>(&s, u"日曜"_s)->isChecked());
    EXPECT_EQ(stored().size(), 1u);
}

TEST_F(CalendarScreenTest, WeekdaysOfTheMonthAreRegisteredAsWorkingDaysWithFlagZero) {
    CalendarScreen s(ctx);
    choose(s, {u"曜日"_s, u"勤務"_s});
    tick(s, {u"水曜"_s});
    setText(&s, u"CAL_休日名"_s, u"出勤"_s);
    EXPECT_EQ(press(s, u"確定"_s).back(), u"指定曜日の設定を終了しました。"_s);
    const auto days = stored();
    ASSERT_EQ(days.size(), 4u); // April 2024: the 3rd, 10th, 17th and 24th
    EXPECT_EQ(days.front().date, u"2024/04/03"_s);
    EXPECT_EQ(days.back().date, u"2024/04/24"_s);
    for (const CalendarDay& d : days)
        EXPECT_EQ(d.holidayFlag, 0);
    EXPECT_EQ(child<QListWidget>(&s, u"休業日"_s)->count(), 4);
}

TEST_F(CalendarScreenTest, WeekendsOfTheFiscalYear) {
    setStart(u"04/01"_s);
    CalendarDay{u"2025/04/05"_s, 0, u"翌年度"_s}.save(db());
    CalendarScreen s(ctx);
    choose(s, {u"曜日"_s, u"年度"_s});
    tick(s, {u"日曜"_s, u"土曜"_s});
    setText(&s, u"CAL_休日名"_s, u"週休"_s);
    EXPECT_EQ(press(s, u"確定"_s),
              (std::vector<QString>{u"表示内容で更新します､確認して下さい。"_s, kFiscalDone,
                                    kFiscalDone, u"曜日による設定を終了しました。"_s}));
    const auto days = stored(u"2024/04/01"_s, u"2025/03/31"_s);
    // 2024/04/01–2025/03/31 holds 52 Sundays and 52 Saturdays.
    ASSERT_EQ(days.size(), 104u);
    for (const CalendarDay& d : days) {
        const int weekday = TextValues::parseDateText(d.date).dayOfWeek();
        EXPECT_TRUE(weekday == 6 || weekday == 7) << d.date.toStdString();
        EXPECT_EQ(d.holidayFlag, 1);
    }
    EXPECT_EQ(days.front().date, u"2024/04/06"_s);
    EXPECT_EQ(days.back().date, u"2025/03/30"_s);
    EXPECT_EQ(stored(u"2025/04/01"_s).at(0).remark, u"翌年度"_s) << "the next year is untouched";

    // February 2025 lies in the same fiscal year: removing from there clears the lot.
    show(s, 2025, 2);
    EXPECT_EQ(press(s, u"削除"_s, 2).back(), u"指定日を削除しました"_s);
    EXPECT_TRUE(stored(u"2024/04/01"_s, u"2025/03/31"_s).empty());
    EXPECT_EQ(stored().size(), 1u);
}

TEST_F(CalendarScreenTest, ADayNumberOverTheFiscalYearShortensOnlyInShortMonths) {
    setStart(u"5/1"_s);
    CalendarScreen s(ctx);
    show(s, 2024, 5);
    choose(s, {u"年度"_s});
    pick(s, 31);
    setText(&s, u"CAL_休日名"_s, u"月末"_s);
    EXPECT_EQ(press(s, u"確定"_s).back(), u"ｶﾚﾝﾀﾞｰの年度内の日付設定を行いました"_s);
    std::vector<QString> dates;
    for (const CalendarDay& d : stored())
        dates.push_back(d.date);
    EXPECT_EQ(dates, (std::vector<QString>{u"2024/05/31"_s, u"2024/06/30"_s, u"2024/07/31"_s,
                                           u"2024/08/31"_s, u"2024/09/30"_s, u"2024/10/31"_s,
                                           u"2024/11/30"_s, u"2024/12/31"_s, u"2025/01/31"_s,
                                           u"2025/02/28"_s, u"2025/03/31"_s, u"2025/04/30"_s}));
    EXPECT_EQ(stored().front().holidayFlag, 1);

    // Removal walks the same dates, from a later month of the year.
    click(&s, u"次月"_s);
    click(&s, u"次月"_s);
    pick(s, 31);
    press(s, u"削除"_s, 2);
    EXPECT_TRUE(stored().empty());
}

TEST_F(CalendarScreenTest, AFiscalYearOperationNeedsAReadableStart) {
    CalendarScreen s(ctx);
    choose(s, {u"年度"_s});
    pick(s, 3);
    setText(&s, u"CAL_休日名"_s, u"休"_s);
    for (const QString& start : {QString(), u"4月1日"_s}) {
        if (!start.isNull())
            setStart(start);
        EXPECT_EQ(press(s, u"確定"_s).back(), u"年度開始日の登録がされていません"_s);
        EXPECT_EQ(press(s, u"削除"_s, 2).back(), u"年度開始日の登録がされていません"_s);
        EXPECT_TRUE(stored().empty());
    }
}

// A write the file refuses is reported, and never followed by a message that it was done.
TEST_F(CalendarScreenTest, ARefusedWriteIsNotReportedAsDone) {
    setStart(u"04/01"_s);
    Database readOnly(tmp.path(), Database::OpenMode::ReadOnly);
    AppContext ro{readOnly, prompter, clock, ctx.settings, {}, {}};
    for (const bool byYear : {false, true}) {
        CalendarScreen s(ro);
        pick(s, 3);
        if (byYear) { // by weekday over the fiscal year
            choose(s, {u"曜日"_s, u"年度"_s});
            tick(s, {u"日曜"_s, u"土曜"_s});
        }
        setText(&s, u"CAL_休日名"_s, u"休"_s);
        EXPECT_EQ(press(s, u"確定"_s).size(), 2u) << "the question and the failure only";
        EXPECT_TRUE(stored().empty());
    }
}

} // namespace
