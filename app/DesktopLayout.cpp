#include "DesktopLayout.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <algorithm>

namespace {

constexpr const char* kMainGeometry = "mainGeometry";
constexpr const char* kStacking = "stacking";  // open views, back to front

enum class ViewState { Normal, Minimized, Maximized };

QString Key(const QString& view, const char* item) {
    return QString("%1/%2/%3").arg(DesktopLayout::kGroup, view, item);
}

ViewState StateOf(const QMdiSubWindow& window) {
    if (window.isMinimized()) {
        return ViewState::Minimized;
    }
    return window.isMaximized() ? ViewState::Maximized : ViewState::Normal;
}

void Place(QMdiSubWindow& window, const QRect& geometry, ViewState state) {
    window.showNormal();
    if (geometry.isValid()) {
        window.setGeometry(geometry);
    }
    if (state == ViewState::Minimized) {
        window.showMinimized();
    } else if (state == ViewState::Maximized) {
        window.showMaximized();
    }
}

}  // namespace

bool DesktopLayout::Saved() {
    return QSettings().contains(QString("%1/%2").arg(kGroup, kMainGeometry));
}

void DesktopLayout::Save(const QMainWindow& main, QMdiArea& area, const QList<LayoutView>& views) {
    QSettings settings;
    settings.setValue(QString("%1/%2").arg(kGroup, kMainGeometry), main.saveGeometry());
    for (const LayoutView& view : views) {
        const QMdiSubWindow* window = view.window();
        settings.setValue(Key(view.name, "open"), window != nullptr);
        if (window != nullptr) {
            // A minimised or maximised view comes back to its normal place when restored.
            const QRect normal = window->isMinimized() || window->isMaximized()
                                     ? window->normalGeometry()
                                     : window->geometry();
            settings.setValue(Key(view.name, "geometry"), normal);
            settings.setValue(Key(view.name, "state"), static_cast<int>(StateOf(*window)));
        }
    }
    QStringList stacking;
    for (const QMdiSubWindow* window : area.subWindowList(QMdiArea::StackingOrder)) {
        stacking << window->objectName();
    }
    settings.setValue(QString("%1/%2").arg(kGroup, kStacking), stacking);
}

bool DesktopLayout::Restore(QMainWindow& main, QMdiArea& area, const QList<LayoutView>& views) {
    const QSettings settings;
    if (!Saved() ||
        !main.restoreGeometry(
            settings.value(QString("%1/%2").arg(kGroup, kMainGeometry)).toByteArray())) {
        return false;
    }
    for (const LayoutView& view : views) {
        const QVariant open = settings.value(Key(view.name, "open"));
        if (!open.isValid()) {
            continue;  // a view an earlier version did not know keeps its default
        }
        QMdiSubWindow* window = view.window();
        if (!open.toBool()) {
            if (window != nullptr) {
                window->close();
            }
            continue;
        }
        if (window == nullptr) {
            view.open();
            window = view.window();
        }
        if (window != nullptr) {
            const int state = settings.value(Key(view.name, "state")).toInt();
            Place(*window, settings.value(Key(view.name, "geometry")).toRect(),
                  static_cast<ViewState>(std::clamp(state, 0, 2)));
        }
    }
    const QStringList stacking =
        settings.value(QString("%1/%2").arg(kGroup, kStacking)).toStringList();
    for (const QString& name : stacking) {
        for (QMdiSubWindow* window : area.subWindowList()) {
            if (window->objectName() == name) {
                window->raise();
            }
        }
    }
    return true;
}

QList<QList<QRect>> DesktopLayout::Columns(const QList<QList<QSize>>& sizes) {
    QList<QList<QRect>> places;
    int left = 0;
    for (const QList<QSize>& column : sizes) {
        QList<QRect> placed;
        int top = 0;
        int width = 0;
        for (const QSize& size : column) {
            placed.append(QRect(QPoint(left, top), size));
            top += size.height();
            width = std::max(width, size.width());
        }
        places.append(placed);
        left += width;
    }
    return places;
}

QSize DesktopLayout::Extent(const QList<QList<QRect>>& places) {
    QSize extent(0, 0);
    for (const QList<QRect>& column : places) {
        for (const QRect& place : column) {
            extent = extent.expandedTo(QSize(place.right() + 1, place.bottom() + 1));
        }
    }
    return extent;
}
