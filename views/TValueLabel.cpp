#include "TValueLabel.h"

#include <algorithm>

TValueLabel::TValueLabel(const QString& text, QPoint topLeft, int minWidth, Qt::Alignment alignment,
                         QWidget* parent)
    : QLabel(parent),
      minWidth_(std::max(0, minWidth)),
      anchorX_(alignment & Qt::AlignRight ? topLeft.x() + minWidth_ : topLeft.x()),
      top_(topLeft.y()) {
    setTextFormat(Qt::PlainText);
    setAlignment(alignment | Qt::AlignTop);
    SetValue(text);
}

void TValueLabel::SetValue(const QString& text) {
    setText(text);
    FitToText();
}

void TValueLabel::FitToText() {
    const QSize hint = sizeHint();
    const int width = std::max(minWidth_, hint.width());
    const int left = alignment() & Qt::AlignRight ? anchorX_ - width : anchorX_;
    setGeometry(left, top_, width, hint.height());
}
