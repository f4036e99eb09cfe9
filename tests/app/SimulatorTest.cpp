// The whole program against the receiver simulator on a real pseudo-terminal.

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <map>
#include <set>
#include <sstream>

#include "LineMonitor.h"
#include "LineStatus.h"
#include "MainStatusBar.h"
#include "ProgramFixture.h"
#include "TData.h"
#include "TLevel.h"
#include "TLogFileSetting.h"
#include "TParameter.h"
#include "TSource.h"
#include "TStart.h"
#include "TView.h"
#include "Tsentencesetup.h"
#include "TtffDialog.h"

namespace {

class SimulatorTest : public ProgramTest {
protected:
    void TearDown() override {
        if (simulator.state() != QProcess::NotRunning) {
            simulator.terminate();
            simulator.waitForFinished(3000);
        }
        ProgramTest::TearDown();
    }

    // Starts the simulator with `options` on the link ./ttyGPS.
    void RunSimulator(const QStringList& options) {
        const QString link = QString::fromStdString(Path("ttyGPS").string());
        simulator.start(KELMSTAR_SIM, QStringList{"--link=" + link, "--seed=7"} + options);
        ASSERT_TRUE(simulator.waitForStarted(3000));
        ASSERT_TRUE(simulator.waitForReadyRead(5000)) << "the simulator printed no link";
        EXPECT_EQ(QString::fromUtf8(simulator.readLine()).trimmed(), link);
    }

    // Starts the simulator with `options` and the program reading it.
    void StartWithSimulator(const QStringList& options) {
        const QString link = QString::fromStdString(Path("ttyGPS").string());
        RunSimulator(options);
        CreateProgram();
        Windows().Data->comsetting->setEditText(link);
        Windows().Data->BitBtn1Click();
        Main().Start1Click();
        ASSERT_TRUE(Main().Comm1.IsOpen());
    }

    void LogTo(const std::string& name) {
        nextChosenFile = QString::fromStdString(Path(name).string());
        Windows().LogFileSetting->BrowseClick();
        Windows().LogFileSetting->BitBtn1Click();
    }

    // Waits while the program runs, for `ms` milliseconds.
    void RunFor(int ms) {
        WaitFor([] { return false; }, ms);
    }

    QString Reports() {
        reports += QString::fromUtf8(simulator.readAllStandardError());
        return reports;
    }

    static std::string TypeOf(const std::string& line) {
        return line.size() >= 6 ? line.substr(3, 3) : "";
    }

    static bool ChecksumIsRight(const std::string& line) {
        const std::size_t star = line.find('*');
        if (line.empty() || line[0] != '$' || star == std::string::npos || star + 3 > line.size()) {
            return false;
        }
        unsigned sum = 0;
        for (std::size_t i = 1; i < star; ++i) {
            sum ^= static_cast<unsigned char>(line[i]);
        }
        return std::stoul(line.substr(star + 1, 2), nullptr, 16) == sum;
    }

    QProcess simulator;
    QString reports;
};

TEST_F(SimulatorTest, TheViewsFillWithinSecondsOfStart) {
    StartWithSimulator({"--start-mode=hot", "--baud=9600", "--lat=-33.8688", "--lon=-151.2093"});
    ASSERT_TRUE(WaitFor([&] { return LabelText(Windows().Parameter, "fixlabel") == "3D"; }, 8000));
    // Even a hot start has no fix for its first seconds; the map centres on the first fix.
    ASSERT_TRUE(
        WaitFor([&] { return State().mapCentreSet == 1 && State().mapPointCount >= 2; }, 5000));
    EXPECT_EQ(LabelText(Windows().Parameter, "latdirlabel"), "S");
    EXPECT_EQ(LabelText(Windows().Parameter, "londirlabel"), "W");
    EXPECT_TRUE(LabelText(Windows().Parameter, "latlabel").startsWith("33.86"));
    EXPECT_NE(LabelText(Windows().Parameter, "satslabel"), "0");
    EXPECT_TRUE(LabelText(Windows().Source, "Label6").startsWith("GPRMC,"));
    EXPECT_TRUE(LabelText(Windows().Source, "Label1").startsWith("GPGSV,"));
    EXPECT_FALSE(LabelText(Windows().Level, "CH1").isEmpty());
    // The sky plot shows teal discs while a fix is available.
    const QImage sky = Windows().View->Picture();
    int teal = 0;
    for (int y = 0; y < sky.height(); ++y) {
        for (int x = 0; x < sky.width(); ++x) {
            teal += sky.pixelColor(x, y) == QColor(0, 128, 128) ? 1 : 0;
        }
    }
    EXPECT_GT(teal, 100);
}

TEST_F(SimulatorTest, AnUnpluggedReceiverIsTakenBackWhenItReturnsUntilStop) {
    StartWithSimulator({"--start-mode=hot", "--baud=9600"});
    QLabel* state = Main().StatusBar1->stateField;
    ASSERT_TRUE(WaitFor([&] { return state->text() == "Receiving"; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return !LabelText(Windows().Source, "Label6").isEmpty(); }));

    simulator.kill();  // pulled out: the link stays, pointing nowhere
    simulator.waitForFinished(3000);
    ASSERT_TRUE(WaitFor([&] { return state->text() == LineStatus::kUnpluggedText; }, 5000));
    EXPECT_FALSE(Main().Comm1.IsOpen());
    const QString lastRmc = LabelText(Windows().Source, "Label6");
    EXPECT_FALSE(lastRmc.isEmpty());  // the views keep what they showed

    RunSimulator({"--start-mode=hot", "--baud=9600"});
    ASSERT_TRUE(WaitFor([&] { return LabelText(Windows().Source, "Label6") != lastRmc; }, 5000));
    EXPECT_TRUE(Main().Comm1.IsOpen());
    EXPECT_TRUE(WaitFor([&] { return state->text() == "Receiving"; }, 3000));

    simulator.kill();
    simulator.waitForFinished(3000);
    ASSERT_TRUE(WaitFor([&] { return state->text() == LineStatus::kUnpluggedText; }, 5000));
    Main().Stop1Click();
    EXPECT_EQ(state->text(), "Stopped");
    EXPECT_EQ(Main().lineMonitor->Phase(), LinePhase::Stopped);
    EXPECT_FALSE(Main().lineMonitor->findChild<QTimer*>("LineTimer")->isActive());
    EXPECT_FALSE(Main().Comm1.IsOpen());
}

TEST_F(SimulatorTest, SentenceSetupSwitchesTheReceiversSentences) {
    StartWithSimulator({"--start-mode=hot", "--baud=19200", "--gll", "--vtg"});
    LogTo("out.log");
    ASSERT_TRUE(WaitFor([&] { return ReadFile("out.log").find("$GPGLL") != std::string::npos; }));

    Windows().sentencesetup->BitBtn1Click();  // the built-in choice: GLL and VTG off
    ASSERT_TRUE(WaitFor([&] { return Reports().count("accepted $PQKL103") == 6; }))
        << Reports().toStdString();
    EXPECT_TRUE(Reports().contains("GLL off"));
    EXPECT_TRUE(Reports().contains("VTG off"));
    EXPECT_TRUE(Reports().contains("GGA every 1 s"));
    RunFor(1500);  // what was on the way
    const std::size_t before = ReadLines("out.log").size();
    RunFor(3000);
    std::map<std::string, int> types;
    const auto lines = ReadLines("out.log");
    for (std::size_t i = before; i < lines.size(); ++i) {
        ++types[TypeOf(lines[i])];
    }
    EXPECT_EQ(types["GLL"], 0);
    EXPECT_EQ(types["VTG"], 0);
    EXPECT_GE(types["GGA"], 2);
    EXPECT_GE(types["RMC"], 2);
    EXPECT_GE(types["GSV"], 2);

    Windows().sentencesetup->GSV->setChecked(false);
    Windows().sentencesetup->BitBtn1Click();
    ASSERT_TRUE(WaitFor([&] { return Reports().contains("GSV off"); }));
    RunFor(1500);
    const QString rowsBefore = LabelText(Windows().Level, "CH1");
    const std::size_t mark = ReadLines("out.log").size();
    RunFor(3000);
    const auto later = ReadLines("out.log");
    for (std::size_t i = mark; i < later.size(); ++i) {
        EXPECT_NE(TypeOf(later[i]), "GSV") << later[i];
    }
    EXPECT_GT(later.size(), mark);
    EXPECT_EQ(LabelText(Windows().Level, "CH1"), rowsBefore);
}

TEST_F(SimulatorTest, ColdStartIsAcceptedTheViewsResetAndTheFixReturns) {
    StartWithSimulator({"--start-mode=hot", "--baud=9600"});
    ASSERT_TRUE(WaitFor([&] { return LabelText(Windows().Parameter, "fixlabel") == "3D"; }, 8000));
    TStart& start = *Windows().Start;
    start.coldstart->click();
    start.BitBtn1Click();
    EXPECT_EQ(LabelText(Windows().Parameter, "fixlabel"), "NONE");
    EXPECT_EQ(State().mapPointCount, 0);
    ASSERT_TRUE(WaitFor([&] { return Reports().contains("accepted $PQKL104"); }))
        << Reports().toStdString();
    EXPECT_TRUE(Reports().contains("cold start"));
    EXPECT_EQ(Reports().count("accepted $PQKL104"), 1);  // five copies, taken once
    ASSERT_TRUE(WaitFor([&] { return LabelText(Windows().Parameter, "satslabel") != "0"; }, 20000));
    RunFor(2000);
    EXPECT_EQ(LabelText(Windows().Parameter, "fixlabel"), "NONE");
    EXPECT_TRUE(WaitFor([&] { return LabelText(Windows().Parameter, "fixlabel") == "3D"; }, 60000));
}

TEST_F(SimulatorTest, AMinuteOfAllSixTypesAt19200BaudLosesNothing) {
    StartWithSimulator({"--start-mode=hot", "--baud=19200", "--gll", "--vtg"});
    LogTo("minute.log");
    RunFor(62000);
    Main().Stop1Click();
    const auto lines = ReadLines("minute.log");
    ASSERT_GT(lines.size(), 60u * 7);
    // Every record is a whole sentence, and every second from the first whole one to the
    // last has each of the six types.
    std::map<std::string, std::set<std::string>> typesBySecond;
    for (const std::string& line : lines) {
        ASSERT_TRUE(ChecksumIsRight(line.substr(0, line.size() - (line.back() == '\r')))) << line;
        const std::string type = TypeOf(line);
        std::string time;
        if (type == "GGA" || type == "RMC") {
            time = line.substr(7, 6);
        } else if (type == "GLL") {
            const std::size_t field =
                line.find(",", line.find(",", line.find(",", line.find(",", 7) + 1) + 1) + 1);
            time = line.substr(field + 1, 6);
        }
        if (!time.empty()) {
            typesBySecond[time].insert(type);
        }
    }
    ASSERT_GT(typesBySecond.size(), 55u);
    auto last = std::prev(typesBySecond.end());
    for (auto it = std::next(typesBySecond.begin()); it != last; ++it) {
        EXPECT_EQ(it->second, (std::set<std::string>{"GGA", "GLL", "RMC"})) << it->first;
    }
    std::map<std::string, int> counts;
    for (const std::string& line : lines) {
        ++counts[TypeOf(line)];
    }
    EXPECT_NEAR(counts["GSA"], counts["GGA"], 2);
    EXPECT_NEAR(counts["VTG"], counts["GGA"], 2);
}

// Three hot restarts through "Time to First Fix": each is the command Receiver
// Initialization sends, and each run ends at the simulator's first fix after it (1 to 3 s).
TEST_F(SimulatorTest, TimeToFirstFixTestRestartsTheReceiverAndTimesEachFix) {
    StartWithSimulator({"--start-mode=hot", "--rate=2"});
    Main().TtffTest1Click();
    TtffDialog& test = *Main().TtffTest;
    test.mode->setCurrentIndex(0);  // "Hot"
    test.runs->setValue(3);
    test.pause->setValue(1);
    test.StartClick();
    ASSERT_TRUE(test.Running()) << test.progress->text().toStdString();
    ASSERT_TRUE(WaitFor([&] { return !test.Running(); }, 40000));
    ASSERT_EQ(test.table->rowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        // Bytes the receiver sent before it took the restart and that are still on their way
        // through the program when it is written can end a run early: no lower bound.
        const double seconds = test.table->item(row, 2)->text().toDouble();
        EXPECT_GT(seconds, 0.0) << "run " << row + 1;
        EXPECT_LE(seconds, 4.0) << "run " << row + 1;
    }
    EXPECT_TRUE(test.summary->text().startsWith("min ")) << test.summary->text().toStdString();
    EXPECT_EQ(Reports().count("accepted $PQKL104"), 3) << Reports().toStdString();

    Main().Stop1Click();
    test.StartClick();
    EXPECT_EQ(test.progress->text(), "Start the receiver first (Action > Start)");
}

}  // namespace

namespace {

// "Detect" on a receiver at 9600 baud behind a UART that garbles other speeds: it finds the
// speed without freezing the dialog, the intake then fills the views, and while the intake
// runs the button is off.
TEST_F(SimulatorTest, DetectFindsTheLineSpeedAndIsOffWhileRunning) {
    const QString link = QString::fromStdString(Path("ttyGPS").string());
    simulator.start(KELMSTAR_SIM, {"--link=" + link, "--seed=7", "--uart", "--baud=9600",
                                   "--rate=2", "--start-mode=hot"});
    ASSERT_TRUE(simulator.waitForReadyRead(5000)) << "the simulator printed no link";
    CreateProgram();
    TData& data = *Windows().Data;
    data.comsetting->setEditText(link);
    data.show();
    ASSERT_TRUE(data.detect->isEnabled());
    data.detect->click();
    ASSERT_TRUE(WaitFor([&] { return data.detectlabel->text() == "Trying 4800 baud..."; }));
    ASSERT_TRUE(WaitFor([&] { return data.detect->isEnabled(); }, 15000));
    EXPECT_EQ(data.detectlabel->text(), "Found NMEA sentences at 9600 baud");
    EXPECT_EQ(data.baudrateedit->currentText(), "9600");
    data.BitBtn1Click();
    Main().Start1Click();
    EXPECT_TRUE(
        WaitFor([&] { return LabelText(Windows().Source, "Label6").startsWith("GPRMC,"); }));
    data.show();
    EXPECT_FALSE(data.detect->isEnabled());
    data.reject();
}

}  // namespace
