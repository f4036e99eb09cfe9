#include "SatelliteSystemsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

#include "OkCancelButtons.h"

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
    QDialogButtonBox* buttons = OkCancelButtons(*this, BitBtn1, BitBtn2);

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
