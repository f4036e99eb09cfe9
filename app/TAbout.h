#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "About Kelmstar Demo".
class TAbout : public QDialog {
    Q_OBJECT

public:
    explicit TAbout(QWidget* parent = nullptr);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;
};
