#include "TStart.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <string>

#include "AppState.h"
#include "CommandError.h"
#include "CommandFraming.h"
#include "InitCommand.h"
#include "InitSettings.h"
#include "ReceiverLink.h"
#include "SettingsFile.h"
#include "TextConversion.h"

namespace {

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int x, int y, int width, int height) {
    widget->setObjectName(name);
    widget->setGeometry(x, y, width, height);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int x, int y, int width) {
    return Place(new QLabel(text, parent), name, x, y, width, 16);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* text, int x, int y, int width) {
    return Place(new QLineEdit(text, parent), name, x, y, width, 21);
}

std::string Text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

}  // namespace

TStart::TStart(AppState& state, ReceiverLink& link, QWidget* parent)
    : QDialog(parent), state_(state), link_(link), clock_(LocalNow) {
    setObjectName("Start");
    setWindowTitle("Receiver Initialization");
    QFont font("MS Sans Serif");
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(392, 302);
    CreateControls();
    FormCreate();
}

void TStart::CreateControls() {
    Label1 = MakeLabel(this, "Label1", "Position:", 16, 12, 80);
    Label2 = MakeLabel(this, "Label2", "Lat:", 24, 38, 36);
    latedit = MakeEdit(this, "latedit", "24.1233321", 64, 35, 121);
    Label3 = MakeLabel(this, "Label3", "Lon:", 24, 64, 36);
    lonedit = MakeEdit(this, "lonedit", "121.43323", 64, 61, 121);
    Label4 = MakeLabel(this, "Label4", "Alt:", 24, 90, 36);
    heightedit = MakeEdit(this, "heightedit", "0", 64, 87, 121);
    Label5 = MakeLabel(this, "Label5", "Clock:", 208, 38, 68);
    clockoffsetedit = MakeEdit(this, "clockoffsetedit", "75000", 280, 35, 89);
    Label6 = MakeLabel(this, "Label6", "Channels:", 208, 64, 68);
    channelsedit = MakeEdit(this, "channelsedit", "12", 280, 61, 89);

    systemtimecheck =
        Place(new QCheckBox("Use Current DOS Time", this), "systemtimecheck", 16, 120, 200, 20);
    systemtimecheck->setChecked(true);

    Label7 = MakeLabel(this, "Label7", "year", 16, 146, 56);
    yearedit = MakeEdit(this, "yearedit", "1990", 16, 164, 56);
    Label8 = MakeLabel(this, "Label8", "month", 80, 146, 48);
    monthedit = MakeEdit(this, "monthedit", "1", 80, 164, 40);
    Label9 = MakeLabel(this, "Label9", "date", 128, 146, 48);
    dateedit = MakeEdit(this, "dateedit", "2", 128, 164, 40);
    Label10 = MakeLabel(this, "Label10", "hour", 200, 146, 48);
    houredit = MakeEdit(this, "houredit", "12", 200, 164, 40);
    Label11 = MakeLabel(this, "Label11", "minute", 248, 146, 60);
    minuteedit = MakeEdit(this, "minuteedit", "00", 248, 164, 40);
    Label12 = MakeLabel(this, "Label12", "second", 312, 146, 60);
    secondedit = MakeEdit(this, "secondedit", "00", 312, 164, 40);

    GroupBox1 = Place(new QGroupBox("Reset Mode:", this), "GroupBox1", 16, 198, 360, 52);
    hotstart = Place(new QRadioButton("Hot Start", GroupBox1), "hotstart", 12, 22, 104, 20);
    warmstart = Place(new QRadioButton("Warm Start", GroupBox1), "warmstart", 124, 22, 112, 20);
    coldstart = Place(new QRadioButton("Cold Start", GroupBox1), "coldstart", 244, 22, 108, 20);
    coldstart->setChecked(true);

    BitBtn1 = Place(new QPushButton("Send", this), "BitBtn1", 104, 262, 81, 27);
    BitBtn1->setDefault(true);
    BitBtn2 = Place(new QPushButton("Cancel", this), "BitBtn2", 208, 262, 81, 27);

    systemtimecheckClick();
    connect(systemtimecheck, &QCheckBox::toggled, this, [this] { systemtimecheckClick(); });
    // The mode is taken when the button is chosen, so a later Cancel does not undo it.
    connect(hotstart, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            hotstartClick();
        }
    });
    connect(warmstart, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            warmstartClick();
        }
    });
    connect(coldstart, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            coldstartClick();
        }
    });
    // "Send" closes the dialog even when its action stops on an error.
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        accept();
        BitBtn1Click();
    });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TStart::FormCreate() {
    InitSettings settings;
    ApplySettings(settings, ReadSettings(settings));
    // The stored numbers start from the file too; unread ones keep the built-in defaults.
    clockoffset_ = settings.clockoffset;
    channels_ = settings.channels;
    time_ = CalendarTime{settings.year, settings.month,  settings.date,
                         settings.hour, settings.minute, settings.second};
}

// Only the values the file held are applied; the rest keep the dialog's own texts.
void TStart::ApplySettings(const InitSettings& settings, int fieldsRead) {
    if (fieldsRead >= 1) {
        state_.portNumber = settings.portNumber;
    }
    const std::array<QLineEdit*, 3> texts{latedit, lonedit, heightedit};
    const std::array<const std::string*, 3> textValues{&settings.lat, &settings.lon,
                                                       &settings.height};
    for (int i = 0; i < 3 && 1 + i < fieldsRead; ++i) {
        texts[i]->setText(QString::fromStdString(*textValues[i]));
    }
    const std::array<QLineEdit*, 8> numbers{clockoffsetedit, yearedit,   monthedit,  dateedit,
                                            houredit,        minuteedit, secondedit, channelsedit};
    const std::array<std::int32_t, 8> numberValues{
        settings.clockoffset, settings.year,   settings.month,  settings.date,
        settings.hour,        settings.minute, settings.second, settings.channels};
    for (int i = 0; i < 8 && 4 + i < fieldsRead; ++i) {
        numbers[i]->setText(QString::number(numberValues[i]));
    }
}

void TStart::systemtimecheckClick() {
    const bool manual = !systemtimecheck->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{yearedit, monthedit, dateedit, houredit,
                                                            minuteedit, secondedit, Label7, Label8,
                                                            Label9, Label10, Label11, Label12}) {
        control->setEnabled(manual);
    }
}

void TStart::hotstartClick() {
    state_.resetMode = 1;
}

void TStart::warmstartClick() {
    state_.resetMode = 2;
}

void TStart::coldstartClick() {
    state_.resetMode = 4;
}

// A failure before the command is sent leaves everything but the values already
// converted as it was; a failure while saving comes after the send and the buffer reset.
void TStart::BitBtn1Click() {
    // The position is only validated: the command carries the texts as typed.
    StrToFloat(Text(latedit));
    StrToFloat(Text(lonedit));
    StrToFloat(Text(heightedit));
    clockoffset_ = StrToInt(Text(clockoffsetedit));
    channels_ = StrToInt(Text(channelsedit));
    time_ = TimeToSend();
    gpsTime_ = CalendarToGpsTime(time_);

    CheckStorableTexts();
    const std::string lat = Text(latedit);
    const std::string lon = Text(lonedit);
    const std::string height = Text(heightedit);
    const std::string body =
        InitCommandBody(InitCommand{lat, lon, height, clockoffset_, gpsTime_.timeOfWeek,
                                    gpsTime_.week, channels_, state_.resetMode});

    SendCommand(body, link_);
    link_.ResetReceiveBuffer();
    SaveSettings();
    link_.ResetViews();
    link_.ResetMap();
}

CalendarTime TStart::TimeToSend() const {
    if (!systemtimecheck->isChecked()) {
        return TimeFromFields();
    }
    const std::tm now = clock_();
    return CalendarTime{now.tm_year + 1900, now.tm_mon + 1, now.tm_mday,
                        now.tm_hour,        now.tm_min,     now.tm_sec};
}

CalendarTime TStart::TimeFromFields() const {
    CalendarTime time;
    time.year = StrToInt(Text(yearedit));
    time.month = StrToInt(Text(monthedit));
    time.date = StrToInt(Text(dateedit));
    time.hour = StrToInt(Text(houredit));
    time.minute = StrToInt(Text(minuteedit));
    time.second = StrToInt(Text(secondedit));
    return time;
}

// The settings file keeps each position text in a buffer of fixed size; a longer text is
// refused before anything is sent, so that what was sent can always be stored.
void TStart::CheckStorableTexts() const {
    const std::array<std::pair<const char*, const QLineEdit*>, 3> fields{
        {{"latitude", latedit}, {"longitude", lonedit}, {"altitude", heightedit}}};
    for (const auto& [name, edit] : fields) {
        const std::string text = Text(edit);
        if (text.size() > InitSettings::kMaxTextLength) {
            throw CommandError("The " + std::string(name) + " text is " +
                               std::to_string(text.size()) + " characters long; at most " +
                               std::to_string(InitSettings::kMaxTextLength) + " can be stored");
        }
    }
}

// Every value is converted before the file is touched, so a bad date or time text
// (possible while the computer's clock is used) leaves the old file whole.
void TStart::SaveSettings() const {
    const CalendarTime fields = TimeFromFields();
    InitSettings settings;
    settings.portNumber = state_.portNumber;
    settings.lat = Text(latedit);
    settings.lon = Text(lonedit);
    settings.height = Text(heightedit);
    settings.clockoffset = clockoffset_;
    settings.year = fields.year;
    settings.month = fields.month;
    settings.date = fields.date;
    settings.hour = fields.hour;
    settings.minute = fields.minute;
    settings.second = fields.second;
    settings.channels = channels_;
    WriteSettings(settings);  // a file that cannot be written is not reported
}
