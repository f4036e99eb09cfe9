#pragma once

#include <QDialog>

class QLabel;

// The red message dialog for the program's own file errors. It has no buttons: the
// user closes it with the window's close box.
class TErrorDialog : public QDialog {
    Q_OBJECT

public:
    explicit TErrorDialog(QWidget* parent = nullptr);

    // Puts `text` in the small line under the message that says why; empty hides it.
    void SetReason(const QString& text);

    QLabel* Label1 = nullptr;
    QLabel* reasonlabel = nullptr;
};
