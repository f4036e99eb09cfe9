#pragma once

#include <QString>
#include <functional>

class QDialog;
class QFileDialog;

// How a history window runs its dialogs: through the main window's hooks, which tests
// replace to answer them.
struct ViewDialogs {
    std::function<int(QDialog&)> runModal;
    // Returns the file chosen, or an empty text.
    std::function<QString(QFileDialog&)> runFileDialog;
};
