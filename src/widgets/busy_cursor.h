#pragma once

#include <QCursor>
#include <QGuiApplication>

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

// Shows the normal cursor for the lifetime of the object over a busy one, for a question asked
// in the middle of long work; the busy cursor comes back after it.
class NormalCursor final {
public:
    NormalCursor() : covers_(QGuiApplication::overrideCursor() != nullptr) {
        if (covers_)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor() {
        if (covers_ && QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool covers_;
};
