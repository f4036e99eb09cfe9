#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QToolButton>

#include "MainStatusBar.h"
#include "PlaybackControl.h"
#include "ProgramFixture.h"
#include "TData.h"
#include "TLogFileSetting.h"
#include "TParameter.h"

namespace {

// `seconds` seconds of a receiver from 09:15:00 at one group a second; the first two
// without a position.
std::string Drive(int seconds) {
    std::string log;
    for (int s = 0; s < seconds; ++s) {
        const std::string time = "0915" + std::string(s < 10 ? "0" : "") + std::to_string(s);
        const bool fix = s >= 2;
        const std::string lat = fix ? "4807." + std::to_string(100 + s) : "";
        log += "$GPGGA," + time + ".00," + lat + ",N," + (fix ? "01131.000" : "") + ",E," +
               (fix ? "1" : "0") + ",08,0.9,545.4,M,46.9,M,,*47\n";
        log += "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\n";
        log += "$GPGSV,1,1,04,02,23,160,40,07,12,237,41,08,26,205,42,10,59,060,43*7C\n";
        log += "$GPRMC," + time + ".00," + (fix ? "A," : "V,") + lat + ",N," +
               (fix ? "01131.000" : "") + ",E,10.0,084.4,230394,003.1,W*6A\n";
    }
    return log;
}

class PlaybackSpeedTest : public ProgramTest {};

TEST_F(PlaybackSpeedTest, PausedHoldsItsLineAndFastestThenCopiesTheWholeDriveIntoTheLog) {
    constexpr int kSeconds = 30;
    WriteFile("drive.log", Drive(kSeconds));
    CreateProgram();
    PlaybackControl& playback = *Main().Playback;
    TData& data = *Windows().Data;
    data.file->click();
    nextChosenFile = QString::fromStdString(Path("drive.log").string());
    data.browseClick();
    data.BitBtn1Click();
    nextChosenFile = QString::fromStdString(Path("copy.log").string());
    Windows().LogFileSetting->BrowseClick();
    Windows().LogFileSetting->BitBtn1Click();

    playback.SetSpeed(PlaybackControl::Speed::RealTime);
    Main().Start1Click();
    ASSERT_TRUE(WaitFor([&] { return LabelText(Windows().Parameter, "minutelabel") == "15"; }));
    Main().Playback->PauseButton->click();
    ASSERT_TRUE(Main().Playback->PauseItem->isChecked());
    const long held = std::ftell(State().dataFile);
    const QString second = LabelText(Windows().Parameter, "secondlabel");
    // Paused, not even "Fastest" or the refresh tick feeds a line.
    playback.SetSpeed(PlaybackControl::Speed::Fastest);
    Main().Timer2Timer();
    EXPECT_FALSE(WaitFor([&] { return std::ftell(State().dataFile) != held; }, 300));
    EXPECT_EQ(LabelText(Windows().Parameter, "secondlabel"), second);
    EXPECT_EQ(program->Buffer().Count(), 0);

    playback.SetPaused(false);
    ASSERT_TRUE(WaitFor([&] { return playback.Finished(); }));
    EXPECT_EQ(Main().StatusBar1->stateField->text(), "Playback finished");
    EXPECT_EQ(playback.ProgressBar->value(), playback.ProgressBar->maximum());
    EXPECT_EQ(playback.TimeField->text(), "09:15:29 / 09:15:29");
    EXPECT_EQ(LabelText(Windows().Parameter, "secondlabel"), "29");
    EXPECT_EQ(playback.SentencesPaced(), 4 * kSeconds);
    EXPECT_EQ(State().mapPointCount, kSeconds - 2) << "one point per second with a position";
    Main().Stop1Click();
    EXPECT_EQ(ReadFile("copy.log"), ReadFile("drive.log")) << "no line lost or doubled";
}

}  // namespace
