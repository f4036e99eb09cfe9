// kelmstar-decode on network sources against real peers on loopback: gpsd fed by gpsfake, a
// TCP server and a UDP sender. Each must print the same fixes as the capture file itself.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "RunCommand.h"

extern char** environ;

namespace {

const std::string kCapture = std::string(KELMSTAR_CAPTURES) + "/mtk-3301.log";

// The decoded RMC sentences with the position they gave, keyed by sentence text.
std::map<std::string, std::string> RmcFixes(const std::string& output) {
    std::map<std::string, std::string> fixes;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        const std::size_t text = line.find("\"sentence\":\"") + 12;
        const std::size_t end = line.find('"', text);
        const std::size_t lat = line.find("\"latitude\"");
        const std::size_t speed = line.find("\"speedKnots\"");
        if (line.compare(text + 2, 3, "RMC") == 0 && lat != std::string::npos) {
            fixes[line.substr(text, end - text)] = line.substr(lat, speed - lat);
        }
    }
    return fixes;
}

std::string Decode(const std::string& arguments) {
    const CommandResult run = RunCommandWithStatus(std::string(KELMSTAR_DECODE) + " " + arguments);
    EXPECT_EQ(run.status, 0) << arguments;
    return run.output;
}

// Every fix that came over the network is the fix the file gives for that sentence.
void ExpectSameFixes(const std::string& networkOutput, std::size_t atLeast) {
    const auto expected = RmcFixes(Decode(kCapture));
    const auto got = RmcFixes(networkOutput);
    EXPECT_GE(got.size(), atLeast);
    for (const auto& [sentence, fix] : got) {
        ASSERT_TRUE(expected.count(sentence)) << sentence;
        EXPECT_EQ(fix, expected.at(sentence)) << sentence;
    }
}

std::string CaptureText() {
    std::ifstream in(kCapture);
    std::ostringstream text;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] == '$') {
            text << line << "\r\n";
        }
    }
    return text.str();
}

int LoopbackSocket(int type, sockaddr_in& address) {
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    return fd;
}

bool Installed(const char* program) {
    return ::access(program, X_OK) == 0;
}

}  // namespace

TEST(NetworkInputTest, GpsdFedByGpsfakeGivesTheFixesOfTheCapture) {
    if (!Installed("/usr/bin/gpsfake") || !Installed("/usr/sbin/gpsd")) {
        GTEST_SKIP() << "gpsfake or gpsd is missing (Debian packages gpsd, gpsd-clients)";
    }
    sockaddr_in address{};
    const int probe = LoopbackSocket(SOCK_STREAM, address);
    const std::string port = std::to_string(ntohs(address.sin_port));
    ::close(probe);
    // gpsfake starts gpsd on loopback and feeds the capture once a client watches.
    const char* argv[] = {"gpsfake",        "-1",   "-q", "-c", "0.1", "-P", port.c_str(),
                          kCapture.c_str(), nullptr};
    // In a process group of its own: gpsfake does not end on SIGTERM, so it and its gpsd are
    // killed together.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t fake = 0;
    ASSERT_EQ(::posix_spawn(&fake, "/usr/bin/gpsfake", nullptr, &attributes,
                            const_cast<char**>(argv), environ),
              0);
    posix_spawnattr_destroy(&attributes);
    // gpsd needs a moment to listen: the decoder is started again until it connects.
    std::string out;
    for (int attempt = 0; attempt < 50 && out.empty(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        out = Decode("gpsd://127.0.0.1:" + port + " --duration=12 2>/dev/null || true");
    }
    ::kill(-fake, SIGKILL);
    ::waitpid(fake, nullptr, 0);
    ::unlink(("/tmp/gpsfake-" + std::to_string(fake) + ".sock").c_str());
    ExpectSameFixes(out, 5);
}

TEST(NetworkInputTest, TcpServerGivesTheFixesOfTheCapture) {
    sockaddr_in address{};
    const int server = LoopbackSocket(SOCK_STREAM, address);
    ASSERT_EQ(::listen(server, 1), 0);
    const std::string port = std::to_string(ntohs(address.sin_port));
    std::string out;
    std::thread decoder([&] { out = Decode("tcp://127.0.0.1:" + port + " --duration=20 2>&1"); });
    pollfd entry{server, POLLIN, 0};
    ASSERT_EQ(::poll(&entry, 1, 10000), 1) << "the decoder did not connect";
    const int client = ::accept(server, nullptr, nullptr);
    const std::string text = CaptureText();
    EXPECT_EQ(::send(client, text.data(), text.size(), MSG_NOSIGNAL), ssize_t(text.size()));
    ::close(client);  // the end of the stream ends the decoder
    decoder.join();
    ::close(server);
    EXPECT_EQ(RmcFixes(out), RmcFixes(Decode(kCapture)));
    EXPECT_NE(out.find("\nkelmstar-decode: 127.0.0.1:" + port + " closed the connection\n"),
              std::string::npos);
}

TEST(NetworkInputTest, UdpDatagramsGiveTheFixesOfTheCapture) {
    sockaddr_in address{};
    const int probe = LoopbackSocket(SOCK_DGRAM, address);
    ::close(probe);
    const std::string port = std::to_string(ntohs(address.sin_port));
    std::string out;
    std::thread decoder([&] { out = Decode("udp://127.0.0.1:" + port + " --duration=4"); });
    // Datagrams sent before the decoder listens are lost, so the capture goes out in rounds,
    // one sentence per datagram, without CR LF as many senders do, until the decoder ends.
    const int sender = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const std::string text = CaptureText();
    for (int round = 0; round < 8; ++round) {
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = text.find('\n', at) + 1;
            ::sendto(sender, text.data() + at, end - at - 2, 0,
                     reinterpret_cast<sockaddr*>(&address), sizeof address);
            at = end;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    decoder.join();
    ::close(sender);
    ExpectSameFixes(out, 5);
}
