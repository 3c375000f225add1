#include "print/pdf_file_output.h"
#include "roster/roster_model.h"
#include "screens/roster/roster_creation_screen.h"
#include "screens/roster/roster_grid_painter.h"
#include "screens/roster/roster_window_size.h"
#include "store/demo_workplace.h"
#include "store/startup_settings.h"
#include "support/screens/entry_screen_fixture.h"
#include "support/screens/second_connection.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

class RosterCreationScreenTest : public EntryScreenFixture {
protected:
    RosterCreationScreenTest() {
        // Today 2024/04/01: the demo's last created period is March 2024.
        LoadDemoWorkplace(tmp.db(), clock);
    }

    RosterCreationScreen&
    open(RosterCreationScreen::Kind kind = RosterCreationScreen::Kind::Individual) {
        screen = std::make_unique<RosterCreationScreen>(
            ctx, kind, std::make_unique<PdfFileOutput>(outDir.filePath(u"out.pdf"_s)));
        screen->setEditChooser([this](QWidget*, const QString& abbrev, int mark) {
            ++dialogs;
            offered = {abbrev, mark};
            return nextEdit;
        });
        screen->setEarlyLateOpener([this](RosterModel& m) { earlyLateModel = &m; });
        screen->show();
        return *screen;
    }

    void expand(const QString& from, const QString& to) {
        type(screen.get(), u"表開始日"_s, from);
        type(screen.get(), u"表終了日"_s, to);
        click(screen.get(), u"展開"_s);
    }

    FlexGrid& grid() { return *screen->grid(); }
    const RosterGridPainter& painter() { return screen->painter(); }
    Person& personOfRow(int row) {
        const auto [g, s] = painter().personAt(row);
        return screen->model().person(g, s);
    }

    // Grid row of the count line "<abbrev>勤者" in the block labelled `block`.
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

    // Registered rows of April 2024 (the demo holds earlier months as history).
    int storedRows() {
        Table t(tmp.db(), u"勤務表"_s);
        t.setIndex(u"key_勤務表"_s);
        int n = 0;
        for (t.moveFirst(); !t.eof(); t.moveNext())
            n += t.text(u"勤_勤務日"_s) >= u"2024/04/01"_s ? 1 : 0;
        return n;
    }

    // Every shown count of the whole-unit block for one shift equals the model and is red
    // exactly when it falls short of the day's need.
    void expectWholeCountsMatch(const QString& abbrev) {
        const RosterModel& m = screen->model();
        const int s = m.cache.workShiftIndex(abbrev);
        const int whole = countRow(u"設定要員数"_s, abbrev);
        for (int d = 1; d <= m.lastDay(); ++d) {
            if (m.day(d).holidayFlag == 1)
                continue;
            const int col = RosterGridPainter::columnOfDay(d);
            const int have = m.assigned.at(Level::Unit, d, s, Figure::Staff);
            EXPECT_EQ(grid().text(whole, col), QString::number(have)) << abbrev.toStdString() << d;
            EXPECT_EQ(grid().cellForeColor(whole, col),
                      have < m.requirement.at(Level::Unit, d, s, Figure::Staff)
                          ? Palette::colour(12)
                          : Palette::colour(0))
                << abbrev.toStdString() << d;
        }
    }

    QString createdTo() {
        return TableRows::value(tmp.db(), u"作成単位"_s, u"key_作成単位"_s, {2}, u"作_作成To"_s)
            .value_or(QVariant())
            .toString();
    }

    QTemporaryDir outDir;
    std::unique_ptr<RosterCreationScreen> screen;
    EditResult nextEdit;
    int dialogs = 0;
    std::pair<QString, int> offered; // the cell's shift and mark the last dialog opened on
    RosterModel* earlyLateModel = nullptr;
};

const QColor Red = Palette::colour(12);
const QColor Black = Palette::colour(0);

} // namespace

TEST_F(RosterCreationScreenTest, ProposesTheNextPeriodAndChecksIt) {
    open();
    EXPECT_EQ(screen->objectName(), u"勤務作個"_s);
    EXPECT_EQ(child<QLineEdit>(screen.get(), u"表開始日"_s)->text(), u"2024/04/01"_s);
    EXPECT_EQ(child<QLineEdit>(screen.get(), u"表終了日"_s)->text(), u"2024/04/30"_s);

    expand(u"2024/04/01"_s, u"2024/05/03"_s);
    EXPECT_EQ(prompter.lastText(), u"1ｹ月以上の作成は出来ません"_s);
    EXPECT_EQ(prompter.lastTitle(), u"個別勤務表作成"_s);
    EXPECT_TRUE(red(screen.get(), u"表終了日"_s));
    EXPECT_EQ(screen->model().groupCount(1), 0) << "nothing generated";

    expand(u"2024/04/01"_s, u"2024/04/01"_s);
    EXPECT_EQ(prompter.lastText(), u"日付の大小関係を正しく入力してください"_s);

    expand(u"2024/4/1"_s, u"2024/5/2"_s);
    EXPECT_EQ(prompter.lastText(), u"勤務表を展開しました"_s);
    EXPECT_EQ(screen->model().periodEnd, u"2024/05/02"_s);
    EXPECT_EQ(grid().text(0, RosterGridPainter::columnOfDay(32)), u"2"_s);
}

TEST_F(RosterCreationScreenTest, RefusalsBeforeExpansionAndOutsideTheGrid) {
    open();
    click(screen.get(), u"責任者"_s);
    EXPECT_EQ(prompter.lastText(), u"先に勤務表の展開を行って下さい。"_s);
    click(screen.get(), u"印刷"_s);
    EXPECT_EQ(prompter.lastText(), u"先に勤務表の展開を行って下さい。"_s);
    EXPECT_FALSE(QFileInfo::exists(outDir.filePath(u"out.pdf"_s)));
    click(screen.get(), u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"先に勤務表の展開を行って下さい。"_s);

    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    const int people = painter().staffRows();
    ASSERT_GT(people, 10);
    Q_EMIT grid().cellClickedAt(3, 5); // a lead day
    EXPECT_EQ(prompter.lastText(), u"日付が有効範囲外です。"_s);
    Q_EMIT grid().cellClickedAt(3, RosterGridPainter::columnOfDay(31));
    EXPECT_EQ(prompter.lastText(), u"日付が有効範囲外です。"_s) << "after the period end";
    Q_EMIT grid().cellClickedAt(people + 2, 10);
    EXPECT_EQ(prompter.lastText(), u"職員欄が有効範囲外です。"_s);
    EXPECT_EQ(dialogs, 0);
}

TEST_F(RosterCreationScreenTest, HighlightFollowsTheClickAndLeavesOwnBackgroundsBehind) {
    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    nextEdit = EditResult{.action = EditAction::Cancelled}; // every dialog is cancelled
    const QColor green(230, 255, 220), lavender(230, 230, 255), white = Palette::colour(15);
    const int leadCol = 3;
    const int firstCol = RosterGridPainter::columnOfDay(5),
              secondCol = RosterGridPainter::columnOfDay(9);
    const int count = painter().firstCountRow();

    Q_EMIT grid().cellClickedAt(2, firstCol);
    EXPECT_EQ(grid().cellBackColor(2, leadCol), green);
    EXPECT_EQ(grid().cellBackColor(5, firstCol), green);
    EXPECT_EQ(grid().cellBackColor(count, firstCol), green) << "the column runs through the counts";

    // The next click moves the crosshair; the first one's cells get their own colours back.
    Q_EMIT grid().cellClickedAt(4, secondCol);
    EXPECT_EQ(grid().cellBackColor(2, leadCol), lavender);
    EXPECT_EQ(grid().cellBackColor(5, firstCol), white);
    EXPECT_EQ(grid().cellBackColor(count, firstCol), white);
    EXPECT_EQ(grid().cellBackColor(4, firstCol), green);
    EXPECT_EQ(grid().cellBackColor(2, secondCol), green);

    // A refused click leaves the highlight where it is.
    Q_EMIT grid().cellClickedAt(4, leadCol);
    EXPECT_EQ(prompter.lastText(), u"日付が有効範囲外です。"_s);
    EXPECT_EQ(grid().cellBackColor(2, secondCol), green);

    click(screen.get(), u"全員"_s);
    EXPECT_EQ(grid().cellBackColor(4, leadCol), lavender);
    EXPECT_EQ(grid().cellBackColor(2, secondCol), white);
}

TEST_F(RosterCreationScreenTest, GridShowsPeopleHeadingsTalliesAndCounts) {
    putRow(u"カレンダー"_s, u"key_カレンダー"_s, {u"2024/04/10"_s},
           {{u"カレ_年月日"_s, u"2024/04/10"_s}, {u"カレ_休日FLG"_s, 1}});
    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    const RosterModel& m = screen->model();

    EXPECT_EQ(grid().text(0, 0), u"日付"_s);
    EXPECT_EQ(grid().text(1, 1), u"職員NO"_s);
    EXPECT_EQ(grid().text(0, 7), u"1"_s) << "day 1 in column 7";
    EXPECT_EQ(grid().text(0, 2), u"27"_s) << "lead day -4";
    EXPECT_EQ(grid().cellForeColor(1, 7 + 6), Red) << "Sunday 7th";
    EXPECT_EQ(grid().cellBackColor(2, 4), QColor(230, 230, 255));

    const Person& first = m.person(1, 1);
    EXPECT_EQ(grid().text(2, 0), (first.leader == 1 ? u"*"_s : u" "_s) + first.name);
    EXPECT_EQ(grid().text(2, 1), first.no);
    const int tally1 = m.periodDayCount + 1 + 3;
    EXPECT_EQ(grid().text(1, tally1), m.cache.workShift(1).abbrev);
    EXPECT_EQ(grid().text(2, tally1), QString::number(first.count[1]));

    // The holiday shows the rest shift in every staff row and no counts.
    const int holidayCol = RosterGridPainter::columnOfDay(10);
    for (int r = 2; r < painter().firstCountRow(); ++r)
        EXPECT_EQ(grid().text(r, holidayCol), m.cache.restShift) << r;
    EXPECT_EQ(grid().cellForeColor(2, holidayCol), Red);
    const int whole = countRow(u"設定要員数"_s, u"日"_s);
    ASSERT_GT(whole, 0);
    EXPECT_TRUE(grid().text(whole, holidayCol).isEmpty());

    // Every count cell matches the model and is red exactly when short.
    for (int d = 1; d <= 30; ++d) {
        if (m.day(d).holidayFlag == 1)
            continue;
        const int col = RosterGridPainter::columnOfDay(d);
        const int have = m.assigned.at(Level::Unit, d, 1, Figure::Staff);
        EXPECT_EQ(grid().text(whole, col), QString::number(have)) << d;
        EXPECT_EQ(grid().cellForeColor(whole, col),
                  have < m.requirement.at(Level::Unit, d, 1, Figure::Staff) ? Red : Black)
            << d;
    }
    EXPECT_LT(countRow(m.teamName[1], u"日"_s), whole);
    EXPECT_EQ(countRow(u"設定要員数"_s, m.cache.restShift), -1) << "no count row for rest";
}

TEST_F(RosterCreationScreenTest, ReplaceChangesTheCellTalliesAndCounts) {
    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    RosterModel& m = screen->model();
    const int day = 8;
    const int col = RosterGridPainter::columnOfDay(day);
    const int whole = countRow(u"設定要員数"_s, u"日"_s);
    int row = 2;
    while (personOfRow(row).cell(day).shift != u"日"_s ||
           !personOfRow(row).cell(day).requestShift.isEmpty())
        ++row;
    ASSERT_LT(row, painter().firstCountRow());
    Person& p = personOfRow(row);
    // The day's 日 count exactly meets its need; taking one person off makes it short.
    m.requirement.at(Level::Unit, day, 1, Figure::Staff) =
        m.assigned.at(Level::Unit, day, 1, Figure::Staff);

    nextEdit =
        EditResult{.action = EditAction::Replace, .shiftName = u"休み"_s, .shiftAbbrev = u"休"_s};
    prompter.answerYes();
    const int before = m.assigned.at(Level::Unit, day, 1, Figure::Staff);
    Q_EMIT grid().cellClickedAt(row, col);
    EXPECT_EQ(prompter.lastText(), u"ｼﾌﾄを再設定しますか？内容を確認してください"_s);
    EXPECT_EQ(p.cell(day).shift, u"休"_s);
    EXPECT_EQ(grid().text(row, col), u"休"_s);
    EXPECT_EQ(grid().cellForeColor(row, col), Red);
    EXPECT_EQ(m.assigned.at(Level::Unit, day, 1, Figure::Staff), before - 1);
    EXPECT_EQ(grid().text(whole, col), QString::number(before - 1));
    EXPECT_EQ(grid().cellForeColor(whole, col), Red);
    const int tally = m.periodDayCount + 1 + 3;
    EXPECT_EQ(grid().text(row, tally), QString::number(p.count[1]));
    EXPECT_EQ(grid().cellBackColor(row, 20), QColor(230, 255, 220)) << "clicked row highlighted";

    // Answering no, cancelling or closing the dialog changes nothing.
    prompter.answer(false);
    nextEdit.shiftAbbrev = u"夜"_s;
    Q_EMIT grid().cellClickedAt(row, col);
    EXPECT_EQ(p.cell(day).shift, u"休"_s);
    nextEdit = EditResult{};
    prompter.answerYes();
    Q_EMIT grid().cellClickedAt(row, col);
    EXPECT_EQ(p.cell(day).shift, u"休"_s);
    nextEdit = EditResult{.action = EditAction::Cancelled};
    Q_EMIT grid().cellClickedAt(row, col);
    EXPECT_EQ(prompter.pendingAnswers(), 0u) << "cancel asks nothing";

    // Enter on the current cell works like a click.
    nextEdit =
        EditResult{.action = EditAction::Replace, .shiftName = u"夜勤"_s, .shiftAbbrev = u"夜"_s};
    prompter.answerYes();
    grid().setCurrentCell(row, col);
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(p.cell(day).shift, u"夜"_s);
}

TEST_F(RosterCreationScreenTest, InsertDeleteAndSequenceRedrawThePersonAndCounts) {
    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    RosterModel& m = screen->model();
    const int row = 4;
    Person& p = personOfRow(row);
    for (int d = 1; d <= 40; ++d)
        p.cell(d).requestShift.clear();
    const QString day6 = p.cell(6).shift;
    const QString day7 = p.cell(7).shift;
    // Day 6 needs one more worker of the inserted shift than it has: the insert covers it,
    // the delete opens the gap again.
    const QString inserted = day6 == u"夜"_s ? u"日"_s : u"夜"_s;
    const int s = m.cache.workShiftIndex(inserted);
    const int insertedCount = m.assigned.at(Level::Unit, 6, s, Figure::Staff);
    m.requirement.at(Level::Unit, 6, s, Figure::Staff) = insertedCount + 1;
    const int insertedRow = countRow(u"設定要員数"_s, inserted);
    const int col6 = RosterGridPainter::columnOfDay(6);

    nextEdit = EditResult{.action = EditAction::Insert, .shiftAbbrev = inserted};
    prompter.answerYes();
    Q_EMIT grid().cellClickedAt(row, col6);
    EXPECT_EQ(p.cell(6).shift, inserted);
    EXPECT_EQ(p.cell(7).shift, day6);
    EXPECT_EQ(grid().text(row, RosterGridPainter::columnOfDay(7)), day6);
    EXPECT_EQ(grid().text(insertedRow, col6), QString::number(insertedCount + 1));
    EXPECT_EQ(grid().cellForeColor(insertedRow, col6), Black);
    expectWholeCountsMatch(u"日"_s);
    expectWholeCountsMatch(u"夜"_s);

    nextEdit = EditResult{.action = EditAction::Delete};
    prompter.answerYes();
    Q_EMIT grid().cellClickedAt(row, col6);
    EXPECT_EQ(p.cell(6).shift, day6);
    EXPECT_EQ(p.cell(7).shift, day7);
    EXPECT_EQ(grid().text(row, RosterGridPainter::columnOfDay(7)), day7);
    EXPECT_EQ(grid().text(insertedRow, col6), QString::number(insertedCount));
    EXPECT_EQ(grid().cellForeColor(insertedRow, col6), Red);
    expectWholeCountsMatch(u"日"_s);
    expectWholeCountsMatch(u"夜"_s);

    nextEdit = EditResult{.action = EditAction::Sequence};
    prompter.answerYes();
    Q_EMIT grid().cellClickedAt(row, RosterGridPainter::columnOfDay(20));
    for (int s = 1; s <= static_cast<int>(m.cache.workShifts.size()); ++s) {
        EXPECT_EQ(p.cell(19 + s).shift, m.cache.workShift(s).abbrev);
        EXPECT_EQ(grid().text(row, RosterGridPainter::columnOfDay(19 + s)),
                  m.cache.workShift(s).abbrev);
    }
    for (const auto& w : m.cache.workShifts)
        if (w.abbrev != m.cache.restShift)
            expectWholeCountsMatch(w.abbrev);
}

TEST_F(RosterCreationScreenTest, ConfirmRegistersAdvancesThePeriodAndOffersEarlyLate) {
    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    type(screen.get(), u"表終了日"_s, u"2024/04/29"_s);
    click(screen.get(), u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"基準日が変更されています。展開からやり直して下さい"_s);
    EXPECT_EQ(storedRows(), 0);

    type(screen.get(), u"表終了日"_s, u"2024/04/30"_s);
    prompter.answer(false);
    click(screen.get(), u"確定"_s);
    EXPECT_EQ(storedRows(), 0) << "answered no";

    prompter.answerYes(2);
    click(screen.get(), u"確定"_s);
    EXPECT_GT(storedRows(), 20 * 25);
    EXPECT_EQ(createdTo(), u"2024/04/30"_s);
    EXPECT_EQ(prompter.lastText(), u"早出・遅出の設定を行いますか？"_s);
    EXPECT_EQ(earlyLateModel, &screen->model());

    // The next opening proposes May.
    RosterCreationScreen next(ctx, RosterCreationScreen::Kind::Individual);
    EXPECT_EQ(child<QLineEdit>(&next, u"表開始日"_s)->text(), u"2024/05/01"_s);
    EXPECT_EQ(child<QLineEdit>(&next, u"表終了日"_s)->text(), u"2024/05/31"_s);
}

// What follows the registration is shown once it is committed: another program reads the
// registered roster and the advanced period by then.
TEST_F(RosterCreationScreenTest, WhatFollowsTheRegistrationComesAfterItIsCommitted) {
    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    const QString first = personOfRow(2).no;
    std::optional<QVariant> row, createdTo;
    prompter.onShown = [&](const ScriptedPrompter::Shown& shown) {
        if (shown.text != u"早出・遅出の設定を行いますか？"_s)
            return;
        row = committedValue(tmp.path(), u"勤務表"_s, u"key_勤務表"_s, {1, first, u"2024/04/01"_s},
                             u"勤_予定"_s);
        createdTo =
            committedValue(tmp.path(), u"作成単位"_s, u"key_作成単位"_s, {2}, u"作_作成To"_s);
    };
    prompter.answerYes(2);
    click(screen.get(), u"確定"_s);
    ASSERT_TRUE(row.has_value()) << "not registered when asked";
    EXPECT_EQ(row->toString(), personOfRow(2).cell(1).shift);
    EXPECT_EQ(createdTo, QVariant(u"2024/04/30"_s));
}

TEST_F(RosterCreationScreenTest, ByTeamShowsTwoGroupsWithTheirOwnCountBlocks) {
    open(RosterCreationScreen::Kind::ByTeam);
    EXPECT_EQ(screen->windowTitle(), u"ﾁｰﾑ別勤務表作成"_s);
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    const RosterModel& m = screen->model();
    ASSERT_GT(m.groupCount(2), 0);
    const int firstOfGroup2 = screen->painter().rowOf(2, 1);
    EXPECT_EQ(firstOfGroup2, m.groupCount(1) + 2);
    EXPECT_EQ(grid().cellBackColor(firstOfGroup2, 10), QColor(255, 255, 200));
    EXPECT_EQ(grid().cellBackColor(firstOfGroup2 - 1, 10), Palette::colour(15));
    const int teamB = countRow(m.teamName[2], u"日"_s);
    ASSERT_GT(teamB, 0);
    EXPECT_EQ(grid().cellBackColor(teamB, 10), QColor(255, 255, 200));
    EXPECT_EQ(grid().text(teamB, 7),
              QString::number(m.assigned.at(Level::SecondGroup, 1, 1, Figure::Staff)));

    // The leaders view lists leaders only and counts leaders.
    click(screen.get(), u"責任者"_s);
    for (int r = 2; r < painter().firstCountRow(); ++r)
        EXPECT_TRUE(grid().text(r, 0).startsWith(u"*"_s)) << r;
    const int whole = countRow(u"設定要員数"_s, u"日"_s);
    EXPECT_EQ(grid().text(whole, 7),
              QString::number(m.assigned.at(Level::Unit, 1, 1, Figure::Leaders)));

    click(screen.get(), u"印刷"_s);
    EXPECT_TRUE(QFileInfo(outDir.filePath(u"out.pdf"_s)).size() > 0);
}

// Hand edits survive a refused 展開: the roster on screen stays registrable as it stands.
TEST_F(RosterCreationScreenTest, ARefusedExpansionKeepsTheEditedRosterRegistrable) {
    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    const int day = 12, col = RosterGridPainter::columnOfDay(day);
    int row = 2;
    while (!personOfRow(row).cell(day).requestShift.isEmpty())
        ++row;
    const QString no = personOfRow(row).no;
    const QString edited = personOfRow(row).cell(day).shift == u"夜"_s ? u"日"_s : u"夜"_s;
    nextEdit = EditResult{.action = EditAction::Replace, .shiftAbbrev = edited};
    prompter.answerYes();
    Q_EMIT grid().cellClickedAt(row, col);
    ASSERT_EQ(personOfRow(row).cell(day).shift, edited);

    for (const auto& [from, to] : {std::pair{u"2024/04/01"_s, u"2024/05/03"_s},
                                   std::pair{u"2024/04/30"_s, u"2024/04/01"_s}}) {
        expand(from, to);
        EXPECT_NE(prompter.lastText(), u"勤務表を展開しました"_s) << to.toStdString();
        EXPECT_EQ(grid().text(row, col), edited) << "still shown";
    }
    type(screen.get(), u"表開始日"_s, u"2024/04/01"_s);
    type(screen.get(), u"表終了日"_s, u"2024/04/30"_s);
    prompter.answerYes();
    prompter.answer(false); // no early/late duties
    click(screen.get(), u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"早出・遅出の設定を行いますか？"_s);
    EXPECT_EQ(TableRows::value(tmp.db(), u"勤務表"_s, u"key_勤務表"_s,
                               {1, no, QStringLiteral("2024/04/%1").arg(day)}, u"勤_予定"_s),
              QVariant(edited));
}

// A closed day shows the rest shift and a requested day the request: a change there would
// show what is neither counted nor stored, so the click is refused and nothing moves.
TEST_F(RosterCreationScreenTest, ClosedAndRequestedCellsRefuseTheClick) {
    putRow(u"カレンダー"_s, u"key_カレンダー"_s, {u"2024/04/10"_s},
           {{u"カレ_年月日"_s, u"2024/04/10"_s}, {u"カレ_休日FLG"_s, 1}});
    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    RosterModel& m = screen->model();
    int requestRow = 0, requestDay = 0;
    for (int r = 2; r < painter().firstCountRow() && requestRow == 0; ++r)
        for (int d = 1; d <= 30 && requestRow == 0; ++d)
            if (!personOfRow(r).cell(d).requestShift.isEmpty() && m.day(d).holidayFlag != 1) {
                requestRow = r;
                requestDay = d;
            }
    ASSERT_GT(requestRow, 0) << "the demo holds requests in April";

    struct Case {
        int row, day;
        QString message;
    };
    const Case cases[] = {{2, 10, u"休日は変更出来ません。"_s},
                          {requestRow, requestDay, u"希望が登録された日は変更出来ません。"_s}};
    nextEdit = EditResult{.action = EditAction::Replace, .shiftAbbrev = u"夜"_s};
    for (const Case& c : cases) {
        const int col = RosterGridPainter::columnOfDay(c.day);
        const QString shown = grid().text(c.row, col);
        const QString stored = personOfRow(c.row).cell(c.day).shift;
        const int night =
            m.assigned.at(Level::Unit, c.day, m.cache.workShiftIndex(u"夜"_s), Figure::Staff);
        Q_EMIT grid().cellClickedAt(c.row, col);
        EXPECT_EQ(prompter.lastText(), c.message);
        EXPECT_EQ(dialogs, 0) << c.message.toStdString();
        EXPECT_EQ(grid().text(c.row, col), shown);
        EXPECT_EQ(personOfRow(c.row).cell(c.day).shift, stored);
        EXPECT_EQ(m.assigned.at(Level::Unit, c.day, m.cache.workShiftIndex(u"夜"_s), Figure::Staff),
                  night);
    }

    // The dialog opens on the clicked cell's own shift.
    int free = 2;
    while (!personOfRow(free).cell(5).requestShift.isEmpty())
        ++free;
    personOfRow(free).cell(5).early = 3;
    nextEdit = EditResult{.action = EditAction::Cancelled};
    Q_EMIT grid().cellClickedAt(free, RosterGridPainter::columnOfDay(5));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(offered, (std::pair{personOfRow(free).cell(5).shift, 3}));
}

// Registering a period again throws away what was corrected in it: a second question names the
// period, and only yes replaces it.
TEST_F(RosterCreationScreenTest, RegisteringOverARegisteredPeriodAsksFirst) {
    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    prompter.answerYes();
    prompter.answer(false);
    click(screen.get(), u"確定"_s);
    ASSERT_EQ(createdTo(), u"2024/04/30"_s);
    const QString no = personOfRow(2).no;
    putRow(u"勤務表"_s, u"key_勤務表"_s, {1, no, u"2024/04/03"_s}, {{u"勤_予定"_s, u"手"_s}});
    auto stored = [&] {
        return TableRows::value(tmp.db(), u"勤務表"_s, u"key_勤務表"_s, {1, no, u"2024/04/03"_s},
                                u"勤_予定"_s)
            .value_or(QVariant())
            .toString();
    };
    const QString question =
        u"2024/04/01 ～ 2024/04/30 の勤務表は登録済みです。登録済みの勤務表を置き換えますか？"_s;

    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    prompter.clear();
    prompter.answerYes();
    prompter.answer(false);
    click(screen.get(), u"確定"_s);
    EXPECT_EQ(prompter.texts(),
              (std::vector<QString>{u"勤務表を登録します。日付を確認して下さい。"_s, question}));
    EXPECT_EQ(stored(), u"手"_s) << "no: nothing written";

    prompter.clear();
    prompter.answerYes(2);
    prompter.answer(false);
    click(screen.get(), u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"早出・遅出の設定を行いますか？"_s);
    EXPECT_NE(stored(), u"手"_s) << "yes: replaced";

    // May is not registered: no second question.
    expand(u"2024/05/01"_s, u"2024/05/31"_s);
    prompter.clear();
    prompter.answerYes();
    prompter.answer(false);
    click(screen.get(), u"確定"_s);
    EXPECT_EQ(prompter.texts().size(), 2u);
    EXPECT_EQ(prompter.lastText(), u"早出・遅出の設定を行いますか？"_s);
}

// The window's close button drops an unregistered roster only after the question 終了 asks.
TEST_F(RosterCreationScreenTest, ClosingTheWindowAsksWhileTheRosterIsNotRegistered) {
    open();
    screen->close();
    EXPECT_FALSE(screen->isVisible()) << "nothing generated: nothing to ask";
    EXPECT_TRUE(prompter.shown().empty());

    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    prompter.clear();
    prompter.answer(false);
    screen->close();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"勤務表の作成を終了します"_s});

    prompter.answerYes(); // 終了 asks once, not twice
    click(screen.get(), u"終了"_s);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(prompter.texts().size(), 2u);

    open();
    expand(u"2024/04/01"_s, u"2024/04/30"_s);
    prompter.answerYes();
    prompter.answer(false);
    click(screen.get(), u"確定"_s);
    prompter.clear();
    screen->close();
    EXPECT_FALSE(screen->isVisible()) << "registered: nothing to lose";
    EXPECT_TRUE(prompter.shown().empty());
}

// On a 1600 x 1000 screen the window shows a 31-day month whole: every day, every tally column,
// every count row; each count says what it is measured against.
TEST_F(RosterCreationScreenTest, OpensLargeEnoughForAMonthAndCountsShowTheirNeed) {
    const auto size = RosterWindowSize(QSize(1600, 960));
    ASSERT_TRUE(size.has_value());
    EXPECT_FALSE(RosterWindowSize(QSize(1366, 728)).has_value()) << "smaller: maximised";
    EXPECT_FALSE(RosterWindowSize(QSize(1600, 700)).has_value());

    open(RosterCreationScreen::Kind::ByTeam);
    screen->setWindowState(Qt::WindowNoState);
    screen->resize(*size);
    expand(u"2024/05/01"_s, u"2024/05/31"_s);
    QCoreApplication::processEvents();
    const RosterModel& m = screen->model();
    const int lastTally = m.periodDayCount + m.cache.workShiftCount() + 3;
    EXPECT_LE(grid().columnViewportPosition(lastTally) + grid().columnWidth(lastTally),
              grid().viewport()->width());
    const int lastCount = painter().firstCountRow() + 3 * 3 - 1;
    ASSERT_FALSE(grid().text(lastCount, 1).isEmpty());
    EXPECT_LE(grid().rowViewportPosition(lastCount) + grid().rowHeight(lastCount),
              grid().viewport()->height());

    const int whole = countRow(u"設定要員数"_s, u"日"_s);
    for (int d : {1, 15, 31}) {
        const int col = RosterGridPainter::columnOfDay(d);
        EXPECT_EQ(grid().item(whole, col)->toolTip(),
                  u"必要 %1"_s.arg(m.requirement.at(Level::Unit, d, 1, Figure::Staff)));
    }
}
