#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include "Canvas.h"

// The canvas on a retained picture, drawn with QPainter without antialiasing so
// that every pixel lands where the integer geometry puts it.
class QPainterCanvas : public Canvas {
public:
    QPainterCanvas(QImage& image, const QString& fontFamily, const CanvasState& initial = {});

    void Clear(Rgb colour) override;
    void Line(PixelPoint from, PixelPoint to) override;
    void Ellipse(const PixelBox& box) override;
    void Text(PixelPoint topLeft, const std::string& text) override;

    static QColor ToQColor(Rgb colour) { return QColor(colour.r, colour.g, colour.b); }

private:
    void ApplyPen(Rgb colour);
    void ApplyBrush(Rgb colour);

    QImage& image_;
    QPainter painter_;
    QFont font_;
    // What the painter holds, so that long runs of equal discs do not reset it.
    Rgb appliedPen_;
    Rgb appliedBrush_;
    bool penApplied_ = false;
    bool brushApplied_ = false;
};
