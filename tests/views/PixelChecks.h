#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

// Pixel helpers for checking the views' pictures.

inline QColor PixelAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// Whether `colour` appears within `radius` pixels of (x, y); lines drawn by the
// painter may sit a pixel off the ideal position.
inline bool ColourNear(const QImage& image, int x, int y, QColor colour, int radius = 1) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p) && image.pixelColor(p) == colour) {
                return true;
            }
        }
    }
    return false;
}

// How many pixels of the whole picture have `colour`.
inline int CountColour(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}
