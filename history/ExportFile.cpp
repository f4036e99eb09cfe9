#include "ExportFile.h"

#include <QFileDialog>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <stdexcept>

QString AskSavePath(const ViewDialogs& dialogs, QWidget* parent, const QString& caption,
                    const QString& suggested, const QString& filter) {
    QFileDialog dialog(parent, caption, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QFileInfo(suggested).suffix());
    return dialogs.runFileDialog(dialog);
}

void WriteTextFile(const QString& path, const std::function<bool(std::FILE*)>& write) {
    const auto failure = [&path](int error) {
        return std::runtime_error("Cannot write " + path.toStdString() + ": " +
                                  std::strerror(error));
    };
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "w");
    if (file == nullptr) {
        throw failure(errno);
    }
    errno = 0;
    const bool written = write(file);
    int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed) {
        return;
    }
    if (written) {
        error = errno;  // the last buffered bytes did not go out
    }
    throw failure(error != 0 ? error : EIO);
}
