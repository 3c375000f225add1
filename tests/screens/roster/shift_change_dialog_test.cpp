#include "screens/app_context.h"
#include "screens/roster/shift_change_dialog.h"
#include "store/clock.h"
#include "support/screens/scripted_prompter.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

void addShift(Database& db, const QString& abbrev, const QString& name, int order, int earlyKind) {
    TableRows::putShift(db, abbrev, name, 1, order, {{u"基本_早出区分"_s, earlyKind}});
}

class ShiftChangeDialogTest : public ::testing::Test {
protected:
    ShiftChangeDialogTest() {
        addShift(tmp.db(), u"日"_s, u"日勤"_s, 1, 1);
        addShift(tmp.db(), u"早"_s, u"早番"_s, 2, 2);
        addShift(tmp.db(), u"遅"_s, u"遅番"_s, 3, 3);
        addShift(tmp.db(), u"夜"_s, u"夜勤"_s, 4, 0);
    }

    QStringList entries(ShiftChangeDialog& d) {
        auto* list = d.findChild<QListWidget*>(u"シフト名称"_s);
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    void pick(ShiftChangeDialog& d, const QString& entry, const QString& option) {
        auto* list = d.findChild<QListWidget*>(u"シフト名称"_s);
        const auto found = list->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found.front());
        d.findChild<QRadioButton*>(option)->setChecked(true);
        QTest::mouseClick(d.findChild<QPushButton*>(u"確定"_s), Qt::LeftButton);
    }

    TempDatabase tmp;
    ScriptedPrompter prompter;
    FixedClock clock{QDate(2024, 4, 1)};
    AppContext ctx{tmp.db(), prompter, clock, {}, {}, {}};
};

} // namespace

TEST_F(ShiftChangeDialogTest, ListsEarlyAndLateVariantsByEarlyKind) {
    ShiftChangeDialog d(ctx);
    EXPECT_EQ(d.windowTitle(), u"修正内容"_s);
    EXPECT_EQ(entries(d), (QStringList{u"日勤"_s, u"日勤･早出"_s, u"日勤･遅出"_s, u"早番"_s,
                                       u"早番･早出"_s, u"遅番"_s, u"遅番･遅出"_s, u"夜勤"_s}));
    EXPECT_EQ(d.result().action, EditAction::Closed)
        << "closing without a button matches no action";
}

TEST_F(ShiftChangeDialogTest, ReplaceAndInsertReturnTheShiftAndItsMark) {
    ShiftChangeDialog late(ctx);
    pick(late, u"日勤･遅出"_s, u"置換"_s);
    EXPECT_EQ(late.result().action, EditAction::Replace);
    EXPECT_EQ(late.result().shiftName, u"日勤"_s);
    EXPECT_EQ(late.result().shiftAbbrev, u"日"_s);
    EXPECT_EQ(late.result().earlyMark, 3);

    ShiftChangeDialog early(ctx);
    pick(early, u"早番･早出"_s, u"後詰"_s);
    EXPECT_EQ(early.result().action, EditAction::Insert);
    EXPECT_EQ(early.result().shiftAbbrev, u"早"_s);
    EXPECT_EQ(early.result().earlyMark, 2);

    ShiftChangeDialog plain(ctx);
    pick(plain, u"夜勤"_s, u"置換"_s);
    EXPECT_EQ(plain.result().shiftAbbrev, u"夜"_s);
    EXPECT_EQ(plain.result().earlyMark, 0);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(ShiftChangeDialogTest, DeleteSequenceAndCancelCarryNoShift) {
    ShiftChangeDialog del(ctx);
    pick(del, u"日勤･早出"_s, u"削除"_s);
    EXPECT_EQ(del.result().action, EditAction::Delete);
    EXPECT_TRUE(del.result().shiftAbbrev.isEmpty());
    EXPECT_TRUE(del.result().shiftName.isEmpty());

    ShiftChangeDialog seq(ctx);
    pick(seq, u"夜勤"_s, u"シフト"_s);
    EXPECT_EQ(seq.result().action, EditAction::Sequence);
    EXPECT_TRUE(seq.result().shiftAbbrev.isEmpty());

    ShiftChangeDialog cancel(ctx);
    QTest::mouseClick(cancel.findChild<QPushButton*>(u"取消"_s), Qt::LeftButton);
    EXPECT_TRUE(cancel.result().cancelled());
}

TEST_F(ShiftChangeDialogTest, AShiftNoLongerRegisteredIsRefusedAndTheDialogStays) {
    ShiftChangeDialog d(ctx);
    d.show();
    TableRows::remove(tmp.db(), u"シフト基本"_s, u"key_基本"_s, {u"夜"_s});
    pick(d, u"夜勤"_s, u"置換"_s);
    EXPECT_EQ(prompter.lastText(), u"指定したシフト名の登録を確認して下さい。"_s);
    EXPECT_EQ(d.result().action, EditAction::Closed);
    EXPECT_TRUE(d.isVisible());
}

// The dialog opens on the clicked cell's shift, its early/late variant included, and leaving it
// by Esc cancels: the roster screen then asks nothing.
TEST_F(ShiftChangeDialogTest, OpensOnTheCellsShiftAndEscCancels) {
    struct Case {
        QString abbrev;
        int mark;
        QString selected;
    };
    const Case cases[] = {{u"日"_s, 3, u"日勤･遅出"_s},
                          {u"早"_s, 2, u"早番･早出"_s},
                          {u"夜"_s, 0, u"夜勤"_s},
                          {u"無"_s, 0, u"日勤"_s}, // not a listed shift: the first entry
                          {QString(), 0, u"日勤"_s}};
    for (const Case& c : cases) {
        ShiftChangeDialog d(ctx, nullptr, c.abbrev, c.mark);
        const auto* current = d.findChild<QListWidget*>(u"シフト名称"_s)->currentItem();
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(current->text(), c.selected) << c.abbrev.toStdString() << c.mark;
    }

    ShiftChangeDialog esc(ctx, nullptr, u"日"_s, 0);
    esc.show();
    QTest::keyClick(&esc, Qt::Key_Escape);
    EXPECT_FALSE(esc.isVisible());
    EXPECT_TRUE(esc.result().cancelled());
}
