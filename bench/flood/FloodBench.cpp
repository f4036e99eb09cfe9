// The program binary under floods and hostile peers, offscreen, started on its source from
// the command line with sharing on:
//   tcp      a tcp:// source that sends as fast as it can for --seconds;
//   udp      a udp:// source whose sender sends datagrams as fast as it can for --seconds;
//   clients  a tcp:// source at a receiver's pace, and sixteen share clients that first only
//            read and then also send as fast as they can, --seconds each.
// It reports the program's resident memory (VmRSS) before, at its peak and after, its CPU use
// (from /proc/<pid>/stat) and how long after the flood a sentence sent by the source took to
// come out of the share. Usage:
//   flood_bench [--run=tcp|udp|clients|all] [--seconds=10] [--program=PATH]
// Exit status 1 when a run could not be made (the program died, or nothing came through the
// share within a minute); the figures themselves are not judged here.

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSettings>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "CommandOption.h"
#include "KelmstarApplication.h"
#include "ProgramProcess.h"
#include "ShareSettings.h"
#include "ShareWatcher.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kShareClients = 16;

struct Options {
    std::string run = "all";
    double seconds = 10;
    std::string program = KELMSTAR_BIN;
};

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

sockaddr_in Loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

// A socket bound to a free loopback port; listening when it is a stream socket.
int BoundSocket(int type, std::uint16_t& port) {
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        (type == SOCK_STREAM && ::listen(fd, 1) != 0) ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("no loopback port");
    }
    port = ntohs(address.sin_port);
    return fd;
}

std::uint16_t FreePort(int type) {
    std::uint16_t port = 0;
    ::close(BoundSocket(type, port));
    return port;
}

// About 64 KiB of a real receiver's sentences, whole.
std::string FloodText() {
    std::ifstream capture(KELMSTAR_CAPTURES "/mtk-3301.log");
    std::string sentences;
    for (std::string line; std::getline(capture, line);) {
        if (!line.empty() && line[0] == '$') {
            while (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            sentences += line + "\r\n";
        }
    }
    std::string text;
    while (text.size() + sentences.size() <= 64 * 1024) {
        text += sentences;
    }
    return text;
}

// Sends all of `data` unless `until` passes first; false then, or on a failure.
bool SendAll(int fd, const std::string& data, Clock::time_point until) {
    for (std::size_t sent = 0; sent < data.size();) {
        const ssize_t n =
            ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        pollfd entry{fd, POLLOUT, 0};
        if (Clock::now() >= until || ::poll(&entry, 1, 50) < 0) {
            return false;
        }
    }
    return true;
}

// Sends the marker `word` through the source every 100 ms until it comes out of the share;
// the seconds that took.
double ThroughShare(const std::function<void(const std::string&)>& send, ShareWatcher& watcher,
                    const std::string& word) {
    const std::string marker = ShareWatcher::MarkerSentence(word);
    const auto start = Clock::now();
    while (Clock::now() - start < 60s) {
        send(marker);
        if (const auto seen = watcher.WaitFor(word, 100ms)) {
            return Seconds(*seen - start);
        }
    }
    throw std::runtime_error("\"" + word + "\" did not come through the share within a minute");
}

// The program started on `source`, sharing on a port of its own, in a fresh folder.
struct Subject {
    explicit Subject(const Options& options, const std::string& source) {
        char pattern[] = "/tmp/kelmstar-flood-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) {
            throw std::runtime_error("no temporary folder");
        }
        folder = pattern;
        sharePort = FreePort(SOCK_STREAM);
        // The program reads its settings from the folder's config/ (XDG_CONFIG_HOME).
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(folder + "/config"));
        ShareSettings{true, sharePort, false}.Save();
        program = std::make_unique<ProgramProcess>(options.program,
                                                   std::vector<std::string>{source}, folder);
        watcher = std::make_unique<ShareWatcher>(sharePort);
    }
    ~Subject() {
        watcher.reset();
        program.reset();
        std::filesystem::remove_all(folder);
    }

    std::string folder;
    std::uint16_t sharePort = 0;
    std::unique_ptr<ProgramProcess> program;
    std::unique_ptr<ShareWatcher> watcher;
};

// Runs `flood` on a thread of its own while the program's memory is sampled.
struct Measured {
    std::int64_t rssBefore = 0;
    std::int64_t rssPeak = 0;
    double cpuPercent = 0;
    double seconds = 0;
};

Measured Measure(const ProgramProcess& program, const std::function<void()>& flood) {
    Measured measured;
    measured.rssBefore = program.RssKb();
    measured.rssPeak = measured.rssBefore;
    const double cpuBefore = program.CpuSeconds();
    const auto start = Clock::now();
    std::atomic<bool> done{false};
    std::thread flooder([&] {
        flood();
        done = true;
    });
    while (!done) {
        std::this_thread::sleep_for(50ms);
        measured.rssPeak = std::max(measured.rssPeak, program.RssKb());
    }
    flooder.join();
    measured.seconds = Seconds(Clock::now() - start);
    measured.cpuPercent = 100.0 * (program.CpuSeconds() - cpuBefore) / measured.seconds;
    if (!program.Running()) {
        throw std::runtime_error("the program ended during the flood");
    }
    return measured;
}

void ReportFlood(const char* what, const Measured& m, std::int64_t sent, double after,
                 std::int64_t rssAfter, int shareConnections) {
    const double growthMb = static_cast<double>(m.rssPeak - m.rssBefore) / 1024.0;
    std::printf("flood: %s, %.1f s as fast as the sender can\n", what, m.seconds);
    std::printf("sent %.1f MB (%.1f MB/s)\n", static_cast<double>(sent) / 1e6,
                static_cast<double>(sent) / 1e6 / m.seconds);
    std::printf(
        "program RSS before %.1f MB, peak %.1f MB (growth %.1f MB, target < 100: %s), "
        "after %.1f MB\n",
        static_cast<double>(m.rssBefore) / 1024.0, static_cast<double>(m.rssPeak) / 1024.0,
        growthMb, growthMb < 100 ? "met" : "MISSED", static_cast<double>(rssAfter) / 1024.0);
    std::printf("program CPU during the flood: %.1f %% of one core\n", m.cpuPercent);
    std::printf("first sentence after the flood shared after %.2f s\n", after);
    // More than one: the share dropped the watcher, which then connected again.
    std::printf("share watcher connected %d time(s)\n", shareConnections);
}

// The program's connection to `listener` (the source it was started on); the listener is
// closed.
int AcceptProgram(int listener, const std::string& source) {
    pollfd entry{listener, POLLIN, 0};
    if (::poll(&entry, 1, 15000) != 1) {
        throw std::runtime_error("the program did not connect to " + source);
    }
    const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    ::close(listener);
    return fd;
}

void RunTcp(const Options& options) {
    std::uint16_t port = 0;
    const int listener = BoundSocket(SOCK_STREAM, port);
    const std::string source = "tcp://127.0.0.1:" + std::to_string(port);
    Subject subject(options, source);
    const int fd = AcceptProgram(listener, source);
    const auto send = [fd](const std::string& text) { SendAll(fd, text, Clock::now() + 100ms); };
    ThroughShare(send, *subject.watcher, "ready");
    const std::string text = FloodText();
    std::int64_t sent = 0;
    const Measured m = Measure(*subject.program, [&] {
        const auto until = Clock::now() + std::chrono::duration<double>(options.seconds);
        while (Clock::now() < until) {
            const ssize_t n = ::send(fd, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                sent += n;
            } else {
                pollfd out{fd, POLLOUT, 0};
                ::poll(&out, 1, 10);
            }
        }
    });
    // What the sender still had queued goes first; the marker is sent whole after it.
    const auto sendWhole = [fd](const std::string& text) { SendAll(fd, text, Clock::now() + 60s); };
    const double after = ThroughShare(sendWhole, *subject.watcher, "after");
    ReportFlood(source.c_str(), m, sent, after, subject.program->RssKb(),
                subject.watcher->Connections());
    ::close(fd);
}

void RunUdp(const Options& options) {
    const std::uint16_t port = FreePort(SOCK_DGRAM);
    const std::string source = "udp://127.0.0.1:" + std::to_string(port);
    Subject subject(options, source);
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = Loopback(port);
    ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const auto send = [fd](const std::string& text) { ::send(fd, text.data(), text.size(), 0); };
    ThroughShare(send, *subject.watcher, "ready");
    // Datagrams of whole sentences, about 1400 bytes each.
    const std::string text = FloodText();
    std::vector<std::string> datagrams;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at;
        while (end < text.size() && end - at < 1400) {
            end = text.find('\n', end) + 1;
        }
        datagrams.push_back(text.substr(at, end - at));
        at = end;
    }
    std::int64_t sent = 0;
    const Measured m = Measure(*subject.program, [&] {
        const auto until = Clock::now() + std::chrono::duration<double>(options.seconds);
        for (std::size_t i = 0; Clock::now() < until; i = (i + 1) % datagrams.size()) {
            const ssize_t n = ::send(fd, datagrams[i].data(), datagrams[i].size(), 0);
            if (n > 0) {
                sent += n;
            }
        }
    });
    const double after = ThroughShare(send, *subject.watcher, "after");
    ReportFlood(source.c_str(), m, sent, after, subject.program->RssKb(),
                subject.watcher->Connections());
    ::close(fd);
}

// Sixteen share clients that read, and send as fast as they can while `sending` is set.
class HostileClients {
public:
    HostileClients(std::uint16_t port, const std::atomic<bool>& sending) : sending_(sending) {
        for (int& fd : fds_) {
            fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            const sockaddr_in address = Loopback(port);
            if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
                throw std::runtime_error("a share client cannot connect");
            }
        }
        thread_ = std::thread([this] { Run(); });
    }
    ~HostileClients() {
        stop_ = true;
        thread_.join();
        for (int fd : fds_) {
            ::close(fd);
        }
    }
    std::int64_t Sent() const { return sent_; }
    int Dropped() const { return dropped_; }

private:
    void Run() {
        const std::string junk(64 * 1024, 'x');
        std::array<char, 1 << 16> chunk{};
        std::array<pollfd, kShareClients> entries{};
        std::array<bool, kShareClients> open{};
        open.fill(true);
        while (!stop_) {
            for (int i = 0; i < kShareClients; ++i) {
                const short out = sending_ ? POLLOUT : 0;
                entries[i] = {open[i] ? fds_[i] : -1, static_cast<short>(POLLIN | out), 0};
            }
            if (::poll(entries.data(), entries.size(), 50) <= 0) {
                continue;
            }
            for (int i = 0; i < kShareClients; ++i) {
                if (entries[i].revents & POLLIN) {
                    if (::recv(fds_[i], chunk.data(), chunk.size(), MSG_DONTWAIT) == 0) {
                        open[i] = false;
                        ++dropped_;
                    }
                }
                if (open[i] && (entries[i].revents & POLLOUT)) {
                    const ssize_t n =
                        ::send(fds_[i], junk.data(), junk.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
                    sent_ += n > 0 ? n : 0;
                }
            }
        }
    }

    const std::atomic<bool>& sending_;
    std::array<int, kShareClients> fds_{};
    std::atomic<bool> stop_{false};
    std::atomic<std::int64_t> sent_{0};
    std::atomic<int> dropped_{0};
    std::thread thread_;
};

void RunClients(const Options& options) {
    std::uint16_t port = 0;
    const int listener = BoundSocket(SOCK_STREAM, port);
    const std::string source = "tcp://127.0.0.1:" + std::to_string(port);
    Subject subject(options, source);
    const int fd = AcceptProgram(listener, source);
    std::mutex sendMutex;
    const auto send = [&](const std::string& text) {
        std::lock_guard lock(sendMutex);
        SendAll(fd, text, Clock::now() + 1s);
    };
    ThroughShare(send, *subject.watcher, "ready");
    // A receiver's pace: ten sentences every 100 ms.
    std::atomic<bool> stop{false};
    std::thread receiver([&] {
        const std::string text = FloodText();
        for (std::size_t at = 0; !stop;) {
            std::string group;
            for (int i = 0; i < 10; ++i, at = at % text.size()) {
                const std::size_t end = text.find('\n', at) + 1;
                group += text.substr(at, end - at);
                at = end;
            }
            send(group);
            std::this_thread::sleep_for(100ms);
        }
    });
    std::atomic<bool> sending{false};
    const auto wait = [&] {
        std::this_thread::sleep_for(std::chrono::duration<double>(options.seconds));
    };
    double quietCpu = 0;
    double floodCpu = 0;
    std::int64_t sent = 0;
    int dropped = 0;
    {
        // The watcher makes room: the share takes sixteen clients. The share learns that it
        // has gone when the next sentences are sent to it.
        subject.watcher.reset();
        std::this_thread::sleep_for(500ms);
        HostileClients clients(subject.sharePort, sending);
        quietCpu = Measure(*subject.program, wait).cpuPercent;
        sending = true;
        floodCpu = Measure(*subject.program, wait).cpuPercent;
        sent = clients.Sent();
        dropped = clients.Dropped();
    }
    subject.watcher = std::make_unique<ShareWatcher>(subject.sharePort);
    const double after = ThroughShare(send, *subject.watcher, "after");
    stop = true;
    receiver.join();
    ::close(fd);
    std::printf("share clients: %d on %s at ten sentences per 100 ms, %.1f s each way\n",
                kShareClients, source.c_str(), options.seconds);
    std::printf("program CPU with the clients reading only: %.1f %% of one core\n", quietCpu);
    std::printf(
        "program CPU with the clients also sending as fast as they can: %.1f %% of one "
        "core (target < 25: %s)\n",
        floodCpu, floodCpu < 25 ? "met" : "MISSED");
    std::printf("the clients sent %.1f MB; %d of them were dropped\n",
                static_cast<double>(sent) / 1e6, dropped);
    std::printf("a sentence after that shared after %.2f s\n", after);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    // The program's settings are written as the program names them.
    QCoreApplication::setApplicationName(KelmstarApplication::kTitle);
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string value;
        if (Option(argv[i], "--run", value)) {
            options.run = value;
        } else if (Option(argv[i], "--seconds", value)) {
            options.seconds = std::stod(value);
        } else if (Option(argv[i], "--program", value)) {
            options.program = value;
        } else {
            std::fprintf(stderr, "flood_bench: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    const std::pair<const char*, void (*)(const Options&)> runs[] = {
        {"tcp", RunTcp}, {"udp", RunUdp}, {"clients", RunClients}};
    try {
        bool first = true;
        for (const auto& [name, run] : runs) {
            if (options.run == "all" || options.run == name) {
                std::printf(first ? "" : "\n");
                first = false;
                run(options);
                std::fflush(stdout);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "flood_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
