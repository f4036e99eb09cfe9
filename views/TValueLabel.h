#pragma once

#include <QLabel>

// A label that sizes itself to its text around a fixed anchor, like an auto-sized label
// of a form designer: a right-aligned label keeps its right edge (left + given width) and
// grows to the left, any other keeps its left edge. The given width is the least width,
// so a value wider than its field is shown whole instead of being cut.
class TValueLabel : public QLabel {
    Q_OBJECT

public:
    TValueLabel(const QString& text, QPoint topLeft, int minWidth, Qt::Alignment alignment,
                QWidget* parent);

    // Sets the text and fits the label around its anchor. Use this rather than setText,
    // which does not move the label.
    void SetValue(const QString& text);

    int MinWidth() const { return minWidth_; }
    // The x-coordinate the label is anchored at: its right edge (exclusive) when
    // right-aligned, its left edge otherwise.
    int AnchorX() const { return anchorX_; }

private:
    void FitToText();

    int minWidth_;
    int anchorX_;
    int top_;
};
