#include <gtest/gtest.h>

#include <QCoreApplication>

// TComm raises its events through the event loop, so the tests run inside an application.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
