#include "QPainterCanvas.h"

#include <QFontMetrics>
#include <QPen>
#include <QRect>
#include <cstdlib>
#include <utility>

QPainterCanvas::QPainterCanvas(QImage& image, const QString& fontFamily, const CanvasState& initial)
    : Canvas(initial), image_(image), painter_(&image), font_(fontFamily) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    font_.setStyleStrategy(QFont::NoAntialias);
}

void QPainterCanvas::ApplyPen(Rgb colour) {
    if (!penApplied_ || !(appliedPen_ == colour)) {
        QPen pen(ToQColor(colour));
        pen.setWidth(0);  // cosmetic: one pixel wide
        painter_.setPen(pen);
        appliedPen_ = colour;
        penApplied_ = true;
    }
}

void QPainterCanvas::ApplyBrush(Rgb colour) {
    if (!brushApplied_ || !(appliedBrush_ == colour)) {
        painter_.setBrush(ToQColor(colour));
        appliedBrush_ = colour;
        brushApplied_ = true;
    }
}

void QPainterCanvas::Clear(Rgb colour) {
    painter_.fillRect(image_.rect(), ToQColor(colour));
}

void QPainterCanvas::Line(PixelPoint from, PixelPoint to) {
    if (from == to) {
        return;  // Qt would draw the point; a line without length shows nothing
    }
    ApplyPen(State().pen);
    painter_.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void QPainterCanvas::Ellipse(const PixelBox& box) {
    // The box's right and bottom edges lie outside the shape; Qt's rectangle
    // outline includes them, hence one pixel less.
    const QRect rect(QPoint(box.topLeft.x, box.topLeft.y),
                     QPoint(box.bottomRight.x - 1, box.bottomRight.y - 1));
    if (rect.width() < 1 || rect.height() < 1 || !rect.intersects(image_.rect())) {
        return;  // nothing of it would be seen
    }
    if (rect.width() <= kLargestStamp && rect.height() <= kLargestStamp &&
        std::abs(rect.width() - rect.height()) <= kStampRoundness) {
        painter_.drawImage(rect.topLeft() - QPoint(kStampMargin, kStampMargin),
                           StampFor(rect.width(), rect.height()));
        return;
    }
    ApplyPen(State().pen);
    ApplyBrush(State().fill);
    painter_.drawEllipse(rect.adjusted(0, 0, -1, -1));
}

const QImage& QPainterCanvas::StampFor(int width, int height) {
    const Rgb pen = State().pen;
    const Rgb fill = State().fill;
    for (const Stamp& stamp : stamps_) {
        if (stamp.width == width && stamp.height == height && stamp.pen == pen &&
            stamp.fill == fill) {
            return stamp.picture;
        }
    }
    QImage picture(width + 2 * kStampMargin, height + 2 * kStampMargin,
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        // Drawn exactly as Ellipse draws a large one, at the origin.
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen outline(ToQColor(pen));
        outline.setWidth(0);
        painter.setPen(outline);
        painter.setBrush(ToQColor(fill));
        painter.drawEllipse(QRect(kStampMargin, kStampMargin, width - 1, height - 1));
    }
    stamps_.push_back({width, height, pen, fill, std::move(picture)});
    return stamps_.back().picture;
}

void QPainterCanvas::Text(PixelPoint topLeft, const std::string& text) {
    if (State().fontSize <= 0) {
        return;  // a plot too small for any text
    }
    if (font_.pointSize() != State().fontSize) {
        font_.setPointSize(State().fontSize);
    }
    painter_.setFont(font_);
    const QString qtext = QString::fromStdString(text);
    const QFontMetrics metrics = painter_.fontMetrics();
    const QRect cell(topLeft.x, topLeft.y, metrics.horizontalAdvance(qtext), metrics.height());
    painter_.fillRect(cell, ToQColor(State().fill));
    painter_.setPen(ToQColor(State().fontColour));
    penApplied_ = false;
    painter_.drawText(topLeft.x, topLeft.y + metrics.ascent(), qtext);
}
