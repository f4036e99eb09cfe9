#pragma once

#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QString>

// Shows `view` as a child of `area` (so with its caption bar and frame) and renders it.
// When KELMSTAR_VIEW_SHOTS names a folder, the image is also written there as
// `<name>.png`, so the layout can be looked at by eye.
inline QImage GrabView(QMdiArea& area, QMdiSubWindow* view, const QString& name) {
    area.resize(1000, 700);
    area.addSubWindow(view);
    area.show();
    view->show();
    const QImage image = view->grab().toImage();
    const QString folder = qEnvironmentVariable("KELMSTAR_VIEW_SHOTS");
    if (!folder.isEmpty()) {
        image.save(QDir(folder).filePath(name + ".png"));
    }
    return image;
}
