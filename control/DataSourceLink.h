#pragma once

#include <QString>

class QFileDialog;

// What the data-source and log-file dialogs need from the main window.
class DataSourceLink {
public:
    virtual ~DataSourceLink() = default;

    // Closes the playback file and the sentence log.
    virtual void CloseAllFiles() = 0;

    // Empties the receive buffer.
    virtual void ResetReceiveBuffer() = 0;

    // Shows `message` in the red error dialog.
    virtual void ShowFileError(const QString& message) = 0;

    // Runs a dialog's file-open dialog; the chosen file's full name, or an empty text
    // when the user cancels it.
    virtual QString RunFileDialog(QFileDialog& dialog) = 0;

    // Whether intake has been started (and not stopped since).
    virtual bool IntakeRunning() const = 0;
};
