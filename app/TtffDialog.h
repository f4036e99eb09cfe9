#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "InitSettings.h"
#include "TtffSession.h"
#include "ViewDialogs.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

// "Time to First Fix": restarts the receiver hot, warm or cold a number of times with the
// command "Receiver Initialization" sends, and measures each time from the write to the
// first fix (a GGA of quality 1 or more, or an RMC of status A). Lists the runs with the
// satellites used and the HDOP at the fix, and sums them up.
class TtffDialog : public QDialog {
    Q_OBJECT

public:
    // What the test needs from the program.
    struct Link {
        // Why no test can run now ("Start the receiver first ..."), or empty when it can.
        std::function<QString()> refusal;
        // The values the restart command is built from, as Receiver Initialization has them.
        std::function<InitSettings()> settings;
        // Writes a restart command to the receiver.
        std::function<void(std::string_view bytes)> send;
        // The program's modal dialogs, for the file dialog of the CSV export.
        ViewDialogs dialogs;
    };

    explicit TtffDialog(Link link, QWidget* parent = nullptr);
    ~TtffDialog() override;

    // Every framed sentence, while the dialog lives (text after "$").
    void SentenceFramed(const char* text);
    bool Running() const;

    void StartClick();
    void StopClick();
    void ExportClick();

    QComboBox* mode = nullptr;
    QSpinBox* runs = nullptr;
    QDoubleSpinBox* limit = nullptr;
    QDoubleSpinBox* pause = nullptr;
    QPushButton* startButton = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* exportButton = nullptr;
    QLabel* progress = nullptr;
    QTableWidget* table = nullptr;
    QLabel* summary = nullptr;

private:
    double Now() const;
    void Tick();
    void AddRow(const TtffRun& run);
    void ShowProgress();
    void ShowSummary();
    void Finished();

    Link link_;
    std::unique_ptr<TtffSession> session_;
    QElapsedTimer clock_;
    QTimer* ticker_ = nullptr;
};
