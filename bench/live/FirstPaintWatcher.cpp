#include "FirstPaintWatcher.h"

#include <QEvent>
#include <QMetaObject>

#include "ProcessStats.h"

bool FirstPaintWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !seen_) {
        seen_ = true;
        // Queued: it runs once the paint pass has finished and been flushed.
        QMetaObject::invokeMethod(
            this, [this] { painted_(ProcessStats::MonotonicNanos()); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}
