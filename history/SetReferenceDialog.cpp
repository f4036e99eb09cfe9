#include "SetReferenceDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>
#include <string>

#include "ConvertError.h"
#include "TextConversion.h"

namespace {

// Converts the text of `edit`, which must lie within -limit .. limit.
double Value(const QLineEdit& edit, const char* name, double limit, const char* unit) {
    const std::string text = edit.text().toStdString();
    const double value = StrToFloat(text);
    if (std::abs(value) > limit) {
        char range[160];
        std::snprintf(range, sizeof range, "%s %s is outside -%g to %g %s", name, text.c_str(),
                      limit, limit, unit);
        throw ConvertError(range);
    }
    return value;
}

QString Number(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

}  // namespace

SetReferenceDialog::SetReferenceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("SetReference");
    setWindowTitle("Set Reference");
    useMean = new QRadioButton("Use &Mean of the fixes");
    useMean->setObjectName("useMean");
    typed = new QRadioButton("&This place:");
    typed->setObjectName("typed");
    useMean->setChecked(true);
    latedit = new QLineEdit;
    latedit->setObjectName("latedit");
    lonedit = new QLineEdit;
    lonedit->setObjectName("lonedit");
    altedit = new QLineEdit;
    altedit->setObjectName("altedit");
    auto* fields = new QFormLayout;
    fields->addRow("Latitude (degrees, south negative):", latedit);
    fields->addRow("Longitude (degrees, west negative):", lonedit);
    fields->addRow("Altitude (metres):", altedit);
    message = new QLabel;
    message->setObjectName("message");
    message->setStyleSheet("color: #b00000");
    message->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    BitBtn1 = buttons->button(QDialogButtonBox::Ok);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2 = buttons->button(QDialogButtonBox::Cancel);
    BitBtn2->setObjectName("BitBtn2");
    connect(buttons, &QDialogButtonBox::accepted, this, &SetReferenceDialog::BitBtn1Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(typed, &QRadioButton::toggled, this, &SetReferenceDialog::EnableFields);
    auto* column = new QVBoxLayout(this);
    column->addWidget(useMean);
    column->addWidget(typed);
    column->addLayout(fields);
    column->addWidget(message);
    column->addWidget(buttons);
    EnableFields();
}

void SetReferenceDialog::Show(const std::optional<GeoPoint>& reference, bool set) {
    (set ? typed : useMean)->setChecked(true);
    latedit->setText(reference ? Number(reference->latitude, 8) : QString());
    lonedit->setText(reference ? Number(reference->longitude, 8) : QString());
    altedit->setText(reference ? Number(reference->altitude, 2) : QString());
    message->clear();
}

void SetReferenceDialog::EnableFields() {
    for (QLineEdit* edit : {latedit, lonedit, altedit}) {
        edit->setEnabled(typed->isChecked());
    }
}

void SetReferenceDialog::BitBtn1Click() {
    if (useMean->isChecked()) {
        chosen_.reset();
        accept();
        return;
    }
    try {
        chosen_ = GeoPoint{Value(*latedit, "Latitude", 90.0, "degrees"),
                           Value(*lonedit, "Longitude", 180.0, "degrees"),
                           Value(*altedit, "Altitude", 100000.0, "metres")};
    } catch (const ConvertError& error) {
        message->setText(error.what());
        return;
    }
    accept();
}
