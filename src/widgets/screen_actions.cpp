#include "widgets/screen_actions.h"

#include "store/db_error.h"
#include "widgets/busy_cursor.h"
#include "widgets/prompter.h"

#include <QGuiApplication>
#include <exception>
#include <optional>

ScreenActions::ScreenActions(Prompter& prompter, QString title)
    : prompter_(prompter), title_(std::move(title)) {}

bool ScreenActions::run(const std::function<void()>& action, Cursor cursor) {
    QString failure;
    bool failed = false;
    ++depth_;
    try {
        std::optional<BusyCursor> busy;
        if (cursor == Cursor::Busy)
            busy.emplace();
        action();
    } catch (const DbError& e) {
        failed = true;
        failure = e.message();
    } catch (const std::exception& e) {
        failed = true;
        failure = QString::fromUtf8(e.what());
    }
    --depth_;
    if (failed) {
        // A cursor set without a guard may be left behind by the failure.
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        held_.push_back({failure, false});
    }
    if (depth_ == 0)
        showHeld();
    return !failed;
}

void ScreenActions::inform(const QString& text) {
    held_.push_back({text, false});
    if (depth_ == 0)
        showHeld();
}

void ScreenActions::informPlain(const QString& text) {
    held_.push_back({text, true});
    if (depth_ == 0)
        showHeld();
}

void ScreenActions::informAll(const QStringList& texts) {
    for (const QString& text : texts)
        inform(text);
}

bool ScreenActions::ask(const QString& text) {
    showHeld();
    return prompter_.ask(title_, text);
}

bool ScreenActions::askDefaultNo(const QString& text) {
    showHeld();
    return prompter_.askDefaultNo(title_, text);
}

void ScreenActions::showHeld() {
    // A message box runs an event loop, which may start another action that adds to the list.
    while (!held_.empty()) {
        const Held next = held_.front();
        held_.erase(held_.begin());
        if (next.plain)
            prompter_.informPlain(title_, next.text);
        else
            prompter_.inform(title_, next.text);
    }
}
