#include "TLogFileSetting.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <cstdio>
#include <cstring>

#include "DataSourceLink.h"
#include "ElidingLabel.h"

TLogFileSetting::TLogFileSetting(AppState& state, DataSourceLink& link, QWidget* parent)
    : QDialog(parent), state_(state), link_(link) {
    setObjectName("LogFileSetting");
    setWindowTitle("Log File Settings");
    setFixedSize(345, 130);
    CreateControls();
}

void TLogFileSetting::CreateControls() {
    Label1 = new QLabel("Filename: ", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(16, 20, 70, 20);
    auto* bevel = new QFrame(this);
    bevel->setObjectName("Bevel1");
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(88, 16, 190, 28);
    logfilenamelabel = new ElidingLabel(this);
    logfilenamelabel->setObjectName("logfilenamelabel");
    logfilenamelabel->setGeometry(90, 18, 186, 24);
    logfilenamelabel->setAlignment(Qt::AlignCenter);
    logfilenamelabel->setAutoFillBackground(true);
    logfilenamelabel->setStyleSheet("background-color: white;");
    logfilenamelabel->setEnabled(false);  // until OK switches logging on
    Browse = new QPushButton("....", this);
    Browse->setObjectName("Browse");
    Browse->setGeometry(286, 18, 44, 24);

    OpenDialog = new QFileDialog(this);
    OpenDialog->setObjectName("OpenDialog");
    OpenDialog->setNameFilter("NMEA LOG (*.log)");
    OpenDialog->setDefaultSuffix("log");
    OpenDialog->setFileMode(QFileDialog::AnyFile);

    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(150, 84, 85, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton("Cancel", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(245, 84, 85, 28);

    connect(Browse, &QPushButton::clicked, this, &TLogFileSetting::BrowseClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TLogFileSetting::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TLogFileSetting::BrowseClick() {
    const QString fullName = link_.RunFileDialog(*OpenDialog);
    if (fullName.isEmpty()) {
        return;
    }
    const QByteArray name = QFile::encodeName(fullName);
    if (name.size() >= AppState::kLogFileNameSize) {
        link_.ShowFileError("File Name Too Long!!!");
        return;
    }
    std::memcpy(state_.logFileName, name.constData(), static_cast<std::size_t>(name.size()) + 1);
    logfilenamelabel->setText(QFileInfo(fullName).fileName());
    // Only to learn whether the file exists: logging appends to it anyway.
    if (std::FILE* existing = std::fopen(state_.logFileName, "r")) {
        std::fclose(existing);
        link_.ShowFileError("File Exists!!!");
    }
}

void TLogFileSetting::BitBtn1Click() {
    accept();
    logfilenamelabel->setEnabled(true);
    logfilenamelabel->setText(QFile::decodeName(state_.logFileName));
    state_.loggingEnabled = 1;
}

void TLogFileSetting::showEvent(QShowEvent* event) {
    // Logging was switched off behind the dialog (a refused log, a playback file picked):
    // the name shown is the one OK would use now, greyed like before the first OK.
    if (state_.loggingEnabled == 0 && logfilenamelabel->isEnabled()) {
        logfilenamelabel->setEnabled(false);
        logfilenamelabel->setText(QFile::decodeName(state_.logFileName));
    }
    QDialog::showEvent(event);
}
