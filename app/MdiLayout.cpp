#include "MdiLayout.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>

QList<QMdiSubWindow*> ShownChildren(QMdiArea& area, bool minimized) {
    QList<QMdiSubWindow*> children;
    for (QMdiSubWindow* child : area.subWindowList(QMdiArea::CreationOrder)) {
        if (child->isVisible() && child->isMinimized() == minimized) {
            children.append(child);
        }
    }
    return children;
}

namespace {

constexpr const char* kDesignSize = "designSize";
constexpr int kLeastCascadeStep = 16;  // pixels, where a style reports no title bar height

QSize DesignSize(const QMdiSubWindow& child) {
    const QVariant size = child.property(kDesignSize);
    return size.isValid() ? size.toSize() : child.size();
}

}  // namespace

void TileHorizontally(QMdiArea& area) {
    const int iconStrip = ArrangeIcons(area);
    const QList<QMdiSubWindow*> children = ShownChildren(area, false);
    if (children.isEmpty()) {
        return;
    }
    // The icons keep the bottom strip; the others share what is above it.
    const QRect client = area.viewport()->rect().adjusted(0, 0, 0, -iconStrip);
    const int count = static_cast<int>(children.size());
    const int height = client.height() / count;
    int top = client.top();
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* child = children[i];
        if (child->isMaximized()) {
            child->showNormal();
        }
        // The last one takes what the division left over.
        const int childHeight = i == count - 1 ? client.bottom() + 1 - top : height;
        child->setGeometry(client.left(), top, client.width(), childHeight);
        top += height;
    }
}

int ArrangeIcons(QMdiArea& area) {
    const QRect client = area.viewport()->rect();
    int left = client.left();
    int strip = 0;
    for (QMdiSubWindow* child : ShownChildren(area, true)) {
        const QSize size = child->size();
        child->move(left, client.bottom() + 1 - size.height());
        left += size.width();
        strip = std::max(strip, size.height());
    }
    return strip;
}

void MinimizeAll(QMdiArea& area) {
    const QList<QMdiSubWindow*> children = area.subWindowList(QMdiArea::CreationOrder);
    for (auto i = children.size() - 1; i >= 0; --i) {
        children[i]->showMinimized();
    }
}

void RememberDesignSize(QMdiSubWindow& child) {
    child.setProperty(kDesignSize, child.size());
}

void CascadeViews(QMdiArea& area) {
    const int iconStrip = ArrangeIcons(area);
    const QRect client = area.viewport()->rect().adjusted(0, 0, 0, -iconStrip);
    const QSize usable = kUsableChildSize.boundedTo(client.size());
    QPoint corner = client.topLeft();
    for (QMdiSubWindow* child : ShownChildren(area, false)) {
        if (child->isMaximized()) {
            child->showNormal();
        }
        QSize room = client.size() - QSize(corner.x(), corner.y());
        if (room.width() < usable.width() || room.height() < usable.height()) {
            corner = client.topLeft();
            room = client.size();
        }
        const QSize size = DesignSize(*child).boundedTo(room).expandedTo(usable);
        child->setGeometry(QRect(corner, size));
        child->raise();
        const int titleBar = child->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, child);
        const int step = std::max(titleBar, kLeastCascadeStep);
        corner += QPoint(step, step);
    }
}
