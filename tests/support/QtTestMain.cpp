// gtest main with a QCoreApplication, for tests that need Qt's timers and event loop (the serial
// reader's QTimers, QSerialPort's notifiers).
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
