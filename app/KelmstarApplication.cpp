#include "KelmstarApplication.h"

#include <QMessageBox>
#include <exception>

#include "EarlierSettings.h"
#include "KelmstarVersion.h"
#include "ProgramIcon.h"

KelmstarApplication::KelmstarApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(kTitle);
    setApplicationName(kTitle);
    setApplicationVersion(kKelmstarVersion);
    AdoptEarlierSettings();
    setWindowIcon(ProgramIcon());
    // Lets Wayland desktops find the menu entry, and with it the icon, of the windows.
    setDesktopFileName(kDesktopFileName);
    reportError = [](const QString& text) {
        QMessageBox::critical(QApplication::activeWindow(), kTitle, text);
    };
}

QString KelmstarApplication::ErrorText(const char* message) {
    QString text = QString::fromUtf8(message);
    if (!text.endsWith('.')) {
        text += '.';
    }
    return text;
}

bool KelmstarApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportError(ErrorText(error.what()));
    }
    return false;
}
