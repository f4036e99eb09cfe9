#pragma once

#include <QDialog>
#include <filesystem>

#include "AppState.h"
#include "LineSpeedDetector.h"

class DataSourceLink;
class LineSpeedSearch;
class GpsdProbe;
class QComboBox;
class QFileDialog;
class QLabel;
class QPushButton;
class QRadioButton;
class TComm;

// "Data Source Setup": the serial port with its name and speed, or a recorded log
// to play back.
class TData : public QDialog {
    Q_OBJECT

public:
    // The longest playback file name the program keeps (a 100-byte buffer).
    static constexpr int kMaxPlaybackName = 99;
    // "COM1".."COM4" head the port list; the serial devices found follow them.
    static constexpr int kComPortCount = 4;

    TData(AppState& state, TComm& comm, DataSourceLink& link, QWidget* parent = nullptr);

    void FormCreate();
    void fileClick();
    void browseClick();
    // What "..." does with `fullName` picked, without the file dialog (a log named on the
    // command line).
    void BrowseTo(const QString& fullName);
    void BitBtn1Click();
    // "Detect": finds the speed the receiver on the chosen port sends at.
    void detectClick();

    // Where the port list looks for serial devices (the machine's "/" unless a test says).
    void SetDeviceRoot(std::filesystem::path root) { deviceRoot_ = std::move(root); }

    QRadioButton* file = nullptr;
    QLabel* logfilenamelabel = nullptr;
    QPushButton* browse = nullptr;
    QFileDialog* OpenDialog = nullptr;
    QRadioButton* serial = nullptr;
    QComboBox* comsetting = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* baudrateedit = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* detect = nullptr;
    QLabel* detectlabel = nullptr;

    // Closing the dialog ends a speed search still running.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void RefreshPortList();
    void AddLocalGpsd();
    void KeepPortText(const QString& text);
    void CloseForPlayback();
    void PlaybackFileChosen(const QString& fullName);
    void OpenPlaybackFile(const QString& fullName);
    void CreateDetection();
    void DetectionFinished(LineSpeedDetector::Outcome outcome, int baudRate);

    AppState& state_;
    TComm& comm_;
    DataSourceLink& link_;
    std::filesystem::path deviceRoot_ = "/";
    LineSpeedSearch* search_ = nullptr;
    GpsdProbe* gpsdProbe_ = nullptr;
};
