#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include "ConvertError.h"
#include "FakeDeviceTree.h"
#include "ProgramFixture.h"
#include "PseudoTerminal.h"
#include "TData.h"
#include "TLogFileSetting.h"

namespace {

QStringList ItemTexts(const QComboBox& box) {
    QStringList texts;
    for (int i = 0; i < box.count(); ++i) {
        texts << box.itemText(i);
    }
    return texts;
}

class DataDialogsTest : public ProgramTest {
protected:
    TData& Data() { return *Windows().Data; }
    TLogFileSetting& LogSetting() { return *Windows().LogFileSetting; }
};

TEST_F(DataDialogsTest, SerialPortChoiceAppliesToTheComponent) {
    CreateProgram();
    Data().comsetting->setCurrentIndex(2);
    Data().baudrateedit->setCurrentText("9600");
    Data().BitBtn1Click();
    EXPECT_EQ(Main().Comm1.CommName(), "COM3");
    EXPECT_EQ(State().portNumber, 3);
    EXPECT_EQ(Main().Comm1.BaudRate(), 9600);
    EXPECT_FALSE(Main().Comm1.IsOpen());
}

TEST_F(DataDialogsTest, NoStoredPortGivesAnEmptyName) {
    CreateProgram();
    EXPECT_EQ(Data().comsetting->currentIndex(), -1);
    Data().BitBtn1Click();
    EXPECT_EQ(Main().Comm1.CommName(), "");
    EXPECT_EQ(State().portNumber, 0);
}

TEST_F(DataDialogsTest, BadBaudRateIsReportedAfterThePortWasTaken) {
    CreateProgram();
    Data().comsetting->setCurrentIndex(0);
    Data().baudrateedit->setCurrentText("48o0");
    Data().setResult(QDialog::Rejected);
    try {
        Data().BitBtn1Click();
        FAIL() << "no error";
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), "'48o0' is not a valid integer value");
    }
    EXPECT_EQ(Data().result(), QDialog::Accepted);  // the dialog closes all the same
    EXPECT_EQ(Main().Comm1.CommName(), "COM1");
    EXPECT_EQ(State().portNumber, 1);
    EXPECT_EQ(Main().Comm1.BaudRate(), 4800);
}

TEST_F(DataDialogsTest, DevicesFoundFollowTheComPortsAndAreListedAfreshAtEachShowing) {
    FakeDeviceTree devices;
    devices.AddUsbDevice("usb1/1-2", "u-blox AG", "u-blox 7");
    devices.AddTty("ttyACM0", "usb1/1-2/1-2:1.0");
    devices.AddStableLink("usb-u-blox_AG_u-blox_7-if00", "ttyACM0");
    const QString receiver = "/dev/serial/by-id/usb-u-blox_AG_u-blox_7-if00";
    const QStringList com{"COM1", "COM2", "COM3", "COM4"};
    CreateProgram();
    Data().SetDeviceRoot(devices.root);
    QComboBox& ports = *Data().comsetting;
    Data().show();
    EXPECT_EQ(ItemTexts(ports), com + QStringList{receiver});
    EXPECT_EQ(ports.itemData(0, Qt::ToolTipRole).toString(), "/dev/ttyS0");
    EXPECT_EQ(ports.itemData(4, Qt::ToolTipRole).toString(), "u-blox AG u-blox 7 (/dev/ttyACM0)");
    ports.setCurrentIndex(4);
    Data().BitBtn1Click();
    EXPECT_EQ(Main().Comm1.CommName(), receiver.toStdString());
    EXPECT_EQ(State().portNumber, 0);

    // Another plugged in, this one out: the list follows, the chosen text stays.
    Data().hide();
    devices.AddTty("ttyUSB0");
    devices.RemoveTty("ttyACM0");
    Data().show();
    EXPECT_EQ(ItemTexts(ports), com + QStringList{"/dev/ttyUSB0"});
    EXPECT_EQ(ports.currentText(), receiver);
}

TEST_F(DataDialogsTest, BaudRateListOffersTodaysRatesAfterTheClassicOnes) {
    CreateProgram();
    EXPECT_EQ(ItemTexts(*Data().baudrateedit),
              QStringList({"4800", "9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(Data().baudrateedit->currentText(), "4800");
}

TEST_F(DataDialogsTest, BrowseWithTheFileDialogCancelledStillStopsEverything) {
    CreateProgram();
    State().loggingEnabled = 1;
    State().logFileOpen = 1;
    program->Buffer().Put('x');
    nextChosenFile.clear();
    Data().file->click();
    EXPECT_TRUE(Data().browse->isEnabled());
    Data().browseClick();
    EXPECT_EQ(State().loggingEnabled, 0);
    EXPECT_EQ(State().logFileOpen, 0);
    EXPECT_EQ(program->Buffer().Count(), 0);
    EXPECT_EQ(State().dataFile, nullptr);
}

TEST_F(DataDialogsTest, PlaybackFileThatCannotBeOpened) {
    CreateProgram();
    Data().file->click();
    nextChosenFile = QString::fromStdString(Path("gone.log").string());
    Data().browseClick();
    EXPECT_EQ(errorDialogTexts, QStringList({"File Open Error!!!"}));
    EXPECT_EQ(LabelText(&Data(), "logfilenamelabel"), "gone.log");
    Data().BitBtn1Click();
    EXPECT_EQ(State().playbackActive, 1);
    Main().Start1Click();
    Main().Timer2Timer();  // nothing to read, nothing fed
    EXPECT_EQ(program->Buffer().Count(), 0);
}

TEST_F(DataDialogsTest, OverlongFileNamesAreRefusedNotCut) {
    CreateProgram();
    const std::string longDir = Path(std::string(120, 'd')).string();
    std::filesystem::create_directory(longDir);
    WriteFile(std::string(120, 'd') + "/x.log", "$GPVTG,1\n");
    Data().file->click();
    nextChosenFile = QString::fromStdString(longDir + "/x.log");
    Data().browseClick();
    EXPECT_EQ(errorDialogTexts, QStringList({"File Name Too Long!!!"}));
    EXPECT_EQ(State().dataFile, nullptr);

    const std::string before = State().logFileName;
    nextChosenFile = QString::fromStdString(Path(std::string(300, 'n') + ".log").string());
    LogSetting().BrowseClick();
    EXPECT_EQ(errorDialogTexts.size(), 2);
    EXPECT_EQ(State().logFileName, before);

    // The longest names that fit are taken whole.
    std::string name = Path("").string();
    name += std::string(AppState::kLogFileNameSize - 1 - name.size() - 4, 'k') + ".log";
    nextChosenFile = QString::fromStdString(name);
    LogSetting().BrowseClick();
    EXPECT_EQ(std::string(State().logFileName), name);
}

TEST_F(DataDialogsTest, ExistingLogFileIsAWarningOnly) {
    CreateProgram();
    WriteFile("old.log", "$GPGGA,1\r\n");
    nextChosenFile = QString::fromStdString(Path("old.log").string());
    LogSetting().BrowseClick();
    EXPECT_EQ(errorDialogTexts, QStringList({"File Exists!!!"}));
    EXPECT_EQ(LabelText(&LogSetting(), "logfilenamelabel"), "old.log");
    EXPECT_EQ(State().loggingEnabled, 0);
    LogSetting().BitBtn1Click();
    EXPECT_EQ(State().loggingEnabled, 1);
    EXPECT_EQ(LabelText(&LogSetting(), "logfilenamelabel"), nextChosenFile);
    EXPECT_EQ(std::string(State().logFileName), Path("old.log").string());
}

TEST_F(DataDialogsTest, LogFileNameFieldIsEnabledByOk) {
    CreateProgram();
    EXPECT_FALSE(LogSetting().logfilenamelabel->isEnabled());
    LogSetting().reject();
    EXPECT_FALSE(LogSetting().logfilenamelabel->isEnabled());
    LogSetting().BitBtn1Click();
    EXPECT_TRUE(LogSetting().logfilenamelabel->isEnabled());
}

TEST_F(DataDialogsTest, FileSourceChosenThenCancelledStillKeepsTheSerialPortClosed) {
    CreateProgram();
    Data().file->click();
    Data().reject();
    Main().Start1Click();
    EXPECT_FALSE(Main().Comm1.IsOpen());
    EXPECT_TRUE(Main().Timer1->isActive());
    EXPECT_EQ(State().playbackActive, 0);
    EXPECT_FALSE(Main().SpeedButton1->isEnabled());  // unchanged by a file-source Start
    Main().Stop1Click();
}

}  // namespace

namespace {

// A search on a silent line shows its progress and ends when the dialog is cancelled.
TEST_F(DataDialogsTest, CancelEndsALineSpeedSearch) {
    PseudoTerminal line;
    CreateProgram();
    Data().comsetting->setEditText(QString::fromStdString(line.Path()));
    Data().baudrateedit->setCurrentText("9600");
    Data().show();
    Data().detect->click();
    EXPECT_FALSE(Data().detect->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return Data().detectlabel->text() == "Trying 4800 baud..."; }));
    Data().BitBtn2->click();
    EXPECT_TRUE(Data().detect->isEnabled());
    EXPECT_EQ(Data().detectlabel->text(), "");
    EXPECT_EQ(Data().baudrateedit->currentText(), "9600");

    // A network source has no line to listen to: nothing is searched.
    Data().comsetting->setEditText("gpsd://localhost:2947");
    Data().show();
    Data().detect->click();
    EXPECT_TRUE(Data().detect->isEnabled());
    EXPECT_EQ(Data().detectlabel->text(), "A network source has no line speed to detect");

    // Leaving the program while a search runs: the search ends without a word to the dialog,
    // whose buttons are gone by then (AddressSanitizer reports any touch).
    Data().comsetting->setEditText(QString::fromStdString(line.Path()));
    Data().detect->click();
    ASSERT_FALSE(Data().detect->isEnabled());
    program.reset();
}

}  // namespace
