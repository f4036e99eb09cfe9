#pragma once

#include <QDialog>
#include <optional>

#include "LocalFrame.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Set Reference": the place the survey measures from, either the mean of its fixes ("Use
// Mean") or a latitude, longitude (signed degrees) and altitude (metres) typed in. OK checks
// the typed numbers; one that does not convert or lies outside its range is named in
// `message` and the dialog stays open.
class SetReferenceDialog : public QDialog {
    Q_OBJECT

public:
    explicit SetReferenceDialog(QWidget* parent = nullptr);

    // Fills the fields: `reference` is the one in use (none without fixes), `set` whether it
    // was typed rather than the mean.
    void Show(const std::optional<GeoPoint>& reference, bool set);

    // What OK chose: the typed place, or none for the mean of the fixes.
    std::optional<GeoPoint> Chosen() const { return chosen_; }

    void BitBtn1Click();  // OK

    QRadioButton* useMean = nullptr;
    QRadioButton* typed = nullptr;
    QLineEdit* latedit = nullptr;
    QLineEdit* lonedit = nullptr;
    QLineEdit* altedit = nullptr;
    QLabel* message = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

private:
    void EnableFields();

    std::optional<GeoPoint> chosen_;
};
