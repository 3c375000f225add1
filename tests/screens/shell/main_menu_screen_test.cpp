#include "print/fonts.h"
#include "screens/shell/main_menu_screen.h"
#include "store/db_error.h"
#include "support/screens/entry_screen_fixture.h"
#include "support/table_rows.h"

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"ﾒﾆｭｰ"_s;
const QString kRefusal = u"日別要員照会は出来ません、登録内容を確認して下さい。"_s;

void putCreationUnit(Database& db, int kind, int byTeam) {
    TableRows::putCreationUnit(db, kind, {1, 1, {}, byTeam, u"2024/04/01"_s, u"2024/04/30"_s, {}});
}

// A modeless stand-in screen that counts how often it was made.
ScreenEntry countingEntry(const QString& button, int& made) {
    return {button, false, [&made](AppContext&) -> QWidget* {
                ++made;
                return new QWidget;
            }};
}

class MainMenu : public EntryScreenFixture {
protected:
    MainMenu() {
        // Measure captions with the fonts the program itself draws them in.
        Fonts::installSubstitutions();
        putCreationUnit(tmp.db(), 1, 0);
        putCreationUnit(tmp.db(), 2, 0);
    }

    std::unique_ptr<MainMenuScreen> open(std::vector<ScreenEntry> catalog = {}) {
        auto menu = std::make_unique<MainMenuScreen>(ctx, std::move(catalog));
        menu->show();
        return menu;
    }

    static QPushButton* button(MainMenuScreen& menu, const QString& name) {
        auto* b = menu.findChild<QPushButton*>(name);
        EXPECT_NE(b, nullptr) << name.toStdString();
        return b;
    }

    using EntryScreenFixture::click;
    static void click(MainMenuScreen& menu, const QString& name) {
        QTest::mouseClick(button(menu, name), Qt::LeftButton);
    }

    // Whether the by-team or the individual roster buttons are the visible ones.
    static bool showsTeamButtons(MainMenuScreen& menu) {
        const bool team = !button(menu, u"勤務作チーム"_s)->isHidden();
        EXPECT_EQ(team, !button(menu, u"勤務変チーム"_s)->isHidden());
        EXPECT_EQ(team, button(menu, u"勤務表"_s)->isHidden());
        EXPECT_EQ(team, button(menu, u"勤務表変更"_s)->isHidden());
        return team;
    }
};

TEST_F(MainMenu, LaysOutEveryFrameAndButtonWithItsCaption) {
    auto menu = open();
    EXPECT_EQ(menu->objectName(), u"メニュー"_s);
    EXPECT_EQ(menu->windowTitle(), u"勤務表メニュー"_s);
    const std::vector<std::pair<QString, QString>> frames{{u"Frame1"_s, u"照会･累計"_s},
                                                          {u"Frame2"_s, u"勤務表"_s},
                                                          {u"Frame3"_s, u"基本情報"_s},
                                                          {u"Frame4"_s, u"職員情報"_s},
                                                          {u"Frame5"_s, u"年度処理"_s}};
    for (const auto& [name, caption] : frames) {
        auto* frame = menu->findChild<QGroupBox*>(name);
        ASSERT_NE(frame, nullptr) << name.toStdString();
        EXPECT_EQ(frame->title(), caption);
    }
    EXPECT_EQ(button(*menu, u"希望勤務"_s)->text(), u"希望･休暇登録"_s);
    EXPECT_EQ(button(*menu, u"個別勤務表出力"_s)->text(), u"個人勤務表出力"_s);
    EXPECT_EQ(button(*menu, u"作成単"_s)->parentWidget()->objectName(), u"Frame3"_s);
    EXPECT_EQ(menu->findChildren<QPushButton*>().size(), 25);

    // Nothing is clipped at the default size.
    for (QPushButton* b : menu->findChildren<QPushButton*>()) {
        if (b->isHidden())
            continue;
        EXPECT_LT(b->fontMetrics().horizontalAdvance(b->text()) + 8, b->width())
            << b->objectName().toStdString();
        EXPECT_TRUE(menu->rect().contains(
            b->geometry().translated(b->parentWidget()->mapTo(menu.get(), QPoint(0, 0)))))
            << b->objectName().toStdString();
    }
}

TEST_F(MainMenu, RosterButtonsFollowTheByTeamSetting) {
    EXPECT_FALSE(showsTeamButtons(*open()));
    putCreationUnit(tmp.db(), 1, 1);
    EXPECT_TRUE(showsTeamButtons(*open()));
    putCreationUnit(tmp.db(), 1, 2);
    EXPECT_FALSE(showsTeamButtons(*open()));
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(MainMenu, MissingCreationUnitRowsAreReportedAndTheMenuStillOpens) {
    TableRows::remove(tmp.db(), u"作成単位"_s, u"key_作成単位"_s, {2});
    MainMenuScreen second(ctx, {});
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.lastTitle(), kTitle);
    EXPECT_EQ(prompter.lastText(), u"作成単位･実績の登録を確認して下さい。"_s);
    EXPECT_FALSE(second.isVisible()); // reported during load, before the menu is shown

    prompter.clear();
    TableRows::remove(tmp.db(), u"作成単位"_s, u"key_作成単位"_s, {1});
    auto menu = open();
    // Only the first missing row is reported: the load stops there.
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"作成単位･基本の登録を確認して下さい。"_s});
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(showsTeamButtons(*menu));
}

TEST_F(MainMenu, ButtonsWithoutAScreenAreDisabled) {
    int made = 0;
    auto menu = open({countingEntry(u"基本登録"_s, made)});
    EXPECT_TRUE(button(*menu, u"基本登録"_s)->isEnabled());
    EXPECT_TRUE(button(*menu, u"終了"_s)->isEnabled());
    for (const QString& name : {u"マスター登録"_s, u"勤務表"_s, u"再編成"_s})
        EXPECT_FALSE(button(*menu, name)->isEnabled()) << name.toStdString();
    // The daily inquiry still answers with its refusal while times are not shown; once they
    // are, it needs its screen.
    ASSERT_TRUE(button(*menu, u"日別要員照会"_s)->isEnabled());
    click(*menu, u"日別要員照会"_s);
    EXPECT_EQ(prompter.lastText(), kRefusal);
    TableRows::putCodeAbbrev(tmp.db(), 6, 1, u"有"_s);
    auto shown = open({countingEntry(u"基本登録"_s, made)});
    EXPECT_FALSE(button(*shown, u"日別要員照会"_s)->isEnabled());
}

TEST_F(MainMenu, ModelessScreensOpenOnceAndAgainAfterClosing) {
    int made = 0;
    auto menu = open({countingEntry(u"基本登録"_s, made)});
    click(*menu, u"基本登録"_s);
    QPointer<QWidget> first = menu->openScreen(u"基本登録"_s);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->isWindow());

    first->showMinimized();
    click(*menu, u"基本登録"_s);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(menu->openScreen(u"基本登録"_s), first.data());
    EXPECT_FALSE(first->isMinimized());

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first); // closing ends the screen
    click(*menu, u"基本登録"_s);
    EXPECT_EQ(made, 2);
    ASSERT_NE(menu->openScreen(u"基本登録"_s), nullptr);
    menu->openScreen(u"基本登録"_s)->close();
}

TEST_F(MainMenu, ModalScreensReloadTheSettingsAndSwapTheRosterButtons) {
    int made = 0;
    std::vector<ScreenEntry> catalog{{u"作成単"_s, true,
                                      [&](AppContext& c) -> QWidget* {
                                          auto* dialog = new QDialog;
                                          dialog->setProperty("expectedModal", true);
                                          QTimer::singleShot(0, dialog, [&c, dialog] {
                                              EXPECT_TRUE(dialog->isModal());
                                              putCreationUnit(c.db, 1, 1);
                                              TableRows::putCodeAbbrev(c.db, 6, 1, u"有"_s);
                                              dialog->accept();
                                          });
                                          return dialog;
                                      }},
                                     countingEntry(u"日別要員照会"_s, made)};
    auto menu = open(catalog);
    EXPECT_FALSE(showsTeamButtons(*menu));
    click(*menu, u"日別要員照会"_s);
    EXPECT_EQ(made, 0);

    click(*menu, u"作成単"_s);
    EXPECT_TRUE(showsTeamButtons(*menu));
    EXPECT_TRUE(ctx.settings.timeDisplay);
    click(*menu, u"日別要員照会"_s); // the reloaded time display now allows the inquiry
    EXPECT_EQ(made, 1);
    menu->openScreen(u"日別要員照会"_s)->close();
}

TEST_F(MainMenu, ModalReloadReportsAMissingCreationUnit) {
    std::vector<ScreenEntry> catalog{{u"マスター登録"_s, true, [](AppContext& c) -> QWidget* {
                                          TableRows::remove(c.db, u"作成単位"_s, u"key_作成単位"_s,
                                                            {1});
                                          auto* w = new QWidget; // not a dialog: still modal
                                          w->setProperty("expectedModal", true);
                                          QTimer::singleShot(0, w, [w] {
                                              EXPECT_TRUE(w->isModal());
                                              w->close();
                                          });
                                          return w;
                                      }}};
    auto menu = open(catalog);
    click(*menu, u"マスター登録"_s);
    EXPECT_EQ(prompter.texts(), std::vector<QString>{u"作成単位･基本の登録を確認して下さい。"_s});
    EXPECT_EQ(prompter.lastTitle(), kTitle);
}

TEST_F(MainMenu, DailyInquiryIsRefusedUnlessTimesAreShown) {
    for (const QString& abbrev : {u""_s, u"無"_s, u"有 "_s}) {
        TableRows::putCodeAbbrev(tmp.db(), 6, 1, abbrev);
        int made = 0;
        auto menu = open({countingEntry(u"日別要員照会"_s, made)});
        prompter.clear();
        click(*menu, u"日別要員照会"_s);
        EXPECT_EQ(made, 0) << abbrev.toStdString();
        EXPECT_EQ(prompter.texts(), std::vector<QString>{kRefusal});
        EXPECT_EQ(prompter.lastTitle(), kTitle);
    }
    TableRows::putCodeAbbrev(tmp.db(), 6, 1, u"有"_s);
    int made = 0;
    auto menu = open({countingEntry(u"日別要員照会"_s, made)});
    click(*menu, u"日別要員照会"_s);
    EXPECT_EQ(made, 1);
    menu->openScreen(u"日別要員照会"_s)->close();
}

TEST_F(MainMenu, StaffScreensOpenWithoutAPreselectedPerson) {
    int made = 0;
    std::vector<ScreenEntry> catalog;
    for (const QString& name : {u"希望勤務"_s, u"職員一覧表"_s, u"職員登録"_s, u"基本登録"_s})
        catalog.push_back({name, false, [&made](AppContext& c) -> QWidget* {
                               ++made;
                               auto* w = new QWidget;
                               w->setProperty("staffNo", c.selectedStaffNo);
                               return w;
                           }});
    auto menu = open(catalog);
    for (const QString& name : {u"希望勤務"_s, u"職員一覧表"_s, u"職員登録"_s, u"基本登録"_s}) {
        ctx.selectedStaffNo = u"0001"_s;
        ctx.selectedStaffName = u"山田"_s;
        click(*menu, name);
        QWidget* screen = menu->openScreen(name);
        ASSERT_NE(screen, nullptr);
        const bool clears = name != u"基本登録"_s;
        EXPECT_EQ(screen->property("staffNo").toString().isEmpty(), clears) << name.toStdString();
        EXPECT_EQ(ctx.selectedStaffName.isEmpty(), clears) << name.toStdString();
        screen->close();
    }
    EXPECT_EQ(made, 4);
}

// Another screen reaching a menu screen gets the menu's single instance and keeps the person
// it selected; once the menu is gone the way is closed.
TEST_F(MainMenu, OtherScreensReachTheSingleInstanceKeepingTheSelectedPerson) {
    int made = 0;
    std::vector<QString> openedFor;
    auto menu = open({{u"職員登録"_s, false,
                       [&](AppContext& c) -> QWidget* {
                           ++made;
                           openedFor.push_back(c.selectedStaffNo);
                           return new QWidget;
                       }},
                      {u"作成単"_s, true, [](AppContext&) -> QWidget* { return new QDialog; }}});
    ASSERT_TRUE(ctx.openMenuScreen);
    ctx.selectedStaffNo = u"0001"_s;
    QWidget* first = ctx.openMenuScreen(u"職員登録"_s);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(ctx.openMenuScreen(u"職員登録"_s), first);
    click(*menu, u"職員登録"_s);
    EXPECT_EQ(menu->openScreen(u"職員登録"_s), first);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(openedFor, std::vector<QString>{u"0001"_s});
    EXPECT_EQ(ctx.openMenuScreen(u"作成単"_s), nullptr);     // modal screens are the menu's own
    EXPECT_EQ(ctx.openMenuScreen(u"勤務表出力"_s), nullptr); // nothing behind the button
    first->close();
    menu.reset();
    EXPECT_FALSE(ctx.openMenuScreen);
}

TEST_F(MainMenu, AFailingScreenLoadIsReportedAndOpensNothing) {
    bool fail = true;
    auto menu = open({{u"基本登録"_s, false, [&fail](AppContext&) -> QWidget* {
                           if (fail)
                               throw DbError(u"テーブル「シフト基本」を開けません。"_s);
                           return new QWidget;
                       }}});
    click(*menu, u"基本登録"_s);
    EXPECT_EQ(prompter.lastText(), u"テーブル「シフト基本」を開けません。"_s);
    EXPECT_EQ(prompter.lastTitle(), kTitle);
    EXPECT_EQ(menu->openScreen(u"基本登録"_s), nullptr);
    fail = false;
    click(*menu, u"基本登録"_s);
    ASSERT_NE(menu->openScreen(u"基本登録"_s), nullptr);
    menu->openScreen(u"基本登録"_s)->close();
}

TEST_F(MainMenu, LeavingTheMenuLeavesOpenScreensRunning) {
    int made = 0;
    auto menu = open({countingEntry(u"基本登録"_s, made)});
    click(*menu, u"基本登録"_s);
    QPointer<QWidget> screen = menu->openScreen(u"基本登録"_s);
    click(*menu, u"終了"_s);
    EXPECT_FALSE(menu->isVisible());
    menu.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
    screen->close();
}

TEST_F(MainMenu, ReturnPressesTheFocusedButton) {
    int made = 0;
    auto menu = open({countingEntry(u"基本登録"_s, made)});
    QPushButton* b = button(*menu, u"基本登録"_s);
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(made, 1);
    menu->openScreen(u"基本登録"_s)->close();
}

} // namespace
