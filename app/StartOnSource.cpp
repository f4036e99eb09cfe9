#include "StartOnSource.h"

#include <sys/stat.h>

#include <QComboBox>
#include <QFileInfo>
#include <QRadioButton>

#include "NetworkSourceName.h"
#include "Program.h"
#include "TData.h"
#include "TMainForm.h"
#include "serial/PortName.h"

StartOnSource::Kind StartOnSource::KindOf(const std::string& source) {
    if (IsNetworkSourceName(source) || source.find("://") != std::string::npos) {
        return Kind::Network;
    }
    if (DevicePathForPortName(source) != source) {
        return Kind::Port;
    }
    struct stat status {};
    if (::stat(source.c_str(), &status) == 0) {
        return S_ISCHR(status.st_mode) ? Kind::Port : Kind::Log;
    }
    return source.starts_with("/dev/") ? Kind::Port : Kind::Log;
}

void StartOnSource::Run(Program& program, const std::string& source) {
    TData& data = *program.Windows().Data;
    const QString name = QString::fromLocal8Bit(source.c_str());
    if (KindOf(source) == Kind::Log) {
        data.file->setChecked(true);
        data.fileClick();
        // The file dialog gives the whole path.
        data.BrowseTo(QFileInfo(name).absoluteFilePath());
        if (program.State().dataFile == nullptr) {
            return;  // "File Open Error!!!" was shown
        }
    } else {
        data.serial->setChecked(true);
        data.comsetting->setEditText(name);
    }
    data.BitBtn1Click();
    program.MainForm().Start1Click();
}
