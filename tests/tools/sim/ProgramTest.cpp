// Runs the kelmstar-sim program: on a pseudo-terminal, talking to it through its symbolic link
// as the control program does, and writing to a file.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>

#include "KelmstarVersion.h"
#include "SentenceChecks.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(10);

// Reads from fd into buffer until done(buffer) holds or the timeout passes.
bool readUntil(int fd, std::string& buffer, const std::function<bool(const std::string&)>& done) {
    const auto deadline = Clock::now() + kTimeout;
    while (!done(buffer)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        char chunk[1024];
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n > 0) {
            buffer.append(chunk, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EAGAIN) {
            return done(buffer);
        }
    }
    return true;
}

// Complete lines of the buffer from position from on, each with its line end.
std::vector<std::string> completeLines(const std::string& buffer, std::size_t from = 0) {
    std::vector<std::string> lines;
    std::size_t start = buffer.find('$', from);
    while (start != std::string::npos) {
        const std::size_t end = buffer.find('\n', start);
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(buffer.substr(start, end + 1 - start));
        start = buffer.find('$', end);
    }
    return lines;
}

bool hasSentence(const std::string& buffer, std::size_t from, const std::string& prefix) {
    for (const auto& line : completeLines(buffer, from)) {
        if (line.rfind(prefix, 0) == 0) {
            return true;
        }
    }
    return false;
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args) {
        int out[2];
        int err[2];
        if (pipe(out) != 0 || pipe(err) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            dup2(err[1], 2);
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(KELMSTAR_SIM_PATH));
            for (const auto& a : args) {
                argv.push_back(const_cast<char*>(a.c_str()));
            }
            argv.push_back(nullptr);
            execv(KELMSTAR_SIM_PATH, argv.data());
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        stdout_ = out[0];
        stderr_ = err[0];
        fcntl(stderr_, F_SETFL, O_NONBLOCK);
        fcntl(stdout_, F_SETFL, O_NONBLOCK);
    }
    ~SimProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(stdout_);
        close(stderr_);
    }

    // Waits for the exit of a run that ends by itself; returns the exit status, or -1.
    int wait(std::string& out, std::string& err) {
        // Read to the end of both pipes, so that a chatty child never blocks on a full pipe.
        readUntil(stdout_, out, [](const std::string&) { return false; });
        readUntil(stderr_, err, [](const std::string&) { return false; });
        int status = 0;
        if (waitpid(pid_, &status, 0) != pid_) {
            return -1;
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    int stdoutFd() const { return stdout_; }
    int stderrFd() const { return stderr_; }

    // Sends SIGTERM and waits for the exit; returns the exit status, or -1.
    int terminate() {
        kill(pid_, SIGTERM);
        const auto deadline = Clock::now() + kTimeout;
        while (Clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            pollfd p{stderr_, POLLIN, 0};
            poll(&p, 1, 20);  // the pipe wakes us when the process closes it
            char sink[256];
            while (read(stderr_, sink, sizeof sink) > 0) {
            }
        }
        return -1;
    }

private:
    pid_t pid_ = -1;
    int stdout_ = -1;
    int stderr_ = -1;
};

class PtyRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/kelmstar-sim-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        dir_ = dir;
        link_ = dir_ + "/ttyGPS";
    }
    void TearDown() override {
        unlink(link_.c_str());
        rmdir(dir_.c_str());
    }
    std::string dir_;
    std::string link_;
};

TEST_F(PtyRoundTrip, SendsSentencesObeysCommandsAndCleansUp) {
    SimProcess sim({"--link=" + link_, "--baud=38400", "--start=2026-03-01T10:00:00",
                    "--start-mode=hot", "--lat=52.2", "--lon=6.9", "--duration=120"});
    std::string out;
    ASSERT_TRUE(readUntil(sim.stdoutFd(), out,
                          [](const std::string& b) { return b.find('\n') != std::string::npos; }));
    EXPECT_EQ(out, link_ + "\n");

    const int tty = open(link_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(tty, 0) << link_;
    std::string received;
    ASSERT_TRUE(readUntil(tty, received, [](const std::string& b) {
        return hasSentence(b, 0, "$GPRMC,") && hasSentence(b, 0, "$GPGGA,");
    }));
    for (const auto& line : completeLines(received)) {
        EXPECT_TRUE(simtest::isValidSentence(line));
    }
    EXPECT_FALSE(hasSentence(received, 0, "$GPVTG,"));

    // Switch VTG on, five copies in one write, then a command with a wrong checksum.
    std::string command;
    for (int i = 0; i < 5; ++i) {
        command += simtest::commandFrame("PQKL103,05,00,01,01");
    }
    command += "$PQKL103,00,00,00, 1*00\r\n";
    ASSERT_EQ(write(tty, command.data(), command.size()), static_cast<ssize_t>(command.size()));

    std::string report;
    ASSERT_TRUE(readUntil(sim.stderrFd(), report, [](const std::string& b) {
        return b.find("rejected $PQKL103,00,00,00, 1*00") != std::string::npos;
    })) << report;
    EXPECT_EQ(count(report, "accepted $PQKL103,05,00,01,01"), 1u) << report;
    const std::size_t mark = received.size();
    ASSERT_TRUE(readUntil(
        tty, received, [mark](const std::string& b) { return hasSentence(b, mark, "$GPVTG,"); }));
    // The rejected command left GGA on.
    EXPECT_TRUE(hasSentence(received, mark, "$GPGGA,"));

    // A hot restart elsewhere: the fix stays and moves to the southern and western hemispheres.
    const std::string reset =
        simtest::commandFrame("PQKL104,-33.8688,-70.6693,520,75000,345600,2410,12,1");
    ASSERT_EQ(write(tty, reset.data(), reset.size()), static_cast<ssize_t>(reset.size()));
    const std::size_t mark2 = received.size();
    ASSERT_TRUE(readUntil(tty, received, [mark2](const std::string& b) {
        for (const auto& line : completeLines(b, mark2)) {
            if (line.find(",S,") != std::string::npos && line.rfind("$GPRMC,", 0) == 0) {
                return true;
            }
        }
        return false;
    }));
    ASSERT_TRUE(readUntil(sim.stderrFd(), report, [](const std::string& b) {
        return b.find("hot start at -33.8688") != std::string::npos;
    })) << report;
    close(tty);

    EXPECT_EQ(sim.terminate(), 0);
    struct stat st {};
    EXPECT_NE(lstat(link_.c_str(), &st), 0) << "the link should be removed on exit";
}

TEST_F(PtyRoundTrip, OutputTooLargeForTheLineIsDroppedInWholeSentences) {
    SimProcess sim(
        {"--link=" + link_, "--baud=4800", "--start-mode=hot", "--rate=10", "--duration=120"});
    std::string out;
    ASSERT_TRUE(readUntil(sim.stdoutFd(), out,
                          [](const std::string& b) { return b.find('\n') != std::string::npos; }));
    const int tty = open(link_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(tty, 0);
    // Ten groups a second do not fit through 4800 baud: the simulator says so and keeps the
    // sentences it sends whole.
    std::string report;
    ASSERT_TRUE(readUntil(sim.stderrFd(), report, [](const std::string& b) {
        return b.find("too slow") != std::string::npos;
    })) << report;
    std::string received;
    ASSERT_TRUE(readUntil(tty, received,
                          [](const std::string& b) { return completeLines(b).size() > 20; }));
    for (const auto& line : completeLines(received, received.find('\n'))) {
        EXPECT_TRUE(simtest::isValidSentence(line));
    }
    close(tty);
    EXPECT_EQ(sim.terminate(), 0);
}

long long monotonicNanos() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

TEST_F(PtyRoundTrip, TimestampsListEverySentenceSentInOrderOnTheMonotonicClock) {
    const std::string stamps = dir_ + "/stamps.txt";
    const long long before = monotonicNanos();
    SimProcess sim({"--link=" + link_, "--baud=115200", "--rate=10", "--start-mode=hot", "--gll",
                    "--vtg", "--timestamps=" + stamps, "--duration=120"});
    std::string out;
    ASSERT_TRUE(readUntil(sim.stdoutFd(), out,
                          [](const std::string& b) { return b.find('\n') != std::string::npos; }));
    const int tty = open(link_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(tty, 0);
    std::string received;
    ASSERT_TRUE(readUntil(tty, received,
                          [](const std::string& b) { return completeLines(b).size() > 40; }));
    close(tty);
    EXPECT_EQ(sim.terminate(), 0);
    const long long after = monotonicNanos();

    std::string listed;
    const int in = open(stamps.c_str(), O_RDONLY);
    ASSERT_GE(in, 0) << stamps;
    readUntil(in, listed, [](const std::string&) { return false; });
    close(in);
    unlink(stamps.c_str());

    // "<nanoseconds> <sentence>" lines: the sentences as sent, the times in the run's span
    // and never going back.
    std::vector<std::string> sentences;
    long long previous = before;
    std::size_t start = 0;
    for (std::size_t end = listed.find('\n'); end != std::string::npos;
         start = end + 1, end = listed.find('\n', start)) {
        const std::string line = listed.substr(start, end - start);
        const std::size_t blank = line.find(' ');
        ASSERT_NE(blank, std::string::npos) << line;
        const long long stamp = std::stoll(line.substr(0, blank));
        EXPECT_GE(stamp, previous) << line;
        EXPECT_LE(stamp, after) << line;
        previous = stamp;
        sentences.push_back(line.substr(blank + 1));
        EXPECT_TRUE(simtest::isValidSentence(sentences.back() + "\r\n")) << line;
    }
    EXPECT_EQ(start, listed.size()) << "the list ends with a whole line";
    // Every whole sentence read from the terminal is listed, in the same order.
    const auto lines = completeLines(received);
    ASSERT_GT(lines.size(), 40u);
    std::size_t at = 0;
    for (const std::string& line : lines) {
        const std::string text = line.substr(0, line.size() - 2);
        while (at < sentences.size() && sentences[at] != text) {
            ++at;
        }
        ASSERT_LT(at, sentences.size()) << "not listed in order: " << text;
        ++at;
    }
}

TEST(PtyStartup, RefusesToReplaceAFileThatIsNotALink) {
    char path[] = "/tmp/kelmstar-sim-file-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    SimProcess sim({std::string("--link=") + path, "--duration=5"});
    std::string report;
    EXPECT_TRUE(readUntil(sim.stderrFd(), report, [](const std::string& b) {
        return b.find("not a symbolic link") != std::string::npos;
    })) << report;
    struct stat st {};
    EXPECT_EQ(lstat(path, &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    unlink(path);
}

// The text of a file, which is then removed.
std::string fileText(const std::string& path) {
    std::string text;
    const int in = open(path.c_str(), O_RDONLY);
    readUntil(in, text, [](const std::string&) { return false; });
    close(in);
    unlink(path.c_str());
    return text;
}

TEST(ProgramFile, NoiseOptionsSpoilSomeSentencesOfTheLog) {
    char path[] = "/tmp/kelmstar-sim-log-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    SimProcess sim({std::string("--output=") + path, "--noise=0.002", "--cut=0.05",
                    "--start=2026-03-01T10:00:00", "--duration=100"});
    std::string out;
    std::string err;
    ASSERT_EQ(sim.wait(out, err), 0) << err;
    const auto lines = completeLines(fileText(path));
    ASSERT_GT(lines.size(), 500u);
    std::size_t spoilt = 0;
    for (const auto& line : lines) {
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        spoilt += !simtest::isValidSentence(line);
    }
    // A few percent of the sentences: the cut share plus those hit by a corrupted byte.
    EXPECT_GT(spoilt, lines.size() * 3 / 100);
    EXPECT_LT(spoilt, lines.size() * 30 / 100);
}

// Debian's gpsdecode, an independent reader, finds the multi-GNSS receiver's fixes at its
// place, and its last sky holds the satellites of the last epoch under the right system,
// number and signal (gpsd's signal 0 for each system's first signal).
TEST(ProgramFile, GpsdecodeReadsTheMultiGnssReceiverInEveryNmeaVersion) {
    if (std::system("command -v gpsdecode >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "gpsdecode (package gpsd-clients) is not installed";
    }
    const std::map<std::string, int> gnssIds = {{"GP", 0}, {"GL", 6}, {"GA", 2}, {"GB", 3}};
    const std::regex position("\"class\":\"TPV\".*\"lat\":([-0-9.]+),\"lon\":([-0-9.]+)");
    const std::regex satellite("\"gnssid\":(\\d+),\"svid\":(\\d+)(,\"sigid\":(\\d+))?");
    for (const std::string version : {"4.11", "4.10", "4.00"}) {
        SCOPED_TRACE(version);
        const std::string log = "/tmp/kelmstar-sim-gnss-" + std::to_string(getpid()) + ".log";
        SimProcess sim({"--output=" + log, "--systems=gps,glonass,galileo,beidou",
                        "--nmea=" + version, "--start=2026-03-01T10:00:00", "--start-mode=hot",
                        "--lat=-33.4489", "--lon=-70.6693", "--speed=0", "--duration=30"});
        std::string out;
        std::string err;
        ASSERT_EQ(sim.wait(out, err), 0) << err;
        ASSERT_EQ(std::system(("gpsdecode < " + log + " > " + log + ".json").c_str()), 0);

        std::set<std::tuple<int, int, int>> inView;  // gnssid, svid, sigid of the last epoch
        for (const std::string& line : completeLines(fileText(log))) {
            const auto f = simtest::fieldsOf(line);
            const std::string talker = f[0].substr(0, 2);
            if (f[0] == "GNGGA") {  // a new epoch
                inView.clear();
            }
            for (std::size_t b = 4; f[0].substr(2) == "GSV" && b + 3 < f.size(); b += 4) {
                const int n = std::stoi(f[b]);
                inView.emplace(gnssIds.at(talker), talker == "GL" ? n - 64 : n, 0);
            }
        }
        int fixes = 0;
        std::string lastSky;
        std::istringstream lines(fileText(log + ".json"));
        for (std::string line; std::getline(lines, line);) {
            std::smatch m;
            if (std::regex_search(line, m, position)) {
                EXPECT_NEAR(std::stod(m[1]), -33.4489, 2e-4) << line;
                EXPECT_NEAR(std::stod(m[2]), -70.6693, 2e-4) << line;
                ++fixes;
            } else if (line.find("\"class\":\"SKY\"") != std::string::npos) {
                lastSky = line;
            }
        }
        EXPECT_GT(fixes, 20);
        std::set<std::tuple<int, int, int>> listed;
        for (auto it = std::sregex_iterator(lastSky.begin(), lastSky.end(), satellite);
             it != std::sregex_iterator(); ++it) {
            const auto& m = *it;
            listed.emplace(std::stoi(m[1]), std::stoi(m[2]), m[4].matched ? std::stoi(m[4]) : 0);
        }
        EXPECT_GE(inView.size(), 20u);
        EXPECT_EQ(listed, inView) << lastSky;
    }
}

TEST(ProgramOptions, VersionIsTheProjectVersion) {
    SimProcess sim({"--version"});
    std::string out;
    std::string err;
    EXPECT_EQ(sim.wait(out, err), 0);
    EXPECT_EQ(out, std::string("kelmstar-sim ") + kKelmstarVersion + "\n");
}

TEST(ProgramOptions, HelpAndBadOptions) {
    {
        SimProcess sim({"--help"});
        std::string out;
        std::string err;
        EXPECT_EQ(sim.wait(out, err), 0);
        EXPECT_NE(out.find("--baud=N"), std::string::npos) << out;
    }
    {
        SimProcess sim({"--rate=99"});
        std::string out;
        std::string err;
        EXPECT_EQ(sim.wait(out, err), 2);
        EXPECT_NE(err.find("--rate"), std::string::npos) << err;
        EXPECT_TRUE(out.empty());
    }
}

}  // namespace
