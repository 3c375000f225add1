#include "screens/masters/shift_definition_screen.h"
#include "support/screens/entry_screen_fixture.h"

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace {

class ShiftDefinitionTest : public EntryScreenFixture {
protected:
    void addShift(const QString& abbrev, const QString& name, int working, int order,
                  TableRows::Fields more = {}) {
        TableRows::putShift(tmp.db(), abbrev, name, working, order, std::move(more));
    }
    int count() { return TableRows::count(tmp.db(), u"シフト基本"_s); }
    // A stored field of one shift, or "<none>" when the shift is not stored.
    QString field(const QString& abbrev, const QString& name) {
        const auto v = TableRows::value(tmp.db(), u"シフト基本"_s, u"key_基本"_s, {abbrev}, name);
        return v ? v->toString() : u"<none>"_s;
    }
    std::unique_ptr<ShiftDefinitionScreen> open() {
        auto s = std::make_unique<ShiftDefinitionScreen>(ctx);
        showActive(s.get());
        list = s->findChild<QListWidget*>(u"シフト名称"_s);
        return s;
    }
    QStringList listed() {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    void pick(const QString& name) {
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        list->scrollToItem(items.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.front()).center());
    }
    // The boxes a working shift needs, with everything else left as the screen has it.
    void fillWorking(const QWidget* s, const QString& abbrev, const QString& name,
                     const QString& order) {
        type(s, u"略称"_s, abbrev);
        type(s, u"名称"_s, name);
        type(s, u"優先順"_s, order);
        type(s, u"要員数"_s, u"3"_s);
        type(s, u"責任者数"_s, u"1"_s);
        type(s, u"MAX回数"_s, u"20"_s);
    }
    static inline const QString kSaved = u"シフト名称は更新(登録)されました。"_s;
    static inline const QString kAsk = u"入力内容で更新します。"_s;

    QListWidget* list = nullptr;
};

TEST_F(ShiftDefinitionTest, ListModesSetTheirDefaults) {
    addShift(u"夜"_s, u"夜勤"_s, 1, 2);
    addShift(u"日"_s, u"日勤"_s, 1, 1);
    addShift(u"休"_s, u"公休"_s, 0, 1);
    auto s = open();
    EXPECT_EQ(s->objectName(), u"シフト基本"_s);
    EXPECT_EQ(s->listFilter(), 1);
    EXPECT_EQ(listed(), (QStringList{u"日勤"_s, u"夜勤"_s}));
    EXPECT_TRUE(child<QRadioButton>(s.get(), u"早遅有"_s)->isChecked());
    EXPECT_EQ(text(s.get(), u"優先順"_s), u""_s);
    EXPECT_EQ(text(s.get(), u"チーム要員数"_s), u"0"_s);

    type(s.get(), u"略称"_s, u"有"_s);
    type(s.get(), u"早出開始"_s, u"7:00"_s);
    click(s.get(), u"対象外"_s);
    EXPECT_EQ(s->listFilter(), 0);
    EXPECT_EQ(listed(), QStringList{u"公休"_s});
    EXPECT_TRUE(child<QRadioButton>(s.get(), u"早遅無"_s)->isChecked());
    for (const QString& box : {u"優先順"_s, u"早出要員数"_s, u"遅出要員数"_s, u"要員数"_s,
                               u"責任者数"_s, u"MAX回数"_s, u"チーム要員数"_s, u"チーム責任者"_s})
        EXPECT_EQ(text(s.get(), box), u"0"_s) << box.toStdString();
    EXPECT_EQ(text(s.get(), u"早出開始"_s), u""_s);
    EXPECT_EQ(text(s.get(), u"略称"_s), u"有"_s); // kept

    click(s.get(), u"対象"_s);
    EXPECT_EQ(text(s.get(), u"優先順"_s), u""_s);
    EXPECT_EQ(text(s.get(), u"早出要員数"_s), u"0"_s);
    EXPECT_TRUE(child<QRadioButton>(s.get(), u"早遅有"_s)->isChecked());
}

TEST_F(ShiftDefinitionTest, EarlyLateKindDefaults) {
    auto s = open();
    type(s.get(), u"早出要員数"_s, u"2"_s);
    type(s.get(), u"遅出要員数"_s, u"1"_s);
    for (const QString& box : {u"早出開始"_s, u"早出終了"_s, u"遅出開始"_s, u"遅出終了"_s})
        type(s.get(), box, u"10:00"_s);
    click(s.get(), u"早出"_s);
    EXPECT_EQ(text(s.get(), u"早出要員数"_s), u"2"_s);
    EXPECT_EQ(text(s.get(), u"早出開始"_s), u"10:00"_s);
    EXPECT_EQ(text(s.get(), u"遅出要員数"_s), u""_s);
    EXPECT_EQ(text(s.get(), u"遅出終了"_s), u""_s);
    // Leaving the emptied late count sets it to 0 without a complaint.
    type(s.get(), u"遅出要員数"_s, u""_s);
    type(s.get(), u"備考"_s, u""_s);
    EXPECT_EQ(text(s.get(), u"遅出要員数"_s), u"0"_s);
    EXPECT_FALSE(red(s.get(), u"遅出要員数"_s));

    click(s.get(), u"遅出"_s);
    EXPECT_EQ(text(s.get(), u"早出要員数"_s), u""_s);
    EXPECT_EQ(text(s.get(), u"早出開始"_s), u""_s);

    type(s.get(), u"遅出開始"_s, u"10:00"_s);
    click(s.get(), u"早遅無"_s);
    EXPECT_EQ(text(s.get(), u"早出要員数"_s), u"0"_s);
    EXPECT_EQ(text(s.get(), u"遅出要員数"_s), u"0"_s);
    EXPECT_EQ(text(s.get(), u"遅出開始"_s), u""_s);
}

TEST_F(ShiftDefinitionTest, ConfirmReportsOnlyTheFirstFailureInCheckOrder) {
    auto s = open();
    type(s.get(), u"チーム要員数"_s, u""_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"名称は必須項目です、入力してください"_s});
    EXPECT_EQ(prompter.lastTitle(), u"シフト基本情報"_s);
    for (const QString& box :
         {u"略称"_s, u"名称"_s, u"優先順"_s, u"要員数"_s, u"責任者数"_s, u"MAX回数"_s})
        EXPECT_TRUE(red(s.get(), box)) << box.toStdString();
    EXPECT_FALSE(red(s.get(), u"開始時間"_s)); // times are optional while not displayed
    EXPECT_EQ(text(s.get(), u"チーム要員数"_s), u"0"_s);
    EXPECT_EQ(count(), 0);

    fillWorking(s.get(), u"日"_s, u"日勤"_s, u"1"_s);
    type(s.get(), u"MAX回数"_s, u""_s);
    type(s.get(), u"責任者数"_s, u"1.5"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"シフト責任者数に正しく入力してください"_s});
    type(s.get(), u"責任者数"_s, u"1"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"MAX回数に正しく入力してください"_s});
    type(s.get(), u"MAX回数"_s, u"70000"_s); // does not fit the field
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"MAX回数に正しく入力してください"_s});
    type(s.get(), u"開始時間"_s, u"24:00"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"開始時間に正しく入力してください"_s});
    EXPECT_EQ(count(), 0);
}

TEST_F(ShiftDefinitionTest, TimesFollowTheTimeDisplay) {
    auto s = open();
    fillWorking(s.get(), u"日"_s, u"日勤"_s, u"1"_s);
    click(s.get(), u"早遅無"_s);

    // Off: a start without an end is fine, an end without a start is not.
    type(s.get(), u"開始時間"_s, u"9:00"_s);
    EXPECT_EQ(confirm(s.get()), (std::vector<QString>{kAsk, kSaved}));
    EXPECT_EQ(field(u"日"_s, u"基本_開始時間"_s), u"09:00"_s);
    EXPECT_EQ(field(u"日"_s, u"基本_終了時間"_s), u""_s);
    type(s.get(), u"開始時間"_s, u""_s);
    type(s.get(), u"終了時間"_s, u"17:30"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"開始時間と終了時間は共に入力が必要です"_s});
    EXPECT_TRUE(red(s.get(), u"開始時間"_s));
    EXPECT_TRUE(red(s.get(), u"終了時間"_s));

    // On: both are required.
    ctx.settings.timeDisplay = true;
    type(s.get(), u"終了時間"_s, u""_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"開始時間に入力してください"_s});
    type(s.get(), u"開始時間"_s, u"8:30"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"終了時間に入力してください"_s});
    click(s.get(), u"早出"_s);
    type(s.get(), u"終了時間"_s, u"17:15"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"早出開始時間に入力してください"_s});
    type(s.get(), u"早出開始"_s, u"7:00"_s);
    type(s.get(), u"早出終了"_s, u"7:60"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"早出終了に正しく入力してください"_s});
    type(s.get(), u"早出終了"_s, u"16:00"_s);
    EXPECT_EQ(confirm(s.get()).back(), kSaved);
    EXPECT_EQ(field(u"日"_s, u"基本_早出開始"_s), u"07:00"_s);
    EXPECT_EQ(field(u"日"_s, u"基本_遅出開始"_s), u""_s);
    EXPECT_EQ(field(u"日"_s, u"基本_早出区分"_s), u"2"_s);

    // A day off has no hours: the times are emptied and not asked for.
    click(s.get(), u"休日"_s);
    EXPECT_EQ(confirm(s.get()).back(), kSaved);
    EXPECT_EQ(text(s.get(), u"開始時間"_s), u""_s);
    EXPECT_EQ(field(u"日"_s, u"基本_開始時間"_s), u""_s);
    EXPECT_EQ(field(u"日"_s, u"基本_早出終了"_s), u""_s);
    EXPECT_EQ(field(u"日"_s, u"基本_休出区分"_s), u"1"_s);
}

TEST_F(ShiftDefinitionTest, SavesAndReloadsThroughTheList) {
    addShift(u"早"_s, u"早番"_s, 1, 1);
    auto s = open();
    fillWorking(s.get(), u"遅"_s, u"遅番"_s, u"2"_s);
    click(s.get(), u"遅出"_s);
    type(s.get(), u"開始時間"_s, u"10:00"_s);
    type(s.get(), u"終了時間"_s, u"19:00"_s);
    type(s.get(), u"遅出要員数"_s, u"2"_s);
    type(s.get(), u"遅出開始"_s, u"12:00"_s);
    type(s.get(), u"遅出終了"_s, u"21:00"_s);
    type(s.get(), u"チーム要員数"_s, u"1"_s);
    child<QCheckBox>(s.get(), u"有給休暇"_s)->setChecked(true);
    click(s.get(), u"補充無"_s);
    child<QLineEdit>(s.get(), u"備考"_s)->setText(u"遅番の備考"_s);
    EXPECT_EQ(confirm(s.get()), (std::vector<QString>{kAsk, kSaved}));
    EXPECT_EQ(listed(), (QStringList{u"早番"_s, u"遅番"_s}));
    EXPECT_EQ(text(s.get(), u"略称"_s), u"遅"_s); // the boxes keep their contents

    // Load the first, then the saved one back.
    pick(u"早番"_s);
    EXPECT_EQ(text(s.get(), u"略称"_s), u"早"_s);
    EXPECT_TRUE(child<QRadioButton>(s.get(), u"早遅無"_s)->isChecked());
    pick(u"遅番"_s);
    EXPECT_EQ(text(s.get(), u"略称"_s), u"遅"_s);
    EXPECT_EQ(text(s.get(), u"優先順"_s), u"2"_s);
    EXPECT_EQ(text(s.get(), u"開始時間"_s), u"10:00"_s);
    EXPECT_TRUE(child<QRadioButton>(s.get(), u"遅出"_s)->isChecked());
    EXPECT_EQ(text(s.get(), u"早出開始"_s), u""_s);
    EXPECT_EQ(text(s.get(), u"遅出開始"_s), u"12:00"_s);
    EXPECT_EQ(text(s.get(), u"遅出要員数"_s), u"2"_s);
    EXPECT_EQ(text(s.get(), u"要員数"_s), u"3"_s);
    EXPECT_EQ(text(s.get(), u"MAX回数"_s), u"20"_s);
    EXPECT_EQ(text(s.get(), u"チーム要員数"_s), u"1"_s);
    EXPECT_TRUE(child<QCheckBox>(s.get(), u"有給休暇"_s)->isChecked());
    EXPECT_TRUE(child<QRadioButton>(s.get(), u"補充無"_s)->isChecked());
    EXPECT_EQ(text(s.get(), u"備考"_s), u"遅番の備考"_s);
    EXPECT_TRUE(prompter.texts().size() == 2u);

    // The typed abbreviation decides the row: 遅 loaded, 早 typed, so 早 is overwritten.
    type(s.get(), u"略称"_s, u"早"_s);
    type(s.get(), u"優先順"_s, u"3"_s); // 遅 keeps 2
    EXPECT_EQ(confirm(s.get()).back(), kSaved);
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(field(u"早"_s, u"基本_名称"_s), u"遅番"_s);
    // A new abbreviation stores a second definition beside the loaded one.
    type(s.get(), u"略称"_s, u"遅2"_s);
    type(s.get(), u"優先順"_s, u"4"_s);
    EXPECT_EQ(confirm(s.get()).back(), kSaved);
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(field(u"遅"_s, u"基本_名称"_s), u"遅番"_s);
}

TEST_F(ShiftDefinitionTest, AtMostTenWorkingShifts) {
    for (int i = 1; i <= 10; ++i)
        addShift(u"S%1"_s.arg(i), u"勤務%1"_s.arg(i), 1, i);
    addShift(u"休"_s, u"公休"_s, 0, 1);
    auto s = open();
    ASSERT_EQ(list->count(), 10);
    fillWorking(s.get(), u"S11"_s, u"勤務11"_s, u"11"_s);
    EXPECT_EQ(confirm(s.get()),
              (std::vector<QString>{kAsk, u"対象シフトの登録はMAX 10件までです。"_s}));
    EXPECT_EQ(field(u"S11"_s, u"基本_名称"_s), u"<none>"_s);

    // A leave shift turned into an eleventh working shift is refused the same way.
    type(s.get(), u"略称"_s, u"休"_s);
    EXPECT_EQ(confirm(s.get()).back(), u"対象シフトの登録はMAX 10件までです。"_s);
    EXPECT_EQ(field(u"休"_s, u"基本_対象FLG"_s), u"0"_s);

    // Changing one of the ten is accepted.
    type(s.get(), u"略称"_s, u"S10"_s);
    EXPECT_EQ(confirm(s.get()).back(), kSaved);
    EXPECT_EQ(field(u"S10"_s, u"基本_名称"_s), u"勤務11"_s);

    // Leave shifts are not limited.
    click(s.get(), u"対象外"_s);
    type(s.get(), u"略称"_s, u"有"_s);
    type(s.get(), u"名称"_s, u"有給"_s);
    EXPECT_EQ(confirm(s.get()).back(), kSaved);
    EXPECT_EQ(field(u"有"_s, u"基本_対象FLG"_s), u"0"_s);
    EXPECT_EQ(listed(), (QStringList{u"有給"_s, u"公休"_s})); // シフト順 0 before 1
}

TEST_F(ShiftDefinitionTest, DeletesByTheTypedAbbreviation) {
    addShift(u"日"_s, u"日勤"_s, 1, 1);
    addShift(u"夜"_s, u"夜勤"_s, 1, 2);
    auto s = open();
    pick(u"日勤"_s);
    type(s.get(), u"略称"_s, u"明"_s);
    clickYes(s.get(), u"削除"_s);
    EXPECT_EQ(prompter.texts(),
              (std::vector<QString>{u"表示内容を削除します。"_s,
                                    u"指定されたシフト名称は登録されていません。"_s}));
    EXPECT_EQ(count(), 2);

    type(s.get(), u"略称"_s, u"夜"_s);
    prompter.clear();
    prompter.answer(false);
    click(s.get(), u"削除"_s);
    EXPECT_EQ(count(), 2);

    prompter.clear();
    clickYes(s.get(), u"削除"_s);
    EXPECT_EQ(prompter.lastText(), u"指定されたシフト名称は削除されました。"_s);
    EXPECT_EQ(field(u"夜"_s, u"基本_名称"_s), u"<none>"_s);
    EXPECT_EQ(listed(), QStringList{u"日勤"_s});
    EXPECT_EQ(text(s.get(), u"名称"_s), u"日勤"_s);
}

// Staff figures are head counts: a negative one is refused like any other bad entry.
TEST_F(ShiftDefinitionTest, NegativeStaffFiguresAreRefused) {
    const std::pair<QString, QString> boxes[] = {
        {u"要員数"_s, u"シフト最小要員数に正しく入力してください"_s},
        {u"責任者数"_s, u"シフト責任者数に正しく入力してください"_s},
        {u"MAX回数"_s, u"MAX回数に正しく入力してください"_s},
        {u"チーム要員数"_s, u"チーム要員数に正しく入力してください"_s},
        {u"チーム責任者"_s, u"チーム責任者に正しく入力してください"_s},
        {u"早出要員数"_s, u"早出要員数に正しく入力してください"_s},
        {u"遅出要員数"_s, u"遅出要員数に正しく入力してください"_s},
    };
    auto s = open();
    for (const auto& [box, message] : boxes) {
        SCOPED_TRACE(box.toStdString());
        fillWorking(s.get(), u"日"_s, u"日勤"_s, u"1"_s);
        for (const QString& other :
             {u"チーム要員数"_s, u"チーム責任者"_s, u"早出要員数"_s, u"遅出要員数"_s})
            type(s.get(), other, u"0"_s);
        type(s.get(), box, u"-1"_s);
        EXPECT_EQ(confirm(s.get()), std::vector<QString>{message});
        EXPECT_TRUE(red(s.get(), box));
        EXPECT_EQ(count(), 0);
    }
}

// Daily staffing fills working shifts by priority order: two of them never share one.
TEST_F(ShiftDefinitionTest, PriorityOrderOfAnotherWorkingShiftIsRefused) {
    addShift(u"日"_s, u"日勤"_s, 1, 1);
    addShift(u"有"_s, u"有給"_s, 0, 2);
    auto s = open();
    fillWorking(s.get(), u"夜"_s, u"夜勤"_s, u"1"_s);
    EXPECT_EQ(confirm(s.get()), std::vector<QString>{u"優先順は他の対象シフトで使用されています、"
                                                     u"別の順番を入力してください"_s});
    EXPECT_TRUE(red(s.get(), u"優先順"_s));
    EXPECT_EQ(field(u"夜"_s, u"基本_名称"_s), u"<none>"_s);

    // A leave shift's order and the shift's own stored order are no conflict.
    type(s.get(), u"優先順"_s, u"2"_s);
    EXPECT_EQ(confirm(s.get()).back(), kSaved);
    type(s.get(), u"名称"_s, u"夜勤A"_s);
    EXPECT_EQ(confirm(s.get()).back(), kSaved);
    EXPECT_EQ(field(u"夜"_s, u"基本_名称"_s), u"夜勤A"_s);
}

} // namespace
