#include <gtest/gtest.h>

#include "serial/PortName.h"

namespace {

struct NameCase {
    const char* name;
    const char* path;
};

class PortNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(PortNameTest, MapsToDevicePath) {
    EXPECT_EQ(DevicePathForPortName(GetParam().name), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PortNameTest,
    testing::Values(NameCase{"COM1", "/dev/ttyS0"}, NameCase{"COM2", "/dev/ttyS1"},
                    NameCase{"COM4", "/dev/ttyS3"}, NameCase{"COM10", "/dev/ttyS9"},
                    NameCase{"com3", "/dev/ttyS2"},
                    // Not a numbered port: taken as a path as it stands.
                    NameCase{"COM0", "COM0"}, NameCase{"COM", "COM"}, NameCase{"COM1x", "COM1x"},
                    NameCase{"COM-1", "COM-1"}, NameCase{"COM99999999999", "COM99999999999"},
                    NameCase{"/dev/ttyUSB0", "/dev/ttyUSB0"}, NameCase{"pts/3", "pts/3"},
                    NameCase{"", ""}));

}  // namespace
