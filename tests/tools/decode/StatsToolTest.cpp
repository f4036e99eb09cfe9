// kelmstar-decode's line statistics and live serial input, run as a user runs the tool.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "RunCommand.h"

namespace {

std::string LastLine(const std::string& text) {
    const std::size_t end = text.find_last_not_of('\n');
    const std::size_t start = end == std::string::npos ? 0 : text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

long long Field(const std::string& stats, const std::string& key) {
    std::smatch m;
    const std::regex pattern("\"" + key + "\":([0-9]+)");
    return std::regex_search(stats, m, pattern) ? std::stoll(m[1]) : -1;
}

std::map<std::string, long long> Types(const std::string& stats) {
    std::map<std::string, long long> types;
    const std::size_t open = stats.find("\"types\":{");
    const std::string body = stats.substr(open + 9, stats.find('}', open) - open - 9);
    const std::regex pair("\"([^\"]*)\":([0-9]+)");
    for (std::sregex_iterator it(body.begin(), body.end(), pair), end; it != end; ++it) {
        types[(*it)[1]] = std::stoll((*it)[2]);
    }
    return types;
}

// What the log holds, line by line: its sentences by address, and those whose "*hh" is
// missing or does not match.
struct LogContents {
    long long bytes = 0;
    long long sentences = 0;
    long long failing = 0;
    std::map<std::string, long long> types;
};

LogContents Contents(const std::string& path) {
    LogContents contents;
    contents.bytes = static_cast<long long>(std::filesystem::file_size(path));
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        ++contents.sentences;
        ++contents.types[line.substr(1, line.find_first_of(",*") - 1)];
        const std::size_t star = line.find('*');
        unsigned sum = 0;
        for (std::size_t i = 1; i < std::min(star, line.size()); ++i) {
            sum ^= static_cast<unsigned char>(line[i]);
        }
        const std::string given = star == std::string::npos ? "" : line.substr(star + 1);
        contents.failing +=
            given.size() != 2 ||
            given.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos ||
            std::stoul(given, nullptr, 16) != sum;
    }
    return contents;
}

struct StatsCase {
    const char* name;
    const char* simOptions;  // nullptr: the clean sample log
    bool typesExact;         // noise may hit the addresses themselves
};

class StatsLineTest : public testing::TestWithParam<StatsCase> {};

TEST_P(StatsLineTest, CountsWhatTheLogHolds) {
    std::string log = KELMSTAR_SAMPLES "/drive-north-east.log";
    if (GetParam().simOptions != nullptr) {
#ifndef KELMSTAR_SIM
        GTEST_SKIP() << "the simulator is not built here";
#else
        log = testing::TempDir() + "noisy-" + GetParam().name + ".log";
        RunCommand(std::string(KELMSTAR_SIM) +
                   " --seed=3 --start=2024-05-01T10:00:00 --duration=120 " + GetParam().simOptions +
                   " --output=" + log);
#endif
    }
    const LogContents expected = Contents(log);
    const std::string stats =
        LastLine(RunCommand(std::string(KELMSTAR_DECODE) + " --stats " + log));
    ASSERT_EQ(stats.rfind("{\"class\":\"STATS\",\"bytes\":", 0), 0u) << stats;
    EXPECT_EQ(Field(stats, "bytes"), expected.bytes);
    EXPECT_EQ(Field(stats, "sentences"), expected.sentences);
    EXPECT_EQ(Field(stats, "checksum_errors") + Field(stats, "no_checksum"), expected.failing);
    EXPECT_EQ(Field(stats, "noise_bytes"), 0);
    EXPECT_EQ(Field(stats, "dropped_bytes"), 0);
    EXPECT_EQ(Field(stats, "baud"), -1);  // a file has no line speed
    EXPECT_EQ(expected.failing > 0, GetParam().simOptions != nullptr);
    if (GetParam().typesExact) {
        EXPECT_EQ(Types(stats), expected.types);
    }
}

INSTANTIATE_TEST_SUITE_P(Logs, StatsLineTest,
                         testing::Values(StatsCase{"Clean", nullptr, true},
                                         StatsCase{"Noise", "--noise=0.002", false},
                                         StatsCase{"Cut", "--cut=0.1", true}),
                         [](const auto& info) { return std::string(info.param.name); });

#ifdef KELMSTAR_SIM

// The simulator behaves as a receiver's UART at 19200 baud: read at that speed the text is
// clean, at another it is garbage.
class LiveSerialTest : public testing::Test {
protected:
    void SetUp() override { Spawn({"--uart", "--baud=19200", "--rate=2"}); }

    void Spawn(std::vector<std::string> options) {
        link = testing::TempDir() + "ttyGPS-decode-" + std::to_string(getpid());
        int printed[2];
        ASSERT_EQ(pipe(printed), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, printed[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, printed[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        options.insert(options.begin(), KELMSTAR_SIM);
        options.push_back("--link=" + link);
        options.push_back("--duration=60");
        std::vector<char*> argv;
        for (std::string& option : options) {
            argv.push_back(option.data());
        }
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&simulator, KELMSTAR_SIM, &actions, nullptr, argv.data(), environ),
                  0);
        posix_spawn_file_actions_destroy(&actions);
        close(printed[1]);
        std::FILE* out = fdopen(printed[0], "r");
        char line[512] = {};
        ASSERT_NE(std::fgets(line, sizeof line, out), nullptr);  // the link is there
        std::fclose(out);
    }
    void TearDown() override {
        if (simulator > 0) {
            kill(simulator, SIGTERM);
            waitpid(simulator, nullptr, 0);
        }
    }

    std::string link;
    pid_t simulator = -1;
};

TEST_F(LiveSerialTest, FindsTheSpeedAndDecodesPositions) {
    const std::string err = testing::TempDir() + "decode-stderr-" + std::to_string(getpid());
    const std::string out = RunCommand(std::string(KELMSTAR_DECODE) +
                                       " --baud=auto --duration=4 --stats " + link + " 2>" + err);
    std::stringstream detected;
    detected << std::ifstream(err).rdbuf();
    EXPECT_EQ(detected.str(), "detected 19200 baud\n");
    EXPECT_NE(out.find("{\"sentence\":\"GPGGA,"), std::string::npos);
    const std::string stats = LastLine(out);
    EXPECT_EQ(Field(stats, "baud"), 19200);
    EXPECT_EQ(Field(stats, "checksum_errors"), 0);
    EXPECT_GT(Types(stats)["GPRMC"], 0);
}

TEST_F(LiveSerialTest, AtTheWrongSpeedOnlyGarbageUntilInterrupted) {
    // timeout(1) sends SIGINT, after which the statistics still come.
    const std::string out = RunCommand("timeout -s INT 3 " + std::string(KELMSTAR_DECODE) +
                                       " --baud=4800 --stats " + link);
    const std::string stats = LastLine(out);
    EXPECT_EQ(Field(stats, "baud"), 4800);
    EXPECT_GT(Field(stats, "bytes"), 0);
    EXPECT_GT(Field(stats, "checksum_errors") + Field(stats, "noise_bytes"), 0);
    EXPECT_EQ(out.find("{\"sentence\":\"GPGGA,"), std::string::npos);
    EXPECT_EQ(out.find("{\"sentence\":\"GPRMC,"), std::string::npos);
}

// A receiver that sends nothing but one RMC a second at 9600 baud: the first speed tried
// (4800) reads garbage, and at 9600 two sentences take up to two seconds to come.
class OneSentenceASecondTest : public LiveSerialTest {
protected:
    void SetUp() override {
        Spawn({"--uart", "--baud=9600", "--rate=1"});
        fd = open(link.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        termios line{};
        ASSERT_EQ(tcgetattr(fd, &line), 0);
        cfmakeraw(&line);
        cfsetspeed(&line, B9600);
        ASSERT_EQ(tcsetattr(fd, TCSANOW, &line), 0);
        for (const char* code : {"00", "02", "03"}) {  // GGA, GSA and GSV off
            std::string body = std::string("PQKL103,") + code + ",00,00,1";
            unsigned sum = 0;
            for (const char c : body) {
                sum ^= static_cast<unsigned char>(c);
            }
            char frame[64];
            std::snprintf(frame, sizeof frame, "$%s*%02X\r\n", body.c_str(), sum);
            ASSERT_EQ(write(fd, frame, std::strlen(frame)),
                      static_cast<ssize_t>(std::strlen(frame)));
        }
    }
    // Held open to the end: the last close of the terminal would be a hang-up to the
    // simulator while the tool opens it.
    void TearDown() override {
        close(fd);
        LiveSerialTest::TearDown();
    }

    int fd = -1;
};

TEST_F(OneSentenceASecondTest, IsFoundAtItsSpeedEveryTime) {
    for (int run = 0; run < 3; ++run) {
        const std::string err = testing::TempDir() + "decode-stderr-" + std::to_string(getpid());
        const std::string out =
            RunCommand(std::string(KELMSTAR_DECODE) + " --baud=auto --duration=1 --stats " + link +
                       " 2>" + err);
        std::stringstream detected;
        detected << std::ifstream(err).rdbuf();
        EXPECT_EQ(detected.str(), "detected 9600 baud\n") << "run " << run;
        const auto types = Types(LastLine(out));
        EXPECT_EQ(types.count("GPGGA"), 0u) << "run " << run;
    }
}

#endif

}  // namespace
