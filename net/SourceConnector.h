#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "SocketOpen.h"

class SocketOpening;

// Opens network sources off the window's thread: a name lookup or a connect to a host that
// does not answer would otherwise hold the window for seconds. Begin starts the opening and
// `ready` runs on the window's thread once it has finished, the socket made or not; TComm's
// OpenPort then takes the result at once through NetworkDeviceFactory. Serial device names
// are not for it: they open directly.
class SourceConnector : public QObject {
    Q_OBJECT

public:
    static constexpr int kPollInterval = 20;  // ms

    explicit SourceConnector(QObject* parent = nullptr);
    ~SourceConnector() override;

    // False for a name that is no network source, or that does not parse (OpenPort says
    // why). Otherwise true: the opening of `name` starts, or goes on when it is under way
    // already, and `ready` replaces any earlier one. Another opening under way is dropped.
    bool Begin(const std::string& name, std::function<void()> ready);
    // Drops the opening under way; its `ready` is not called and its socket is closed.
    void Cancel();
    bool Busy() const { return opening_ != nullptr; }

    // The finished opening of `name`, taken once; nullopt when there is none.
    std::optional<SocketOpenResult> Take(const std::string& name);

private:
    void Poll();
    void DropFinished();

    QTimer poll_;
    // One for every attempt: a lookup that outlived its time is not started again.
    NameLookup lookup_;
    std::string name_;
    std::unique_ptr<SocketOpening> opening_;
    std::optional<SocketOpenResult> finished_;
    std::function<void()> ready_;
};
