#include "roster/generation.h"
#include "screens/masters/master_fixture.h"
#include "screens/masters/request_screen.h"
#include "store/demo_workplace.h"
#include "store/records/shift_request.h"
#include "store/records/staff_member.h"
#include "widgets/flex_grid.h"
#include "widgets/month_calendar.h"
#include "widgets/palette.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSaved = u"希望した勤務は更新(登録)されました。"_s;

class RequestScreenTest : public MasterFixture {
protected:
    RequestScreenTest() {
        using F = ShiftDefinition::Field;
        TableRows::putShift(db(), u"日"_s, u"日勤"_s, 1, 1, {{F::restWorkKind, 0}});
        TableRows::putShift(db(), u"休"_s, u"公休"_s, 0, 2, {{F::restWorkKind, 1}});
        TableRows::putShift(db(), u"有"_s, u"年次有給"_s, 0, 3,
                            {{F::restWorkKind, 1}, {F::paidFlag, 1}});
        addStaff(u"1001"_s, u"山田花子"_s);
        addStaff(u"1002"_s, u"佐藤一郎"_s);
    }
    void addStaff(const QString& no, const QString& name) {
        TableRows::put(db(), StaffMember::table, u"key_職員"_s, {no},
                       {{StaffMember::Field::name, name}, {StaffMember::Field::kana, no}});
    }
    void request(const QString& staffNo, const QString& date, int kind, const QString& shift) {
        ShiftRequest r;
        r.kind = kind;
        r.staffNo = staffNo;
        r.date = date;
        r.planned = shift;
        r.save(db());
    }
    void chooseStaff(RequestScreen& s, const QString& name) {
        auto* list = child<QListWidget>(&s, u"LST職員"_s);
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        list->setCurrentItem(items.front());
        Q_EMIT list->itemClicked(items.front());
    }
    void pickDay(RequestScreen& s, int day) {
        auto* grid = child<FlexGrid>(&s, u"日付"_s);
        const auto cell = MonthCalendar::cellOfDay(*grid, day);
        ASSERT_TRUE(cell);
        Q_EMIT grid->cellClickedAt(cell->first, cell->second);
    }
    std::vector<QString> saveYes(RequestScreen& s) {
        prompter.clear();
        prompter.answerYes();
        click(&s, u"更新"_s);
        return prompter.texts();
    }
    std::vector<QString> stripRow(RequestScreen& s, int row) {
        auto* strip = child<FlexGrid>(&s, u"希望"_s);
        std::vector<QString> cells;
        for (int c = 1; c < strip->cols() && !strip->text(0, c).isEmpty(); ++c)
            cells.push_back(strip->text(row, c));
        return cells;
    }
    std::optional<ShiftRequest> stored(int kind, const QString& date) {
        return ShiftRequest::load(db(), kind, u"1001"_s, date);
    }
};

TEST_F(RequestScreenTest, PaidLeaveStoresThePaidShiftWhateverTheComboShows) {
    RequestScreen s(ctx);
    EXPECT_EQ(s.windowTitle(), u"希望勤務登録"_s);
    EXPECT_EQ(text(&s, u"申請日"_s), u"2024/04/01"_s);
    EXPECT_TRUE(child<QComboBox>(&s, u"勤務名称"_s)->isHidden());
    chooseStaff(s, u"山田花子"_s);
    EXPECT_EQ(text(&s, u"職員番号"_s), u"1001"_s);
    pickDay(s, 12);
    EXPECT_EQ(text(&s, u"希望日"_s), u"2024/04/12"_s);
    child<QComboBox>(&s, u"勤務名称"_s)->setEditText(u"日勤"_s);
    setText(&s, u"備考"_s, u"旅行"_s);
    EXPECT_EQ(saveYes(s), (std::vector<QString>{u"入力内容で更新します。"_s, kSaved}));

    const auto r = stored(1, u"2024/04/12"_s);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->planned, u"有"_s);
    EXPECT_EQ(r->dayOffFlag, 1);
    EXPECT_EQ(r->appliedOn, u"2024/04/01"_s);
    EXPECT_EQ(r->remark, u"旅行"_s);
    EXPECT_EQ(stripRow(s, 1), std::vector<QString>{u"有"_s});
    auto* grid = child<FlexGrid>(&s, u"日付"_s);
    const auto cell = MonthCalendar::cellOfDay(*grid, 12);
    EXPECT_EQ(grid->cellForeColor(cell->first, cell->second), Palette::colour(Palette::Magenta));
}

TEST_F(RequestScreenTest, ShiftRequestIsOverwrittenBySavingTheSameDayAgain) {
    RequestScreen s(ctx);
    chooseStaff(s, u"山田花子"_s);
    child<QRadioButton>(&s, u"希望勤務"_s)->setChecked(true);
    EXPECT_FALSE(child<QComboBox>(&s, u"勤務名称"_s)->isHidden());
    setText(&s, u"希望日"_s, u"2024/4/20"_s);
    child<QComboBox>(&s, u"勤務名称"_s)->setEditText(u"日勤"_s);
    saveYes(s);
    EXPECT_EQ(text(&s, u"希望日"_s), u"2024/04/20"_s);
    setText(&s, u"申請日"_s, u"2024/04/02"_s);
    child<QComboBox>(&s, u"勤務名称"_s)->setEditText(u"公休"_s);
    setText(&s, u"備考"_s, u"法事"_s);
    EXPECT_EQ(saveYes(s).back(), kSaved);

    EXPECT_EQ(TableRows::count(db(), ShiftRequest::table), 1);
    const auto r = stored(2, u"2024/04/20"_s);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->planned, u"休"_s);
    EXPECT_EQ(r->dayOffFlag, 1);
    EXPECT_EQ(r->appliedOn, u"2024/04/02"_s);
    EXPECT_EQ(r->remark, u"法事"_s);
}

TEST_F(RequestScreenTest, ChecksRefuseBeforeAnythingIsWritten) {
    RequestScreen s(ctx);
    struct Case {
        std::function<void()> setUp;
        QString message;
        QString field;
    };
    auto* combo = child<QComboBox>(&s, u"勤務名称"_s);
    const std::vector<Case> cases{
        {[] {}, u"指定された職員は登録されていません。"_s, u"職員番号"_s},
        {[&] {
             chooseStaff(s, u"山田花子"_s);
             setText(&s, u"申請日"_s, u"4月1日"_s);
         },
         u"申請日に正しく入力してください"_s, u"申請日"_s},
        {[&] {
             setText(&s, u"申請日"_s, u"2024/04/01"_s);
             setText(&s, u"希望日"_s, u"2024/02/30"_s);
         },
         u"希望日に正しく入力してください"_s, u"希望日"_s},
        {[&] {
             setText(&s, u"希望日"_s, u"2024/04/05"_s);
             child<QRadioButton>(&s, u"希望勤務"_s)->setChecked(true);
             combo->setEditText(QString());
         },
         u"勤務名称に入力してください"_s, u"勤務名称"_s},
        // A name that is no shift would store a request for nothing.
        {[&] { combo->setEditText(u"夜勤"_s); }, u"指定された勤務は登録されていません。"_s,
         u"勤務名称"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        c.setUp();
        EXPECT_EQ(saveYes(s), std::vector<QString>{c.message});
        EXPECT_TRUE(red(&s, c.field));
    }
    // The shift name is checked on leaving it as well.
    FieldChecks::setTextColour(combo, true);
    prompter.clear();
    leave(combo->lineEdit());
    EXPECT_TRUE(red(&s, u"勤務名称"_s));
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(TableRows::count(db(), ShiftRequest::table), 0);

    // Without a paid-leave shift, paid leave is refused too.
    TableRows::remove(db(), ShiftDefinition::table, ShiftDefinition::Index::key, {u"有"_s});
    RequestScreen fresh(ctx);
    chooseStaff(fresh, u"山田花子"_s);
    pickDay(fresh, 8);
    EXPECT_EQ(saveYes(fresh), std::vector<QString>{u"有給休暇のシフトが登録されていません。"_s});
    EXPECT_EQ(TableRows::count(db(), ShiftRequest::table), 0);
}

TEST_F(RequestScreenTest, MonthFollowsTheButtonsAndTheApplicationDate) {
    RequestScreen s(ctx);
    auto* label = child<QLabel>(&s, u"表示年月"_s);
    EXPECT_EQ(label->text(), u"2024/04"_s);
    click(&s, u"次月"_s);
    EXPECT_EQ(label->text(), u"2024/05"_s);
    EXPECT_EQ(text(&s, u"希望日"_s), u"2024/05/01"_s);
    click(&s, u"前月"_s);
    click(&s, u"前月"_s);
    EXPECT_EQ(text(&s, u"希望日"_s), u"2024/03/01"_s);

    auto* applied = child<QLineEdit>(&s, u"申請日"_s);
    applied->setText(u"2024/7/15"_s);
    leave(applied);
    EXPECT_EQ(applied->text(), u"2024/07/15"_s);
    EXPECT_EQ(label->text(), u"2024/07"_s);
    EXPECT_EQ(s.firstDay(), QDate(2024, 7, 1));
}

TEST_F(RequestScreenTest, StripListsRequestsFromTheShownMonthOnAndGrows) {
    request(u"1001"_s, u"2024/03/31"_s, 2, u"日"_s);
    request(u"1001"_s, u"2024/05/02"_s, 2, u"休"_s);
    request(u"1001"_s, u"2024/04/09"_s, 1, u"有"_s);
    request(u"1002"_s, u"2024/04/10"_s, 2, u"日"_s);
    RequestScreen s(ctx);
    chooseStaff(s, u"山田花子"_s);
    EXPECT_EQ(stripRow(s, 0), (std::vector<QString>{u"2024/04/09"_s, u"2024/05/02"_s}));
    EXPECT_EQ(stripRow(s, 1), (std::vector<QString>{u"有"_s, u"休"_s}));
    auto* strip = child<FlexGrid>(&s, u"希望"_s);
    EXPECT_EQ(strip->cols(), 31);

    // A click loads that column's own request.
    Q_EMIT strip->cellClickedAt(1, 2);
    EXPECT_TRUE(child<QRadioButton>(&s, u"希望勤務"_s)->isChecked());
    EXPECT_EQ(text(&s, u"希望日"_s), u"2024/05/02"_s);
    EXPECT_EQ(child<QComboBox>(&s, u"勤務名称"_s)->currentText(), u"公休"_s);
    EXPECT_EQ(strip->cellBackColor(0, 2), Palette::colour(Palette::Green));

    // Deleting takes the shown day and kind, even after the month has moved on.
    click(&s, u"次月"_s);
    setText(&s, u"希望日"_s, u"2024/05/02"_s);
    prompter.clear();
    prompter.answerYes();
    click(&s, u"削除"_s);
    EXPECT_EQ(prompter.texts(), (std::vector<QString>{u"入力内容を削除します。"_s,
                                                      u"希望した勤務は削除されました。"_s}));
    EXPECT_FALSE(stored(2, u"2024/05/02"_s));
    prompter.clear();
    prompter.answerYes();
    click(&s, u"削除"_s);
    EXPECT_EQ(prompter.lastText(), u"指定された勤務は登録されていません。"_s);
    EXPECT_EQ(TableRows::count(db(), ShiftRequest::table), 3);

    // More requests than the strip's thirty columns widen it; none is left out.
    for (int d = 1; d <= 31; ++d)
        request(u"1001"_s, QDate(2024, 5, d).toString(u"yyyy/MM/dd"_s), 2, u"日"_s);
    click(&s, u"前月"_s);
    EXPECT_EQ(stripRow(s, 0).size(), 32u);
    EXPECT_EQ(strip->cols(), 33);
    EXPECT_EQ(stripRow(s, 0).back(), u"2024/05/31"_s);
}

// What the clerk enters here is what the next generation places in the roster.
TEST(RequestScreenOnTheDemoWard, ARequestedPaidLeaveDayIsInTheGeneratedRoster) {
    TempDatabase tmp;
    FixedClock clock(QDate(2024, 4, 10));
    LoadDemoWorkplace(tmp.db(), clock);
    ScriptedPrompter prompter;
    AppContext ctx{tmp.db(), prompter, clock, {}, {}, {}};
    LoadStartupSettings(tmp.db(), ctx.settings);
    RequestScreen s(ctx);
    auto* list = s.findChild<QListWidget*>(u"LST職員"_s);
    ASSERT_GT(list->count(), 0);
    list->setCurrentRow(0);
    Q_EMIT list->itemClicked(list->item(0));
    const QString no = s.findChild<QLineEdit*>(u"職員番号"_s)->text();
    ASSERT_FALSE(no.isEmpty());
    s.findChild<QLineEdit*>(u"希望日"_s)->setText(u"2024/05/15"_s);
    prompter.answerYes();
    s.findChild<QAbstractButton*>(u"更新"_s)->click();
    ASSERT_EQ(prompter.lastText(), kSaved);
    const auto stored = ShiftRequest::load(tmp.db(), 1, no, u"2024/05/15"_s);
    ASSERT_TRUE(stored);

    auto model = std::make_unique<RosterModel>();
    ExpandRoster(tmp.db(), *model, ctx.settings, u"2024/05/01"_s, u"2024/05/31"_s,
                 Grouping::Everybody);
    bool found = false;
    for (int g = 1; g <= 2; ++g)
        for (const Person& p : model->group(g))
            if (p.no == no) {
                found = true;
                // The request stands for the day's shift, whatever the passes put there.
                EXPECT_EQ(p.cell(15).requestShift, stored->planned);
                EXPECT_EQ(p.cell(15).requestKind, 1);
            }
    EXPECT_TRUE(found);
}

} // namespace
