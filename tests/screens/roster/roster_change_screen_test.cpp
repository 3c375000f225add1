#include "print/pdf_file_output.h"
#include "roster/roster_model.h"
#include "screens/roster/roster_change_painter.h"
#include "screens/roster/roster_change_screen.h"
#include "store/demo_workplace.h"
#include "support/screens/entry_screen_fixture.h"
#include "support/screens/second_connection.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QColor Red = Palette::colour(12);
const QColor Black = Palette::colour(0);
const QColor White = Palette::colour(15);
const QColor Lavender(230, 230, 255);
const QColor Yellow(255, 255, 200);

class RosterChangeScreenTest : public EntryScreenFixture {
protected:
    RosterChangeScreenTest() {
        // Today 2024/04/01: the demo registered January to March 2024, March created last.
        LoadDemoWorkplace(tmp.db(), clock);
    }

    RosterChangeScreen& open(RosterChangeScreen::Kind kind = RosterChangeScreen::Kind::Individual) {
        screen = std::make_unique<RosterChangeScreen>(
            ctx, kind, std::make_unique<PdfFileOutput>(outDir.filePath(u"out.pdf"_s)));
        screen->setEditChooser([this](QWidget*, const QString& abbrev, int mark) {
            offered = {abbrev, mark};
            return nextEdit;
        });
        screen->setBackupChooser([this](QWidget*, const BackupRequest& request) {
            asked.push_back(request);
            if (onBackupAsked)
                onBackupAsked(request);
            const BackupAnswer answer =
                backupAnswers.empty() ? BackupAnswer{} : backupAnswers.front();
            if (!backupAnswers.empty())
                backupAnswers.erase(backupAnswers.begin());
            return answer;
        });
        screen->show();
        return *screen;
    }

    void show(const QString& from, const QString& to) {
        type(screen.get(), u"表開始日"_s, from);
        type(screen.get(), u"表終了日"_s, to);
        click(screen.get(), u"照会"_s);
    }

    // Replaces the cell of person `index` on `day`, clicked on the given row, and answers the
    // question `yes`.
    void change(int row, int day, const QString& shift, int mark, bool yes = true) {
        nextEdit =
            EditResult{.action = EditAction::Replace, .shiftAbbrev = shift, .earlyMark = mark};
        prompter.answer(yes);
        Q_EMIT grid().cellClickedAt(row, RosterChangePainter::columnOfDay(day));
    }

    FlexGrid& grid() { return *screen->grid(); }
    const RosterChangePainter& painter() { return screen->painter(); }
    Person& person(int index) {
        const auto [g, s] = painter().personOf(index);
        return screen->model().person(g, s);
    }
    // The first person whose plan on `day` is `shift`.
    int indexPlanned(int day, const QString& shift, int after = 0) {
        for (int i = after + 1; i <= painter().staffCount(); ++i)
            if (person(i).cell(day).shift == shift && person(i).cell(day).unavailable == 0)
                return i;
        ADD_FAILURE() << "nobody planned " << shift.toStdString() << " on day " << day;
        return 1;
    }
    // Grid row of "<abbrev>勤者" in the block labelled `block`.
    int countRow(const QString& block, const QString& abbrev) {
        bool inBlock = false;
        for (int r = painter().firstCountRow(); r < grid().rows(); ++r) {
            if (!grid().text(r, 0).isEmpty())
                inBlock = grid().text(r, 0) == block;
            if (inBlock && grid().text(r, 1) == abbrev + u"勤者"_s)
                return r;
        }
        return -1;
    }
    QVariant stored(const QString& table, const QString& index, const QVariantList& key,
                    const QString& field) {
        return TableRows::value(tmp.db(), table, index, key, field).value_or(QVariant());
    }

    QTemporaryDir outDir;
    std::unique_ptr<RosterChangeScreen> screen;
    EditResult nextEdit;
    std::pair<QString, int> offered;
    std::vector<BackupRequest> asked;
    std::vector<BackupAnswer> backupAnswers;
    std::function<void(const BackupRequest&)> onBackupAsked;
};

} // namespace

TEST_F(RosterChangeScreenTest, ProposesTheLastCreatedPeriodAndChecksTheDates) {
    open();
    EXPECT_EQ(screen->objectName(), u"勤務変個"_s);
    EXPECT_EQ(screen->windowTitle(), u"勤務表変更"_s);
    EXPECT_EQ(text(screen.get(), u"表開始日"_s), u"2024/03/01"_s);
    EXPECT_EQ(text(screen.get(), u"表終了日"_s), u"2024/03/31"_s);

    for (const QString& button : {u"更新"_s, u"印刷"_s}) {
        click(screen.get(), button);
        EXPECT_EQ(prompter.lastText(), u"先に勤務表の照会を行って下さい。"_s);
    }
    EXPECT_FALSE(QFileInfo::exists(outDir.filePath(u"out.pdf"_s)));

    struct Case {
        QString from, to, message, redField;
    };
    const Case cases[] = {
        {u""_s, u"2024/03/31"_s, u"開始日に入力してください"_s, u"表開始日"_s},
        {u"2024/13/01"_s, u"2024/03/31"_s, u"開始日に正しく入力してください"_s, u"表開始日"_s},
        {u"2024/03/01"_s, u"3月末"_s, u"表終了日に正しく入力してください"_s, u"表終了日"_s},
        {u"2024/03/01"_s, u"2024/03/01"_s, u"日付の大小関係を正しく入力してください"_s,
         u"表終了日"_s},
        {u"2024/01/01"_s, u"2024/02/02"_s, u"1ｹ月以上の作成は出来ません"_s, u"表終了日"_s},
        // The 1st to the 1st after a 31-day month is 31 days apart: accepted.
        {u"2024/1/1"_s, u"2024/2/1"_s, u"勤務表を表示しました"_s, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        show(c.from, c.to);
        EXPECT_EQ(prompter.lastText(), c.message);
        EXPECT_EQ(prompter.lastTitle(), u"勤務表変更"_s);
        if (!c.redField.isEmpty()) {
            EXPECT_TRUE(red(screen.get(), c.redField));
        }
    }
    EXPECT_EQ(screen->model().periodEnd, u"2024/02/01"_s);
    EXPECT_EQ(grid().text(0, RosterChangePainter::columnOfDay(32)), u"1"_s);
}

TEST_F(RosterChangeScreenTest, ShowsPlanAndCorrectionsInTwoRowsWithCountsBelow) {
    putRow(u"カレンダー"_s, u"key_カレンダー"_s, {u"2024/03/12"_s},
           {{u"カレ_年月日"_s, u"2024/03/12"_s}, {u"カレ_休日FLG"_s, 1}});
    open();
    show(u"2024/03/01"_s, u"2024/03/31"_s);
    const RosterModel& m = screen->model();
    ASSERT_GT(painter().staffCount(), 10);
    EXPECT_EQ(painter().staffCount(), m.groupCount(1));
    EXPECT_EQ(m.groupCount(2), 0) << "one block on the individual screen";

    const Person& p = person(2);
    EXPECT_EQ(grid().text(4, 0), p.name);
    EXPECT_EQ(grid().text(4, 1), p.no);
    EXPECT_EQ(grid().rowSpan(4, 0), 2) << "name shown once for both rows";
    EXPECT_EQ(grid().text(4, 2), p.cell(1).shift) << "plan of day 1 in column 2";
    EXPECT_TRUE(grid().text(5, 2).isEmpty()) << "no correction yet";
    EXPECT_EQ(grid().cellBackColor(4, 2), Lavender);
    EXPECT_EQ(grid().cellBackColor(5, 2), White);
    const int closed = RosterChangePainter::columnOfDay(12);
    EXPECT_TRUE(grid().text(4, closed).isEmpty());
    EXPECT_TRUE(grid().text(5, closed).isEmpty());

    // Count columns after the days: 日 with its early and late columns, 夜 without any.
    const int day = painter().countColumn(m.cache.workShiftIndex(u"日"_s));
    EXPECT_EQ(day, 31 + 4);
    EXPECT_EQ(grid().text(0, day), u"日"_s);
    EXPECT_EQ(grid().text(1, day + 1), u"早"_s);
    EXPECT_EQ(grid().text(1, day + 2), u"遅"_s);
    const int night = painter().countColumn(m.cache.workShiftIndex(u"夜"_s));
    EXPECT_EQ(night, day + 3);
    EXPECT_EQ(painter().countColumn(m.cache.workShiftIndex(u"明"_s)), night + 1);
    EXPECT_EQ(grid().text(4, day), QString::number(p.count[1]));
    EXPECT_EQ(grid().text(4, day + 1), QString::number(p.earlyCount[1]));
    EXPECT_EQ(grid().text(4, day + 2), QString::number(p.lateCount[1]));

    // One block "合計": every count matches and is red exactly when short; no rest row.
    const int whole = countRow(u"合計"_s, u"日"_s);
    ASSERT_EQ(whole, painter().firstCountRow());
    EXPECT_EQ(countRow(u"合計"_s, m.cache.restShift), -1);
    for (int d = 1; d <= 31; ++d) {
        const int col = RosterChangePainter::columnOfDay(d);
        if (d == 12) {
            EXPECT_TRUE(grid().text(whole, col).isEmpty());
            continue;
        }
        const int have = m.assigned.at(Level::Unit, d, 1, Figure::Staff);
        EXPECT_EQ(grid().text(whole, col), QString::number(have)) << d;
        EXPECT_EQ(grid().cellForeColor(whole, col),
                  have < m.requirement.at(Level::Unit, d, 1, Figure::Staff) ? Red : Black)
            << d;
    }

    // Refused clicks: outside the period's days, below the people, and days registration
    // stores nothing for (closed, not available, nothing planned).
    person(3).cell(7).shift.clear();
    person(4).cell(8).unavailable = 1;
    const QString unplanned = u"勤務予定の無い日は変更出来ません。"_s;
    struct Refusal {
        int row, col;
        QString message;
    };
    const Refusal refusals[] = {
        {4, RosterChangePainter::columnOfDay(32), u"日付が有効範囲外です。"_s},
        {4, 1, u"日付が有効範囲外です。"_s},
        {whole, 5, u"職員欄が有効範囲外です。"_s},
        {5, closed, u"休日は変更出来ません。"_s},
        {RosterChangePainter::plannedRow(3), RosterChangePainter::columnOfDay(7), unplanned},
        {RosterChangePainter::changedRow(4), RosterChangePainter::columnOfDay(8), unplanned},
    };
    nextEdit = EditResult{.action = EditAction::Replace, .shiftAbbrev = u"夜"_s};
    for (const Refusal& r : refusals) {
        offered = {};
        Q_EMIT grid().cellClickedAt(r.row, r.col);
        EXPECT_EQ(prompter.lastText(), r.message);
        EXPECT_TRUE(offered.first.isEmpty()) << "no dialog: " << r.message.toStdString();
    }
}

TEST_F(RosterChangeScreenTest, EitherRowCorrectsTheActualShiftAndNeverThePlan) {
    open();
    show(u"2024/03/01"_s, u"2024/03/31"_s);
    RosterModel& m = screen->model();
    const int d = 6, col = RosterChangePainter::columnOfDay(d);
    const int i = indexPlanned(d, u"日"_s);
    Person& p = person(i);
    const int plannedEarly = p.cell(d).early;

    struct Case {
        int row;
        QString shift;
        int mark;
    };
    const Case cases[] = {{RosterChangePainter::plannedRow(i), u"夜"_s, 0},
                          {RosterChangePainter::changedRow(i), u"日"_s, 2},
                          {RosterChangePainter::plannedRow(i), u"日"_s, 3}};
    for (const Case& c : cases) {
        change(c.row, d, c.shift, c.mark);
        EXPECT_EQ(p.cell(d).actualShift, c.shift);
        EXPECT_EQ(p.cell(d).actualEarly, c.mark);
        EXPECT_EQ(p.cell(d).shift, u"日"_s);
        EXPECT_EQ(p.cell(d).early, plannedEarly);
        EXPECT_EQ(grid().text(RosterChangePainter::changedRow(i), col), c.shift);
        EXPECT_EQ(grid().text(RosterChangePainter::plannedRow(i), col), u"日"_s);
    }
    EXPECT_EQ(offered, (std::pair{u"日"_s, 2})) << "the dialog opens on the correction";
    EXPECT_EQ(grid().cellBackColor(RosterChangePainter::changedRow(i), 10), QColor(230, 255, 220));
    EXPECT_EQ(grid().cellBackColor(RosterChangePainter::plannedRow(i), 10), Lavender);

    // A shortfall shows red while the question is asked; no puts the earlier correction back.
    const int whole = countRow(u"合計"_s, u"日"_s);
    m.requirement.at(Level::Unit, d, 1, Figure::Staff) =
        m.assigned.at(Level::Unit, d, 1, Figure::Staff);
    const int before = m.assigned.at(Level::Unit, d, 1, Figure::Staff);
    QColor whileAsked;
    prompter.onShown = [&](const ScriptedPrompter::Shown&) {
        whileAsked = grid().cellForeColor(whole, col);
    };
    change(RosterChangePainter::changedRow(i), d, u"休"_s, 0, false);
    prompter.onShown = nullptr;
    EXPECT_EQ(prompter.lastText(), u"勤務表を変更します"_s);
    EXPECT_EQ(whileAsked, Red);
    EXPECT_EQ(p.cell(d).actualShift, u"日"_s);
    EXPECT_EQ(p.cell(d).actualEarly, 3);
    EXPECT_EQ(grid().text(RosterChangePainter::changedRow(i), col), u"日"_s);
    EXPECT_EQ(m.assigned.at(Level::Unit, d, 1, Figure::Staff), before);
    EXPECT_EQ(grid().cellForeColor(whole, col), Black);

    // Insert, delete and sequence change nothing here.
    for (EditAction action : {EditAction::Insert, EditAction::Delete, EditAction::Sequence}) {
        nextEdit = EditResult{.action = action, .shiftAbbrev = u"夜"_s};
        Q_EMIT grid().cellClickedAt(RosterChangePainter::plannedRow(i), col + 1);
        EXPECT_EQ(prompter.lastText(), u"置換え以外は選択出来ません"_s);
        EXPECT_TRUE(p.cell(d + 1).actualShift.isEmpty());
    }

    // 照会 over unsaved corrections asks first: No keeps them, Yes reads the stored roster.
    for (const bool yes : {false, true}) {
        prompter.answer(yes);
        click(screen.get(), u"照会"_s);
        EXPECT_EQ(prompter.texts().at(prompter.texts().size() - (yes ? 2 : 1)),
                  u"更新していない変更があります。変更を破棄して照会しますか"_s);
        EXPECT_EQ(person(i).cell(d).actualShift, yes ? QString() : u"日"_s);
    }
    EXPECT_EQ(prompter.pendingAnswers(), 0u);
}

TEST_F(RosterChangeScreenTest, UpdateWritesCorrectionsThenAnsweredLeaveDays) {
    open();
    show(u"2024/03/01"_s, u"2024/03/31"_s);
    const RosterModel& m = screen->model();
    const int d = 5;
    const QString date = u"2024/03/05"_s;
    const int taker = indexPlanned(d, u"日"_s);
    const int backup = indexPlanned(d, u"日"_s, taker);
    const int undone = indexPlanned(d, u"日"_s, backup);
    const int restTaker = indexPlanned(d, u"日"_s, undone);
    const int unregistered = indexPlanned(d, u"日"_s, restTaker);
    const QString takerNo = person(taker).no, backupNo = person(backup).no;
    const QString undoneNo = person(undone).no;

    change(RosterChangePainter::changedRow(taker), d, u"有"_s, 0);
    change(RosterChangePainter::changedRow(restTaker), d, u"希"_s, 0);
    change(RosterChangePainter::changedRow(unregistered), d, u"有"_s, 0);
    // Changed and changed back to exactly the plan: nothing to store.
    change(RosterChangePainter::changedRow(undone), d, u"夜"_s, 0);
    change(RosterChangePainter::changedRow(undone), d, u"日"_s, person(undone).cell(d).early);

    prompter.answer(false);
    click(screen.get(), u"更新"_s);
    EXPECT_TRUE(asked.empty()) << "no: nothing asked, nothing written";

    // In staff order: the paid leave with a backup, the rest-work leave without one, and a
    // paid leave whose registration was cancelled.
    backupAnswers = {{1, backupNo}, {1, QString()}, {0, QString()}};
    std::optional<QVariant> writtenWhileAsked;
    onBackupAsked = [&](const BackupRequest&) {
        writtenWhileAsked = committedValue(tmp.path(), u"勤務表"_s, u"key_勤務表"_s,
                                           {1, takerNo, date}, u"勤_実績"_s);
    };
    prompter.clear();
    prompter.answerYes();
    click(screen.get(), u"更新"_s);
    EXPECT_EQ(prompter.texts(), (std::vector<QString>{u"勤務表を変更します。"_s,
                                                      u"勤務ｼﾌﾄの変更を終了しました。"_s}));
    ASSERT_EQ(asked.size(), 3u) << "one question per leave day";
    EXPECT_EQ(asked[0].takerNo, takerNo);
    EXPECT_EQ(asked[0].day, date);
    EXPECT_EQ(asked[1].alsoBusy, QSet<QString>{backupNo}) << "one person covers one leave a day";
    EXPECT_EQ(asked[2].takerNo, person(unregistered).no);
    EXPECT_EQ(writtenWhileAsked, QVariant(QString())) << "asked before anything is written";

    const QString rosterIndex = u"key_勤務表"_s;
    EXPECT_EQ(stored(u"勤務表"_s, rosterIndex, {1, takerNo, date}, u"勤_実績"_s),
              QVariant(u"有"_s));
    EXPECT_EQ(stored(u"勤務表"_s, rosterIndex, {1, takerNo, date}, u"勤_予定"_s),
              QVariant(u"日"_s));
    EXPECT_EQ(stored(u"勤務表"_s, rosterIndex, {1, undoneNo, date}, u"勤_実績"_s),
              QVariant(QString()));
    // The paid leave is registered with its backup, who gets a backup row of the day.
    const QVariantList request{1, takerNo, date};
    EXPECT_EQ(stored(u"休暇希望"_s, u"key_希望"_s, request, u"希_予定略称"_s),
              QVariant(m.cache.paidLeaveAbbrev));
    EXPECT_EQ(stored(u"休暇希望"_s, u"key_希望"_s, request, u"希_実績略称"_s), QVariant(u"有"_s));
    EXPECT_EQ(stored(u"休暇希望"_s, u"key_希望"_s, request, u"希_BACKUP"_s), QVariant(backupNo));
    const QVariantList cover{2, backupNo, date};
    EXPECT_EQ(stored(u"勤務表"_s, rosterIndex, cover, u"勤_予定"_s),
              QVariant(person(backup).cell(d).shift));
    EXPECT_EQ(stored(u"勤務表"_s, rosterIndex, cover, u"勤_BKUP者"_s),
              QVariant(person(taker).name));
    EXPECT_EQ(stored(u"勤務表"_s, rosterIndex, cover, u"勤_実績"_s), QVariant(u"有"_s));
    // A rest-work leave and a cancelled paid leave: no request row; the leave stays in the
    // roster as corrected.
    for (int i : {restTaker, unregistered}) {
        const QString no = person(i).no;
        EXPECT_FALSE(
            stored(u"休暇希望"_s, u"key_希望"_s, {1, no, date}, u"希_実績略称"_s).isValid());
        EXPECT_EQ(stored(u"勤務表"_s, rosterIndex, {1, no, date}, u"勤_実績"_s),
                  QVariant(person(i).cell(d).actualShift));
    }
    EXPECT_EQ(stored(u"作成単位"_s, u"key_作成単位"_s, {2}, u"作_作成To"_s),
              QVariant(u"2024/03/31"_s))
        << "the created period does not move";

    // Printed as shown, corrections included.
    click(screen.get(), u"印刷"_s);
    EXPECT_GT(QFileInfo(outDir.filePath(u"out.pdf"_s)).size(), 0);
}

TEST_F(RosterChangeScreenTest, ByTeamShowsBothGroupsAndATeamBlockEach) {
    open(RosterChangeScreen::Kind::ByTeam);
    EXPECT_EQ(screen->objectName(), u"勤務変チ"_s);
    EXPECT_EQ(screen->windowTitle(), u"ﾁｰﾑ別勤務表変更"_s);
    show(u"2024/03/01"_s, u"2024/03/31"_s);
    const RosterModel& m = screen->model();
    ASSERT_GT(m.groupCount(2), 0);
    const int first2 = m.groupCount(1) + 1;
    EXPECT_EQ(painter().personOf(first2), (std::pair{2, 1}));
    EXPECT_EQ(grid().cellBackColor(RosterChangePainter::plannedRow(first2), 5), Yellow);
    EXPECT_EQ(grid().cellBackColor(RosterChangePainter::plannedRow(first2 - 1), 5), Lavender);

    const int team1 = countRow(m.teamName[1], u"日"_s), team2 = countRow(m.teamName[2], u"日"_s),
              whole = countRow(u"合計"_s, u"日"_s);
    ASSERT_GT(team1, 0);
    EXPECT_LT(team1, team2);
    EXPECT_LT(team2, whole);
    EXPECT_EQ(grid().cellBackColor(team2, 5), Yellow);
    EXPECT_EQ(grid().text(team2, 2),
              QString::number(m.assigned.at(Level::SecondGroup, 1, 1, Figure::Staff)));

    // A person of the second group is changed through their own rows.
    const int d = 3;
    Person& p = screen->model().person(2, 1);
    const QString other = p.cell(d).shift == u"夜"_s ? u"日"_s : u"夜"_s;
    change(RosterChangePainter::changedRow(first2), d, other, 0);
    EXPECT_EQ(p.cell(d).actualShift, other);

    // Closing the window with an unsaved correction asks first.
    prompter.clear();
    prompter.answer(false);
    screen->close();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(prompter.lastText(), u"勤務表変更を終了します"_s);
}

// A kept correction is a step to undo and redo, a declined one is not; 照会 leaves none.
TEST_F(RosterChangeScreenTest, KeptCorrectionsAreUndoneAndRedoneUntilTheNextShow) {
    open();
    show(u"2024/03/01"_s, u"2024/03/31"_s);
    const auto enabled = [this](const QString& name) {
        return child<QPushButton>(screen.get(), name)->isEnabled();
    };
    const int d = 6, col = RosterChangePainter::columnOfDay(d);
    const int i = indexPlanned(d, u"日"_s);
    const RosterModel loaded = screen->model();
    const QString shownBefore = grid().text(RosterChangePainter::changedRow(i), col);
    change(RosterChangePainter::plannedRow(i), d, u"夜"_s, 0, false);
    EXPECT_FALSE(enabled(u"元に戻す"_s));
    change(RosterChangePainter::plannedRow(i), d, u"夜"_s, 0);
    const RosterModel corrected = screen->model();

    QTest::keyClick(&grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(screen->model() == loaded);
    EXPECT_EQ(grid().text(RosterChangePainter::changedRow(i), col), shownBefore);
    click(screen.get(), u"やり直し"_s);
    EXPECT_TRUE(screen->model() == corrected);
    EXPECT_EQ(grid().text(RosterChangePainter::changedRow(i), col), u"夜"_s);

    prompter.answerYes(); // the corrections not written back are dropped
    show(u"2024/03/01"_s, u"2024/03/31"_s);
    EXPECT_FALSE(enabled(u"元に戻す"_s));
    EXPECT_FALSE(enabled(u"やり直し"_s));
}
