#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

// Fails the running test and closes the window when a real modal window (a message box the
// screen did not route through the Prompter) appears, instead of letting the test hang.
// Create one in a test or fixture that drives screens.
class ModalWatchdog final {
public:
    ModalWatchdog() {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                if (w->property("expectedModal").toBool())
                    return;
                ADD_FAILURE() << "unexpected modal window: " << w->metaObject()->className() << " "
                              << w->windowTitle().toStdString();
                w->close();
            }
        });
        timer_.start();
    }

private:
    QTimer timer_;
};
