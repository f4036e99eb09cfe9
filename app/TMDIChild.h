#pragma once

#include <QMdiSubWindow>

// The common base of the five view windows: a child of the main window's
// multiple-document area that destroys itself when the user closes it.
class TMDIChild : public QMdiSubWindow {
    Q_OBJECT

public:
    static constexpr int kDefaultWidth = 429;
    static constexpr int kDefaultHeight = 215;

    explicit TMDIChild(QWidget* parent = nullptr);
};
