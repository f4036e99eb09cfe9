#pragma once

#include <QDialog>

class QLabel;

// The red message dialog for the program's own file errors. It has no buttons: the
// user closes it with the window's close box.
class TErrorDialog : public QDialog {
    Q_OBJECT

public:
    explicit TErrorDialog(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
};
