#include <gtest/gtest.h>

#include <QStandardPaths>

#include "ProgramFixture.h"

int main(int argc, char** argv) {
    // Also when CTest lists the tests, which it does without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The settings a test run writes stay out of the user's configuration folder.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    KelmstarApplication application(argc, argv);
    SetTestApplication(&application);
    return RUN_ALL_TESTS();
}
