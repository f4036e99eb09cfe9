#pragma once

#include <QApplication>
#include <exception>
#include <string>

// Stands in for the program's top-level handler: an exception that leaves an event
// handler is caught and its message kept, so tests can see what the user would be shown.
class CatchingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            lastError = error.what();
            return false;
        }
    }

    static CatchingApplication& Instance() {
        return *static_cast<CatchingApplication*>(QCoreApplication::instance());
    }

    std::string lastError;
};
