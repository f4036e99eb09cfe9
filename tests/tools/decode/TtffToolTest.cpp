// kelmstar-decode --ttff against the simulator on its pseudo-terminal (about a minute).

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "RunCommand.h"

namespace {

double Number(const std::string& line, const std::string& key) {
    std::smatch m;
    return std::regex_search(line, m, std::regex("\"" + key + "\":([0-9.]+)")) ? std::stod(m[1])
                                                                               : -1.0;
}

// Three warm starts of the simulator (8 to 15 s without a fix, then the first epoch's GGA)
// with the position stored in the settings file of the current directory.
TEST(TtffToolTest, TimesWarmStartsOfTheSimulator) {
    const std::string dir = testing::TempDir() + "ttff-" + std::to_string(getpid());
    ASSERT_EQ(RunCommandWithStatus("mkdir -p " + dir).status, 0);
    std::ofstream(dir + "/pelzo.cfg")
        << "0\n-33.4500\n-70.6700\n520\n75000\n1990\n1\n2\n12\n0\n0\n12\n";
    const std::string link = dir + "/ttyGPS";
    pid_t simulator = -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (dir + "/sim.err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string argv0 = KELMSTAR_SIM, seed = "--seed=4", linkOption = "--link=" + link,
                duration = "--duration=100";
    char* argv[] = {argv0.data(), seed.data(), linkOption.data(), duration.data(), nullptr};
    ASSERT_EQ(posix_spawn(&simulator, KELMSTAR_SIM, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    for (int i = 0; i < 100 && access(link.c_str(), F_OK) != 0; ++i) {
        usleep(20000);  // the link appears once the terminal is open
    }
    const CommandResult run = RunCommandWithStatus(
        "cd " + dir + " && " KELMSTAR_DECODE " --ttff=warm --runs=3 --timeout=30 ./ttyGPS");
    kill(simulator, SIGTERM);
    waitpid(simulator, nullptr, 0);

    EXPECT_EQ(run.status, 0) << run.output;
    std::vector<std::string> lines;
    std::stringstream output(run.output);
    for (std::string line; std::getline(output, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 4u) << run.output;
    for (int k = 1; k <= 3; ++k) {
        const std::string& line = lines[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(line.rfind("{\"class\":\"TTFF\",\"run\":" + std::to_string(k) +
                                 ",\"mode\":\"warm\",\"seconds\":",
                             0),
                  0u)
            << line;
        EXPECT_GE(Number(line, "seconds"), 8.0) << line;
        EXPECT_LE(Number(line, "seconds"), 16.5) << line;
        EXPECT_GE(Number(line, "used"), 4) << line;
        EXPECT_GT(Number(line, "hdop"), 0) << line;
    }
    EXPECT_EQ(
        lines[3].rfind("{\"class\":\"TTFF_SUMMARY\",\"mode\":\"warm\",\"runs\":3,\"fixed\":3,", 0),
        0u)
        << lines[3];
    std::stringstream commands;
    commands << std::ifstream(dir + "/sim.err").rdbuf();
    const std::regex restart(
        "accepted \\$PQKL104,-33\\.4500,-70\\.6700,520,75000,[0-9]+,[0-9]+,12,2\\*");
    const std::string text = commands.str();
    EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), restart),
                            std::sregex_iterator()),
              3)
        << text;
}

}  // namespace
