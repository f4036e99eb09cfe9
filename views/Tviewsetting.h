#pragma once

#include <QDialog>

#include "AppState.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Tracking View Configuration": the speed that the sky plot's outer circle stands
// for. Lives for the whole run, so its fields keep what they held when last closed.
class Tviewsetting : public QDialog {
    Q_OBJECT

public:
    explicit Tviewsetting(AppState& state, QWidget* parent = nullptr);

    // OK: closes the dialog, then stores the velocity; a text that is not a number
    // throws ConvertError and leaves the velocity as it was.
    void BitBtn1Click();

    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLineEdit* velocityedit = nullptr;
    QLineEdit* Edit1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;

private:
    static constexpr int kTextMargin = 8;  // pixels kept free at a box's right edge

    void CreateButtons();
    void CreateSatelliteLegend();
    void CreateVelocityGroup();
    void CreateOrientationGroup();
    void FitTexts();

    AppState& state_;
};
