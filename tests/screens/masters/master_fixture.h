#pragma once

#include "store/startup_settings.h"
#include "support/screens/entry_screen_fixture.h"
#include "support/table_rows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QWidget>
#include <array>

// An entry-screen fixture with the startup settings loaded, helpers that write master rows
// straight into the tables, and a way of driving a screen that is never shown.
class MasterFixture : public EntryScreenFixture {
protected:
    MasterFixture() { LoadStartupSettings(tmp.db(), ctx.settings); }

    Database& db() { return tmp.db(); }

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
                             {u"基本_備考"_s, QString(name + u"の備考"_s)}});
    }

    void addPatternRow(int kind, int no, int pos, const QString& nameOrAbbrev,
                       const QString& shiftName = {}) {
        using namespace Qt::Literals::StringLiterals;
        if (pos == 0)
            TableRows::putPatternRow(db(), kind, no, 0, {{u"パタ_名称"_s, nameOrAbbrev}});
        else
            TableRows::putPatternRow(
                db(), kind, no, pos,
                {{u"パタ_シフト略称"_s, nameOrAbbrev}, {u"パタ_シフト名称"_s, shiftName}});
    }

    void addCode(int kind, int no, const QString& name, const QString& abbrev = {}) {
        TableRows::putCode(db(), kind, no, name, abbrev);
    }

    int countRows(const QString& table) { return TableRows::count(db(), table); }

    void setText(QWidget* screen, const QString& name, const QString& text) {
        child<QLineEdit>(screen, name)->setText(text);
    }
    // The screens here are not shown, so a button is pressed directly rather than by mouse.
    void click(const QWidget* screen, const QString& name) override {
        child<QAbstractButton>(screen, name)->click();
    }
    // Chooses an item of a combo box as the user would (activated is emitted).
    void choose(QWidget* screen, const QString& name, const QString& item) {
        auto* combo = child<QComboBox>(screen, name);
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
};
