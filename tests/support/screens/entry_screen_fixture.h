#pragma once

#include "screens/app_context.h"
#include "store/clock.h"
#include "support/screens/missing_control.h"
#include "support/screens/modal_watchdog.h"
#include "support/screens/scripted_prompter.h"
#include "support/table_rows.h"
#include "support/temp_database.h"
#include "widgets/field_checks.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// What a test of one entry screen needs: a fresh database, a scripted prompter, a fixed
// clock and the context a screen is built with.
class EntryScreenFixture : public ::testing::Test {
protected:
    EntryScreenFixture() : clock(QDate(2024, 4, 1)), ctx{tmp.db(), prompter, clock, {}, {}, {}} {}

    // The screen's control of that objectName and type; throws MissingControl, which stops the
    // test, when there is none.
    template <typename T = QWidget> T* child(const QWidget* screen, const QString& name) {
        T* w = screen->findChild<T*>(name);
        if (!w)
            throw MissingControl(name, T::staticMetaObject.className());
        return w;
    }

    // Types into a box the way a clerk would: focus in, text, focus out (which runs the box's
    // check).
    void type(const QWidget* screen, const QString& box, const QString& text) {
        auto* edit = child<QLineEdit>(screen, box);
        edit->setFocus();
        edit->setText(text);
    }

    // Shows the screen as the active window, so focus moves (and focus-loss checks run) as
    // they do for a clerk.
    void showActive(QWidget* screen) {
        screen->show();
        screen->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(screen));
    }

    virtual void click(const QWidget* screen, const QString& name) {
        auto* b = child<QAbstractButton>(screen, name);
        // Option buttons and tick boxes answer only on their mark and caption, which a
        // stretched button's centre may miss.
        const bool marked = qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b);
        QTest::mouseClick(b, Qt::LeftButton, {}, marked ? QPoint(6, b->height() / 2) : QPoint());
    }

    // Clicks a button whose question is answered yes.
    void clickYes(const QWidget* screen, const QString& name) {
        prompter.answerYes();
        click(screen, name);
    }

    // Confirms with a yes and returns everything shown since.
    std::vector<QString> confirm(const QWidget* screen) {
        prompter.clear();
        clickYes(screen, QStringLiteral("確定"));
        return prompter.texts();
    }

    QString text(const QWidget* screen, const QString& box) {
        return child<QLineEdit>(screen, box)->text();
    }

    bool red(const QWidget* screen, const QString& name) {
        return FieldChecks::isRed(child(screen, name));
    }

    // Adds or overwrites a row: `key` are the key fields, `fields` everything else.
    void putRow(const QString& table, const QString& index, const QVariantList& key,
                const TableRows::Fields& fields) {
        TableRows::put(tmp.db(), table, index, key, fields);
    }

    TempDatabase tmp;
    ScriptedPrompter prompter;
    FixedClock clock;
    AppContext ctx;
    ModalWatchdog watchdog;
};
