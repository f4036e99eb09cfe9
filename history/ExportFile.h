#pragma once

#include <QString>
#include <cstdio>
#include <functional>

#include "ViewDialogs.h"

class QWidget;

// Asks where to save a file of the kind `filter` names, offering `suggested`; empty when
// the user chose none.
QString AskSavePath(const ViewDialogs& dialogs, QWidget* parent, const QString& caption,
                    const QString& suggested, const QString& filter);

// Writes the file `path` with `write`, which returns false when a write failed. Throws
// std::runtime_error naming the file and the reason when it cannot be written.
void WriteTextFile(const QString& path, const std::function<bool(std::FILE*)>& write);
