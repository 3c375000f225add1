#include "screens/masters/code_master_screen.h"
#include "store/table.h"
#include "support/screens/entry_screen_fixture.h"
#include "support/screens/second_connection.h"
#include "widgets/flex_grid.h"
#include "widgets/palette.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace {

class CodeMasterTest : public EntryScreenFixture {
protected:
    void addCode(int kind, int number, const QString& name, const QString& abbrev) {
        TableRows::putCode(tmp.db(), kind, number, name, abbrev);
    }
    void addShift(const QString& abbrev, const QString& name, int working, int order) {
        TableRows::putShift(tmp.db(), abbrev, name, working, order);
    }
    // (number, name, abbreviation) of the stored rows of one kind, in key order.
    std::vector<std::tuple<int, QString, QString>> stored(int kind) {
        std::vector<std::tuple<int, QString, QString>> out;
        Table t(tmp.db(), u"個マスタ"_s);
        t.setIndex(u"key_個ﾏｽﾀｰ"_s);
        t.seek(Seek::GreaterEqual, {kind, 0});
        while (!t.eof() && t.integer(u"個_区分"_s) == kind) {
            out.emplace_back(t.integer(u"個_NO"_s), t.text(u"個_名称"_s), t.text(u"個_略称"_s));
            t.moveNext();
        }
        return out;
    }
    std::unique_ptr<CodeMasterScreen> open() {
        auto s = std::make_unique<CodeMasterScreen>(ctx);
        showActive(s.get());
        grid = s->findChild<FlexGrid*>(u"マスタ一"_s);
        return s;
    }
    void clickCell(int row, int col) {
        const QRect r = grid->visualRect(grid->model()->index(row, col));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    }
    void fill(const QWidget* s, const QString& no, const QString& name, const QString& abbrev) {
        type(s, u"登録NO"_s, no);
        type(s, u"登録名称"_s, name);
        type(s, u"登録略称"_s, abbrev);
    }

    // Fills the boxes and saves them, answering yes.
    void save(const QWidget* s, const QString& no, const QString& name, const QString& abbrev) {
        fill(s, no, name, abbrev);
        clickYes(s, u"更新"_s);
    }

    FlexGrid* grid = nullptr;
};

TEST_F(CodeMasterTest, OpensOnKindOneAndShowsTheShiftComboOnlyForShiftKinds) {
    addCode(1, 1, u"正職員"_s, u"正"_s);
    addCode(1, 2, u"パート"_s, u"パ"_s);
    addCode(2, 1, u"男"_s, u"M"_s);
    addShift(u"日"_s, u"日勤"_s, 1, 1);
    addShift(u"夜"_s, u"夜勤"_s, 1, 2);
    addShift(u"休"_s, u"公休"_s, 0, 1);
    auto s = open();
    EXPECT_EQ(s->objectName(), u"マスター登"_s);
    EXPECT_TRUE(child<QRadioButton>(s.get(), u"社員区分"_s)->isChecked());
    ASSERT_EQ(grid->rows(), 3);
    EXPECT_EQ(grid->text(0, 3), u"名称"_s);
    EXPECT_EQ(grid->text(2, 1), u"2"_s);
    EXPECT_EQ(grid->text(2, 2), u"パ"_s);
    EXPECT_EQ(grid->text(2, 3), u"パート"_s);
    auto* combo = child<QComboBox>(s.get(), u"シフト略称"_s);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_FALSE(child(s.get(), u"Labelシフト略称"_s)->isVisible());
    // Only working shifts are offered.
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), u"夜"_s);

    for (const QString& kind : {u"シフト有無"_s, u"置換順"_s, u"設定基準"_s}) {
        type(s.get(), u"登録NO"_s, u"9"_s);
        click(s.get(), kind);
        EXPECT_TRUE(combo->isVisible()) << kind.toStdString();
        EXPECT_TRUE(child<QLineEdit>(s.get(), u"登録NO"_s)->text().isEmpty());
    }
    click(s.get(), u"性別"_s);
    EXPECT_EQ(s->chosenKind(), 2);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(grid->rows(), 2);

    click(s.get(), u"設定基準"_s);
    combo->setCurrentIndex(1);
    Q_EMIT combo->activated(1);
    EXPECT_EQ(child<QLineEdit>(s.get(), u"登録略称"_s)->text(), u"夜"_s);
    EXPECT_EQ(child<QLineEdit>(s.get(), u"登録名称"_s)->text(), u"夜勤"_s);
}

TEST_F(CodeMasterTest, ConfirmShowsOnlyTheFirstFailureAndStoresNothing) {
    auto s = open();
    click(s.get(), u"更新"_s);
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.lastText(), u"登録NOに正しく入力してください"_s);
    EXPECT_EQ(prompter.lastTitle(), u"ｺｰﾄﾞﾏｽﾀｰ情報"_s);
    EXPECT_TRUE(red(s.get(), u"登録NO"_s));
    EXPECT_TRUE(red(s.get(), u"登録名称"_s));
    EXPECT_TRUE(red(s.get(), u"登録略称"_s));

    prompter.clear();
    fill(s.get(), u"1a"_s, u"正職員"_s, u"正"_s);
    click(s.get(), u"更新"_s);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"登録NOに正しく入力してください"_s});
    EXPECT_FALSE(red(s.get(), u"登録名称"_s));

    prompter.clear();
    fill(s.get(), u"1"_s, u"正職員"_s, u""_s);
    click(s.get(), u"更新"_s);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"登録略称に入力してください"_s});
    EXPECT_FALSE(red(s.get(), u"登録NO"_s));
    EXPECT_TRUE(stored(1).empty());

    // Answering No to the question stores nothing either.
    prompter.clear();
    type(s.get(), u"登録略称"_s, u"正"_s);
    prompter.answer(false);
    click(s.get(), u"更新"_s);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"入力内容で更新します。"_s});
    EXPECT_TRUE(stored(1).empty());
}

TEST_F(CodeMasterTest, SavesReloadsThroughTheGridAndOverwritesByTypedNumber) {
    addCode(5, 1, u"Aチーム"_s, u"A"_s);
    auto s = open();
    click(s.get(), u"チーム名"_s);
    save(s.get(), u"2"_s, u"Bチーム"_s, u"B"_s);
    EXPECT_EQ(prompter.texts(), (std::vector<QString>{u"入力内容で更新します。"_s,
                                                      u"名称は更新(登録)されました。"_s}));
    EXPECT_EQ(stored(5).size(), 2u);
    ASSERT_EQ(grid->rows(), 3);
    // The boxes keep their contents after a save.
    EXPECT_EQ(child<QLineEdit>(s.get(), u"登録名称"_s)->text(), u"Bチーム"_s);

    type(s.get(), u"登録略称"_s, u""_s);
    type(s.get(), u"登録NO"_s, u"2"_s);
    ASSERT_TRUE(red(s.get(), u"登録略称"_s)); // until a stored entry is shown
    clickCell(1, 3);
    EXPECT_EQ(child<QLineEdit>(s.get(), u"登録NO"_s)->text(), u"1"_s);
    EXPECT_EQ(child<QLineEdit>(s.get(), u"登録名称"_s)->text(), u"Aチーム"_s);
    EXPECT_EQ(child<QLineEdit>(s.get(), u"登録略称"_s)->text(), u"A"_s);
    EXPECT_FALSE(red(s.get(), u"登録略称"_s));
    EXPECT_EQ(grid->cellBackColor(1, 0), Palette::colour(10));
    clickCell(2, 0);
    EXPECT_EQ(grid->cellBackColor(1, 0), Palette::colour(15));
    EXPECT_EQ(grid->cellBackColor(2, 3), Palette::colour(10));
    // Enter on the current cell picks it like a click.
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(child<QLineEdit>(s.get(), u"登録NO"_s)->text(), u"1"_s);
    EXPECT_EQ(grid->cellBackColor(1, 3), Palette::colour(10));

    // The typed number decides the row: loaded 2, typed 1, so row 1 is overwritten.
    prompter.clear();
    save(s.get(), u" 1 "_s, u"Cチーム"_s, u"C"_s);
    EXPECT_EQ(stored(5), (std::vector<std::tuple<int, QString, QString>>{
                             {1, u"Cチーム"_s, u"C"_s}, {2, u"Bチーム"_s, u"B"_s}}));
}

TEST_F(CodeMasterTest, GridClicksOutsideTheEntriesAreRefused) {
    addCode(4, 1, u"3"_s, u""_s);
    auto s = open();
    click(s.get(), u"保持年数"_s);
    clickCell(1, 2); // empty abbreviation
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"指示位置が有効範囲外です。"_s});
    clickCell(0, 1); // heading
    EXPECT_EQ(prompter.shown().size(), 2u);
    EXPECT_TRUE(child<QLineEdit>(s.get(), u"登録NO"_s)->text().isEmpty());
    EXPECT_EQ(grid->cellBackColor(1, 0), Palette::colour(15));
}

TEST_F(CodeMasterTest, DeletesOnlyAStoredEntry) {
    addCode(1, 1, u"正職員"_s, u"正"_s);
    addCode(1, 2, u"パート"_s, u"パ"_s);
    auto s = open();

    type(s.get(), u"登録NO"_s, u"7"_s);
    clickYes(s.get(), u"削除"_s);
    EXPECT_EQ(prompter.lastText(), u"指定された名称は登録されていません。"_s);
    EXPECT_EQ(stored(1).size(), 2u);

    // A number that is no number is reported before anything is asked.
    prompter.clear();
    type(s.get(), u"登録NO"_s, u"x"_s);
    click(s.get(), u"削除"_s);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"登録NOに正しく入力してください"_s});

    prompter.clear();
    type(s.get(), u"登録NO"_s, u"1"_s);
    clickYes(s.get(), u"削除"_s);
    EXPECT_EQ(prompter.lastText(), u"表示内容は削除されました。"_s);
    EXPECT_EQ(stored(1),
              (std::vector<std::tuple<int, QString, QString>>{{2, u"パート"_s, u"パ"_s}}));
    EXPECT_EQ(grid->rows(), 2);
    EXPECT_EQ(child<QLineEdit>(s.get(), u"登録NO"_s)->text(), u"1"_s);
}

TEST_F(CodeMasterTest, TimeDisplayFollowsRowSixOneAtOnce) {
    auto s = open();
    click(s.get(), u"時間表示"_s);
    save(s.get(), u"1"_s, u"時間表示"_s, u"有"_s);
    EXPECT_TRUE(ctx.settings.timeDisplay);

    // Another number of kind 6 is not the setting.
    save(s.get(), u"2"_s, u"時間表示"_s, u"無"_s);
    EXPECT_TRUE(ctx.settings.timeDisplay);

    save(s.get(), u"1"_s, u"時間表示"_s, u"なし"_s);
    EXPECT_FALSE(ctx.settings.timeDisplay);

    save(s.get(), u"1"_s, u"時間表示"_s, u"有"_s);
    ASSERT_TRUE(ctx.settings.timeDisplay);
    clickYes(s.get(), u"削除"_s);
    EXPECT_FALSE(ctx.settings.timeDisplay);
}

TEST_F(CodeMasterTest, ReplacementOrderIsListedByNumberAndCappedAtTen) {
    auto s = open();
    click(s.get(), u"置換順"_s);
    for (const QString& no : {u"3"_s, u"1"_s, u"2"_s}) {
        save(s.get(), no, u"シフト"_s + no, u"S"_s + no);
    }
    ASSERT_EQ(grid->rows(), 4);
    EXPECT_EQ(grid->text(1, 2), u"S1"_s);
    EXPECT_EQ(grid->text(2, 2), u"S2"_s);
    EXPECT_EQ(grid->text(3, 2), u"S3"_s);

    for (int no = 4; no <= 10; ++no)
        addCode(7, no, u"x"_s, u"x"_s);
    prompter.clear();
    save(s.get(), u"11"_s, u"シフト11"_s, u"S11"_s);
    EXPECT_EQ(prompter.lastText(), u"置換順の登録はMAX 10件までです。"_s);
    EXPECT_EQ(stored(7).size(), 10u);

    // Changing one of the ten is still accepted.
    save(s.get(), u"10"_s, u"シフト10"_s, u"S10"_s);
    EXPECT_EQ(prompter.lastText(), u"名称は更新(登録)されました。"_s);
    EXPECT_EQ(std::get<2>(stored(7).back()), u"S10"_s);
}

} // namespace

namespace {

TEST_F(CodeMasterTest, AFailedWriteIsReportedAndNotConfirmed) {
    auto s = open();
    tmp.db().exec(u"PRAGMA query_only = 1"_s);
    save(s.get(), u"1"_s, u"正職員"_s, u"正"_s);
    ASSERT_EQ(prompter.shown().size(), 2u);
    EXPECT_NE(prompter.lastText(), u"名称は更新(登録)されました。"_s);
    EXPECT_FALSE(prompter.lastText().isEmpty()) << prompter.lastText().toStdString();
    EXPECT_EQ(prompter.lastTitle(), u"ｺｰﾄﾞﾏｽﾀｰ情報"_s);
    tmp.db().exec(u"PRAGMA query_only = 0"_s);
    EXPECT_TRUE(stored(1).empty());
    EXPECT_EQ(grid->rows(), 1);
}

} // namespace

namespace {

// Each message about a write is shown once the write is over: another program reads by then
// what the clerk is told, and the busy cursor is gone.
TEST_F(CodeMasterTest, MessagesAboutAWriteComeAfterItIsCommitted) {
    for (int no = 1; no <= 9; ++no)
        addCode(7, no, u"x"_s, u"x"_s);
    auto s = open();
    click(s.get(), u"置換順"_s);
    struct Seen {
        QString text;
        std::optional<QVariant> committed;
        bool busy;
    };
    std::vector<Seen> seen;
    prompter.onShown = [&](const ScriptedPrompter::Shown& shown) {
        if (shown.kind == ScriptedPrompter::Shown::Kind::Inform)
            seen.push_back(
                {shown.text,
                 committedValue(tmp.path(), u"個マスタ"_s, u"key_個ﾏｽﾀｰ"_s, {7, 10}, u"個_名称"_s),
                 QGuiApplication::overrideCursor() != nullptr});
    };

    save(s.get(), u"10"_s, u"日勤"_s, u"日"_s);
    save(s.get(), u"11"_s, u"夜勤"_s,
         u"夜"_s); // refused inside the write: eleven would be too many
    type(s.get(), u"登録NO"_s, u"10"_s);
    clickYes(s.get(), u"削除"_s);

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, u"名称は更新(登録)されました。"_s);
    EXPECT_EQ(seen[0].committed, QVariant(u"日勤"_s));
    EXPECT_EQ(seen[1].text, u"置換順の登録はMAX 10件までです。"_s);
    EXPECT_EQ(seen[1].committed, QVariant(u"日勤"_s));
    EXPECT_EQ(seen[2].text, u"表示内容は削除されました。"_s);
    EXPECT_EQ(seen[2].committed, std::nullopt);
    for (const Seen& message : seen)
        EXPECT_FALSE(message.busy) << message.text.toStdString();
}

// A code number counts entries of its kind: a negative one is refused on update and delete.
TEST_F(CodeMasterTest, NegativeNumbersAreRefused) {
    addCode(1, 1, u"正職員"_s, u"正"_s);
    auto s = open();
    for (const QString& button : {u"更新"_s, u"削除"_s}) {
        SCOPED_TRACE(button.toStdString());
        prompter.clear();
        fill(s.get(), u"-1"_s, u"正職員"_s, u"正"_s);
        click(s.get(), button); // refused before any question
        EXPECT_EQ(prompter.texts(), std::vector<QString>{u"登録NOに正しく入力してください"_s});
        EXPECT_TRUE(red(s.get(), u"登録NO"_s));
        EXPECT_EQ(stored(1).size(), 1u);
    }
}

} // namespace
