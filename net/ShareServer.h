#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <string>
#include <string_view>

#include "ShareClient.h"

class QTcpServer;

// Serves the received sentences to other programs over TCP (gpsd, chart plotters, QGIS).
// Each line goes to every client as it arrives. A client that does not keep up is dropped
// once its queue passes kClientQueueLimit, so no client ever holds up the caller; what
// clients send is thrown away (ShareClient). Lives on the user-interface thread.
class ShareServer : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxClients = 16;
    static constexpr std::size_t kClientQueueLimit = ShareClient::kQueueLimit;

    enum class Reach { ThisComputer, AllNetworks };

    explicit ShareServer(QObject* parent = nullptr);
    ~ShareServer() override;

    // Listens on `port` (0: any free port) on the loopback addresses or on all; false with
    // the reason in `error` when an address cannot be taken. Only a loopback address of a
    // family the computer lacks (no IPv6) is left out.
    bool Listen(quint16 port, Reach reach, QString& error);
    // Drops every client and stops listening.
    void Close();
    bool IsListening() const { return !servers_.isEmpty(); }
    quint16 Port() const;

    // Sends one sentence line (without its line end) to every client. The lines of one turn
    // of the event loop (a received block, a playback tick) go out together.
    void Publish(std::string_view line);
    int ClientCount() const { return static_cast<int>(clients_.size()); }

signals:
    void ClientCountChanged(int count);

private:
    void Accept(int fd);
    void Drop(ShareClient* client);
    void Flush();

    QList<QTcpServer*> servers_;
    QList<ShareClient*> clients_;
    std::string pending_;
    bool flushQueued_ = false;
};
