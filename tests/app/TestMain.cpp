#include <gtest/gtest.h>

#include "ProgramFixture.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TestApplication();
    return RUN_ALL_TESTS();
}
