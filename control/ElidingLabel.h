#pragma once

#include <QLabel>

// A label for file names: a text wider than the label is shown with its middle left out
// ("/home/…/drive.log"), never cut at both ends, and the whole text is its tooltip.
// text() stays the whole text.
class ElidingLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // Whether the text is wider than the room the label has for it.
    bool IsElided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};
