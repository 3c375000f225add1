#include "screens/roster/creation_unit_screen.h"
#include "store/creation_mode.h"
#include "store/period_rule.h"
#include "support/screens/entry_screen_fixture.h"

#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace {

using UnitRow = TableRows::CreationUnitRow;

class CreationUnitTest : public EntryScreenFixture {
protected:
    void putUnitRow(int key, const UnitRow& r) { TableRows::putCreationUnit(tmp.db(), key, r); }
    std::optional<UnitRow> unitRow(int key) {
        Table t(tmp.db(), u"作成単位"_s);
        t.setIndex(u"key_作成単位"_s);
        t.seek(Seek::Equal, {key});
        if (t.noMatch())
            return std::nullopt;
        return UnitRow{t.integer(u"作_単位"_s),  t.integer(u"作_単位数"_s),
                       t.text(u"作_開始日"_s),   t.integer(u"作_チームF"_s),
                       t.text(u"作_作成From"_s), t.text(u"作_作成To"_s),
                       t.text(u"作_備考"_s)};
    }
    std::unique_ptr<CreationUnitScreen> open() {
        auto s = std::make_unique<CreationUnitScreen>(ctx);
        showActive(s.get());
        return s;
    }
    bool checked(const QWidget* s, const QString& name) {
        return child<QRadioButton>(s, name)->isChecked();
    }
    static inline const QString kSaved = u"ｼﾌﾄ作成単位設定は更新(登録)されました。"_s;
};

TEST_F(CreationUnitTest, ShowsTheStoredRowOfTheChosenKeyAndTheCreationMode) {
    putUnitRow(1, {2, 4, u"2"_s, 1, u""_s, u""_s, u"四週"_s});
    putUnitRow(2, {1, 1, u"1"_s, 0, u"2024/03/01"_s, u"2024/03/31"_s, u""_s});
    WriteCreationModeSetting(tmp.db(), {u"0"_s, u"0"_s});
    auto s = open();
    EXPECT_EQ(s->objectName(), u"作成単位"_s);
    EXPECT_TRUE(checked(s.get(), u"基本"_s));
    EXPECT_TRUE(checked(s.get(), u"週単位"_s));
    EXPECT_EQ(text(s.get(), u"単位数"_s), u"4"_s);
    EXPECT_EQ(text(s.get(), u"作成開始"_s), u"2"_s);
    EXPECT_TRUE(checked(s.get(), u"チーム別有"_s));
    EXPECT_EQ(text(s.get(), u"備考"_s), u"四週"_s);
    EXPECT_TRUE(checked(s.get(), u"O責任"_s));
    EXPECT_TRUE(checked(s.get(), u"O自動"_s));

    click(s.get(), u"調整"_s);
    EXPECT_TRUE(checked(s.get(), u"月単位"_s));
    EXPECT_TRUE(checked(s.get(), u"チーム別無"_s));
    EXPECT_EQ(text(s.get(), u"作成From"_s), u"2024/03/01"_s);
    EXPECT_EQ(text(s.get(), u"作成To"_s), u"2024/03/31"_s);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(CreationUnitTest, AMissingModeRowShowsTheDefaultsAndConfirmWritesTheChoices) {
    auto s = open();
    EXPECT_TRUE(checked(s.get(), u"O回数"_s));
    EXPECT_TRUE(checked(s.get(), u"O手動"_s));

    click(s.get(), u"月単位"_s);
    type(s.get(), u"単位数"_s, u"1"_s);
    type(s.get(), u"作成開始"_s, u""_s);
    click(s.get(), u"O一般"_s);
    click(s.get(), u"O自動"_s);
    click(s.get(), u"チーム別有"_s);
    EXPECT_EQ(confirm(s.get()), (std::vector<QString>{u"入力内容で更新します。"_s, kSaved}));
    EXPECT_EQ(prompter.shown().front().title, u"作成単位設定"_s);
    const auto row = unitRow(1);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->unit, 1);
    EXPECT_EQ(row->count, 1);
    EXPECT_EQ(row->startDay, u"1"_s); // an empty start day becomes 1
    EXPECT_EQ(row->team, 1);
    const CreationMode mode = ReadCreationModeSetting(tmp.db());
    EXPECT_EQ(mode.a, u"2"_s);
    EXPECT_EQ(mode.b, u"0"_s);
    EXPECT_FALSE(unitRow(2));
}

TEST_F(CreationUnitTest, UnitCountLimitsByUnit) {
    auto s = open();
    click(s.get(), u"週単位"_s);
    type(s.get(), u"単位数"_s, u"6"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"週単位の作成はMAX 5 です"_s});
    EXPECT_TRUE(red(s.get(), u"単位数"_s));
    EXPECT_FALSE(unitRow(1));

    type(s.get(), u"単位数"_s, u"5"_s);
    EXPECT_EQ(confirm(s.get()).back(), kSaved);
    EXPECT_FALSE(red(s.get(), u"単位数"_s));
    EXPECT_EQ(unitRow(1)->count, 5);
    const Period p = NextPeriod(unitRow(1)->unit, unitRow(1)->count, u"2024/03/31"_s);
    EXPECT_EQ(p.start, u"2024/04/01"_s);
    EXPECT_EQ(p.end, u"2024/05/05"_s); // 35 days

    click(s.get(), u"月単位"_s);
    for (const QString& n : {u"0"_s, u"2"_s}) {
        type(s.get(), u"単位数"_s, n);
        EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"月単位の作成はMAX 1 です"_s});
    }
    click(s.get(), u"日数"_s);
    type(s.get(), u"単位数"_s, u"32"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"日数指定の作成はMAX 31 です"_s});
    // No units at all, or no number, is refused for every unit.
    for (const QString& n : {u"0"_s, u"3日"_s, u""_s}) {
        type(s.get(), u"単位数"_s, n);
        EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"作成単位数に正しく入力してください"_s});
    }
    type(s.get(), u"単位数"_s, u"31"_s);
    type(s.get(), u"作成開始"_s, u"x"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"作成作成開始に正しく入力してください"_s});
    EXPECT_EQ(unitRow(1)->unit, 2); // nothing refused was written
}

TEST_F(CreationUnitTest, AdjustmentNeedsBothDatesInOrder) {
    putUnitRow(1, {1, 1, u"1"_s, 0, u""_s, u""_s, u""_s});
    auto s = open();
    click(s.get(), u"調整"_s);
    type(s.get(), u"単位数"_s, u""_s);
    // Everything wrong at once: only the first message, every bad box red.
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"作成単位数に正しく入力してください"_s});
    EXPECT_TRUE(red(s.get(), u"単位数"_s));
    EXPECT_TRUE(red(s.get(), u"作成From"_s));
    EXPECT_TRUE(red(s.get(), u"作成To"_s));
    EXPECT_EQ(prompter.pendingAnswers(), 1u); // nothing was asked

    type(s.get(), u"単位数"_s, u"1"_s);
    type(s.get(), u"作成From"_s, u"2024/4/1"_s);
    EXPECT_EQ(confirm(s.get()),
              std::vector<QString>{u"作成分調整は実績開始日･終了日に入力してください"_s});
    EXPECT_FALSE(red(s.get(), u"作成From"_s));
    EXPECT_TRUE(red(s.get(), u"作成To"_s));

    type(s.get(), u"作成To"_s, u"2024/02/30"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"実績終了日に正しく入力してください"_s});

    type(s.get(), u"作成To"_s, u"2024-03-31"_s);
    EXPECT_EQ(confirm(s.get()),
              std::vector<QString>{u"実績開始日･終了日に正しく入力してください"_s});
    EXPECT_FALSE(unitRow(2));

    type(s.get(), u"作成To"_s, u"2024/4/30"_s);
    EXPECT_EQ(confirm(s.get()),
              (std::vector<QString>{
                  u"作成分調整の変更は次回作成､照会等に影響があります。更新しますか。"_s, kSaved}));
    const auto row = unitRow(2);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->from, u"2024/04/01"_s);
    EXPECT_EQ(row->to, u"2024/04/30"_s);
    EXPECT_EQ(text(s.get(), u"作成From"_s), u"2024/04/01"_s);
    EXPECT_EQ(ctx.settings.periodEnd, u"2024/04/30"_s);
    EXPECT_EQ(unitRow(1)->unit, 1); // the base row is untouched

    // No to the question writes nothing.
    type(s.get(), u"作成To"_s, u"2024/05/31"_s);
    prompter.clear();
    prompter.answer(false);
    click(s.get(), u"確定"_s);
    EXPECT_EQ(unitRow(2)->to, u"2024/04/30"_s);
}

// Without a base row the screen shows what a confirm then stores: month unit, not by team.
TEST_F(CreationUnitTest, AMissingBaseRowShowsTheChoicesAConfirmStores) {
    auto s = open();
    EXPECT_TRUE(checked(s.get(), u"月単位"_s));
    EXPECT_TRUE(checked(s.get(), u"チーム別無"_s));
    type(s.get(), u"単位数"_s, u"1"_s);
    EXPECT_EQ(confirm(s.get()).back(), kSaved);
    const auto row = unitRow(1);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->unit, 1);
    EXPECT_EQ(row->team, 0);
}

} // namespace
