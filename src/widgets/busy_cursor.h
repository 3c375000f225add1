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
