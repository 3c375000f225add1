#include <QCoreApplication>
#include <gtest/gtest.h>

// Store, engine, printout-layout and command-line tests: an event loop and no window system.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
