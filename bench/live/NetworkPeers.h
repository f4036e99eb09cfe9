#pragma once

#include <QProcess>
#include <QString>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

// The peers of the live benchmark's network runs: a gpsd or a TCP bridge reading the
// simulator's pseudo-terminal, and share clients in a process of their own (so that their
// reading is not counted as the program's CPU time). All on loopback.
class NetworkPeers {
public:
    NetworkPeers() = default;
    ~NetworkPeers();
    NetworkPeers(const NetworkPeers&) = delete;
    NetworkPeers& operator=(const NetworkPeers&) = delete;

    // The source name for the program ("gpsd://127.0.0.1:PORT", "tcp://127.0.0.1:PORT").
    // Throw std::runtime_error when the peer cannot be started.
    std::string StartGpsd(const std::string& link);
    std::string StartTcpBridge(const std::string& link);
    // `count` clients connect to the share on `port` and read everything.
    void StartShareClients(quint16 port, int count);

private:
    void Bridge(int listener, int tty);

    QProcess gpsd_;
    QProcess clients_;
    std::atomic<bool> stop_{false};
    std::thread bridge_;
};
