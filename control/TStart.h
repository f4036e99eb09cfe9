#pragma once

#include <QDialog>
#include <cstdint>
#include <ctime>
#include <functional>
#include <utility>

#include "GpsTime.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ReceiverLink;
struct AppState;
struct InitSettings;

// The "Receiver Initialization" dialog: sends "$PQKL104" with a position, clock offset,
// GPS time, channel count and reset mode, then restarts the program's picture of the
// receiver. Created once at start-up; its texts persist between showings.
class TStart : public QDialog {
    Q_OBJECT

public:
    // The computer's local calendar clock; replaceable so that tests fix the time.
    using Clock = std::function<std::tm()>;

    TStart(AppState& state, ReceiverLink& link, QWidget* parent = nullptr);

    void SetClock(Clock clock) { clock_ = std::move(clock); }

    // Fills the fields from the settings file (run by the constructor).
    void FormCreate();

    void systemtimecheckClick();
    void hotstartClick();
    void warmstartClick();
    void coldstartClick();
    // "Send". Throws ConvertError or CommandError when it stops; see the source for order.
    void BitBtn1Click();

    // The stored values: from the settings file at creation, then those of each "Send".
    std::int32_t ClockOffset() const { return clockoffset_; }
    std::int32_t Channels() const { return channels_; }
    const CalendarTime& SentTime() const { return time_; }
    const GpsTime& SentGpsTime() const { return gpsTime_; }

    QLabel* Label1;   // "Position:"
    QLabel* Label2;   // "Lat:"
    QLabel* Label3;   // "Lon:"
    QLabel* Label4;   // "Alt:"
    QLabel* Label5;   // "Clock:"
    QLabel* Label6;   // "Channels:"
    QLabel* Label7;   // "year"
    QLabel* Label8;   // "month"
    QLabel* Label9;   // "date"
    QLabel* Label10;  // "hour"
    QLabel* Label11;  // "minute"
    QLabel* Label12;  // "second"
    QLineEdit* latedit;
    QLineEdit* lonedit;
    QLineEdit* heightedit;
    QLineEdit* clockoffsetedit;
    QLineEdit* channelsedit;
    QCheckBox* systemtimecheck;
    QLineEdit* yearedit;
    QLineEdit* monthedit;
    QLineEdit* dateedit;
    QLineEdit* houredit;
    QLineEdit* minuteedit;
    QLineEdit* secondedit;
    QGroupBox* GroupBox1;  // "Reset Mode:"
    QRadioButton* hotstart;
    QRadioButton* warmstart;
    QRadioButton* coldstart;
    QPushButton* BitBtn1;  // "Send"
    QPushButton* BitBtn2;  // "Cancel"

private:
    void CreateControls();
    void ApplySettings(const InitSettings& settings, int fieldsRead);
    CalendarTime TimeToSend() const;
    CalendarTime TimeFromFields() const;
    void CheckStorableTexts() const;
    void SaveSettings() const;

    AppState& state_;
    ReceiverLink& link_;
    Clock clock_;

    std::int32_t clockoffset_ = 0;
    std::int32_t channels_ = 0;
    CalendarTime time_;
    GpsTime gpsTime_;
};
