#include "screens/masters/master_fixture.h"
#include "screens/masters/staff_register_screen.h"
#include "widgets/field_checks.h"

#include <QListWidget>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace {

class StaffRegisterTest : public MasterFixture {
protected:
    StaffRegisterTest() {
        addCode(1, 1, u"正職員"_s, u"正"_s);
        addCode(1, 2, u"パート"_s, u"パ"_s);
        addCode(5, 1, u"Aチーム"_s);
        addCode(5, 2, u"正職員"_s); // same name as a category, other kind
        addPatternRow(1, 1, 0, u"三交代"_s);
        addPatternRow(1, 2, 0, u"二交代"_s);
        addPatternRow(5, 3, 0, u"平日"_s);
    }

    // Fills every required box of a new member.
    void fill(StaffRegisterScreen& s, const QString& no, const QString& name) {
        setText(&s, u"職員番号"_s, no);
        setText(&s, u"職員名"_s, name);
        setText(&s, u"職員名カナ"_s, u"ﾔﾏﾀﾞ"_s);
        child<QComboBox>(&s, u"社員区分"_s)->setEditText(u"パート"_s);
        child<QComboBox>(&s, u"特定シフト"_s)->setEditText(u"二交代"_s);
    }

    bool saveYes(StaffRegisterScreen& s) {
        clickYes(&s, u"確定"_s);
        if (prompter.pendingAnswers() == 0)
            return prompter.lastText() == u"職員は更新(登録)されました。"_s;
        prompter.clear();
        return false;
    }

    QVariant stored(const QString& no, const QString& field) {
        const auto v = TableRows::value(db(), u"職員"_s, u"key_職員"_s, {no}, field);
        if (!v)
            ADD_FAILURE() << "no staff " << no.toStdString();
        return v.value_or(QVariant());
    }
    QString storedText(const QString& no, const QString& field) {
        return stored(no, field).toString();
    }
    int storedInt(const QString& no, const QString& field) { return stored(no, field).toInt(); }
};

TEST_F(StaffRegisterTest, SaveWritesEveryFieldWithDefaultsAndNormalDates) {
    StaffRegisterScreen s(ctx);
    fill(s, u"0105"_s, u"山田花子"_s);
    child<QRadioButton>(&s, u"女"_s)->setChecked(true);
    child<QRadioButton>(&s, u"早出有"_s)->setChecked(true);
    child<QRadioButton>(&s, u"休職中"_s)->setChecked(true);
    setText(&s, u"開始日"_s, u"2006/7/1"_s);
    setText(&s, u"生年月日"_s, u"1990-12-31"_s);
    setText(&s, u"休職開始"_s, u"2024/3/1"_s);
    ASSERT_TRUE(saveYes(s));
    EXPECT_EQ(prompter.shown().front().text, u"入力内容で更新します。"_s);
    EXPECT_EQ(prompter.lastTitle(), u"職員登録"_s);
    EXPECT_EQ(text(&s, u"開始日"_s), u"2006/07/01"_s);
    EXPECT_EQ(text(&s, u"年数"_s), u"18"_s);
    EXPECT_EQ(text(&s, u"生年月日"_s), u"1990-12-31"_s); // checked, not rewritten
    EXPECT_EQ(text(&s, u"年齢"_s), u"34"_s);             // calendar years, not birthdays
    EXPECT_EQ(text(&s, u"表示順"_s), u"999"_s);

    EXPECT_EQ(storedText(u"0105"_s, u"職員_表示順"_s), u"999"_s);
    EXPECT_EQ(storedText(u"0105"_s, u"職員_配属日"_s), u"2006/07/01"_s);
    EXPECT_EQ(storedText(u"0105"_s, u"職員_誕生日"_s), u"1990/12/31"_s);
    EXPECT_EQ(storedText(u"0105"_s, u"職員_休職from"_s), u"2024/03/01"_s);
    EXPECT_EQ(storedText(u"0105"_s, u"職員_休職To"_s), QString());
    EXPECT_FALSE(stored(u"0105"_s, u"職員_FAX"_s).isNull());
    EXPECT_EQ(storedText(u"0105"_s, u"職員_email"_s), QString());
    EXPECT_EQ(storedInt(u"0105"_s, u"職員_区分"_s), 2);
    EXPECT_EQ(storedInt(u"0105"_s, u"職員_性別"_s), 2);
    EXPECT_EQ(storedInt(u"0105"_s, u"職員_シフト有無"_s), 1);
    EXPECT_EQ(storedInt(u"0105"_s, u"職員_特定シフトNO"_s), 2);
    EXPECT_EQ(storedInt(u"0105"_s, u"職員_早出有無"_s), 1);
    EXPECT_EQ(storedInt(u"0105"_s, u"職員_責任者"_s), 0);
    EXPECT_EQ(storedInt(u"0105"_s, u"職員_就業FLG"_s), 1);
    EXPECT_EQ(storedText(u"0105"_s, u"職員_チーム"_s), QString());
    EXPECT_EQ(child<QListWidget>(&s, u"LST職員"_s)->count(), 1);
}

TEST_F(StaffRegisterTest, ChecksRunInOrderAndAllFailuresTurnRed) {
    StaffRegisterScreen s(ctx);
    setText(&s, u"職員名"_s, QString(26, u'山'));
    setText(&s, u"職員名カナ"_s, QString(21, u'ｱ'));
    setText(&s, u"開始日"_s, u"2006/13/1"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"職員番号に正しく入力してください"_s});
    for (const QString& box : {u"職員番号"_s, u"職員名"_s, u"職員名カナ"_s, u"開始日"_s})
        EXPECT_TRUE(FieldChecks::isRed(child<QWidget>(&s, box))) << box.toStdString();
    EXPECT_TRUE(FieldChecks::isRed(child<QComboBox>(&s, u"社員区分"_s)));

    prompter.clear();
    setText(&s, u"職員番号"_s, u"7"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"職員名は漢字25桁以内で入力して下さい"_s);
    prompter.clear();
    setText(&s, u"職員名"_s, QString(25, u'山'));
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"職員名カナは半角ｶﾅ20桁以内で入力して下さい"_s);
    prompter.clear();
    setText(&s, u"職員名カナ"_s, QString(20, u'ｱ'));
    // A team name that happens to equal a category is not an employee category.
    child<QComboBox>(&s, u"社員区分"_s)->setEditText(u"Aチーム"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"社員区分が一致しません､ﾏｽﾀｰの登録を確認してください"_s);
    prompter.clear();
    child<QComboBox>(&s, u"社員区分"_s)->setEditText(u"正職員"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"勤務開始日に正しく入力してください"_s);
    EXPECT_EQ(countRows(u"職員"_s), 0);
}

TEST_F(StaffRegisterTest, NoShiftSkipsPatternCheckAndStoresZero) {
    StaffRegisterScreen s(ctx);
    fill(s, u"1"_s, u"佐藤"_s);
    child<QComboBox>(&s, u"特定シフト"_s)->setEditText(u"存在しない"_s);
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"特定シフトが一致しません､ﾏｽﾀｰの登録を確認してください"_s);

    choose(&s, u"シフト"_s, u"シフト無"_s);
    EXPECT_EQ(child<QComboBox>(&s, u"特定シフト"_s)->currentText(), QString());
    EXPECT_EQ(child<QComboBox>(&s, u"特定シフト"_s)->count(), 0);
    ASSERT_TRUE(saveYes(s));
    EXPECT_EQ(storedInt(u"1"_s, u"職員_シフト有無"_s), 2);
    EXPECT_EQ(storedInt(u"1"_s, u"職員_特定シフトNO"_s), 0);

    choose(&s, u"シフト"_s, u"曜日ﾊﾟﾀｰﾝ"_s);
    EXPECT_EQ(child<QComboBox>(&s, u"特定シフト"_s)->count(), 1);
    choose(&s, u"特定シフト"_s, u"平日"_s);
    ASSERT_TRUE(saveYes(s));
    EXPECT_EQ(storedInt(u"1"_s, u"職員_シフト有無"_s), 5);
    EXPECT_EQ(storedInt(u"1"_s, u"職員_特定シフトNO"_s), 3);
}

TEST_F(StaffRegisterTest, TeamRequiredOnlyWhenRostersAreMadeByTeam) {
    StaffRegisterScreen s(ctx);
    fill(s, u"1"_s, u"佐藤"_s);
    ctx.settings.byTeam = 1;
    click(&s, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"チーム名を入力してください"_s);
    EXPECT_EQ(countRows(u"職員"_s), 0);
    prompter.clear();
    ctx.settings.byTeam = 0;
    ASSERT_TRUE(saveYes(s));
    choose(&s, u"チーム"_s, u"Aチーム"_s);
    ctx.settings.byTeam = 1;
    ASSERT_TRUE(saveYes(s));
    EXPECT_EQ(storedText(u"1"_s, u"職員_チーム"_s), u"Aチーム"_s);
}

TEST_F(StaffRegisterTest, AddressCheckedOnlyOnLeavingTheBox) {
    StaffRegisterScreen s(ctx);
    fill(s, u"1"_s, u"佐藤"_s);
    auto* address = child<QLineEdit>(&s, u"住所"_s);
    address->setText(QString(26, u'町'));
    leave(address);
    EXPECT_TRUE(FieldChecks::isRed(address));
    ASSERT_TRUE(saveYes(s)); // the pending message is not shown and nothing blocks
    EXPECT_EQ(storedText(u"1"_s, u"職員_住所"_s).size(), 26);
    address->setText(QString(25, u'町'));
    leave(address);
    EXPECT_FALSE(FieldChecks::isRed(address));
}

TEST_F(StaffRegisterTest, TypedNumberDecidesWhichMemberIsWritten) {
    StaffRegisterScreen s(ctx);
    fill(s, u"1"_s, u"佐藤"_s);
    ASSERT_TRUE(saveYes(s));
    fill(s, u"2"_s, u"鈴木"_s);
    ASSERT_TRUE(saveYes(s));
    EXPECT_EQ(countRows(u"職員"_s), 2);

    auto* list = child<QListWidget>(&s, u"LST職員"_s);
    auto items = list->findItems(u"鈴木"_s, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    list->setCurrentItem(items.front());
    Q_EMIT list->itemClicked(items.front());
    EXPECT_EQ(text(&s, u"職員番号"_s), u"2"_s);
    setText(&s, u"職員番号"_s, u"1"_s); // overwrite 佐藤 with 鈴木's data
    ASSERT_TRUE(saveYes(s));
    EXPECT_EQ(countRows(u"職員"_s), 2);
    EXPECT_EQ(storedText(u"1"_s, u"職員_名漢字"_s), u"鈴木"_s);
    setText(&s, u"職員番号"_s, u"3"_s);
    ASSERT_TRUE(saveYes(s));
    EXPECT_EQ(countRows(u"職員"_s), 3);
}

TEST_F(StaffRegisterTest, LoadShowsStoredMemberAndReportsBrokenReferences) {
    putRow(u"職員"_s, u"key_職員"_s, {u"9"_s},
           {{u"職員_no"_s, u"9"_s},
            {u"職員_表示順"_s, u"5"_s},
            {u"職員_名漢字"_s, u"高橋"_s},
            {u"職員_名カナ"_s, u"ﾀｶﾊｼ"_s},
            {u"職員_区分"_s, 1},
            {u"職員_性別"_s, 2},
            {u"職員_シフト有無"_s, 3},
            {u"職員_特定シフトNO"_s, 4},
            {u"職員_責任者"_s, 1},
            {u"職員_就業FLG"_s, 2},
            {u"職員_誕生日"_s, u"2000/12/31"_s},
            {u"職員_配属日"_s, QString()}});
    ctx.selectedStaffNo = u"9"_s;
    ctx.selectedStaffName = u"高橋"_s;
    StaffRegisterScreen s(ctx); // opens on the selected member
    EXPECT_EQ(text(&s, u"職員番号"_s), u"9"_s);
    EXPECT_EQ(child<QComboBox>(&s, u"社員区分"_s)->currentText(), u"正職員"_s);
    EXPECT_EQ(child<QComboBox>(&s, u"シフト"_s)->currentText(), u"特定ﾊﾟﾀｰﾝ"_s);
    EXPECT_TRUE(child<QRadioButton>(&s, u"女"_s)->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&s, u"責任者"_s)->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&s, u"退職"_s)->isChecked());
    EXPECT_EQ(text(&s, u"年齢"_s), u"24"_s);
    EXPECT_EQ(text(&s, u"年数"_s), QString());
    // Pattern (3, 4) does not exist.
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"特定ｼﾌﾄNOの登録を確認して下さい。"_s});
    EXPECT_EQ(child<QComboBox>(&s, u"特定シフト"_s)->currentText(), QString());

    addPatternRow(3, 4, 0, u"夜専"_s);
    prompter.clear();
    auto* list = child<QListWidget>(&s, u"LST職員"_s);
    Q_EMIT list->itemClicked(list->item(0));
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_EQ(child<QComboBox>(&s, u"特定シフト"_s)->currentText(), u"夜専"_s);
    ASSERT_TRUE(saveYes(s)); // a stored specific pattern is kept
    EXPECT_EQ(storedInt(u"9"_s, u"職員_シフト有無"_s), 3);
    EXPECT_EQ(storedInt(u"9"_s, u"職員_特定シフトNO"_s), 4);
}

TEST_F(StaffRegisterTest, DeleteUsesTheNameChosenInTheList) {
    StaffRegisterScreen s(ctx);
    fill(s, u"1"_s, u"佐藤"_s);
    ASSERT_TRUE(saveYes(s));
    fill(s, u"2"_s, u"鈴木"_s);
    ASSERT_TRUE(saveYes(s));

    prompter.answer(true);
    click(&s, u"削除"_s); // nothing chosen in the list
    EXPECT_EQ(prompter.lastText(), u"指定された職員は登録されていません。"_s);

    auto* list = child<QListWidget>(&s, u"LST職員"_s);
    list->setCurrentItem(list->findItems(u"佐藤"_s, Qt::MatchExactly).front());
    prompter.answer(false);
    click(&s, u"削除"_s);
    EXPECT_EQ(countRows(u"職員"_s), 2);
    prompter.answer(true);
    click(&s, u"削除"_s); // the number box still says 2
    EXPECT_EQ(prompter.lastText(), u"職員は削除されました。"_s);
    EXPECT_EQ(storedText(u"2"_s, u"職員_名漢字"_s), u"鈴木"_s);
    EXPECT_EQ(countRows(u"職員"_s), 1);
    EXPECT_EQ(list->count(), 1);
}

} // namespace

// Pattern names are unique within a kind only: the member's shift type decides which kind the
// chosen name is looked up in, for the number stored and for the refusal.
TEST_F(StaffRegisterTest, PatternNameIsLookedUpInTheKindOfTheShiftType) {
    addPatternRow(5, 7, 0, u"二交代"_s); // kind 1 pattern 2 has this name too
    struct Case {
        QString shiftType, pattern;
        int storedNo; // 0: refused
    };
    const Case cases[] = {
        {u"曜日ﾊﾟﾀｰﾝ"_s, u"二交代"_s, 7},
        {u"シフト有"_s, u"二交代"_s, 2},
        {u"シフト有"_s, u"平日"_s, 0}, // a weekday pattern's name only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shiftType.toStdString() + " " + c.pattern.toStdString());
        StaffRegisterScreen s(ctx);
        fill(s, u"8"_s, u"木村"_s);
        choose(&s, u"シフト"_s, c.shiftType);
        child<QComboBox>(&s, u"特定シフト"_s)->setEditText(c.pattern);
        if (c.storedNo == 0) {
            click(&s, u"確定"_s);
            EXPECT_EQ(prompter.lastText(),
                      u"特定シフトが一致しません､ﾏｽﾀｰの登録を確認してください"_s);
            EXPECT_TRUE(FieldChecks::isRed(child<QComboBox>(&s, u"特定シフト"_s)));
        } else {
            ASSERT_TRUE(saveYes(s));
            EXPECT_EQ(storedInt(u"8"_s, u"職員_特定シフトNO"_s), c.storedNo);
        }
        prompter.clear();
    }
}
