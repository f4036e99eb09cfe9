#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <vector>

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
    // A small disc drawn once on a transparent picture, then copied wherever one
    // of the same size and colours is drawn: a day's track is 86400 discs. Only
    // near-round ones: the painter's outline of a flat ellipse strays beyond its
    // box, further than the picture's margin.
    struct Stamp {
        int width;
        int height;
        Rgb pen;
        Rgb fill;
        QImage picture;
    };
    static constexpr int kLargestStamp = 64;
    static constexpr int kStampRoundness = 2;  // most the width and height differ by
    static constexpr int kStampMargin = 3;

    const QImage& StampFor(int width, int height);
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
    std::vector<Stamp> stamps_;
};
