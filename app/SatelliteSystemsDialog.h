#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

// "Satellite Systems": whether the program shows the GPS talker's sentences alone, as the
// receiver it was made for sends them (the default), or the sentences of every satellite
// system that current receivers send. Kept between runs with QSettings.
class SatelliteSystemsDialog : public QDialog {
    Q_OBJECT

public:
    explicit SatelliteSystemsDialog(QWidget* parent = nullptr);

    // The choice kept from an earlier run; "GPS only" when none was made.
    static bool StoredAllSystems();
    static void StoreAllSystems(bool allSystems);

    void Show(bool allSystems);
    bool AllSystemsChosen() const;

    QRadioButton* gpsOnly = nullptr;
    QRadioButton* allSystems = nullptr;
    QLabel* note = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
