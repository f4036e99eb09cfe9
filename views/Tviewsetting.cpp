#include "Tviewsetting.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cfloat>
#include <cmath>
#include <string>

#include "ConvertError.h"
#include "TextConversion.h"

namespace {

QFont DialogFont(int pixelHeight) {
    QFont font("MS Sans Serif");
    font.setPixelSize(pixelHeight);
    return font;
}

template <typename Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(name);
    control->setGeometry(left, top, width, height);
    return control;
}

// The design sizes suit the original font; a wider substitute gets the room its
// texts need, so that none is cut off. Positions stay as designed.
void WidenToText(QWidget* control) {
    const int needed = control->sizeHint().width();
    if (needed > control->width()) {
        control->resize(needed, control->height());
    }
}

void WidenToChildren(QWidget* container, int margin) {
    const int needed = container->childrenRect().right() + 1 + margin;
    if (needed > container->width()) {
        container->resize(needed, container->height());
    }
}

QLabel* AddLabel(QWidget* parent, const char* name, int left, int top, int width, int height,
                 const char* text) {
    return Place(new QLabel(text, parent), name, left, top, width, height);
}

}  // namespace

Tviewsetting::Tviewsetting(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("viewsetting");
    setWindowTitle("Tracking View Configuration");
    setFont(DialogFont(16));
    setModal(true);
    resize(546, 427);
    move(264, 181);
    CreateButtons();
    CreateSatelliteLegend();
    CreateVelocityGroup();
    CreateOrientationGroup();
    FitTexts();
}

void Tviewsetting::FitTexts() {
    for (QGroupBox* box : {GroupBox1, GroupBox2, GroupBox3}) {
        for (QWidget* control : box->findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(control) || qobject_cast<QRadioButton*>(control)) {
                WidenToText(control);
            }
        }
        WidenToChildren(box, kTextMargin);
    }
    WidenToChildren(this, kTextMargin);
}

void Tviewsetting::CreateButtons() {
    BitBtn1 = Place(new QPushButton("OK", this), "BitBtn1", 434, 10, 95, 31);
    BitBtn2 = Place(new QPushButton("Cancel", this), "BitBtn2", 434, 50, 95, 31);
    for (QPushButton* button : {BitBtn1, BitBtn2}) {
        button->setFont(DialogFont(13));
        button->setAutoDefault(false);
    }
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &Tviewsetting::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void Tviewsetting::CreateSatelliteLegend() {
    GroupBox1 = Place(new QGroupBox("Satellite Information", this), "GroupBox1", 16, 8, 361, 177);
    GroupBox1->setFont(DialogFont(13));
    AddLabel(GroupBox1, "Label3", 8, 32, 41, 16, "Green:");
    AddLabel(GroupBox1, "Label4", 16, 56, 30, 16, "Blue:");
    AddLabel(GroupBox1, "Label5", 16, 80, 29, 16, "Red:");
    AddLabel(GroupBox1, "Label6", 64, 32, 209, 16, "Satellit with lock, used in calculation");
    AddLabel(GroupBox1, "Label7", 64, 56, 150, 16, "Satellit with lock, not used");
    AddLabel(GroupBox1, "Label8", 64, 80, 176, 16, "Satellite without lock, not used");
    AddLabel(GroupBox1, "Label9", 16, 104, 282, 16,
             "Outer circle represents the horizon (Elevation=0)");
    AddLabel(GroupBox1, "Label10", 16, 128, 279, 16,
             "Center point is directly overhead (Elevation=90)");
}

void Tviewsetting::CreateVelocityGroup() {
    GroupBox2 = Place(new QGroupBox("True and Measured Position Information", this), "GroupBox2",
                      16, 200, 473, 185);
    GroupBox2->setFont(DialogFont(13));
    QGroupBox* box = GroupBox2;
    AddLabel(box, "Label11", 8, 24, 399, 16,
             "Arrowhead represents true direction of travel and velocity, where the");
    AddLabel(box, "Label12", 8, 40, 407, 16,
             "outer circle represents the velocity entered below, and the inner circle");
    AddLabel(box, "Label13", 8, 56, 61, 16, "is half that.");
    AddLabel(box, "Label14", 56, 80, 122, 16, "Outer circle velocity: ");
    velocityedit = Place(new QLineEdit("4.0", box), "velocityedit", 193, 73, 96, 24);
    AddLabel(box, "Label1", 296, 77, 49, 20, "m/s");
    AddLabel(box, "Label15", 8, 96, 441, 16,
             "X represents the measured direction of travel and position, where the");
    AddLabel(box, "Label16", 8, 112, 412, 16,
             "outer circle represents the distance entered below, and the inner circle");
    AddLabel(box, "Label17", 8, 128, 61, 16, "is half that.");
    AddLabel(box, "Label18", 56, 152, 120, 16, "Outer circle position:");
    Edit1 = Place(new QLineEdit("20", box), "Edit1", 192, 144, 97, 24);
    AddLabel(box, "Label19", 296, 144, 11, 16, "m");
}

void Tviewsetting::CreateOrientationGroup() {
    GroupBox3 = Place(new QGroupBox("Orientation", this), "GroupBox3", 392, 104, 145, 81);
    GroupBox3->setFont(DialogFont(13));
    RadioButton1 = Place(new QRadioButton("&North Up", GroupBox3), "RadioButton1", 16, 24, 113, 17);
    RadioButton2 =
        Place(new QRadioButton("&Heading Up", GroupBox3), "RadioButton2", 16, 48, 113, 17);
    RadioButton1->setChecked(true);
}

void Tviewsetting::BitBtn1Click() {
    // An OK button closes its dialog even when its text does not convert.
    accept();
    const std::string text = velocityedit->text().toStdString();
    const double velocity = StrToFloat(text);
    if (std::fabs(velocity) > FLT_MAX) {
        throw ConvertError("'" + text + "' is not a valid floating point value");
    }
    state_.velocityScale = static_cast<float>(velocity);
}
