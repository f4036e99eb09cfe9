#include "ShareServer.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

// Small kernel buffers, so that a stalled client shows in the queue soon rather than after
// megabytes.
constexpr int kSocketSendBuffer = 16 * 1024;

QList<QHostAddress> AddressesFor(ShareServer::Reach reach) {
    if (reach == ShareServer::Reach::AllNetworks) {
        return {QHostAddress(QHostAddress::Any)};
    }
    return {QHostAddress(QHostAddress::LocalHost), QHostAddress(QHostAddress::LocalHostIPv6)};
}

}  // namespace

ShareServer::ShareServer(QObject* parent) : QObject(parent) {}

ShareServer::~ShareServer() {
    Close();
}

bool ShareServer::Listen(quint16 port, Reach reach, QString& error) {
    Close();
    for (const QHostAddress& address : AddressesFor(reach)) {
        auto* server = new QTcpServer(this);
        server->setMaxPendingConnections(kMaxClients);
        // With port 0 the second address takes the port the first one got.
        if (!server->listen(address, servers_.isEmpty() ? port : Port())) {
            if (error.isEmpty()) {
                error = server->errorString();
            }
            delete server;
            continue;
        }
        connect(server, &QTcpServer::newConnection, this, [this, server] { Accept(server); });
        servers_.append(server);
    }
    if (servers_.isEmpty()) {
        return false;
    }
    error.clear();  // one loopback family missing (no IPv6) is no failure
    return true;
}

void ShareServer::Close() {
    const bool hadClients = !clients_.isEmpty();
    while (!clients_.isEmpty()) {
        QTcpSocket* client = clients_.takeLast();
        client->disconnect(this);
        client->abort();
        client->deleteLater();
    }
    qDeleteAll(servers_);
    servers_.clear();
    if (hadClients) {
        emit ClientCountChanged(0);
    }
}

quint16 ShareServer::Port() const {
    return servers_.isEmpty() ? 0 : servers_.first()->serverPort();
}

void ShareServer::Accept(QTcpServer* server) {
    while (QTcpSocket* client = server->nextPendingConnection()) {
        if (clients_.size() >= kMaxClients) {
            client->abort();
            client->deleteLater();
            continue;
        }
        client->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kSocketSendBuffer);
        client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        client->setReadBufferSize(1);
        connect(client, &QTcpSocket::readyRead, client,
                [client] { client->skip(client->bytesAvailable()); });
        connect(client, &QTcpSocket::disconnected, this, [this, client] { Drop(client); });
        connect(client, &QTcpSocket::errorOccurred, this, [this, client] { Drop(client); });
        clients_.append(client);
        emit ClientCountChanged(ClientCount());
    }
}

void ShareServer::Drop(QTcpSocket* client) {
    if (!clients_.removeOne(client)) {
        return;
    }
    client->disconnect(this);
    client->abort();
    client->deleteLater();
    emit ClientCountChanged(ClientCount());
}

void ShareServer::Publish(std::string_view line) {
    if (clients_.isEmpty()) {
        return;
    }
    QByteArray data(line.data(), static_cast<qsizetype>(line.size()));
    data.append("\r\n");
    // A copy: dropping a client changes the list.
    const QList<QTcpSocket*> clients = clients_;
    for (QTcpSocket* client : clients) {
        if (client->bytesToWrite() + data.size() > kClientQueueLimit) {
            Drop(client);
            continue;
        }
        client->write(data);
    }
}
