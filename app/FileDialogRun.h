#pragma once

#include <QString>

class QFileDialog;

// Runs a file-open dialog and returns the chosen file, or an empty text when none was
// chosen. A completion list or drop-down the dialog left open is closed with it, so the
// next click in the window underneath is not taken to dismiss it.
QString RunFileDialogClosingPopups(QFileDialog& dialog);
