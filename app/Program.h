#pragma once

#include <memory>
#include <string>

#include "AppState.h"
#include "MapCentre.h"
#include "NavState.h"
#include "ProgramWindows.h"
#include "ReceiveBuffer.h"
#include "TrackHistory.h"

#include "serial/DeviceFactory.h"
class TMainForm;

// The whole program: the application-wide records and the thirteen windows, created
// in their fixed order. The main window reads the port number from the settings file
// first; the "Receiver Initialization" dialog then reads the whole file; the "Data
// Source Setup" dialog, created after both, shows the stored port.
class Program {
public:
    explicit Program(std::unique_ptr<DeviceFactory> devices = nullptr);
    ~Program();

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void Show();
    // Starts on `source` once the event loop runs, as StartOnSource says; its errors are
    // reported as Start's are.
    void StartOn(const std::string& source);

    TMainForm& MainForm() { return *mainForm_; }
    ProgramWindows& Windows() { return windows_; }
    AppState& State() { return state_; }
    NavState& Nav() { return nav_; }
    ReceiveBuffer& Buffer() { return buffer_; }
    TrackHistory& Track() { return track_; }
    MapCentre& Centre() { return centre_; }

private:
    AppState state_;
    NavState nav_;
    ReceiveBuffer buffer_;
    TrackHistory track_;
    MapCentre centre_;
    ProgramWindows windows_;
    std::unique_ptr<TMainForm> mainForm_;
};
