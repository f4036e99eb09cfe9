// The recorded sample logs: valid sentences, one per line, no comment lines, positions in the
// hemispheres their names promise.

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>

#include "SentenceChecks.h"

namespace {

struct SampleCase {
    const char* file;
    const char* ns;
    const char* ew;
    int minNoFixLines;  // RMC lines with status V
};

class SampleLog : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SampleLog, IsAPlayableRecording) {
    const SampleCase& c = GetParam();
    std::ifstream in(std::string(KELMSTAR_SAMPLES_DIR) + "/" + c.file, std::ios::binary);
    ASSERT_TRUE(in) << c.file;
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    std::size_t start = 0;
    int lines = 0;
    int fixes = 0;
    int noFix = 0;
    while (start < all.size()) {
        const std::size_t end = all.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "unterminated last line";
        const std::string line = all.substr(start, end + 1 - start);
        start = end + 1;
        ++lines;
        ASSERT_TRUE(simtest::isValidSentence(line)) << c.file << " line " << lines;
        ASSERT_EQ(line.rfind("$GP", 0), 0u) << c.file << " line " << lines;
        if (line.rfind("$GPRMC,", 0) == 0) {
            const auto f = simtest::fieldsOf(line);
            if (f[2] == "A") {
                ++fixes;
                EXPECT_EQ(f[4], c.ns) << line;
                EXPECT_EQ(f[6], c.ew) << line;
            } else {
                ++noFix;
            }
        }
    }
    EXPECT_GE(lines, 200);
    EXPECT_LE(lines, 1000);
    EXPECT_GT(fixes, 10);
    EXPECT_GE(noFix, c.minNoFixLines);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleLog,
                         ::testing::Values(SampleCase{"drive-north-east.log", "N", "E", 1},
                                           SampleCase{"drive-south-west.log", "S", "W", 1},
                                           SampleCase{"cold-start.log", "N", "W", 30}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

}  // namespace
