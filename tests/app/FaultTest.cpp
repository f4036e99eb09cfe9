// The running program against a bad line, a vanishing device and a sudden kill.

#include <sys/resource.h>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>
#include <random>
#include <set>

#include "ProgramFixture.h"
#include "PseudoTerminal.h"
#include "SentenceDecoder.h"
#include "TData.h"
#include "TLevel.h"
#include "TLogFileSetting.h"
#include "TParameter.h"
#include "TSource.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

std::string Rmc(int second, const char* latitude, const char* knots) {
    char text[128];
    std::snprintf(text, sizeof text, "$GPRMC,1200%02d,A,%s,N,01131.000,E,%s,084.4,230394,,*00\r\n",
                  second % 60, latitude, knots);
    return text;
}

const std::string kFiller = "$GPVTG,084.4,T,081.3,M,010.0,N,018.5,K*43\r\n";

class FaultTest : public ProgramTest {
protected:
    void StartOn(const std::string& device) {
        Windows().Data->comsetting->setEditText(QString::fromStdString(device));
        Windows().Data->BitBtn1Click();
        Main().Start1Click();
    }
    QString Measured(const char* label) { return LabelText(Windows().Parameter, label); }
};

TEST_F(FaultTest, DeviceThatVanishesMidStreamNeitherCrashesNorSpins) {
    CreateProgram();
    const std::string link = Path("ttyGPS").string();
    auto receiver = std::make_unique<PseudoTerminal>();
    std::filesystem::create_symlink(receiver->Path(), link);
    StartOn(link);
    ASSERT_TRUE(Main().Comm1.IsOpen());
    ASSERT_TRUE(receiver->Write(Rmc(1, "4807.038", "10.0") + kFiller + kFiller));
    ASSERT_TRUE(WaitFor([&] { return Measured("secondlabel") == "01"; }));

    receiver->Write("$GPGGA,12000");  // cut off by the unplugging
    receiver.reset();                 // both ends gone, as when a USB receiver is pulled out
    ASSERT_TRUE(WaitFor([&] { return !Main().Comm1.ReaderRunning(); }));
    const double cpuBefore = CpuSeconds();
    WaitFor([] { return false; }, 1000);
    EXPECT_LT(CpuSeconds() - cpuBefore, 0.5) << "something spins after the hang-up";
    EXPECT_EQ(Measured("secondlabel"), "01");

    // The receiver is back (a new device under the same name): Stop and Start resume.
    receiver = std::make_unique<PseudoTerminal>();
    std::filesystem::remove(link);
    std::filesystem::create_symlink(receiver->Path(), link);
    Main().Stop1Click();
    Main().Start1Click();
    ASSERT_TRUE(Main().Comm1.IsOpen());
    ASSERT_TRUE(receiver->Write(Rmc(2, "4807.038", "10.0") + kFiller + kFiller));
    EXPECT_TRUE(WaitFor([&] { return Measured("secondlabel") == "02"; }));
    EXPECT_TRUE(ReportedErrors().isEmpty());
}

TEST_F(FaultTest, NoiseAndOverlongLinesNeverShowValuesOfNoSentence) {
    CreateProgram();
    PseudoTerminal receiver;
    StartOn(receiver.Path());
    ASSERT_TRUE(Main().Comm1.IsOpen());
    const char* latitudes[] = {"4807.038", "3352.150", "0130.000"};
    const char* speeds[] = {"10.0", "20.0", "2.0"};
    std::set<QString> shownLatitudes = {"0.0"};
    for (const char* latitude : latitudes) {
        shownLatitudes.insert(
            QString::asprintf("%.6f", DegreesFromDegreesMinutes(std::stof(latitude))));
    }
    const std::set<QString> shownSpeeds = {"5.1", "10.3", "1.0", "0.0"};
    std::mt19937 random(42);
    std::uniform_int_distribution<int> byte(0, 255);
    bool sawOnlyWholeValues = true;
    int checks = 0;
    for (int burst = 0; burst < 400; ++burst) {
        std::string bytes;
        for (int n = byte(random) * 4; n > 0; --n) {
            bytes += static_cast<char>(byte(random));  // any bytes at all, "$" included
        }
        bytes += "$GPRMC," + std::string(300 + byte(random), '9') + "\r\n";  // overlong
        bytes += Rmc(burst, latitudes[burst % 3], speeds[burst % 3]);
        // Cut short anywhere, before its line end, and followed by the next sentence.
        bytes += Rmc(burst, "1234.567", "99.0")
                     .substr(0, 10 + static_cast<std::size_t>(byte(random) % 50));
        bytes += kFiller;
        ASSERT_TRUE(receiver.Write(bytes));
        WaitFor(
            [&] {
                ++checks;
                sawOnlyWholeValues = sawOnlyWholeValues &&
                                     shownLatitudes.count(Measured("latlabel")) == 1 &&
                                     shownSpeeds.count(Measured("velocitylabel")) == 1;
                return !sawOnlyWholeValues;
            },
            15);
        ASSERT_TRUE(sawOnlyWholeValues)
            << Measured("latlabel").toStdString() << " " << Measured("velocitylabel").toStdString();
    }
    EXPECT_GT(checks, 400);
    EXPECT_NE(Measured("latlabel"), "0.0");  // whole sentences did get through
}

TEST_F(FaultTest, OtherTalkersAndProprietarySentencesBreakNothing) {
    std::string log;
    for (int second = 0; second < 8; ++second) {
        log += Rmc(second, "4807.038", "10.0");
        log += "$GNRMC,1300" + std::to_string(10 + second) +
               ",A,1111.111,S,02222.222,W,99.0,1,1,,*00\r\n";
        log += "$GLGSV,1,1,02,65,10,100,31,66,20,200,32*00\r\n";
        log += "$GAGSA,A,3,01,,,,,,,,,,,,9.1,9.2,9.3*00\r\n";
        log += "$PGRME,15.0,M,22.5,M,27.0,M*1A\r\n$PMTK010,001*2E\r\n";
        log += "$GPGSV,1,1,01,05,07,045,40*00\r\n";
    }
    WriteFile("mixed.log", log);
    CreateProgram();
    Windows().Data->file->click();
    nextChosenFile = QString::fromStdString(Path("mixed.log").string());
    Windows().Data->browseClick();
    Windows().Data->BitBtn1Click();
    Main().Start1Click();
    for (int i = 0; i < 20; ++i) {
        Main().Timer2Timer();
        for (int t = 0; t < 8; ++t) {
            Main().Timer1Timer();
        }
    }
    EXPECT_EQ(Measured("latlabel"), "48.117302");
    EXPECT_EQ(Measured("latdirlabel"), "N");
    EXPECT_EQ(Measured("velocitylabel"), "5.1");
    EXPECT_EQ(Measured("pdoplabel"), "9.1");  // the dilutions are read from any talker
    EXPECT_EQ(Measured("satslabel"), "1");
    EXPECT_TRUE(LabelText(Windows().Level, "CH1").startsWith("       05"));
    EXPECT_TRUE(ReportedErrors().isEmpty());
}

// Run in a child process by KilledWhileLoggingKeepsEveryFlushedRecord: plays a log back with
// logging on and tells, after each decode tick, how many bytes the log holds.
TEST_F(FaultTest, LoggingWorker) {
    const char* log = std::getenv("KELMSTAR_LOGGING_WORKER");
    if (log == nullptr) {
        GTEST_SKIP() << "runs only as the child of the kill test";
    }
    CreateProgram();
    Windows().Data->file->click();
    nextChosenFile = QString::fromUtf8(log) + "/in.log";
    Windows().Data->browseClick();
    Windows().Data->BitBtn1Click();
    nextChosenFile = QString::fromUtf8(log) + "/out.log";
    Windows().LogFileSetting->BrowseClick();
    Windows().LogFileSetting->BitBtn1Click();
    Main().Start1Click();
    for (int tick = 0;; ++tick) {
        if (tick % 8 == 0) {
            Main().Timer2Timer();
        }
        Main().Timer1Timer();
        std::printf("TICK %zu\n", static_cast<std::size_t>(
                                      std::filesystem::exists(nextChosenFile.toStdString())
                                          ? std::filesystem::file_size(nextChosenFile.toStdString())
                                          : 0));
        std::fflush(stdout);
    }
}

TEST_F(FaultTest, KilledWhileLoggingKeepsEveryFlushedRecord) {
    std::string in;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        const std::string rmc = Rmc(i, "4807.038", "10.0");
        in += rmc + "$PGRME,15.0,M,22.5,M,27.0,M*1A\r\n" + kFiller;
        expected +=
            rmc.substr(0, rmc.size() - 2) + "\n" + kFiller.substr(0, kFiller.size() - 2) + "\n";
    }
    WriteFile("in.log", in);
    QProcess worker;
    QStringList environment = QProcess::systemEnvironment();
    environment << "KELMSTAR_LOGGING_WORKER=" + QString::fromStdString(directory.string());
    worker.setEnvironment(environment);
    worker.start(QCoreApplication::applicationFilePath(),
                 {"--gtest_filter=FaultTest.LoggingWorker"});
    ASSERT_TRUE(worker.waitForStarted(5000));
    std::size_t lastReported = 0;
    int ticks = 0;
    while (ticks < 150 && worker.waitForReadyRead(5000)) {
        while (worker.canReadLine()) {
            const QString line = QString::fromUtf8(worker.readLine()).trimmed();
            if (line.startsWith("TICK ")) {
                lastReported = line.mid(5).toULongLong();
                ++ticks;
            }
        }
    }
    ASSERT_GE(ticks, 150);
    ASSERT_EQ(::kill(static_cast<pid_t>(worker.processId()), SIGKILL), 0);
    worker.waitForFinished(5000);
    const std::string out = ReadFile("out.log");
    EXPECT_GE(out.size(), lastReported) << "a completed tick's records were lost";
    EXPECT_GT(out.size(), 0u);
    EXPECT_EQ(out.back(), '\n') << "torn last record";
    EXPECT_EQ(expected.substr(0, out.size()), out);
}

}  // namespace
