#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "ProgramFixture.h"
#include "PseudoTerminal.h"
#include "TData.h"
#include "TLevel.h"
#include "TLogFileSetting.h"
#include "TParameter.h"
#include "TSource.h"
#include "Tsentencesetup.h"

namespace {

// Sentences that a receiver sends in one second.
const std::string kRmc =
    "$GPRMC,091519.00,A,4807.038,N,01131.000,E,10.0,084.4,230394,003.1,W*6A\r\n";
const std::string kGga = "$GPGGA,091519.00,4807.038,N,01131.000,E,2,08,0.9,545.4,M,46.9,M,,*47\r\n";
const std::string kGsa = "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n";
const std::string kVtg = "$GPVTG,084.4,T,081.3,M,010.0,N,018.5,K*43\r\n";
const std::string kPgrme = "$PGRME,15.0,M,22.5,M,27.0,M*1A\r\n";  // proprietary: filler

// Whether this process holds a descriptor open on `path`.
bool OpenHere(const std::filesystem::path& path) {
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::equivalent(std::filesystem::read_symlink(fd, error), path, error)) {
            return true;
        }
    }
    return false;
}

// Calls `onClose` when the watched window is about to close.
class CloseWatch : public QObject {
public:
    std::function<void()> onClose;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            onClose();
        }
        return false;
    }
};

class IntakeTest : public ProgramTest {
protected:
    void ChooseSerialPort(const std::string& device) {
        TData& data = *Windows().Data;
        data.serial->setChecked(true);
        data.comsetting->setEditText(QString::fromStdString(device));
        data.BitBtn1Click();
    }

    void ChoosePlayback(const std::string& name) {
        TData& data = *Windows().Data;
        data.file->click();
        nextChosenFile = QString::fromStdString(Path(name).string());
        data.browseClick();
        data.BitBtn1Click();
    }

    void SwitchLoggingOn(const std::string& name) {
        nextChosenFile = QString::fromStdString(Path(name).string());
        Windows().LogFileSetting->BrowseClick();
        Windows().LogFileSetting->BitBtn1Click();
    }

    // Runs the refresh tick and decode ticks as the timers would over one second.
    void RunOneSecond() {
        Main().Timer2Timer();
        for (int i = 0; i < 8; ++i) {
            Main().Timer1Timer();
        }
    }

    void Put(const std::string& bytes) {
        for (const char b : bytes) {
            program->Buffer().Put(static_cast<std::uint8_t>(b));
        }
    }

    QString Measured(const char* label) { return LabelText(Windows().Parameter, label); }
    QString MessageRow(int row) {
        return LabelText(Windows().Source, ("Label" + std::to_string(row)).c_str());
    }
};

TEST_F(IntakeTest, SentencesFromTheSerialLineReachTheViews) {
    CreateProgram();
    PseudoTerminal receiver;
    ASSERT_FALSE(receiver.Path().empty());
    ChooseSerialPort(receiver.Path());
    EXPECT_EQ(Main().Comm1.CommName(), receiver.Path());
    EXPECT_EQ(State().portNumber, 0);
    QTest::mouseClick(Main().SpeedButton6, Qt::LeftButton);
    ASSERT_TRUE(Main().Comm1.IsOpen());
    EXPECT_FALSE(Main().SpeedButton6->isEnabled());
    EXPECT_TRUE(Main().SpeedButton7->isEnabled());
    EXPECT_TRUE(Main().SpeedButton5->isEnabled());
    EXPECT_TRUE(Main().SpeedButton1->isEnabled());
    EXPECT_TRUE(Main().Timer1->isActive());

    ASSERT_TRUE(receiver.Write(kRmc + kGga + kGsa + kVtg));
    EXPECT_TRUE(WaitFor([&] { return Measured("dgpslabel") == "ON"; }));
    EXPECT_EQ(Measured("velocitylabel"), "5.1");
    EXPECT_EQ(Measured("hourlabel"), "09");
    EXPECT_EQ(Measured("minutelabel"), "15");
    EXPECT_EQ(Measured("latlabel"), "48.117302");
    EXPECT_EQ(Measured("heightlabel"), "545.4");
    EXPECT_TRUE(MessageRow(6).startsWith("GPRMC,091519.00,A,")) << MessageRow(6).toStdString();
    EXPECT_TRUE(MessageRow(4).startsWith("GPGGA,091519.00,")) << MessageRow(4).toStdString();

    QTest::mouseClick(Main().SpeedButton7, Qt::LeftButton);
    EXPECT_FALSE(Main().Comm1.IsOpen());
    EXPECT_FALSE(Main().Timer1->isActive());
    EXPECT_TRUE(Main().SpeedButton6->isEnabled());
    EXPECT_FALSE(Main().SpeedButton1->isEnabled());
    EXPECT_TRUE(ReportedErrors().isEmpty()) << ReportedErrors().join("|").toStdString();
}

TEST_F(IntakeTest, AStreamWithoutPausesReachesTheViewsBeforeAFullReadIsIn) {
    CreateProgram();
    PseudoTerminal receiver;
    ChooseSerialPort(receiver.Path());
    Main().Start1Click();
    ASSERT_TRUE(Main().Comm1.IsOpen());
    // One sentence every 50 ms never leaves the line quiet for the 100 ms interval, so
    // only the total read limit lets the reader hand bytes over before 2048 are in.
    constexpr std::size_t kFullRead = 2048;
    std::size_t written = 0;
    while (Measured("hourlabel") != "09" && written < kFullRead) {
        ASSERT_TRUE(receiver.Write(kRmc));
        written += kRmc.size();
        QTest::qWait(50);
    }
    EXPECT_EQ(Measured("hourlabel"), "09");
    EXPECT_LT(written, kFullRead);
    Main().Stop1Click();
}

TEST_F(IntakeTest, APortThatCannotBeOpenedLeavesTheProgramIdle) {
    CreateProgram();
    ChooseSerialPort(Path("no-such-device").string());
    QTest::mouseClick(Main().SpeedButton6, Qt::LeftButton);
    EXPECT_EQ(ReportedErrors(), QStringList({"Error opening serial port."}));
    EXPECT_FALSE(Main().Comm1.IsOpen());
    EXPECT_FALSE(Main().Timer1->isActive());
    EXPECT_TRUE(Main().SpeedButton6->isEnabled());
    EXPECT_FALSE(Main().SpeedButton7->isEnabled());
    EXPECT_FALSE(Main().SpeedButton5->isEnabled());
    EXPECT_TRUE(Main().SpeedButton1->isEnabled());
}

TEST_F(IntakeTest, PlaybackFeedsFourLinesPerSecondAndPausesWithTheMeasuredViewClosed) {
    std::string log;
    for (int second = 0; second < 6; ++second) {
        char rmc[96];
        std::snprintf(rmc, sizeof rmc,
                      "$GPRMC,1200%02d,A,4807.038,N,01131.000,E,1.0,2.0,230394,,*00\r\n", second);
        log += rmc + kGga + kGsa + kVtg;
    }
    WriteFile("drive.log", log);
    CreateProgram();
    ChoosePlayback("drive.log");
    EXPECT_EQ(State().playbackActive, 1);
    EXPECT_EQ(LabelText(Windows().Data, "logfilenamelabel"), "drive.log");
    Main().Start1Click();
    EXPECT_FALSE(Main().Comm1.IsOpen());

    Main().Timer2Timer();
    EXPECT_EQ(program->Buffer().Count(), static_cast<int>(log.size() / 6 - 4));  // no CRs fed
    for (int i = 0; i < 3; ++i) {
        RunOneSecond();
    }
    EXPECT_EQ(Measured("secondlabel"), "03");  // the newest lines wait for more bytes

    Windows().Parameter->close();
    FlushDeletes();
    ASSERT_EQ(State().measuredViewOpen, 0);
    const int buffered = program->Buffer().Count();
    RunOneSecond();
    EXPECT_EQ(program->Buffer().Count(), buffered) << "playback pauses";

    Main().Parameter1Click();
    EXPECT_EQ(State().measuredViewOpen, 1);
    EXPECT_EQ(Measured("secondlabel"), "00");  // a new view starts with its design texts
    RunOneSecond();
    RunOneSecond();
    EXPECT_EQ(Measured("secondlabel"), "05");

    Main().Stop1Click();
    EXPECT_EQ(State().playbackActive, 0);
    EXPECT_EQ(State().dataFile, nullptr);
}

TEST_F(IntakeTest, LogHoldsEveryFramedGpSentenceAfterEachTickAndAcrossStopAndStart) {
    WriteFile("in.log", kRmc + "$PGRME,15.0,M,22.5,M,27.0,M*1A\r\n" + kGga +
                            "$GNGSA,A,3,,,,,,,,,,,,,1,1,1*00\r\n" + kGsa + kVtg + kRmc + kGga);
    CreateProgram();
    ChoosePlayback("in.log");
    SwitchLoggingOn("out.log");  // logging alongside playback: two streams
    EXPECT_EQ(State().loggingEnabled, 1);
    Main().Start1Click();
    Main().Timer1Timer();  // opens the log
    EXPECT_EQ(State().logFileOpen, 1);
    EXPECT_TRUE(std::filesystem::exists(Path("out.log")));
    EXPECT_EQ(ReadFile("out.log"), "");
    Main().Timer2Timer();
    Main().Timer1Timer();
    // On disk at the end of the tick, with the file still open: the replayed GP
    // sentences in order, each ending in a bare line feed.
    auto replayed = [](const std::string& line) { return line.substr(0, line.size() - 2) + "\n"; };
    const std::string gpLines = replayed(kRmc) + replayed(kGga) + replayed(kGsa) + replayed(kVtg) +
                                replayed(kRmc) + replayed(kGga);
    const std::string afterOneTick = ReadFile("out.log");
    EXPECT_FALSE(afterOneTick.empty());
    EXPECT_EQ(gpLines.substr(0, afterOneTick.size()), afterOneTick);
    Main().Timer2Timer();
    Main().Timer1Timer();
    Main().Timer1Timer();
    Main().Stop1Click();
    const std::string firstRun = ReadFile("out.log");
    EXPECT_GT(firstRun.size(), afterOneTick.size());
    EXPECT_EQ(gpLines.substr(0, firstRun.size()), firstRun);  // no PGRME, no GNGSA

    // Logging stays on across Stop and Start and appends.
    EXPECT_EQ(State().loggingEnabled, 1);
    PseudoTerminal receiver;
    Windows().Data->serial->setChecked(true);
    ChooseSerialPort(receiver.Path());
    Main().Start1Click();
    ASSERT_TRUE(receiver.Write(kVtg + kRmc + kGga));
    EXPECT_TRUE(WaitFor([&] { return ReadFile("out.log").size() > firstRun.size(); }));
    const std::string both = ReadFile("out.log");
    EXPECT_EQ(both.substr(0, firstRun.size()), firstRun);
    EXPECT_EQ(both.substr(firstRun.size()), kVtg + kRmc);  // live records keep their CR
}

// Three full reads between two decode ticks (a fast line): what is buffered is decoded to
// make room, and the log holds every sentence.
TEST_F(IntakeTest, ReadsFasterThanTheTickLoseNothing) {
    CreateProgram();
    PseudoTerminal receiver;
    ChooseSerialPort(receiver.Path());
    SwitchLoggingOn("out.log");
    Main().Start1Click();
    std::string block;
    while (block.size() + kGga.size() <= 2048) {
        block += kGga;
    }
    for (int read = 0; read < 3; ++read) {
        Main().Comm1ReceiveData(Main().Comm1, block.data(),
                                static_cast<std::uint16_t>(block.size()));
    }
    Main().Timer1Timer();
    Main().Timer1Timer();
    Main().Stop1Click();
    // Every sentence, but the last that waits for 100 bytes to be buffered behind it.
    const std::string all = block + block + block;
    const std::string logged = ReadFile("out.log");
    EXPECT_EQ(logged, all.substr(0, all.size() - kGga.size()));
}

TEST_F(IntakeTest, ALogThatCannotBeOpenedIsReportedAndLoggingStaysOff) {
    CreateProgram();
    WriteFile("plain.txt", "");
    const std::string places[] = {
        Path("missing-dir/out.log").string(),  // no such directory
        Path("plain.txt/out.log").string(),    // a file where a directory should be
        "/proc/kelmstar-out.log",              // a directory nobody may write, root included
    };
    Windows().Data->file->click();  // no serial port needed
    for (const std::string& place : places) {
        errorDialogTexts.clear();
        nextChosenFile = QString::fromStdString(place);
        Windows().LogFileSetting->BrowseClick();
        Windows().LogFileSetting->BitBtn1Click();
        Main().Start1Click();
        Main().Timer1Timer();
        EXPECT_EQ(State().loggingEnabled, 0) << place;
        EXPECT_EQ(State().logFileOpen, 0) << place;
        EXPECT_TRUE(WaitFor([&] { return !errorDialogTexts.isEmpty(); })) << place;
        EXPECT_EQ(errorDialogTexts, QStringList({"File Open Error!!!"})) << place;
        Main().Stop1Click();
    }
}

// The file being played back chosen as the log, under any of its names, in either order.
TEST_F(IntakeTest, LoggingIntoThePlaybackFileIsRefused) {
    std::string log;
    for (int second = 0; second < 8; ++second) {
        log += "$GPRMC,1200" + std::to_string(10 + second) +
               ",A,4807.038,N,01131.000,E,1.0,2.0,230394,,*00\r\n" + kGga + kVtg;
    }
    WriteFile("in.log", log);
    std::filesystem::create_directory(Path("sub"));
    std::filesystem::create_symlink(Path("in.log"), Path("link.log"));
    std::filesystem::create_hard_link(Path("in.log"), Path("hard.log"));
    const struct {
        const char* logName;
        bool logChosenFirst;
    } cases[] = {{"in.log", false},
                 {"link.log", false},
                 {"hard.log", false},
                 {"sub/../in.log", false},
                 {"in.log", true}};
    for (const auto& c : cases) {
        CreateProgram();
        if (c.logChosenFirst) {  // the log is open on the file before it is picked for playback
            Windows().Data->file->click();
            SwitchLoggingOn(c.logName);
            Main().Start1Click();
            Main().Timer1Timer();
            ASSERT_EQ(State().logFileOpen, 1);
        }
        ChoosePlayback("in.log");
        Main().Start1Click();
        RunOneSecond();
        SwitchLoggingOn(c.logName);
        errorDialogTexts.clear();
        for (int i = 0; i < 3; ++i) {
            RunOneSecond();
        }
        QCoreApplication::processEvents();  // the message waits for the end of its tick
        EXPECT_EQ(errorDialogTexts, QStringList({"File Open Error!!!"})) << c.logName;
        EXPECT_EQ(State().loggingEnabled, 0) << c.logName;
        EXPECT_EQ(State().logFileOpen, 0) << c.logName;
        EXPECT_TRUE(ReadFile("in.log") == log) << c.logName << ": the playback file changed";
        EXPECT_EQ(Measured("secondlabel"), "14") << c.logName;  // playback goes on
        program.reset();
    }
}

TEST_F(IntakeTest, ExitWhileRunningClosesPortAndLogBeforeTheWindowCloses) {
    CreateProgram();
    PseudoTerminal receiver;
    ChooseSerialPort(receiver.Path());
    Main().Start1Click();
    SwitchLoggingOn("out.log");
    Main().Timer1Timer();
    ASSERT_TRUE(Main().Comm1.IsOpen());
    ASSERT_TRUE(OpenHere(Path("out.log")));
    bool portOpen = true;
    bool logOpen = true;
    CloseWatch watch;
    watch.onClose = [&] {
        portOpen = Main().Comm1.IsOpen();
        logOpen = OpenHere(Path("out.log"));
    };
    Main().installEventFilter(&watch);
    Main().Exit1Click();
    EXPECT_FALSE(Main().isVisible());
    EXPECT_FALSE(portOpen);
    EXPECT_FALSE(logOpen);
}

TEST_F(IntakeTest, BrowseCancelledClosesAnOpenPortAndLeavesTheTimersRunning) {
    CreateProgram();
    PseudoTerminal receiver;
    ChooseSerialPort(receiver.Path());
    Main().Start1Click();
    ASSERT_TRUE(Main().Comm1.IsOpen());
    nextChosenFile.clear();
    Windows().Data->browseClick();
    EXPECT_FALSE(Main().Comm1.IsOpen());
    EXPECT_TRUE(Main().Timer1->isActive());
    EXPECT_TRUE(Main().SpeedButton7->isEnabled());
}

TEST_F(IntakeTest, FileSourceWithoutAPickedFileFeedsNothing) {
    WriteFile("in.log", kRmc + kGga + kGsa + kVtg + kRmc + kGga);
    CreateProgram();
    Windows().Data->file->click();
    Windows().Data->BitBtn1Click();  // "File" before any file was picked
    Main().Start1Click();
    RunOneSecond();
    EXPECT_EQ(program->Buffer().Count(), 0);
    EXPECT_EQ(Measured("hourlabel"), "00");

    ChoosePlayback("in.log");
    Main().Start1Click();
    RunOneSecond();
    EXPECT_EQ(Measured("hourlabel"), "09");
    Main().Stop1Click();
    Windows().Parameter->ResetValues();
    Main().Start1Click();  // after Stop the file must be picked again
    RunOneSecond();
    EXPECT_EQ(program->Buffer().Count(), 0);
    EXPECT_EQ(Measured("hourlabel"), "00");
}

TEST_F(IntakeTest, SentencesAreDecodedWhileTheMeasuredViewIsClosed) {
    CreateProgram();
    Windows().Parameter->close();
    FlushDeletes();
    Put(kRmc + kGga + kGsa + kVtg + kVtg + kVtg);
    Main().Timer1Timer();
    EXPECT_FLOAT_EQ(program->Nav().altitude, 545.4f);
    EXPECT_EQ(program->Nav().fixMode, 3);

    Main().Parameter1Click();
    EXPECT_EQ(Measured("heightlabel"), "0.0");
    Put(kGga + kVtg + kVtg);
    Main().Timer1Timer();
    EXPECT_EQ(Measured("heightlabel"), "545.4");  // the GGA values are back
    EXPECT_EQ(Measured("fixlabel"), "NONE");      // no GSA since the view was opened
    EXPECT_EQ(Measured("latlabel"), "0.0");       // nor RMC
}

// Switched on while running without data: the log opens at the next tick; an existing log
// keeps its content, and a GP sentence of a type not decoded (ZDA) is logged, shown nowhere.
TEST_F(IntakeTest, LoggingSwitchedOnWhileIdleLineOpensTheLogAndAppends) {
    WriteFile("old.log", "$GPGGA,old\r\n");
    CreateProgram();
    Windows().Data->file->click();
    Main().Start1Click();
    SwitchLoggingOn("old.log");
    EXPECT_EQ(errorDialogTexts, QStringList({"File Exists!!!"}));
    Main().Timer1Timer();
    EXPECT_EQ(State().logFileOpen, 1);
    EXPECT_TRUE(OpenHere(Path("old.log")));

    const std::string zda = "$GPZDA,201530.00,04,07,2002,00,00*60\r\n";
    Put(zda + kPgrme + kPgrme);
    Main().Timer1Timer();
    EXPECT_EQ(ReadFile("old.log"), "$GPGGA,old\r\n" + zda);
    for (int row = 1; row <= 8; ++row) {
        EXPECT_EQ(MessageRow(row), "") << row;
    }
    EXPECT_EQ(Measured("hourlabel"), "00");
    EXPECT_EQ(LabelText(Windows().Level.data(), "CH1"), "");
}

TEST_F(IntakeTest, RowsOfUntickedSentenceTypesAreEmptied) {
    WriteFile("in.log", kGga + kGsa + kVtg + kRmc + kGga + kGsa + kVtg + kRmc);
    CreateProgram();
    ChoosePlayback("in.log");
    Main().Start1Click();
    Windows().sentencesetup->VTG->setChecked(true);
    RunOneSecond();
    EXPECT_FALSE(MessageRow(7).isEmpty());
    EXPECT_FALSE(MessageRow(4).isEmpty());
    Windows().sentencesetup->GGA->setChecked(false);
    Windows().sentencesetup->VTG->setChecked(false);
    RunOneSecond();
    EXPECT_TRUE(MessageRow(4).isEmpty());
    EXPECT_TRUE(MessageRow(7).isEmpty());
    EXPECT_FALSE(MessageRow(5).isEmpty());
}

}  // namespace
