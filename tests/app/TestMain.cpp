#include <gtest/gtest.h>

#include <QSettings>
#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>

#include "ProgramFixture.h"

int main(int argc, char** argv) {
    // Also when CTest lists the tests, which it does without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The settings a test writes stay out of the user's configuration folder, and out of the
    // tests CTest runs beside this one: a folder of this process's own.
    QStandardPaths::setTestModeEnabled(true);
    char settings[] = "/tmp/kelmstar-settings-XXXXXX";
    if (::mkdtemp(settings) == nullptr) {
        return EXIT_FAILURE;
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
    ::testing::InitGoogleTest(&argc, argv);
    KelmstarApplication application(argc, argv);
    SetTestApplication(&application);
    const int status = RUN_ALL_TESTS();
    std::filesystem::remove_all(settings);
    return status;
}
