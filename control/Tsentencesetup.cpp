#include "Tsentencesetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <string>

#include "CommandFraming.h"
#include "RateCommand.h"
#include "TextConversion.h"

namespace {

constexpr int kRowTop = 24;
constexpr int kRowStep = 28;

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int x, int y, int width, int height) {
    widget->setObjectName(name);
    widget->setGeometry(x, y, width, height);
    return widget;
}

QComboBox* MakeRateBox(QWidget* parent, const char* name, int row) {
    auto* box = Place(new QComboBox(parent), name, 16, kRowTop + row * kRowStep, 89, 22);
    box->setEditable(true);
    // A typed rate is sent as it stands; the list keeps its ten items.
    box->setInsertPolicy(QComboBox::NoInsert);
    for (int rate = 1; rate <= 10; ++rate) {
        box->addItem(QString::number(rate));
    }
    box->setCurrentIndex(0);
    return box;
}

QCheckBox* MakeTickBox(QWidget* parent, const char* name, int row, bool ticked) {
    auto* box = Place(new QCheckBox(name, parent), name, 16, kRowTop + row * kRowStep, 89, 22);
    box->setChecked(ticked);
    return box;
}

}  // namespace

Tsentencesetup::Tsentencesetup(ReceiverLink& link, QWidget* parent) : QDialog(parent), link_(link) {
    setObjectName("sentencesetup");
    setWindowTitle("Sentence Setup");
    QFont font("MS Sans Serif");
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(380, 290);
    CreateControls();
}

void Tsentencesetup::CreateControls() {
    const int groupHeight = kRowTop + kRowCount * kRowStep + 4;
    GroupBox1 = Place(new QGroupBox("NMEA Messages", this), "GroupBox1", 16, 12, 144, groupHeight);
    GGA = MakeTickBox(GroupBox1, "GGA", 0, true);
    GLL = MakeTickBox(GroupBox1, "GLL", 1, false);
    GSA = MakeTickBox(GroupBox1, "GSA", 2, true);
    GSV = MakeTickBox(GroupBox1, "GSV", 3, true);
    RMC = MakeTickBox(GroupBox1, "RMC", 4, true);
    VTG = MakeTickBox(GroupBox1, "VTG", 5, false);

    GroupBox2 = Place(new QGroupBox("Update Rate 1/n Seconds", this), "GroupBox2", 168, 12, 196,
                      groupHeight);
    GGArate = MakeRateBox(GroupBox2, "GGArate", 0);
    GLLrate = MakeRateBox(GroupBox2, "GLLrate", 1);
    GSArate = MakeRateBox(GroupBox2, "GSArate", 2);
    GSVrate = MakeRateBox(GroupBox2, "GSVrate", 3);
    RMCrate = MakeRateBox(GroupBox2, "RMCrate", 4);
    VTGrate = MakeRateBox(GroupBox2, "VTGrate", 5);

    const int below = 12 + groupHeight;
    usechecksum =
        Place(new QCheckBox("Use Chechsums", this), "usechecksum", 16, below + 10, 160, 20);
    usechecksum->setChecked(true);

    const int buttons = below + 40;
    BitBtn1 = Place(new QPushButton("Send", this), "BitBtn1", 16, buttons, 81, 27);
    BitBtn1->setDefault(true);
    BitBtn2 = Place(new QPushButton("Cancel", this), "BitBtn2", 112, buttons, 81, 27);
    setdefaults =
        Place(new QPushButton("Set Defaults", this), "setdefaults", 252, buttons, 112, 27);

    // "Send" closes the dialog even when its action stops on an error.
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        accept();
        BitBtn1Click();
    });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(setdefaults, &QPushButton::clicked, this, [this] { setdefaultsClick(); });
}

std::array<Tsentencesetup::Row, Tsentencesetup::kRowCount> Tsentencesetup::Rows() const {
    return {{{GGA, GGArate, true},
             {GLL, GLLrate, false},
             {GSA, GSArate, true},
             {GSV, GSVrate, true},
             {RMC, RMCrate, true},
             {VTG, VTGrate, false}}};
}

void Tsentencesetup::BitBtn1Click() {
    const std::int32_t checksumFlag = usechecksum->isChecked() ? 1 : 0;
    int messageCode = 0;
    for (const Row& row : Rows()) {
        const bool selected = row.box->isChecked();
        // The rate of an unselected sentence is not read, so a bad text there is no error.
        const std::int32_t rate = selected ? StrToInt(row.rate->currentText().toStdString()) : 0;
        SendCommand(RateCommandBody(messageCode, selected, rate, checksumFlag), link_);
        ++messageCode;
    }
}

void Tsentencesetup::setdefaultsClick() {
    for (const Row& row : Rows()) {
        row.box->setChecked(row.builtInTick);
        row.rate->setCurrentIndex(0);
        row.rate->setEditText("1");
    }
    usechecksum->setChecked(true);
}

bool Tsentencesetup::IsSelected(SentenceType type) const {
    switch (type) {
        case SentenceType::Gga:
            return GGA->isChecked();
        case SentenceType::Gll:
            return GLL->isChecked();
        case SentenceType::Gsa:
            return GSA->isChecked();
        case SentenceType::Gsv:
            return GSV->isChecked();
        case SentenceType::Rmc:
            return RMC->isChecked();
        case SentenceType::Vtg:
            return VTG->isChecked();
        case SentenceType::Other:
            break;
    }
    return true;
}
