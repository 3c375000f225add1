#pragma once

#include "store/db_error.h"
#include "widgets/prompter.h"

#include <QApplication>
#include <QGuiApplication>
#include <exception>

// Runs one user action; a database failure becomes a message naming what failed instead of
// ending the program. Returns false when the action failed.
template <typename Action> bool guarded(Prompter& prompter, const QString& title, Action&& action) {
    try {
        action();
        return true;
    } catch (const DbError& e) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        prompter.inform(title, e.message());
    } catch (const std::exception& e) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        prompter.inform(title, QString::fromUtf8(e.what()));
    }
    return false;
}

// Shows the busy cursor for the lifetime of the object.
class BusyCursor final {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() {
        if (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
