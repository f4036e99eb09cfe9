// The command line: its parsing, and the program started on a source named there.

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>

#include "CommandLine.h"
#include "ProgramFixture.h"
#include "ShareSettings.h"
#include "StartOnSource.h"

namespace {

const QString kCapture = QString(KELMSTAR_CAPTURES) + "/mtk-3301.log";

struct Outcome {
    int status;  // -1: the program goes on
    std::string source;
    std::vector<std::string> qt;  // after the program's name
};

Outcome Parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "kelmstar");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    std::FILE* sink = std::tmpfile();
    CommandLine::Arguments parsed;
    const auto status =
        CommandLine::Handle(static_cast<int>(argv.size()), argv.data(), sink, sink, parsed);
    std::fclose(sink);
    if (status) {
        return {*status, {}, {}};
    }
    return {-1, parsed.source, {parsed.qt.begin() + 1, parsed.qt.end()}};
}

TEST(CommandLineTest, ArgumentsGiveTheSourceAndQtsOptions) {
    const struct {
        std::vector<std::string> arguments;
        Outcome outcome;
    } cases[] = {
        {{}, {-1, "", {}}},
        {{"tcp://127.0.0.1:10110"}, {-1, "tcp://127.0.0.1:10110", {}}},
        {{"-platform", "offscreen", "day.log"}, {-1, "day.log", {"-platform", "offscreen"}}},
        {{"/dev/ttyUSB0", "-platform=xcb", "-reverse"},
         {-1, "/dev/ttyUSB0", {"-platform", "xcb", "-reverse"}}},
        {{"-style", "fusion", "-display", ":1", "-session", "s1"},
         {-1, "", {"-style", "fusion", "-display", ":1", "-session", "s1"}}},
        {{"--style=fusion"}, {-1, "", {"-style", "fusion"}}},
        {{"--help"}, {0, "", {}}},
        {{"-platform", "offscreen", "--version"}, {0, "", {}}},
        {{"--bogus"}, {2, "", {}}},
        {{"a.log", "b.log"}, {2, "", {}}},
        {{"--version", "a.log"}, {2, "", {}}},
        {{"-platform"}, {2, "", {}}},
        {{"-reverse=1"}, {2, "", {}}},
    };
    for (const auto& c : cases) {
        const Outcome got = Parse(c.arguments);
        const std::string what = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(got.status, c.outcome.status) << what;
        EXPECT_EQ(got.source, c.outcome.source) << what;
        EXPECT_EQ(got.qt, c.outcome.qt) << what;
    }
}

TEST(CommandLineTest, TheKindOfASourceComesFromItsNameAndFile) {
    using Kind = StartOnSource::Kind;
    const std::pair<std::string, Kind> cases[] = {
        {"gpsd://localhost", Kind::Network},
        {"udp://:10110", Kind::Network},
        {"COM3", Kind::Port},
        {"/dev/null", Kind::Port},
        {"/dev/ttyGone7", Kind::Port},
        {KELMSTAR_CAPTURES "/mtk-3301.log", Kind::Log},
        {"missing.log", Kind::Log},
    };
    for (const auto& [source, kind] : cases) {
        EXPECT_EQ(StartOnSource::KindOf(source), kind) << source;
    }
}

// Sources that cannot be opened are reported as Start reports them; the program stays
// stopped.
TEST_F(ProgramTest, StartingOnASourceThatCannotBeOpenedLeavesTheProgramStopped) {
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const QString refused = QString("tcp://127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    const struct {
        std::string source;
        QString error;
    } cases[] = {
        {"missing.log", "File Open Error!!!"},
        {"/dev/ttyGone7", "Error opening serial port."},
        {refused.toStdString(), "Cannot connect to " + refused.mid(6) + ": Connection refused."},
    };
    for (const auto& c : cases) {
        CreateProgram();
        program->StartOn(c.source);
        EXPECT_TRUE(WaitFor([&] {
            return !ReportedErrors().isEmpty() || !errorDialogTexts.isEmpty();
        })) << c.source;
        EXPECT_EQ(ReportedErrors() + errorDialogTexts, QStringList{c.error}) << c.source;
        EXPECT_FALSE(Main().Timer1->isActive()) << c.source;
        ReportedErrors().clear();
        errorDialogTexts.clear();
    }
}

// The program itself, started on SOURCE with Qt's platform chosen on the command line, shares
// what it takes from the source: the share (switched on in its settings) shows it started.
class CommandLineRunTest : public ProgramTest {
protected:
    void TearDown() override {
        kelmstar.kill();
        kelmstar.waitForFinished(3000);
        ProgramTest::TearDown();
    }

    void Start(const QString& source) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        sharePort = probe.serverPort();
        probe.close();
        const QString config = QString::fromStdString(Path("config").string());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
        ShareSettings{true, sharePort, false}.Save();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(name);
        }
        environment.insert("XDG_CONFIG_HOME", config);
        kelmstar.setProcessEnvironment(environment);
        kelmstar.setWorkingDirectory(QString::fromStdString(directory.string()));
        kelmstar.start(KELMSTAR_BIN, {"-platform", "offscreen", source});
        ASSERT_TRUE(kelmstar.waitForStarted(5000));
    }

    // What the share sends until `wanted` is among it.
    QByteArray ReadShareUntil(const QByteArray& wanted) {
        QTcpSocket client;
        QByteArray shared;
        WaitFor(
            [&] {
                if (client.state() == QAbstractSocket::UnconnectedState) {
                    client.connectToHost(QHostAddress::LocalHost, sharePort);
                }
                shared += client.readAll();
                return shared.contains(wanted);
            },
            10000);
        return shared;
    }

    QProcess kelmstar;
    quint16 sharePort = 0;
};

TEST_F(CommandLineRunTest, StartsPlayingALogBack) {
    // A log as the program writes it: the capture's sentences, one a line.
    QFile capture(kCapture);
    ASSERT_TRUE(capture.open(QIODevice::ReadOnly));
    std::string log;
    for (const QByteArray& line : capture.readAll().split('\n')) {
        if (line.startsWith('$')) {
            log += line.trimmed().toStdString() + "\n";
        }
    }
    WriteFile("capture.log", log);
    Start("capture.log");
    const QByteArray first = QByteArray::fromStdString(log.substr(0, log.find('\n')));
    EXPECT_TRUE(ReadShareUntil(first).contains(first))
        << kelmstar.readAllStandardError().toStdString();
}

TEST_F(CommandLineRunTest, StartsOnATcpSource) {
    QTcpServer bridge;
    ASSERT_TRUE(bridge.listen(QHostAddress::LocalHost));
    Start(QString("tcp://127.0.0.1:%1").arg(bridge.serverPort()));
    ASSERT_TRUE(WaitFor([&] { return bridge.hasPendingConnections(); }, 10000));
    QTcpSocket* receiver = bridge.nextPendingConnection();
    const QByteArray sentence = "$GPRMC,101010.000,A,5212.6000,N,00652.8000,E,0.0,0.0,230808,,*30";
    QTimer repeat;
    QObject::connect(&repeat, &QTimer::timeout, [&] { receiver->write(sentence + "\r\n"); });
    repeat.start(100);
    EXPECT_TRUE(ReadShareUntil(sentence + "\r\n").contains(sentence));
}

}  // namespace
