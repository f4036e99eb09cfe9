#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

class QMainWindow;
class QMdiArea;
class QMdiSubWindow;

// One child window whose place is kept between runs: its name in the settings, the window
// while it is open (null when closed) and how to open it.
struct LayoutView {
    QString name;
    std::function<QMdiSubWindow*()> window;
    std::function<void()> open;
};

// Where the main window and its views were when the program was last left, kept with
// QSettings; and where they go on the very first start.
class DesktopLayout {
public:
    static constexpr const char* kGroup = "desktop";

    // Whether an earlier run left a layout to restore.
    static bool Saved();

    // Notes the main window's geometry, and which views are open, where and in what state,
    // front to back as `area` stacks them.
    static void Save(const QMainWindow& main, QMdiArea& area, const QList<LayoutView>& views);

    // Gives the main window and the views back the places Save noted: opens the views that
    // were open, closes the others. False when nothing was saved.
    static bool Restore(QMainWindow& main, QMdiArea& area, const QList<LayoutView>& views);

    // Places for windows of the given sizes, the windows of each column one below another
    // and the columns side by side from the top-left corner, so that none covers another.
    static QList<QList<QRect>> Columns(const QList<QList<QSize>>& sizes);

    // The smallest rectangle from the origin that holds every place.
    static QSize Extent(const QList<QList<QRect>>& places);
};
