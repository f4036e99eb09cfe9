#pragma once

#include <QDialog>

#include "AppState.h"

class DataSourceLink;
class QFileDialog;
class QLabel;
class QPushButton;

// "Log File Settings": the file received sentences are appended to, and switching
// logging on.
class TLogFileSetting : public QDialog {
    Q_OBJECT

public:
    TLogFileSetting(AppState& state, DataSourceLink& link, QWidget* parent = nullptr);

    void BrowseClick();
    void BitBtn1Click();

    QLabel* Label1 = nullptr;
    QLabel* logfilenamelabel = nullptr;
    QPushButton* Browse = nullptr;
    QFileDialog* OpenDialog = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();

    AppState& state_;
    DataSourceLink& link_;
};
