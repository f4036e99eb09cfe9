// What the status bar says when the source is quiet on purpose, brings only noise, or is
// not there at all: never a stale fix, never "No data" for a playback the user holds.

#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "MainStatusBar.h"
#include "PlaybackControl.h"
#include "ProgramFixture.h"
#include "PseudoTerminal.h"
#include "TData.h"
#include "TParameter.h"

namespace {

QString StateText(TMainForm& main) {
    return main.StatusBar1->stateField->text();
}

TEST_F(ProgramTest, AHeldOrMissingPlaybackSaysSoInsteadOfNoData) {
    std::string log;
    for (int s = 0; s < 40; ++s) {
        log += "$GPRMC,0915" + std::string(s < 10 ? "0" : "") + std::to_string(s) +
               ".00,A,4807.038,N,01131.000,E,1.0,084.4,230394,003.1,W*6A\r\n";
    }
    WriteFile("drive.log", log);
    CreateProgram();
    TData& data = *Windows().Data;
    data.file->click();
    nextChosenFile = QString::fromStdString(Path("drive.log").string());
    data.browseClick();
    data.BitBtn1Click();
    Main().Start1Click();

    struct Hold {
        const char* what;
        std::function<void()> act;
        QString state;  // what the state field begins with
    };
    const Hold holds[] = {
        {"the Measured view closed at four lines a second",
         [&] {
             Main().Timer2Timer();
             Windows().Parameter->close();
             FlushDeletes();
         },
         "Paused while the Measured Message view is closed"},
        {"paused by the user", [&] { Main().Playback->PauseButton->click(); }, "Paused at 09:15:0"},
        {"after Stop, started again without choosing the file",
         [&] {
             Main().Stop1Click();
             Main().Start1Click();
         },
         "Choose the log file again (Setup > Data Source > ...)"},
    };
    for (const Hold& hold : holds) {
        hold.act();
        EXPECT_TRUE(WaitFor([&] { return StateText(Main()).startsWith(hold.state); }, 3000))
            << hold.what << ": " << StateText(Main()).toStdString();
    }
}

TEST_F(ProgramTest, NoiseIsNamedAndAFixOfAnEarlierSourceIsNotShown) {
    CreateProgram();
    program->Nav().fixMode = 3;  // left by an earlier source
    program->Nav().fixAvailable = 1;
    PseudoTerminal receiver;
    Windows().Data->comsetting->setEditText(QString::fromStdString(receiver.Path()));
    Windows().Data->BitBtn1Click();
    Main().Start1Click();
    EXPECT_EQ(Main().StatusBar1->fixField->text(), "No fix yet");

    // A line read at the wrong speed: bytes all the time, never a whole sentence.
    const bool named = WaitFor(
        [&] {
            receiver.Write(std::string(40, '\xf3') + "$\x82\x19" + std::string(30, '\x7e'));
            QTest::qWait(100);
            return StateText(Main()) ==
                   "Receiving noise, no sentences: wrong line speed? Setup > Data Source > Detect";
        },
        8000);
    EXPECT_TRUE(named) << StateText(Main()).toStdString();
    EXPECT_EQ(Main().StatusBar1->fixField->text(), "No fix yet");

    // After the line end that closes the noise, whole sentences again.
    std::string sentences = "\r\n";
    for (int i = 0; i < 3; ++i) {
        sentences += "$GPGSA,A,2,04,05,,09,,,,,,,,,2.5,1.3,2.1*3D\r\n";
    }
    ASSERT_TRUE(receiver.Write(sentences));
    EXPECT_TRUE(WaitFor([&] {
        return StateText(Main()) == "Receiving" && Main().StatusBar1->fixField->text() == "2D fix";
    })) << StateText(Main()).toStdString();

    // In "GPS only" the satellites used are the GPS talker's, not those of the combined fix;
    // the 3D fix after them shows that both were taken (the last 100 bytes wait for more).
    std::string ggas =
        "$GPGGA,091500.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
        "$GNGGA,091500.00,4807.038,N,01131.000,E,1,20,0.6,545.4,M,46.9,M,,*4A\r\n";
    for (int i = 0; i < 4; ++i) {
        ggas += "$GPGSA,A,3,04,05,,09,,,,,,,,,2.5,1.3,2.1*3C\r\n";
    }
    ASSERT_TRUE(receiver.Write(ggas));
    EXPECT_TRUE(WaitFor([&] { return Main().StatusBar1->fixField->text().startsWith("3D"); }));
    EXPECT_EQ(Main().StatusBar1->fixField->text().toStdString(), "3D fix, 8 satellites");
}

}  // namespace
