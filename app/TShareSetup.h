#pragma once

#include <QDialog>

#include "ShareSettings.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

// "Share on Network": switches the share on or off, picks its TCP port and who may connect.
class TShareSetup : public QDialog {
    Q_OBJECT

public:
    explicit TShareSetup(QWidget* parent = nullptr);

    void Show(const ShareSettings& settings);
    ShareSettings Chosen() const;

    QCheckBox* enabled = nullptr;
    QSpinBox* port = nullptr;
    QRadioButton* thisComputer = nullptr;
    QRadioButton* allNetworks = nullptr;
    QLabel* warning = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
