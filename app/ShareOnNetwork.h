#pragma once

#include <QObject>
#include <functional>

#include "SentenceAssembler.h"
#include "ShareServer.h"
#include "ShareSettings.h"

class MainStatusBar;
class QDialog;
class QLabel;
class TShareSetup;

// Sharing the receiver with other programs: cuts the received bytes into sentences and
// serves them (ShareServer), keeps its settings, shows the client count in the
// status bar and runs the "Share on Network" dialog. The main window only feeds it.
class ShareOnNetwork : public QObject {
    Q_OBJECT

public:
    // Starts sharing at once when the stored settings say so. `window` owns this and the
    // dialog.
    ShareOnNetwork(MainStatusBar& statusBar, QWidget* window);
    ~ShareOnNetwork() override;

    // Received bytes, from the serial port, a network source or the playback.
    void Feed(const char* data, std::size_t count);
    // One whole line (the playback feeds lines).
    void FeedLine(std::string_view line);
    // Forgets a partial sentence (the source was re-opened).
    void Restart() { sentences_.Reset(); }

    // Shows the dialog through `runModal` and applies and stores what was chosen.
    void RunDialog(const std::function<int(QDialog&)>& runModal);
    // Applies settings: starts, moves or stops the server.
    void Apply(const ShareSettings& settings);

    ShareServer& Server() { return server_; }
    TShareSetup* dialog = nullptr;
    QLabel* field = nullptr;

private:
    void ShowClients();

    MainStatusBar& statusBar_;
    QWidget* window_;
    ShareServer server_;
    SentenceAssembler sentences_;
    ShareSettings settings_;
};
