#include "SatelliteSystemsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {

constexpr char kAllSystems[] = "systems/all";

}  // namespace

SatelliteSystemsDialog::SatelliteSystemsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("SatelliteSystems");
    setWindowTitle("Satellite Systems");
    gpsOnly = new QRadioButton("GPS only (GP sentences), as the receiver sends");
    gpsOnly->setObjectName("gpsOnly");
    allSystems =
        new QRadioButton("All satellite systems (GPS, GLONASS, Galileo, BeiDou, QZSS, NavIC)");
    allSystems->setObjectName("allSystems");
    note = new QLabel(
        "Takes effect at once. With all systems the position comes from any talker (GN, GP, "
        "GL ...), every satellite is shown, and the sentence log keeps every sentence.");
    note->setObjectName("note");
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    BitBtn1 = buttons->button(QDialogButtonBox::Ok);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2 = buttons->button(QDialogButtonBox::Cancel);
    BitBtn2->setObjectName("BitBtn2");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(gpsOnly);
    column->addWidget(allSystems);
    column->addWidget(note);
    column->addWidget(buttons);
    Show(false);
}

bool SatelliteSystemsDialog::StoredAllSystems() {
    return QSettings().value(kAllSystems, false).toBool();
}

void SatelliteSystemsDialog::StoreAllSystems(bool all) {
    QSettings().setValue(kAllSystems, all);
}

void SatelliteSystemsDialog::Show(bool all) {
    (all ? allSystems : gpsOnly)->setChecked(true);
}

bool SatelliteSystemsDialog::AllSystemsChosen() const {
    return allSystems->isChecked();
}
