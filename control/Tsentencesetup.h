#pragma once

#include <QDialog>
#include <array>

#include "SentenceType.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class ReceiverLink;

// The "Sentence Setup" dialog: switches the receiver's six standard output sentences on
// or off and sets their output interval with one "$PQKL103" command each. Its tick boxes
// also choose which Message View rows the decode tick keeps.
class Tsentencesetup : public QDialog {
    Q_OBJECT

public:
    explicit Tsentencesetup(ReceiverLink& link, QWidget* parent = nullptr);

    // "Send": one command per sentence type, in message code order. Throws ConvertError at
    // the first ticked type whose rate text is not an integer; the ones before it are sent.
    void BitBtn1Click();
    // "Set Defaults": restores the built-in selection and rates; sends nothing.
    void setdefaultsClick();

    // Whether the tick box of `type` is ticked; kinds without a box count as selected.
    bool IsSelected(SentenceType type) const;

    QGroupBox* GroupBox1;  // "NMEA Messages"
    QGroupBox* GroupBox2;  // "Update Rate 1/n Seconds"
    QCheckBox* GGA;
    QCheckBox* GLL;
    QCheckBox* GSA;
    QCheckBox* GSV;
    QCheckBox* RMC;
    QCheckBox* VTG;
    QComboBox* GGArate;
    QComboBox* GLLrate;
    QComboBox* GSArate;
    QComboBox* GSVrate;
    QComboBox* RMCrate;
    QComboBox* VTGrate;
    QCheckBox* usechecksum;  // "Use Chechsums"
    QPushButton* BitBtn1;    // "Send"
    QPushButton* BitBtn2;    // "Cancel"
    QPushButton* setdefaults;

private:
    struct Row {
        QCheckBox* box;
        QComboBox* rate;
        bool builtInTick;
    };
    static constexpr int kRowCount = 6;

    void CreateControls();
    // The six types in message code order (GGA 00 to VTG 05).
    std::array<Row, kRowCount> Rows() const;

    ReceiverLink& link_;
};
