#pragma once

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

// Renders `window` into an image. When KELMSTAR_VIEW_SHOTS names a folder, the image is
// also written there as `<name>.png`, so the layout can be looked at by eye.
inline QImage GrabView(QWidget& window, const QString& name) {
    window.show();
    const QImage image = window.grab().toImage();
    const QString folder = qEnvironmentVariable("KELMSTAR_VIEW_SHOTS");
    if (!folder.isEmpty()) {
        image.save(QDir(folder).filePath(name + ".png"));
    }
    return image;
}
