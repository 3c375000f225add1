#include "screens/masters/master_fixture.h"
#include "screens/masters/past_entry_screen.h"
#include "store/records/roster_row.h"
#include "store/records/staff_member.h"
#include "widgets/flex_grid.h"

#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSaved = u"勤務表は更新(登録)されました。"_s;
const QString kAllShifts = u"全てのｼﾌﾄに入力して下さい"_s;

class PastEntryScreenTest : public MasterFixture {
protected:
    PastEntryScreenTest() {
        addShift(u"日"_s, u"日勤"_s, 1, 1);
        addShift(u"準"_s, u"準夜"_s, 1, 2);
        addShift(u"深"_s, u"深夜"_s, 1, 3);
        addShift(u"休"_s, u"公休"_s, 0, 4);
        addCode(5, 1, u"Aチーム"_s);
        // The same number names different patterns in the base and the specific kind.
        addPatternRow(1, 7, 0, u"基本七"_s);
        addPatternRow(3, 7, 0, u"特定七"_s);
        addStaff(u"1001"_s, u"山田花子"_s, 3, 7);
        addStaff(u"1002"_s, u"佐藤一郎"_s, 1, 0);
        addStaff(u"1003"_s, u"鈴木三郎"_s, 3, 9); // no specific pattern 9
        screen = std::make_unique<PastEntryScreen>(ctx);
        screen->setEditChooser([this](QWidget*, const QString&, int) { return next; });
    }
    void addStaff(const QString& no, const QString& name, int shiftType, int pattern) {
        using F = StaffMember::Field;
        TableRows::put(db(), StaffMember::table, u"key_職員"_s, {no},
                       {{F::name, name},
                        {F::kana, no},
                        {F::shiftType, shiftType},
                        {F::fixedPattern, pattern},
                        {F::team, u"Aチーム"_s}});
    }
    void chooseStaff(const QString& name) {
        auto* list = child<QListWidget>(screen.get(), u"LST職員"_s);
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        Q_EMIT list->itemClicked(items.front());
    }
    FlexGrid* grid() { return child<FlexGrid>(screen.get(), u"日付"_s); }
    void layOut(const QString& start) {
        setText(screen.get(), u"作成開始"_s, start);
        click(screen.get(), u"日付設定"_s);
    }
    void pick(int col, EditAction action, const QString& abbrev = {}) {
        next = EditResult{action, {}, abbrev, 0};
        Q_EMIT grid()->cellClickedAt(1, col);
    }
    std::vector<QString> week() {
        std::vector<QString> cells;
        for (int c = 1; c <= PastEntryScreen::kDays; ++c)
            cells.push_back(grid()->text(1, c));
        return cells;
    }
    void fillWeek() { pick(1, EditAction::Sequence); }

    EditResult next;
    std::unique_ptr<PastEntryScreen> screen;
};

TEST_F(PastEntryScreenTest, AWeekOverGeneratedRowsReplacesPlanActualMarksAndBackup) {
    EXPECT_EQ(screen->windowTitle(), u"過去実績登録"_s);
    EXPECT_EQ(text(screen.get(), u"作成開始"_s), u"2024/04/01"_s);
    using F = RosterRow::Field;
    TableRows::putRosterDay(
        db(), u"1001"_s, u"2024/05/01"_s, u"深"_s,
        {{F::actual, u"休"_s}, {F::plannedEarly, 2}, {F::actualEarly, 3}, {F::backup, u"1002"_s}});
    TableRows::putRosterDay(db(), u"1001"_s, u"2024/05/02"_s, u"準"_s);
    chooseStaff(u"山田花子"_s);
    EXPECT_EQ(text(screen.get(), u"職員番号"_s), u"1001"_s);
    // The person's pattern is the one of the kind their shift type follows.
    EXPECT_EQ(child<QComboBox>(screen.get(), u"パターン名称"_s)->currentText(), u"特定七"_s);
    layOut(u"2024/5/1"_s);
    EXPECT_EQ(grid()->text(0, 1), u"2024/05/01"_s);
    EXPECT_EQ(grid()->text(0, 7), u"2024/05/07"_s);
    // Each day shows what was worked: the actual shift, else the planned one.
    EXPECT_EQ(week(), (std::vector<QString>{u"休"_s, u"準"_s, {}, {}, {}, {}, {}}));

    fillWeek();
    EXPECT_EQ(confirm(screen.get()), (std::vector<QString>{u"入力内容で更新します。"_s, kSaved}));
    const std::vector<QString> expected{u"日"_s, u"準"_s, u"深"_s, u"日"_s,
                                        u"準"_s, u"深"_s, u"日"_s};
    const auto rows = RosterRow::loadForStaff(db(), 1, u"1001"_s, u"2024/05/01"_s, u"2024/05/31"_s);
    ASSERT_EQ(rows.size(), 7u);
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].date.toStdString());
        EXPECT_EQ(rows[i].planned, expected[i]);
        EXPECT_EQ(rows[i].actual, expected[i]);
        EXPECT_EQ(rows[i].plannedEarly, 0);
        EXPECT_EQ(rows[i].actualEarly, 0);
        EXPECT_EQ(rows[i].backup, QString());
        EXPECT_EQ(rows[i].team, u"Aチーム"_s);
        EXPECT_EQ(rows[i].pattern, u"7"_s);
    }
}

TEST_F(PastEntryScreenTest, ClicksExpandOrSetOneDayByModeAndShift) {
    struct Case {
        const char* what;
        bool automatic;
        int col;
        EditAction action;
        QString abbrev;
        std::vector<QString> week;
    };
    const QString e;
    const std::vector<Case> cases{
        {"last working shift on day 5 wraps round",
         true,
         5,
         EditAction::Replace,
         u"深"_s,
         {e, e, e, e, u"深"_s, u"日"_s, u"準"_s}},
        {"sequence starts with the first working shift",
         true,
         3,
         EditAction::Sequence,
         {},
         {e, e, u"日"_s, u"準"_s, u"深"_s, u"日"_s, u"準"_s}},
        {"a leave shift goes into its day only",
         true,
         2,
         EditAction::Replace,
         u"休"_s,
         {e, u"休"_s, e, e, e, e, e}},
        {"manual sets the clicked day only",
         false,
         5,
         EditAction::Replace,
         u"深"_s,
         {e, e, e, e, u"深"_s, e, e}},
        {"manual ignores a sequence", false, 3, EditAction::Sequence, {}, {e, e, e, e, e, e, e}},
        {"a cancelled dialog changes nothing",
         true,
         3,
         EditAction::Cancelled,
         u"日"_s,
         {e, e, e, e, e, e, e}},
    };
    chooseStaff(u"佐藤一郎"_s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        layOut(u"2024/06/01"_s);
        child<QRadioButton>(screen.get(), c.automatic ? u"自動"_s : u"手動"_s)->setChecked(true);
        pick(c.col, c.action, c.abbrev);
        EXPECT_EQ(week(), c.week);
    }
}

TEST_F(PastEntryScreenTest, AWeekLaidOutForOnePersonIsNeverWrittenOrDeletedForAnother) {
    TableRows::putRosterDay(db(), u"1002"_s, u"2024/05/03"_s, u"準"_s);
    chooseStaff(u"山田花子"_s);
    layOut(u"2024/05/01"_s);
    fillWeek();
    setText(screen.get(), u"職員番号"_s, u"1002"_s);
    EXPECT_EQ(confirm(screen.get()), std::vector<QString>{kAllShifts});
    EXPECT_TRUE(red(screen.get(), u"日付"_s));
    prompter.clear();
    click(screen.get(), u"削除"_s);
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_EQ(countRows(RosterRow::table), 1);

    // The same goes for another start day.
    setText(screen.get(), u"職員番号"_s, u"1001"_s);
    layOut(u"2024/05/01"_s);
    fillWeek();
    setText(screen.get(), u"作成開始"_s, u"2024/05/08"_s);
    EXPECT_EQ(confirm(screen.get()), std::vector<QString>{kAllShifts});
    EXPECT_EQ(countRows(RosterRow::table), 1);
}

TEST_F(PastEntryScreenTest, ChecksReportTheFirstFailureWithTheirTitles) {
    prompter.clear();
    layOut(u"2024/13/01"_s);
    EXPECT_EQ(prompter.lastTitle(), u"過去ｼﾌﾄ 登録"_s);
    EXPECT_EQ(prompter.lastText(), u"作成開始日に正しく入力してください"_s);
    layOut(QString());
    EXPECT_EQ(prompter.lastText(), u"作成開始日に入力してください"_s);
    layOut(u"2024/05/01"_s);
    EXPECT_EQ(prompter.lastText(), u"職員番号に入力してください"_s);
    setText(screen.get(), u"職員番号"_s, u"9999"_s);
    layOut(u"2024/05/01"_s);
    EXPECT_EQ(prompter.lastText(), u"指定された職員は登録されていません。"_s);
    EXPECT_TRUE(grid()->text(0, 1).isEmpty());

    chooseStaff(u"佐藤一郎"_s);
    layOut(u"2024/05/01"_s);
    fillWeek();
    auto* pattern = child<QComboBox>(screen.get(), u"パターン名称"_s);
    pattern->setEditText(u"無い名前"_s);
    EXPECT_EQ(confirm(screen.get()),
              std::vector<QString>{u"パターン名称の登録を確認してください"_s});
    EXPECT_EQ(prompter.lastTitle(), u"過去勤務登録"_s);
    EXPECT_EQ(countRows(RosterRow::table), 0);
    // An emptied pattern name is allowed and writes pattern number 0.
    pattern->setEditText(QString());
    EXPECT_EQ(confirm(screen.get()).back(), kSaved);
    EXPECT_EQ(RosterRow::load(db(), 1, u"1002"_s, u"2024/05/07"_s)->pattern, u"0"_s);
}

// A person whose own pattern is gone hears so when chosen, and their week is not written
// without a pattern.
TEST_F(PastEntryScreenTest, APersonWhoseSpecificPatternIsMissingIsToldAndRefused) {
    const std::vector<QString> missing{u"特定ｼﾌﾄNOの登録を確認して下さい。"_s};
    prompter.clear();
    chooseStaff(u"鈴木三郎"_s);
    EXPECT_EQ(prompter.texts(), missing);
    layOut(u"2024/05/01"_s);
    fillWeek();
    EXPECT_EQ(confirm(screen.get()), missing);
    EXPECT_EQ(countRows(RosterRow::table), 0);
}

TEST_F(PastEntryScreenTest, DeleteRemovesTheSevenDaysOnly) {
    for (const QString& d : {u"2024/04/30"_s, u"2024/05/01"_s, u"2024/05/07"_s, u"2024/05/08"_s})
        TableRows::putRosterDay(db(), u"1002"_s, d, u"日"_s);
    chooseStaff(u"佐藤一郎"_s);
    layOut(u"2024/05/01"_s);
    prompter.clear();
    prompter.answerYes();
    click(screen.get(), u"削除"_s);
    EXPECT_EQ(prompter.texts(),
              (std::vector<QString>{u"入力内容を削除します。"_s, u"勤務表は削除されました。"_s}));
    EXPECT_TRUE(RosterRow::load(db(), 1, u"1002"_s, u"2024/04/30"_s));
    EXPECT_FALSE(RosterRow::load(db(), 1, u"1002"_s, u"2024/05/01"_s));
    EXPECT_FALSE(RosterRow::load(db(), 1, u"1002"_s, u"2024/05/07"_s));
    EXPECT_TRUE(RosterRow::load(db(), 1, u"1002"_s, u"2024/05/08"_s));
}

} // namespace
