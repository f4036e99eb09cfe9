#pragma once

#include <QApplication>
#include <QString>
#include <functional>

// The application object. Its event dispatch is the program's top-level exception
// handler: an exception that leaves any handler is shown with a full stop appended,
// and the program carries on with the next event.
class KelmstarApplication : public QApplication {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Kelmstar";
    // The name of the installed desktop entry, without ".desktop".
    static constexpr const char* kDesktopFileName = "org.kelmstar.Kelmstar";

    KelmstarApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // How a caught exception's text reaches the user; a stop-icon message box unless
    // replaced (tests record the texts instead).
    std::function<void(const QString&)> reportError;

    // The text shown for an exception's message.
    static QString ErrorText(const char* message);
};
