#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "ProgramFixture.h"
#include "PseudoTerminal.h"
#include "TData.h"
#include "TLevel.h"
#include "TParameter.h"
#include "TSource.h"
#include "TStart.h"
#include "Tsentencesetup.h"

namespace {

// The checksummed frame of a command body, five times: what a receiver must read.
std::string FiveFrames(const std::string& body) {
    unsigned char sum = 0;
    for (std::size_t i = 1; i < body.size() && body[i] != '*'; ++i) {
        sum ^= static_cast<unsigned char>(body[i]);
    }
    char frame[256];
    std::snprintf(frame, sizeof frame, "%s%02x\r\n", body.c_str(), sum);
    std::string frames;
    for (int i = 0; i < 5; ++i) {
        frames += frame;
    }
    return frames;
}

class ReceiverControlTest : public ProgramTest {
protected:
    void StartOn(const PseudoTerminal& receiver) {
        Windows().Data->comsetting->setEditText(QString::fromStdString(receiver.Path()));
        Windows().Data->BitBtn1Click();
        Main().Start1Click();
        ASSERT_TRUE(Main().Comm1.IsOpen());
    }
};

TEST_F(ReceiverControlTest, InitialisationReachesTheReceiverAndResetsTheViews) {
    CreateProgram();
    PseudoTerminal receiver;
    StartOn(receiver);
    ASSERT_TRUE(receiver.Write(
        "$GPGGA,091519.00,4807.038,N,01131.000,E,2,08,0.9,545.4,M,46.9,M,,*47\r\n"
        "$GPGSV,1,1,02,05,07,045,00,12,40,200,38*00\r\n$GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1*"
        "39\r\n"
        // The last bytes wait for more: these carry the sentences above over the threshold.
        "$GPVTG,084.4,T,081.3,M,010.0,N,018.5,K*43\r\n$GPVTG,084.4,T,081.3,M,010.0,N,018.5,K*"
        "43\r\n"));
    ASSERT_TRUE(WaitFor([&] { return LabelText(Windows().Parameter, "fixlabel") == "3D"; }));
    ASSERT_FALSE(LabelText(Windows().Level, "CH1").isEmpty());
    Main().Tracking1Click();
    State().mapPointCount = 5;
    State().mapCentreSet = 1;

    TStart& start = *Windows().Start;
    start.systemtimecheck->setChecked(false);
    start.BitBtn1Click();
    const std::string expected =
        FiveFrames("$PQKL104,24.1233321,121.43323,0,75000,216000,521,12,4*");
    EXPECT_EQ(receiver.Read(expected.size()), expected);

    EXPECT_EQ(program->Buffer().Count(), 0);
    EXPECT_EQ(LabelText(Windows().Parameter, "fixlabel"), "NONE");
    EXPECT_EQ(LabelText(Windows().Parameter, "heightlabel"), "0.0");
    EXPECT_EQ(LabelText(Windows().Level, "CH1"), "");
    EXPECT_EQ(LabelText(Windows().Source, "Label4"), "");
    EXPECT_EQ(State().mapPointCount, 0);
    EXPECT_EQ(State().mapCentreSet, 0);
    EXPECT_EQ(ReadFile("pelzo.cfg"),
              "0\n24.1233321\n121.43323\n0\n75000\n1990\n1\n2\n12\n0\n0\n12");
}

TEST_F(ReceiverControlTest, SentenceSetupSendsSixCommandsInCodeOrder) {
    CreateProgram();
    PseudoTerminal receiver;
    StartOn(receiver);
    Windows().sentencesetup->BitBtn1Click();
    const std::string expected =
        FiveFrames("$PQKL103,00,00,01,01*") + FiveFrames("$PQKL103,01,00,00, 1*") +
        FiveFrames("$PQKL103,02,00,01,01*") + FiveFrames("$PQKL103,03,00,01,01*") +
        FiveFrames("$PQKL103,04,00,01,01*") + FiveFrames("$PQKL103,05,00,00, 1*");
    EXPECT_EQ(receiver.Read(expected.size()), expected);
}

TEST_F(ReceiverControlTest, CommandsWithThePortClosedGoNowhereButTheResetsHappen) {
    CreateProgram();
    program->Buffer().Put('$');
    Windows().Start->systemtimecheck->setChecked(false);
    Windows().Start->BitBtn1Click();
    EXPECT_EQ(program->Buffer().Count(), 0);
    EXPECT_TRUE(std::filesystem::exists(Path("pelzo.cfg")));
}

TEST_F(ReceiverControlTest, APortChosenWithoutInitialisationIsNotSaved) {
    const std::string stored = "3\n24.1\n121.4\n0\n75000\n1990\n1\n2\n12\n0\n0\n12";
    WriteFile("pelzo.cfg", stored);
    CreateProgram();
    Windows().Data->comsetting->setCurrentIndex(3);
    Windows().Data->BitBtn1Click();
    EXPECT_EQ(Main().Comm1.CommName(), "COM4");
    Main().Exit1Click();
    program.reset();
    EXPECT_EQ(ReadFile("pelzo.cfg"), stored);
    CreateProgram();
    EXPECT_EQ(Main().Comm1.CommName(), "COM3");
}

TEST_F(ReceiverControlTest, SavedSettingsComeBackAtTheNextStart) {
    CreateProgram();
    Windows().Data->comsetting->setCurrentIndex(3);
    Windows().Data->BitBtn1Click();
    TStart& start = *Windows().Start;
    start.systemtimecheck->setChecked(false);
    start.latedit->setText("-33.8688");
    start.minuteedit->setText("07");
    start.BitBtn1Click();
    program.reset();

    CreateProgram();
    EXPECT_EQ(Main().Comm1.CommName(), "COM4");
    EXPECT_EQ(Windows().Data->comsetting->currentText(), "COM4");
    EXPECT_EQ(Windows().Start->latedit->text(), "-33.8688");
    EXPECT_EQ(Windows().Start->minuteedit->text(), "7");
}

}  // namespace
