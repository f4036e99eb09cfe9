// The program on network sources and sharing, against real peers on loopback: a TCP
// server standing in for a serial-to-network bridge, and a real gpsd reading the share.

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "LineStatus.h"
#include "MainStatusBar.h"
#include "ProgramFixture.h"
#include "ShareOnNetwork.h"
#include "SocketOpen.h"
#include "SourceConnector.h"
#include "TData.h"
#include "TParameter.h"
#include "TStart.h"

namespace {

const QString kCapture = QString(KELMSTAR_CAPTURES) + "/mtk-3301.log";

QByteArrayList CaptureLines() {
    QFile file(kCapture);
    file.open(QIODevice::ReadOnly);
    QByteArrayList lines;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith('$')) {
            lines.append(line.trimmed() + "\r\n");
        }
    }
    return lines;
}

class NetworkSourceTest : public ProgramTest {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);  // the share's settings stay out of $HOME
        ProgramTest::SetUp();
        ASSERT_TRUE(bridge.listen(QHostAddress::LocalHost));
    }

    void TearDown() override {
        for (QProcess* process : {&gpsd, &gpspipe}) {
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                process->waitForFinished(3000);
            }
        }
        ProgramTest::TearDown();
    }

    // Starts the program on the bridge and takes its connection.
    void StartOnBridge() {
        CreateProgram();
        Windows().Data->comsetting->setEditText(
            QString("tcp://127.0.0.1:%1").arg(bridge.serverPort()));
        Windows().Data->BitBtn1Click();
        Main().Start1Click();
        ASSERT_TRUE(WaitFor([&] { return Main().Comm1.IsOpen(); }));
        ASSERT_TRUE(WaitFor([&] { return bridge.hasPendingConnections(); }));
        receiver = bridge.nextPendingConnection();
    }

    static quint16 FreePort() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        return probe.serverPort();
    }

    QTcpServer bridge;
    QTcpSocket* receiver = nullptr;
    QProcess gpsd;
    QProcess gpspipe;
};

TEST_F(NetworkSourceTest, TcpSourceFillsTheViewsAndTakesTheReceiverCommands) {
    StartOnBridge();
    for (const QByteArray& line : CaptureLines()) {
        receiver->write(line);
    }
    ASSERT_TRUE(
        WaitFor([&] { return LabelText(Windows().Parameter, "latlabel").startsWith("52.21"); }));
    EXPECT_EQ(LabelText(Windows().Parameter, "latdirlabel"), "N");

    Windows().Start->systemtimecheck->setChecked(false);
    Windows().Start->BitBtn1Click();
    QByteArray commands;
    EXPECT_TRUE(WaitFor([&] {
        commands += receiver->readAll();
        return commands.count("$PQKL104") == 5;
    }));
    EXPECT_TRUE(ReportedErrors().isEmpty()) << ReportedErrors().join("|").toStdString();

    // The bridge drops the connection: the program says so and connects again by itself.
    receiver->disconnectFromHost();
    const QLabel* state = Main().StatusBar1->stateField;
    EXPECT_TRUE(WaitFor([&] { return state->text() == LineStatus::kDisconnectedText; }));
    ASSERT_TRUE(WaitFor([&] { return bridge.hasPendingConnections(); }));
    receiver = bridge.nextPendingConnection();
    for (const QByteArray& line : CaptureLines()) {
        receiver->write(line);
    }
    EXPECT_TRUE(WaitFor([&] { return state->text() == "Receiving"; }));
}

TEST_F(NetworkSourceTest, ASourceThatCannotBeReachedLeavesTheProgramIdle) {
    const quint16 port = FreePort();
    CreateProgram();
    Windows().Data->comsetting->setEditText(QString("tcp://127.0.0.1:%1").arg(port));
    Windows().Data->BitBtn1Click();
    QTest::mouseClick(Main().SpeedButton6, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !ReportedErrors().isEmpty(); }));
    EXPECT_EQ(
        ReportedErrors(),
        QStringList({QString("Cannot connect to 127.0.0.1:%1: Connection refused.").arg(port)}));
    EXPECT_FALSE(Main().Comm1.IsOpen());
    EXPECT_FALSE(Main().Timer1->isActive());
    EXPECT_TRUE(Main().SpeedButton6->isEnabled());
    EXPECT_EQ(Main().StatusBar1->stateField->text(), "Stopped");
}

// A serial-to-network bridge: the simulator's terminal on one side, a TCP connection on
// the other, bytes passed both ways unchanged.
class TerminalBridge {
public:
    TerminalBridge(const QString& terminal, QTcpSocket& socket) : socket_(socket) {
        fd_ = ::open(terminal.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios raw{};
        ::tcgetattr(fd_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(fd_, TCSANOW, &raw);
        fromTerminal_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(fromTerminal_.get(), &QSocketNotifier::activated, [this] {
            char chunk[4096];
            const ssize_t got = ::read(fd_, chunk, sizeof chunk);
            if (got > 0) {
                socket_.write(chunk, got);
            }
        });
        // The notifier is the context: the connection ends with the bridge.
        QObject::connect(&socket_, &QTcpSocket::readyRead, fromTerminal_.get(), [this] {
            const QByteArray bytes = socket_.readAll();
            EXPECT_EQ(::write(fd_, bytes.constData(), bytes.size()), bytes.size());
        });
    }
    ~TerminalBridge() {
        fromTerminal_.reset();
        ::close(fd_);
    }

private:
    QTcpSocket& socket_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> fromTerminal_;
};

// The simulator behind the bridge: the program reads it through tcp://, and the receiver
// takes "Receiver Initialization" sent back over the same connection.
TEST_F(NetworkSourceTest, TheSimulatorBehindABridgeTakesReceiverInitialization) {
    const QString link = QString::fromStdString(Path("ttyGPS").string());
    QProcess simulator;
    simulator.start(KELMSTAR_SIM, {"--link=" + link, "--seed=7", "--start-mode=hot"});
    ASSERT_TRUE(simulator.waitForStarted(3000));
    ASSERT_TRUE(simulator.waitForReadyRead(5000)) << "the simulator printed no link";
    StartOnBridge();
    TerminalBridge terminal(link, *receiver);
    EXPECT_TRUE(WaitFor([&] { return LabelText(Windows().Parameter, "fixlabel") == "3D"; }, 8000));

    Windows().Start->systemtimecheck->setChecked(false);
    Windows().Start->BitBtn1Click();
    QString reports;
    EXPECT_TRUE(WaitFor([&] {
        reports += QString::fromUtf8(simulator.readAllStandardError());
        return reports.contains("accepted $PQKL104");
    })) << reports.toStdString();
    simulator.terminate();
    simulator.waitForFinished(3000);
}

// A listener whose accept queue is full: Linux drops further connection requests, so a
// connect to it hangs until its time runs out, as to a host that does not answer.
class FullListener {
public:
    FullListener() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        ::bind(listener_, any, size);
        ::listen(listener_, 0);
        ::getsockname(listener_, any, &size);
        port = ntohs(address.sin_port);
        for (int& filler : fillers_) {
            filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(filler, any, size);
        }
        QTest::qWait(100);  // the fillers' handshakes complete
    }
    ~FullListener() {
        for (int fd : fillers_) {
            ::close(fd);
        }
        ::close(listener_);
    }
    quint16 port = 0;

private:
    int listener_ = -1;
    int fillers_[2] = {-1, -1};
};

// Connecting runs off the window's thread: Start returns at once, Stop gives up without a
// word, and a connect that runs out of time is reported like any other failure.
TEST_F(NetworkSourceTest, AHostThatDoesNotAnswerNeverHoldsTheWindow) {
    FullListener silent;
    CreateProgram();
    Windows().Data->comsetting->setEditText(QString("tcp://127.0.0.1:%1").arg(silent.port));
    Windows().Data->BitBtn1Click();
    const QLabel* state = Main().StatusBar1->stateField;

    Main().Start1Click();
    EXPECT_EQ(state->text(), LineStatus::kConnectingText);
    EXPECT_FALSE(Main().SpeedButton6->isEnabled());
    Main().Stop1Click();
    EXPECT_EQ(state->text(), "Stopped");

    Main().Start1Click();
    ASSERT_TRUE(WaitFor([&] { return !ReportedErrors().isEmpty(); },
                        2 * static_cast<int>(kConnectTimeout.count())));
    // The abandoned first attempt ended as well by now, and said nothing.
    EXPECT_EQ(
        ReportedErrors(),
        QStringList(
            {QString("Cannot connect to 127.0.0.1:%1: Connection timed out.").arg(silent.port)}));
    EXPECT_FALSE(Main().Comm1.IsOpen());
    EXPECT_TRUE(Main().SpeedButton6->isEnabled());
    EXPECT_EQ(state->text(), "Stopped");
}

// gpsfake plays the capture through a gpsd of its own on `port`. It does not end on SIGTERM:
// it runs in a process group of its own, killed with its gpsd.
void StartGpsfake(QProcess& gpsfake, const QString& port) {
    gpsfake.setChildProcessModifier([] { ::setpgid(0, 0); });
    gpsfake.start("/usr/bin/gpsfake", {"-1", "-q", "-c", "0.1", "-P", port, kCapture});
    ASSERT_TRUE(gpsfake.waitForStarted(5000));
}

void KillGpsfake(QProcess& gpsfake) {
    const qint64 fake = gpsfake.processId();
    ::kill(-static_cast<pid_t>(fake), SIGKILL);
    gpsfake.waitForFinished(3000);
    QFile::remove(QString("/tmp/gpsfake-%1.sock").arg(fake));
}

// gpsd, fed the capture by gpsfake, fills the views; commands cannot go through it; when
// gpsd is killed the program says so, and takes it up again once it is back.
TEST_F(NetworkSourceTest, GpsdSourceFillsTheViewsAndSaysCommandsCannotPass) {
    if (!QFile::exists("/usr/sbin/gpsd") || !QFile::exists("/usr/bin/gpsfake")) {
        GTEST_SKIP() << "gpsd or gpsfake is missing (Debian packages gpsd, gpsd-clients)";
    }
    const QString port = QString::number(FreePort());
    QProcess gpsfake;
    StartGpsfake(gpsfake, port);
    CreateProgram();
    Windows().Data->comsetting->setEditText("gpsd://127.0.0.1:" + port);
    Windows().Data->BitBtn1Click();
    // gpsd listens a moment after gpsfake starts.
    WaitFor(
        [&] {
            if (!Main().Comm1.IsOpen() && !Main().Connector->Busy()) {
                Main().Start1Click();
            }
            return Main().Comm1.IsOpen();
        },
        10000);
    EXPECT_TRUE(WaitFor(
        [&] { return LabelText(Windows().Parameter, "latlabel").startsWith("52.21"); }, 15000));
    Windows().Start->systemtimecheck->setChecked(false);
    Windows().Start->BitBtn1Click();
    EXPECT_EQ(Main().StatusBar1->currentMessage(),
              "Commands cannot reach the receiver through gpsd");

    KillGpsfake(gpsfake);
    const QLabel* state = Main().StatusBar1->stateField;
    EXPECT_TRUE(WaitFor([&] { return state->text() == LineStatus::kDisconnectedText; }));
    QProcess again;
    StartGpsfake(again, port);
    EXPECT_TRUE(WaitFor([&] { return state->text() == "Receiving"; }, 15000))
        << state->text().toStdString();
    Main().Stop1Click();
    KillGpsfake(again);
}

// A real gpsd reads the share and reports the bridge's positions; gpspipe shows them.
TEST_F(NetworkSourceTest, GpsdReadingTheShareReportsThePositions) {
    if (!QFile::exists("/usr/sbin/gpsd") || !QFile::exists("/usr/bin/gpspipe")) {
        GTEST_SKIP() << "gpsd or gpspipe is missing (Debian packages gpsd, gpsd-clients)";
    }
    StartOnBridge();
    const quint16 sharePort = FreePort();
    Main().Share->Apply({true, sharePort, false});
    ASSERT_TRUE(Main().Share->Server().IsListening());
    const QString gpsdPort = QString::number(FreePort());
    gpsd.start("/usr/sbin/gpsd",
               {"-N", "-n", "-S", gpsdPort, QString("tcp://127.0.0.1:%1").arg(sharePort)});
    ASSERT_TRUE(WaitFor([&] { return Main().Share->Server().ClientCount() == 1; }, 10000));
    Main().ShareOnNetwork1Click();  // OK with nothing changed keeps the clients
    EXPECT_EQ(Main().Share->Server().ClientCount(), 1);
    gpspipe.start("/usr/bin/gpspipe", {"-w", "-n", "12", "127.0.0.1:" + gpsdPort});
    const QByteArrayList lines = CaptureLines();
    QByteArray reports;
    // The capture goes round at ten lines a second until gpsd has reported a fix.
    for (int i = 0; i < 600 && !reports.contains("\"lat\":52.21"); ++i) {
        receiver->write(lines[i % lines.size()]);
        WaitFor([] { return false; }, 100);
        reports += gpspipe.readAllStandardOutput();
    }
    EXPECT_TRUE(reports.contains("\"class\":\"TPV\"")) << reports.toStdString();
    EXPECT_TRUE(reports.contains("\"lat\":52.21")) << reports.toStdString();
}

// A client that stops reading is dropped; one that reads gets every line, also when one
// turn of the event loop publishes more than a client's queue holds.
TEST_F(NetworkSourceTest, AStalledShareClientIsDroppedAndTheOthersMissNothing) {
    ShareServer server;
    QString error;
    ASSERT_TRUE(server.Listen(0, ShareServer::Reach::ThisComputer, error));
    QTcpSocket reader;
    reader.connectToHost(QHostAddress::LocalHost, server.Port());
    const int stalled = ::socket(AF_INET, SOCK_STREAM, 0);
    const int small = 4096;
    ::setsockopt(stalled, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(server.Port());
    ASSERT_EQ(::connect(stalled, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_TRUE(WaitFor([&] { return server.ClientCount() == 2; }));

    const std::string line(80, 'x');
    qint64 received = 0;
    int published = 0;
    const auto sent = [&] { return qint64(published) * qint64(line.size() + 2); };
    while (server.ClientCount() == 2 && published < 100000) {
        for (int i = 0; i < 800; ++i, ++published) {
            server.Publish(line);
        }
        // The reader takes each turn's 65,600 bytes before the next; the stalled one none.
        WaitFor(
            [&] {
                received += reader.readAll().size();
                return received == sent();
            },
            5000);
    }
    EXPECT_EQ(server.ClientCount(), 1);
    const qint64 expected = sent();
    EXPECT_TRUE(WaitFor(
        [&] {
            received += reader.readAll().size();
            return received == expected;
        },
        10000))
        << received << " of " << expected;
    ::close(stalled);
}

// "This computer only" with 127.0.0.1's port taken is an error, not a share on ::1 alone;
// OK with the same settings tries again once the port is free.
TEST_F(NetworkSourceTest, AShareWhosePortIsTakenSaysSoAndOkTriesAgain) {
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost));
    const quint16 port = holder.serverPort();
    CreateProgram();
    Main().Share->Apply({true, port, false});
    EXPECT_FALSE(Main().Share->Server().IsListening());
    EXPECT_TRUE(Main().StatusBar1->currentMessage().startsWith(
        QString("Cannot share on TCP port %1: ").arg(port)))
        << Main().StatusBar1->currentMessage().toStdString();
    holder.close();
    Main().ShareOnNetwork1Click();
    EXPECT_TRUE(Main().Share->Server().IsListening());
    EXPECT_EQ(Main().Share->Server().Port(), port);
}

// Sixteen clients at most: the next is turned away, and a place that comes free is taken,
// also by a client that shuts its sending side at once: it goes on receiving.
TEST_F(NetworkSourceTest, TheShareTakesSixteenClients) {
    ShareServer server;
    QString error;
    ASSERT_TRUE(server.Listen(0, ShareServer::Reach::ThisComputer, error));
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int i = 0; i <= ShareServer::kMaxClients; ++i) {
        clients.push_back(std::make_unique<QTcpSocket>());
        clients.back()->connectToHost(QHostAddress::LocalHost, server.Port());
    }
    QTcpSocket& turnedAway = *clients.back();
    ASSERT_TRUE(WaitFor([&] {
        return server.ClientCount() == ShareServer::kMaxClients &&
               turnedAway.state() == QAbstractSocket::UnconnectedState;
    }));
    // A client that has gone is noticed when the next sentences are sent to it.
    clients.front()->disconnectFromHost();
    ASSERT_TRUE(WaitFor([&] {
        server.Publish("$GPTXT,gone");
        return server.ClientCount() == ShareServer::kMaxClients - 1;
    }));
    const int late = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(server.Port());
    ASSERT_EQ(::connect(late, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::shutdown(late, SHUT_WR);
    EXPECT_TRUE(WaitFor([&] { return server.ClientCount() == ShareServer::kMaxClients; }));
    std::string received;
    ssize_t n = -1;
    WaitFor([&] {
        server.Publish("$GPTXT,late");
        char chunk[4096];
        while ((n = ::recv(late, chunk, sizeof chunk, MSG_DONTWAIT)) > 0) {
            received.append(chunk, static_cast<std::size_t>(n));
        }
        return n == 0 || received.size() > 1000;
    });
    EXPECT_NE(n, 0) << "the share closed the connection";
    EXPECT_GT(received.size(), 1000u);
    ::close(late);
}

}  // namespace
