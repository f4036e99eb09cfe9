#include "LiveRun.h"
#include "NetworkPeers.h"
#include "ShareOnNetwork.h"

#include <fcntl.h>
#include <unistd.h>

#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <filesystem>
#include <stdexcept>

#include "ProcessStats.h"
#include "Program.h"
#include "SentenceTimeline.h"
#include "SourceConnector.h"
#include "TData.h"
#include "TLogFileSetting.h"
#include "TMainForm.h"

namespace {

void RunEventsFor(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// Processes events until `done` holds or `seconds` pass; returns done().
template <typename Done>
bool WaitFor(Done done, double seconds) {
    const std::int64_t end =
        ProcessStats::MonotonicNanos() + static_cast<std::int64_t>(seconds * 1e9);
    while (!done() && ProcessStats::MonotonicNanos() < end) {
        RunEventsFor(0.01);
    }
    return done();
}

// Follows the sentence log as the program appends to it.
class LogFollower {
public:
    explicit LogFollower(std::string path) : path_(std::move(path)) {}
    ~LogFollower() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    void Poll(SentenceTimeline& shown) {
        if (fd_ < 0) {
            fd_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        }
        if (fd_ < 0) {
            return;
        }
        const std::int64_t now = ProcessStats::MonotonicNanos();
        char chunk[8192];
        for (ssize_t n; (n = read(fd_, chunk, sizeof chunk)) > 0;) {
            shown.AddBytes(chunk, static_cast<std::size_t>(n), now);
        }
    }

private:
    std::string path_;
    int fd_ = -1;
};

std::filesystem::path MakeRunDirectory() {
    char pattern[] = "/tmp/kelmstar-live-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        throw std::runtime_error("cannot make a run directory in /tmp");
    }
    return pattern;
}

double Ms(std::int64_t nanos) {
    return static_cast<double>(nanos) / 1e6;
}

}  // namespace

LiveRun::Result LiveRun::Run() {
    const std::filesystem::path directory = MakeRunDirectory();
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(directory);
    const std::string link = (directory / "ttyGPS").string();
    const std::string stamps = (directory / "stamps.txt").string();
    const std::string logPath = (directory / "live.log").string();

    SentenceTimeline received;
    SentenceTimeline shown;
    std::int64_t blocks = 0;
    std::int64_t blockBytes = 0;
    std::int64_t measureFrom = 0;
    std::int64_t measureTo = 0;
    LogFollower follower(logPath);
    Result result;
    {
        Program program;
        TMainForm& main = program.MainForm();
        main.runModal = [](QDialog&) { return int(QDialog::Accepted); };
        main.runFileDialog = [&logPath](QFileDialog&) { return QString::fromStdString(logPath); };
        program.Show();

        const auto deliver = main.Comm1.OnReceiveData;
        main.Comm1.OnReceiveData = [&, deliver](TComm& comm, const char* bytes, std::uint16_t n) {
            const std::int64_t now = ProcessStats::MonotonicNanos();
            received.AddBytes(bytes, n, now);
            if (now >= measureFrom && measureTo == 0) {
                ++blocks;
                blockBytes += n;
            }
            deliver(comm, bytes, n);
        };
        // Connected after the program's own handler, so it runs when the tick is done.
        QObject::connect(main.Timer1, &QTimer::timeout, [&] { follower.Poll(shown); });

        QStringList arguments{"--link=" + QString::fromStdString(link),
                              "--timestamps=" + QString::fromStdString(stamps),
                              "--baud=" + QString::number(options_.baud),
                              "--rate=" + QString::number(options_.rate),
                              "--start-mode=hot",
                              "--seed=7"};
        if (options_.allTypes) {
            arguments << "--gll"
                      << "--vtg";
        }
        arguments << "--systems=" + QString::fromStdString(options_.systems);
        if (options_.systems != "gps") {
            arguments << "--signals=2";        // a dual-frequency receiver, as current ones are
            main.ApplySatelliteSystems(true);  // and the log keeps every talker's sentences
        }
        QProcess simulator;
        simulator.start(QString::fromStdString(options_.simulator), arguments);
        if (!simulator.waitForStarted(5000) || !simulator.waitForReadyRead(5000)) {
            throw std::runtime_error("kelmstar-sim did not start: " + options_.simulator);
        }
        NetworkPeers peers;
        std::string source = link;
        if (options_.source == "gpsd") {
            source = peers.StartGpsd(link);
        } else if (options_.source == "tcp") {
            source = peers.StartTcpBridge(link);
        }
        if (options_.shareClients >= 0) {
            main.Share->Apply({true, 0, false});
            peers.StartShareClients(main.Share->Server().Port(), options_.shareClients);
        }
        program.Windows().Data->comsetting->setEditText(QString::fromStdString(source));
        program.Windows().Data->baudrateedit->setEditText(QString::number(options_.baud));
        program.Windows().Data->BitBtn1Click();
        if (options_.readLimitMs >= 0) {
            main.Comm1.SetReadTotalTimeoutConstant(options_.readLimitMs);
        }
        // gpsd needs a moment before it listens.
        WaitFor(
            [&] {
                if (main.Comm1.IsOpen()) {
                    return true;
                }
                // A network source connects in the background; a failed try is reported
                // through the application and started again here.
                if (!main.Connector->Busy()) {
                    try {
                        main.Start1Click();
                    } catch (const ECommsError&) {
                    }
                }
                return main.Comm1.IsOpen();
            },
            5);
        if (!main.Comm1.IsOpen()) {
            throw std::runtime_error("the program could not open " + source);
        }
        program.Windows().LogFileSetting->BrowseClick();
        program.Windows().LogFileSetting->BitBtn1Click();

        if (!WaitFor([&] { return !shown.Entries().empty(); }, 10)) {
            throw std::runtime_error("no sentence reached the views within 10 s");
        }
        RunEventsFor(options_.warmUp);
        measureFrom = ProcessStats::MonotonicNanos();
        const double cpuFrom = ProcessStats::CpuSeconds();
        RunEventsFor(options_.seconds);
        measureTo = ProcessStats::MonotonicNanos();
        result.cpuSeconds = ProcessStats::CpuSeconds() - cpuFrom;
        result.wallSeconds = static_cast<double>(measureTo - measureFrom) / 1e9;

        // Let what was on its way arrive, then end the simulator so its list is complete.
        RunEventsFor(1.5);
        simulator.terminate();
        simulator.waitForFinished(5000);
        main.Stop1Click();
    }
    std::filesystem::current_path(previous);

    const SentenceTimeline written = SentenceTimeline::FromStampFile(stamps);
    const std::vector<long> receivedIn = received.MatchIn(written);
    const std::vector<long> shownIn = shown.MatchIn(received);
    std::vector<bool> wasReceived(written.Entries().size(), false);
    std::vector<bool> wasShown(written.Entries().size(), false);
    for (std::size_t i = 0; i < receivedIn.size(); ++i) {
        if (receivedIn[i] >= 0) {
            wasReceived[static_cast<std::size_t>(receivedIn[i])] = true;
        }
    }
    const auto inWindow = [&](std::int64_t nanos) {
        return nanos >= measureFrom && nanos < measureTo;
    };
    for (std::size_t i = 0; i < shownIn.size(); ++i) {
        const auto& seen = shown.Entries()[i];
        if (shownIn[i] < 0 || receivedIn[static_cast<std::size_t>(shownIn[i])] < 0) {
            result.corrupted += inWindow(seen.nanos) ? 1 : 0;
            continue;
        }
        const auto& in = received.Entries()[static_cast<std::size_t>(shownIn[i])];
        const auto w = static_cast<std::size_t>(receivedIn[static_cast<std::size_t>(shownIn[i])]);
        wasShown[w] = true;
        const auto& out = written.Entries()[w];
        if (inWindow(out.nanos)) {
            result.total.Add(Ms(seen.nanos - out.nanos));
            result.read.Add(Ms(in.nanos - out.nanos));
            result.tick.Add(Ms(seen.nanos - in.nanos));
        }
    }
    for (std::size_t w = 0; w < written.Entries().size(); ++w) {
        if (inWindow(written.Entries()[w].nanos)) {
            ++result.written;
            result.received += wasReceived[w] ? 1 : 0;
            result.shown += wasShown[w] ? 1 : 0;
        }
    }
    result.blocks = blocks;
    result.blockBytes = blockBytes;
    std::filesystem::remove_all(directory);
    return result;
}
