#include "screens/masters/master_fixture.h"
#include "screens/masters/staff_status_screen.h"
#include "store/code_kind.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "store/records/staff_member.h"
#include "widgets/flex_grid.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using Kind = StaffStatusScreen::Kind;

class StaffStatusTest : public MasterFixture {
protected:
    StaffStatusTest() {
        TableRows::putCode(db(), CodeKind::FiscalYearStart, 1, u"4/1"_s, {});
        clock.set(QDate(2007, 6, 1));
    }
    void addStaff(const QString& no, const QString& name, const QString& kana, int employ = 0,
                  const QString& leftOn = {}) {
        using F = StaffMember::Field;
        TableRows::put(
            db(), StaffMember::table, u"key_職員"_s, {no},
            {{F::name, name}, {F::kana, kana}, {F::employFlag, employ}, {F::leaveFrom, leftOn}});
    }
    void paidLeave(const QString& no, const QString& date, const QString& backup) {
        ShiftRequest r;
        r.kind = 1;
        r.staffNo = no;
        r.date = date;
        r.planned = u"有"_s;
        r.backup = backup;
        r.save(db());
    }
    void backupDay(const QString& no, const QString& date, const QString& coveredFor) {
        RosterRow r;
        r.kind = 2;
        r.staffNo = no;
        r.date = date;
        r.backup = coveredFor;
        r.save(db());
    }
    // The grid's rows as "text|text|…" lines, trailing empty cells left off.
    std::vector<QString> rows(const StaffStatusScreen& s, const QString& grid) {
        auto* g = child<FlexGrid>(&s, grid);
        std::vector<QString> lines;
        for (int r = 0; r < g->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < g->cols(); ++c)
                cells << g->text(r, c);
            while (!cells.isEmpty() && cells.back().isEmpty())
                cells.removeLast();
            lines.push_back(cells.join(u'|'));
        }
        return lines;
    }
};

TEST_F(StaffStatusTest, YearDefaultsByTheStartMonth) {
    for (const auto& [today, year] :
         {std::pair{QDate(2007, 2, 10), u"2006"_s}, std::pair{QDate(2007, 5, 1), u"2007"_s},
          std::pair{QDate(2007, 11, 30), u"2007"_s}}) {
        clock.set(today);
        for (Kind kind : {Kind::Backup, Kind::Leave}) {
            StaffStatusScreen s(ctx, kind);
            EXPECT_EQ(text(&s, u"年度"_s), year) << today.toString(Qt::ISODate).toStdString();
        }
    }
    // The month alone decides: a start of 4/15 has come on 4/10.
    TableRows::putCode(db(), CodeKind::FiscalYearStart, 1, u"4/15"_s, {});
    clock.set(QDate(2007, 4, 10));
    EXPECT_EQ(text(std::make_unique<StaffStatusScreen>(ctx, Kind::Leave).get(), u"年度"_s),
              u"2007"_s);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(StaffStatusTest, LeaveStatusNamesTheBackupAndListsWhoWorkedInTheYear) {
    addStaff(u"1001"_s, u"山田"_s, u"ﾔﾏﾀﾞ"_s);
    addStaff(u"1002"_s, u"佐藤"_s, u"ｻﾄｳ"_s, 1);
    addStaff(u"1003"_s, u"田中"_s, u"ﾀﾅｶ"_s, 2, u"2007/03/31"_s);
    addStaff(u"1004"_s, u"鈴木"_s, u"ｽｽﾞｷ"_s, 2, u"2007/04/01"_s);
    paidLeave(u"1001"_s, u"2007/05/02"_s, u"1002"_s);
    paidLeave(u"1001"_s, u"2007/04/10"_s, QString());
    paidLeave(u"1001"_s, u"2007/06/01"_s, u"9999"_s); // nobody listed
    paidLeave(u"1001"_s, u"2008/04/01"_s, u"1002"_s); // the next year
    paidLeave(u"1004"_s, u"2007/03/31"_s, QString()); // the year before
    StaffStatusScreen s(ctx, Kind::Leave);
    EXPECT_EQ(s.windowTitle(), u"休暇取得状況"_s);
    click(&s, u"照会"_s);
    const auto lines = rows(s, u"取得者"_s);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_TRUE(lines[0].startsWith(u"取得者|職員NO||1回|2回|"_s));
    EXPECT_TRUE(lines[0].endsWith(u"|50回"_s));
    EXPECT_EQ(lines[1], u"佐藤|1002|取得日"_s);
    EXPECT_EQ(lines[2], u"||BACKUP者"_s);
    EXPECT_EQ(lines[3], u"鈴木|1004|取得日"_s);
    EXPECT_EQ(lines[5], u"山田|1001|取得日|2007/04/10|2007/05/02|2007/06/01"_s);
    EXPECT_EQ(lines[6], u"||BACKUP者||佐藤|9999"_s);
}

TEST_F(StaffStatusTest, BackupStatusGrowsForManyEntries) {
    addStaff(u"1001"_s, u"山田"_s, u"ﾔﾏﾀﾞ"_s);
    for (int i = 0; i < 52; ++i)
        backupDay(u"1001"_s, QDate(2007, 4, 1).addDays(i).toString(u"yyyy/MM/dd"_s), u"佐藤"_s);
    backupDay(u"1001"_s, u"2008/04/01"_s, u"佐藤"_s);
    StaffStatusScreen s(ctx, Kind::Backup);
    click(&s, u"照会"_s);
    auto* g = child<FlexGrid>(&s, u"BKUP者"_s);
    EXPECT_EQ(g->cols(), 3 + 52);
    EXPECT_EQ(g->text(0, 0), u"ﾊﾞｯｸｱｯﾌﾟ者"_s);
    EXPECT_EQ(g->text(0, 54), u"52回"_s);
    EXPECT_EQ(g->text(1, 54), u"2007/05/22"_s);
    EXPECT_EQ(g->text(2, 3), u"佐藤"_s);
    EXPECT_EQ(g->text(2, 2), u"取得者"_s);
}

TEST_F(StaffStatusTest, YearAndStartAreCheckedAndClosingAsks) {
    StaffStatusScreen s(ctx, Kind::Backup);
    setText(&s, u"年度"_s, u"07"_s);
    leave(child(&s, u"年度"_s));
    EXPECT_TRUE(red(&s, u"年度"_s) && prompter.shown().empty()) << "checked on leaving";
    click(&s, u"照会"_s);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"年度に正しく入力してください"_s});
    EXPECT_EQ(prompter.lastTitle(), u"ﾊﾞｯｸｱｯﾌﾟ状況"_s);
    EXPECT_TRUE(red(&s, u"年度"_s));

    TableRows::remove(db(), u"個マスタ"_s, u"key_個ﾏｽﾀｰ"_s, {CodeKind::FiscalYearStart, 1});
    prompter.clear();
    StaffStatusScreen missing(ctx, Kind::Leave);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"年度開始日を登録して下さい。"_s});
    EXPECT_TRUE(text(&missing, u"年度"_s).isEmpty());

    s.show();
    prompter.clear();
    prompter.answer(false);
    click(&s, u"終了"_s);
    EXPECT_TRUE(s.isVisible());
    prompter.answerYes();
    click(&s, u"終了"_s);
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(prompter.texts(),
              (std::vector<QString>{u"表示を終了します"_s, u"表示を終了します"_s}));
}

} // namespace
