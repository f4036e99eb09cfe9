#include "ProgramIcon.h"

#include <QDir>
#include <QFileInfo>

QIcon ProgramIcon() {
    QIcon icon;
    // Each compiled-in size, so that no size is scaled from another.
    const QDir icons(":/icons");
    for (const QFileInfo& file : icons.entryInfoList({"kelmstar-*.png"}, QDir::Files)) {
        icon.addFile(file.filePath());
    }
    return icon;
}
