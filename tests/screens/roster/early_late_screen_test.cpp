#include "roster/roster_model.h"
#include "screens/roster/early_late_screen.h"
#include "screens/roster/roster_creation_screen.h"
#include "screens/roster/roster_grid_painter.h"
#include "store/demo_workplace.h"
#include "support/screens/entry_screen_fixture.h"
#include "support/screens/second_connection.h"
#include "widgets/flex_grid.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

class EarlyLateScreenTest : public EntryScreenFixture {
protected:
    EarlyLateScreenTest() { LoadDemoWorkplace(tmp.db(), clock); }

    // Expands and registers April on the individual creation screen.
    void createApril() {
        creation =
            std::make_unique<RosterCreationScreen>(ctx, RosterCreationScreen::Kind::Individual);
        creation->setEarlyLateOpener([](RosterModel&) {});
        click(creation.get(), u"展開"_s);
        prompter.answerYes(2);
        click(creation.get(), u"確定"_s);
        ASSERT_EQ(prompter.lastText(), u"早出・遅出の設定を行いますか？"_s);
    }

    void setCreatedTo(const QString& to) {
        putRow(u"作成単位"_s, u"key_作成単位"_s, {2}, {{u"作_作成To"_s, to}});
    }

    QString createdTo() {
        return TableRows::value(tmp.db(), u"作成単位"_s, u"key_作成単位"_s, {2}, u"作_作成To"_s)
            .value_or(QVariant())
            .toString();
    }

    int storedMark(const QString& no, const QString& date) {
        const auto v = TableRows::value(tmp.db(), u"勤務表"_s, u"key_勤務表"_s, {1, no, date},
                                        u"勤_予定早出"_s);
        return v ? v->toInt() : -1;
    }

    std::unique_ptr<RosterCreationScreen> creation;
};

} // namespace

TEST_F(EarlyLateScreenTest, MarksCorrectsAndRegistersWithoutAdvancingThePeriod) {
    createApril();
    RosterModel& m = creation->model();
    EarlyLateScreen screen(ctx, m, EarlyLateScreen::Kind::Individual);
    EXPECT_EQ(screen.objectName(), u"勤務早個"_s);
    EXPECT_EQ(screen.windowTitle(), u"勤務表早番･遅番 作成"_s);

    // The demo needs one early and one late 日 a day: every open day is covered.
    const int dayShift = m.cache.workShiftIndex(u"日"_s);
    for (int d = 1; d <= 30; ++d) {
        if (m.day(d).holidayFlag != 1) {
            EXPECT_EQ(m.assigned.at(Level::Unit, d, dayShift, Figure::Early),
                      m.requirement.at(Level::Unit, d, dayShift, Figure::Early))
                << d;
            EXPECT_EQ(m.assigned.at(Level::Unit, d, dayShift, Figure::Late),
                      m.requirement.at(Level::Unit, d, dayShift, Figure::Late))
                << d;
        }
    }

    // Only replacing is accepted.
    const auto& painter = screen.painter();
    const int row = 2;
    const auto [g, slot] = painter.personAt(row);
    Person& p = m.person(g, slot);
    const int day = 3;
    const int col = RosterGridPainter::columnOfDay(day);
    screen.setEditChooser(
        [](QWidget*, const QString&, int) { return EditResult{.action = EditAction::Insert}; });
    prompter.answerYes();
    Q_EMIT screen.grid()->cellClickedAt(row, col);
    EXPECT_EQ(prompter.lastText(), u"置換え以外は選択出来ません"_s);
    // Refused before the clerk is asked to confirm a change that cannot be made.
    EXPECT_EQ(prompter.pendingAnswers(), 1u);
    prompter.clear();

    screen.setEditChooser([](QWidget*, const QString&, int) {
        return EditResult{.action = EditAction::Replace,
                          .shiftName = u"日勤"_s,
                          .shiftAbbrev = u"日"_s,
                          .earlyMark = 3};
    });
    const RosterModel beforeEdit = m;
    const QString shownBefore = screen.grid()->text(row, col);
    prompter.answerYes();
    Q_EMIT screen.grid()->cellClickedAt(row, col);
    EXPECT_EQ(p.cell(day).shift, u"日"_s);
    EXPECT_EQ(p.cell(day).early, 3);
    EXPECT_EQ(screen.grid()->text(row, col), u"遅"_s);

    // The correction is a step of its own to undo and redo.
    const RosterModel afterEdit = m;
    QTest::keyClick(screen.grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(m == beforeEdit);
    EXPECT_EQ(screen.grid()->text(row, col), shownBefore);
    QTest::keyClick(screen.grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(m == afterEdit);
    EXPECT_EQ(screen.grid()->text(row, col), u"遅"_s);

    // Registering writes the marks but leaves the created period alone.
    setCreatedTo(u"2024/03/31"_s);
    clickYes(&screen, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"登録を終了しました。"_s);
    EXPECT_EQ(storedMark(p.no, m.day(day).date), 3);
    EXPECT_EQ(createdTo(), u"2024/03/31"_s);
}

TEST_F(EarlyLateScreenTest, TheEndOfRegistrationIsShownOnceTheMarksAreCommitted) {
    createApril();
    RosterModel& m = creation->model();
    EarlyLateScreen screen(ctx, m, EarlyLateScreen::Kind::Individual);
    // The first early or late duty of the first day that has one.
    const Person* marked = nullptr;
    int day = 0;
    for (int d = 1; d <= 30 && !marked; ++d)
        for (const Person& p : m.group(1))
            if (!marked && p.cell(d).early != 0) {
                marked = &p;
                day = d;
            }
    ASSERT_NE(marked, nullptr);
    std::optional<QVariant> mark;
    prompter.onShown = [&](const ScriptedPrompter::Shown& shown) {
        if (shown.text == u"登録を終了しました。"_s)
            mark = committedValue(tmp.path(), u"勤務表"_s, u"key_勤務表"_s,
                                  {1, marked->no, m.day(day).date}, u"勤_予定早出"_s);
    };
    clickYes(&screen, u"確定"_s);
    ASSERT_TRUE(mark.has_value()) << "not registered when reported";
    EXPECT_EQ(mark->toInt(), marked->cell(day).early);
}

// A ward of 60 in one group: every person gets a row and the grid reaches day 31. (How long
// this takes is measured by roster-bench.)
using LargeWardTest = EarlyLateScreenTest;

TEST_F(LargeWardTest, SixtyStaffAreAllShown) {
    {
        Table staff(tmp.db(), u"職員"_s);
        staff.setIndex(u"key_職員"_s);
        const int have = TableRows::count(tmp.db(), u"職員"_s);
        staff.seek(Seek::Equal, {u"1003"_s});
        std::vector<std::pair<QString, QVariant>> values;
        for (const auto& f : staff.def().fields)
            values.emplace_back(f.name, staff.value(f.name));
        for (int i = 0; i < 60 - have; ++i) {
            staff.addNew();
            for (const auto& [name, value] : values)
                staff.set(name, value);
            staff.set(u"職員_no"_s, QStringLiteral("9%1").arg(i, 3, 10, QLatin1Char('0')));
            staff.set(u"職員_表示順"_s, QStringLiteral("9%1").arg(i, 2, 10, QLatin1Char('0')));
            staff.set(u"職員_名漢字"_s, QStringLiteral("追加 %1").arg(i));
            staff.update();
        }
    }
    RosterCreationScreen big(ctx, RosterCreationScreen::Kind::Individual);
    type(&big, u"表開始日"_s, u"2024/05/01"_s);
    type(&big, u"表終了日"_s, u"2024/05/31"_s);
    big.show();
    click(&big, u"展開"_s);
    ASSERT_EQ(prompter.lastText(), u"勤務表を展開しました"_s);
    EXPECT_EQ(big.painter().staffRows(), 60);
    EXPECT_EQ(big.grid()->text(0, RosterGridPainter::columnOfDay(31)), u"31"_s);
}

// Esc and the window's close button leave the screen only after the question 終了 asks.
TEST_F(EarlyLateScreenTest, EscAndTheCloseButtonAskAsTheCloseButtonDoes) {
    createApril();
    EarlyLateScreen screen(ctx, creation->model(), EarlyLateScreen::Kind::Individual);
    screen.show();
    for (auto leave : {std::function<void()>([&] { QTest::keyClick(&screen, Qt::Key_Escape); }),
                       std::function<void()>([&] { screen.close(); })}) {
        prompter.clear();
        prompter.answer(false);
        leave();
        EXPECT_TRUE(screen.isVisible());
        EXPECT_EQ(prompter.texts(), std::vector<QString>{u"勤務表の作成を終了します"_s});
    }
    prompter.answerYes();
    QTest::keyClick(&screen, Qt::Key_Escape);
    EXPECT_FALSE(screen.isVisible());
}
