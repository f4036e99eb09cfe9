#pragma once

#include <QLineEdit>

class QComboBox;

// The edit field of a port box: while the user is not editing it, a device path wider
// than the box (a /dev/serial/by-id/... name) is shown with its middle left out, and the
// whole path is its tooltip. text() stays the whole text.
class ElidingLineEdit : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // Gives the editable `box` such a field, and a drop-down list as wide as its widest entry.
    static void InstallIn(QComboBox& box);
    // Widens `box`'s drop-down list to its widest entry; after its entries change.
    static void FitList(QComboBox& box);

    bool IsElided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRect TextRoom() const;
};
