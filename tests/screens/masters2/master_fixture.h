#pragma once

#include "screens/app_context.h"
#include "store/clock.h"
#include "store/startup_settings.h"
#include "store/table.h"
#include "support/modal_watchdog.h"
#include "support/scripted_prompter.h"
#include "support/table_rows.h"
#include "support/temp_database.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// A fresh database, a scripted prompter, a fixed "today" and helpers that write master rows
// straight into the tables and drive a screen by objectName.
class MasterFixture : public ::testing::Test {
protected:
    MasterFixture() : clock_(QDate(2024, 4, 1)), ctx_{tmp_.db(), prompter_, clock_, {}, {}, {}} {
        LoadStartupSettings(tmp_.db(), ctx_.settings);
    }

    Database& db() { return tmp_.db(); }

    // Writes one row; `values` are (field, value) pairs, keyed on the index's fields.
    void put(const QString& table, const QString& index, const QVariantList& key,
             const TableRows::Fields& values) {
        TableRows::put(db(), table, index, key, values);
    }

    void addShift(const QString& abbrev, const QString& name, int flag, int order,
                  std::array<int, 6> figures = {2, 1, 1, 0, 0, 0}, int max = 0) {
        using namespace Qt::Literals::StringLiterals;
        TableRows::putShift(db(), abbrev, name, flag, order,
                            {{u"基本_最小要員"_s, figures[0]},
                             {u"基本_責任者"_s, figures[1]},
                             {u"基本_チーム要員数"_s, figures[2]},
                             {u"基本_チーム責任者"_s, figures[3]},
                             {u"基本_早出要員"_s, figures[4]},
                             {u"基本_遅出要員"_s, figures[5]},
                             {u"基本_MAX"_s, max},
                             {u"基本_備考"_s, name + u"の備考"_s}});
    }

    void addPatternRow(int kind, int no, int pos, const QString& nameOrAbbrev,
                       const QString& shiftName = {}) {
        using namespace Qt::Literals::StringLiterals;
        if (pos == 0)
            put(u"ｼﾌﾄﾊﾟﾀｰﾝ"_s, u"key_ﾊﾟﾀﾝ"_s, {kind, no, 0},
                {{u"パタ_区分"_s, kind},
                 {u"パタ_NO"_s, no},
                 {u"パタ_連番"_s, 0},
                 {u"パタ_名称"_s, nameOrAbbrev}});
        else
            put(u"ｼﾌﾄﾊﾟﾀｰﾝ"_s, u"key_ﾊﾟﾀﾝ"_s, {kind, no, pos},
                {{u"パタ_区分"_s, kind},
                 {u"パタ_NO"_s, no},
                 {u"パタ_連番"_s, pos},
                 {u"パタ_シフト略称"_s, nameOrAbbrev},
                 {u"パタ_シフト名称"_s, shiftName}});
    }

    void addCode(int kind, int no, const QString& name, const QString& abbrev = {}) {
        TableRows::putCode(db(), kind, no, name, abbrev);
    }

    int countRows(const QString& table) { return TableRows::count(db(), table); }

    template <typename W> W* find(QWidget* screen, const QString& name) {
        W* w = screen->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void setText(QWidget* screen, const QString& name, const QString& text) {
        find<QLineEdit>(screen, name)->setText(text);
    }
    QString text(QWidget* screen, const QString& name) {
        return find<QLineEdit>(screen, name)->text();
    }
    void click(QWidget* screen, const QString& name) {
        find<QAbstractButton>(screen, name)->click();
    }
    // Chooses an item of a combo box as the user would (activated is emitted).
    void choose(QWidget* screen, const QString& name, const QString& item) {
        auto* combo = find<QComboBox>(screen, name);
        const int i = combo->findText(item);
        ASSERT_GE(i, 0) << item.toStdString();
        combo->setCurrentIndex(i);
        Q_EMIT combo->activated(i);
    }
    // Moves the focus into a box and out again, running its focus-loss check.
    void leave(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }

    TempDatabase tmp_;
    ScriptedPrompter prompter_;
    FixedClock clock_;
    AppContext ctx_;
    ModalWatchdog watchdog_;
};
