#include "screens/app_context.h"
#include "screens/masters/backup_registration_dialog.h"
#include "store/clock.h"
#include "store/records/roster_row.h"
#include "store/records/shift_request.h"
#include "store/records/staff_member.h"
#include "support/screens/scripted_prompter.h"
#include "support/temp_database.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

class BackupRegistrationDialogTest : public ::testing::Test {
protected:
    BackupRegistrationDialogTest() {
        addStaff(u"001"_s, u"山田"_s, u"ﾔﾏﾀﾞ"_s);
        addStaff(u"002"_s, u"青木"_s, u"ｱｵｷ"_s);
        addStaff(u"003"_s, u"中村"_s, u"ﾅｶﾑﾗ"_s);
        addStaff(u"004"_s, u"加藤"_s, u"ｶﾄｳ"_s);
        addStaff(u"005"_s, u"林"_s, u"ﾊﾔｼ"_s);
    }

    void addStaff(const QString& no, const QString& name, const QString& kana,
                  const QString& assignedFrom = {}, const QString& leaveFrom = {},
                  const QString& leaveTo = {}) {
        StaffMember s;
        s.no = no;
        s.name = name;
        s.kana = kana;
        s.assignedFrom = assignedFrom;
        s.leaveFrom = leaveFrom;
        s.leaveTo = leaveTo;
        s.save(tmp.db());
    }

    void coverOn(const QString& backupNo, const QString& date, const QString& takerName) {
        RosterRow r;
        r.kind = 2;
        r.staffNo = backupNo;
        r.date = date;
        r.backup = takerName;
        r.save(tmp.db());
    }

    static QStringList names(BackupRegistrationDialog& d) {
        auto* list = d.findChild<QListWidget*>(u"LST職員"_s);
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    static void choose(BackupRegistrationDialog& d, const QString& name) {
        auto* list = d.findChild<QListWidget*>(u"LST職員"_s);
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.front()).center());
    }

    static void click(BackupRegistrationDialog& d, const QString& button) {
        QTest::mouseClick(d.findChild<QPushButton*>(button), Qt::LeftButton);
    }

    BackupRequest request{u"001"_s, u"山田"_s, u"2024/05/10"_s, {}};
    TempDatabase tmp;
    ScriptedPrompter prompter;
    FixedClock clock{QDate(2024, 5, 1)};
    AppContext ctx{tmp.db(), prompter, clock, {}, {}, {}};
};

} // namespace

// Nobody may cover their own leave, nor a second colleague on the same day, nor anyone who
// cannot work that day; covering this same taker again is allowed, so re-registering a leave
// can keep its backup.
TEST_F(BackupRegistrationDialogTest, OffersEveryoneFreeToCoverInKanaOrder) {
    coverOn(u"003"_s, u"2024/05/10"_s, u"別人"_s); // busy that day
    coverOn(u"004"_s, u"2024/05/10"_s, u"山田"_s); // already this taker's backup
    coverOn(u"002"_s, u"2024/05/11"_s, u"別人"_s); // another day
    request.alsoBusy = {u"005"_s};
    addStaff(u"006"_s, u"新人"_s, u"ｼﾝｼﾞﾝ"_s, u"2024/06/01"_s);                       // joins later
    addStaff(u"007"_s, u"休職"_s, u"ｷｭｳｼｮｸ"_s, {}, u"2024/05/01"_s, u"2024/05/31"_s); // on leave
    addStaff(u"008"_s, u"退職"_s, u"ﾀｲｼｮｸ"_s, {}, u"2024/04/30"_s);                   // retired
    addStaff(u"009"_s, u"復帰"_s, u"ﾌｯｷ"_s, u"2024/05/10"_s, u"2024/04/01"_s,
             u"2024/05/09"_s); // joined and back that very day
    BackupRegistrationDialog d(ctx, request);
    EXPECT_EQ(d.windowTitle(), u"休暇のバックアップ登録"_s);
    EXPECT_EQ(d.findChild<QLineEdit*>(u"取得者"_s)->text(), u"山田"_s);
    EXPECT_EQ(d.findChild<QLineEdit*>(u"休暇日"_s)->text(), u"2024/05/10"_s);
    EXPECT_TRUE(d.findChild<QRadioButton*>(u"BKUP有"_s)->isChecked());
    EXPECT_EQ(names(d), (QStringList{u"青木"_s, u"加藤"_s, u"復帰"_s}));
}

// A leave covered before opens with its backup chosen, so Return keeps it; the taker's leave
// row names that backup, so a namesake's cover that day is not taken for it.
TEST_F(BackupRegistrationDialogTest, OpensWithTheRecordedBackupChosen) {
    for (const auto& [taker, backup] : {std::pair{u"006"_s, u"003"_s}, {u"001"_s, u"004"_s}}) {
        coverOn(backup, request.day, u"山田"_s);
        ShiftRequest{1, taker, request.day, {}, {}, 0, 0, {}, {}, backup, {}, {}, 0}.save(tmp.db());
    }
    BackupRegistrationDialog d(ctx, request);
    d.show();
    EXPECT_FALSE(names(d).contains(u"中村"_s)) << "the namesake's cover";
    auto* list = d.findChild<QListWidget*>(u"LST職員"_s);
    prompter.answer(true);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(prompter.lastText(), u"指定の職員をバックアップとして登録します。"_s);
    EXPECT_EQ(d.answer(), (BackupAnswer{1, u"004"_s}));
}

TEST_F(BackupRegistrationDialogTest, WithBackupNeedsAChosenPersonAndAYes) {
    BackupRegistrationDialog d(ctx, request);
    d.show();
    click(d, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"バックアップ者を選択して下さい。"_s);
    EXPECT_EQ(prompter.lastTitle(), u"バックアップ登録"_s);
    EXPECT_TRUE(d.isVisible());

    choose(d, u"中村"_s);
    prompter.answer(false);
    click(d, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"指定の職員をバックアップとして登録します。"_s);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.answer(), BackupAnswer{}) << "a No sets no answer";

    prompter.answer(true);
    click(d, u"確定"_s);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.answer(), (BackupAnswer{1, u"003"_s}));
}

TEST_F(BackupRegistrationDialogTest, WithoutBackupCancelAndCloseAnswers) {
    struct Case {
        const char* what;
        std::function<void(BackupRegistrationDialog&)> act;
        QString question;
        BackupAnswer expected;
    };
    const Case cases[] = {
        {"without backup",
         [](BackupRegistrationDialog& d) {
             choose(d, u"中村"_s); // a chosen person is dropped when no backup is wanted
             d.findChild<QRadioButton*>(u"BKUP無"_s)->setChecked(true);
             click(d, u"確定"_s);
         },
         u"バックアップなしで登録します。"_s, BackupAnswer{1, QString()}},
        {"cancel", [](BackupRegistrationDialog& d) { click(d, u"取消"_s); },
         u"休暇の取得登録は行いません。"_s, BackupAnswer{0, QString()}},
    };
    for (const Case& c : cases) {
        // No keeps the dialog open with no answer; Yes closes it with the answer.
        BackupRegistrationDialog d(ctx, request);
        d.show();
        prompter.answer(false);
        c.act(d);
        EXPECT_EQ(prompter.lastText(), c.question) << c.what;
        EXPECT_TRUE(d.isVisible()) << c.what;
        prompter.answer(true);
        c.act(d);
        EXPECT_FALSE(d.isVisible()) << c.what;
        EXPECT_EQ(d.answer(), c.expected) << c.what;
    }

    BackupRegistrationDialog closed(ctx, request);
    closed.show();
    choose(closed, u"中村"_s);
    QTest::keyClick(&closed, Qt::Key_Escape);
    EXPECT_FALSE(closed.isVisible());
    EXPECT_EQ(closed.answer(), BackupAnswer{});
    EXPECT_EQ(prompter.pendingAnswers(), 0u);
}

// A clerk working from the keyboard picks the backup with the arrow keys; the list's focus
// alone chooses nobody.
TEST_F(BackupRegistrationDialogTest, ArrowKeysChooseTheBackup) {
    BackupRegistrationDialog d(ctx, request);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    auto* list = d.findChild<QListWidget*>(u"LST職員"_s);
    list->setFocus();
    click(d, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"バックアップ者を選択して下さい。"_s) << "focus is no choice";

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->selectedItems().size(), 1);
    const QString picked = list->selectedItems().front()->text();
    prompter.answer(true);
    click(d, u"確定"_s);
    EXPECT_EQ(prompter.lastText(), u"指定の職員をバックアップとして登録します。"_s)
        << picked.toStdString();
    EXPECT_FALSE(d.isVisible());
    const std::map<QString, QString> numbers{
        {u"青木"_s, u"002"_s}, {u"加藤"_s, u"004"_s}, {u"中村"_s, u"003"_s}, {u"林"_s, u"005"_s}};
    EXPECT_EQ(d.answer(), (BackupAnswer{1, numbers.at(picked)}));
}
