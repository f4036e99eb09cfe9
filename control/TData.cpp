#include "TData.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "DataSourceLink.h"
#include "ElidingLabel.h"
#include "ElidingLineEdit.h"
#include "GpsdProbe.h"
#include "LineSpeedSearch.h"
#include "NetworkSourceName.h"
#include "TextConversion.h"
#include "serial/PortName.h"
#include "serial/SerialPortDiscovery.h"
#include "serial/TComm.h"

namespace {

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(name);
    widget->setGeometry(left, top, width, height);
    return widget;
}

QFileDialog* CreateLogFileDialog(QWidget* parent) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName("OpenDialog");
    dialog->setNameFilter("NMEA LOG (*.log)");
    dialog->setDefaultSuffix("log");
    dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog;
}

}  // namespace

TData::TData(AppState& state, TComm& comm, DataSourceLink& link, QWidget* parent)
    : QDialog(parent), state_(state), comm_(comm), link_(link) {
    setObjectName("Data");
    setWindowTitle("Data Source Setup");
    // Taller than the controls need by a row for the speed search's progress.
    setFixedSize(345, 236);
    CreateControls();
    CreateDetection();
    FormCreate();
}

void TData::CreateControls() {
    file = Place(new QRadioButton("File", this), "file", 16, 16, 80, 20);
    auto* bevel = Place(new QFrame(this), "Bevel1", 16, 40, 260, 28);
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);
    logfilenamelabel = Place(new ElidingLabel(this), "logfilenamelabel", 18, 42, 256, 24);
    logfilenamelabel->setAlignment(Qt::AlignCenter);
    logfilenamelabel->setAutoFillBackground(true);
    logfilenamelabel->setStyleSheet("background-color: white;");
    logfilenamelabel->setEnabled(false);
    browse = Place(new QPushButton("...", this), "browse", 284, 42, 40, 24);
    browse->setEnabled(false);
    OpenDialog = CreateLogFileDialog(this);

    serial = Place(new QRadioButton("Serial Port", this), "serial", 16, 84, 110, 20);
    serial->setChecked(true);
    comsetting = Place(new QComboBox(this), "comsetting", 32, 108, 130, 24);
    comsetting->setEditable(true);
    comsetting->setInsertPolicy(QComboBox::NoInsert);
    comsetting->addItems({"COM1", "COM2", "COM3", "COM4"});
    ElidingLineEdit::InstallIn(*comsetting);
    for (int index = 0; index < kComPortCount; ++index) {
        const std::string port = comsetting->itemText(index).toStdString();
        comsetting->setItemData(index, QString::fromStdString(DevicePathForPortName(port)),
                                Qt::ToolTipRole);
    }
    Label1 = Place(new QLabel("Baud Rate", this), "Label1", 180, 88, 100, 18);
    baudrateedit = Place(new QComboBox(this), "baudrateedit", 180, 108, 130, 24);
    baudrateedit->setEditable(true);
    baudrateedit->setInsertPolicy(QComboBox::NoInsert);
    baudrateedit->addItems({"4800", "9600", "19200"});
    // Rates today's receivers use; any other number may be typed.
    baudrateedit->addItems({"38400", "57600", "115200"});
    baudrateedit->setCurrentText("4800");

    BitBtn1 = Place(new QPushButton("OK", this), "BitBtn1", 150, 164, 85, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = Place(new QPushButton("Cancel", this), "BitBtn2", 245, 164, 85, 28);

    connect(file, &QRadioButton::clicked, this, &TData::fileClick);
    connect(browse, &QPushButton::clicked, this, &TData::browseClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TData::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TData::CreateDetection() {
    detect = Place(new QPushButton("Detect", this), "detect", 180, 136, 130, 24);
    detectlabel = Place(new QLabel(this), "detectlabel", 16, 204, 314, 20);
    search_ = new LineSpeedSearch(this);
    connect(detect, &QPushButton::clicked, this, &TData::detectClick);
    connect(search_, &LineSpeedSearch::Trying, this,
            [this](int rate) { detectlabel->setText(QString("Trying %1 baud...").arg(rate)); });
    connect(search_, &LineSpeedSearch::Finished, this, &TData::DetectionFinished);
}

void TData::FormCreate() {
    const int index = state_.portNumber >= 1 && state_.portNumber <= 4 ? state_.portNumber - 1 : -1;
    comsetting->setCurrentIndex(index);
    if (index < 0) {
        comsetting->setEditText("");
    }
}

void TData::showEvent(QShowEvent* event) {
    RefreshPortList();
    // The search opens the port itself, which the running intake holds.
    detect->setEnabled(!link_.IntakeRunning() && !search_->Running());
    detectlabel->clear();
    QDialog::showEvent(event);
}

// Lists the serial devices present now after the COM items, keeping the port text as it was.
void TData::RefreshPortList() {
    const QString text = comsetting->currentText();
    while (comsetting->count() > kComPortCount) {
        comsetting->removeItem(kComPortCount);
    }
    for (const DetectedPort& port : FindSerialPorts(deviceRoot_)) {
        comsetting->addItem(QString::fromStdString(port.path));
        comsetting->setItemData(comsetting->count() - 1, QString::fromStdString(port.description),
                                Qt::ToolTipRole);
    }
    KeepPortText(text);
    // A gpsd holding the receiver's port is offered too, once it has answered; a fake
    // device tree (tests) has no gpsd to ask.
    if (deviceRoot_ != "/") {
        return;
    }
    if (gpsdProbe_ == nullptr) {
        gpsdProbe_ = new GpsdProbe(this);
    }
    gpsdProbe_->Start([this] { AddLocalGpsd(); });
}

void TData::AddLocalGpsd() {
    if (comsetting->findText(GpsdProbe::kLocalGpsd, Qt::MatchExactly) < 0) {
        const QString text = comsetting->currentText();
        comsetting->addItem(GpsdProbe::kLocalGpsd);
        KeepPortText(text);
    }
}

void TData::KeepPortText(const QString& text) {
    // By-id paths are long: let the open list show them whole.
    ElidingLineEdit::FitList(*comsetting);
    if (comsetting->currentText() != text) {
        const int index = comsetting->findText(text, Qt::MatchExactly);
        comsetting->setCurrentIndex(index);
        if (index < 0) {
            comsetting->setEditText(text);
        }
    }
}

void TData::fileClick() {
    logfilenamelabel->setEnabled(true);
    browse->setEnabled(true);
}

void TData::browseClick() {
    CloseForPlayback();
    PlaybackFileChosen(link_.RunFileDialog(*OpenDialog));
}

void TData::BrowseTo(const QString& fullName) {
    CloseForPlayback();
    PlaybackFileChosen(fullName);
}

void TData::CloseForPlayback() {
    state_.logFileOpen = 0;
    state_.loggingEnabled = 0;
    comm_.ClosePort();
    link_.CloseAllFiles();
}

// An empty name: the file dialog was cancelled.
void TData::PlaybackFileChosen(const QString& fullName) {
    if (!fullName.isEmpty()) {
        logfilenamelabel->setText(QFileInfo(fullName).fileName());
        OpenPlaybackFile(fullName);
    }
    link_.ResetReceiveBuffer();
}

void TData::OpenPlaybackFile(const QString& fullName) {
    const QByteArray name = QFile::encodeName(fullName);
    if (name.size() > kMaxPlaybackName) {
        link_.ShowFileError("File Name Too Long!!!");
        return;
    }
    state_.dataFile = std::fopen(name.constData(), "r");
    if (state_.dataFile == nullptr) {
        link_.ShowFileError("File Open Error!!!");
    }
}

void TData::BitBtn1Click() {
    // OK closes the dialog even when the baud rate text does not convert.
    accept();
    if (file->isChecked()) {
        state_.playbackActive = 1;
        return;
    }
    const QString port = comsetting->currentText();
    comm_.SetCommName(port.toStdString());
    // Only the COM items have a number; the settings file stores nothing else.
    const int index = comsetting->findText(port, Qt::MatchExactly);
    state_.portNumber = index < kComPortCount ? index + 1 : 0;
    comm_.SetBaudRate(StrToInt(baudrateedit->currentText().toStdString()));
}

void TData::detectClick() {
    if (link_.IntakeRunning() || search_->Running()) {
        return;
    }
    const std::string port = comsetting->currentText().toStdString();
    if (IsNetworkSourceName(port)) {
        // There is no line to listen to: the search would only fail to open the name.
        detectlabel->setText("A network source has no line speed to detect");
        return;
    }
    // The baud box's text first when it is a number; then the common speeds and the list's.
    bool ok = false;
    const int first = baudrateedit->currentText().trimmed().toInt(&ok);
    std::vector<std::int32_t> listed;
    for (int i = 0; i < baudrateedit->count(); ++i) {
        listed.push_back(baudrateedit->itemText(i).toInt());
    }
    detect->setEnabled(false);
    search_->Start(DevicePathForPortName(port), ok ? first : 0, std::move(listed));
}

void TData::DetectionFinished(LineSpeedDetector::Outcome outcome, int baudRate) {
    detect->setEnabled(!link_.IntakeRunning());
    switch (outcome) {
        case LineSpeedDetector::Outcome::Found:
            baudrateedit->setCurrentText(QString::number(baudRate));
            detectlabel->setText(QString("Found NMEA sentences at %1 baud").arg(baudRate));
            break;
        case LineSpeedDetector::Outcome::NotFound:
            detectlabel->setText("No NMEA sentences at any speed");
            break;
        case LineSpeedDetector::Outcome::CannotOpen:
            detectlabel->setText(QString::fromStdString(
                "Cannot open " + ShownName(comsetting->currentText().toStdString())));
            break;
        case LineSpeedDetector::Outcome::Cancelled:
            detectlabel->clear();
            break;
    }
}

void TData::done(int result) {
    search_->Cancel();
    QDialog::done(result);
}
