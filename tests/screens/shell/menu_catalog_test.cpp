#include "screens/app_context.h"
#include "screens/screen_catalog.h"
#include "screens/shell/main_menu_screen.h"
#include "store/clock.h"
#include "store/demo_workplace.h"
#include "support/screens/modal_watchdog.h"
#include "support/screens/scripted_prompter.h"
#include "support/temp_database.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every screen the program offers opens from the menu on the demo ward, once.
TEST(MenuCatalog, EveryRegisteredScreenOpensFromTheMenu) {
    TempDatabase tmp;
    FixedClock clock(QDate(2024, 4, 10));
    LoadDemoWorkplace(tmp.db(), clock);
    ScriptedPrompter prompter;
    AppContext ctx{tmp.db(), prompter, clock, {}, {}, {}};
    ModalWatchdog watchdog;
    MainMenuScreen menu(ctx);
    menu.show();
    EXPECT_TRUE(prompter.shown().empty());

    for (const ScreenEntry& entry : screenCatalog()) {
        SCOPED_TRACE(entry.button.toStdString());
        auto* button = menu.findChild<QPushButton*>(entry.button);
        ASSERT_NE(button, nullptr) << "catalog names a button the menu lacks";
        ASSERT_TRUE(button->isEnabled());
        if (button->isHidden())
            continue; // the roster button of the other by-team setting
        if (entry.modal) {
            QString shownModal;
            QTimer::singleShot(0, [&shownModal] {
                if (QWidget* w = QApplication::activeModalWidget()) {
                    shownModal = w->objectName();
                    w->close();
                }
            });
            QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_FALSE(shownModal.isEmpty()) << "no modal screen was shown";
            EXPECT_EQ(menu.openScreen(entry.button), nullptr);
        } else {
            QTest::mouseClick(button, Qt::LeftButton);
            QPointer<QWidget> screen = menu.openScreen(entry.button);
            ASSERT_TRUE(screen);
            EXPECT_TRUE(screen->isVisible());
            EXPECT_FALSE(screen->objectName().isEmpty());
            QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_EQ(menu.openScreen(entry.button), screen.data());
            screen->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_FALSE(screen);
        }
    }
}

} // namespace
