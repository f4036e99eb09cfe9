#include "ShareServer.h"

#include <unistd.h>

#include <QHostAddress>
#include <QTcpServer>
#include <functional>

namespace {

// Hands each accepted connection's socket over as it stands: the share serves its clients
// on their sockets itself (ShareClient).
class Listener : public QTcpServer {
public:
    Listener(std::function<void(int)> accept, QObject* parent)
        : QTcpServer(parent), accept_(std::move(accept)) {}

protected:
    void incomingConnection(qintptr fd) override { accept_(static_cast<int>(fd)); }

private:
    std::function<void(int)> accept_;
};

QList<QHostAddress> AddressesFor(ShareServer::Reach reach) {
    if (reach == ShareServer::Reach::AllNetworks) {
        return {QHostAddress(QHostAddress::Any)};
    }
    return {QHostAddress(QHostAddress::LocalHost), QHostAddress(QHostAddress::LocalHostIPv6)};
}

// ::1 on a computer without IPv6: nothing can reach it, so there is nothing to serve.
bool FamilyMissing(const QHostAddress& address, const QTcpServer& server) {
    return address.protocol() == QAbstractSocket::IPv6Protocol &&
           (server.serverError() == QAbstractSocket::UnsupportedSocketOperationError ||
            server.serverError() == QAbstractSocket::SocketAddressNotAvailableError);
}

}  // namespace

ShareServer::ShareServer(QObject* parent) : QObject(parent) {}

ShareServer::~ShareServer() {
    Close();
}

bool ShareServer::Listen(quint16 port, Reach reach, QString& error) {
    Close();
    error.clear();
    for (const QHostAddress& address : AddressesFor(reach)) {
        auto* server = new Listener([this](int fd) { Accept(fd); }, this);
        // With port 0 the second address takes the port the first one got.
        if (server->listen(address, servers_.isEmpty() ? port : Port())) {
            servers_.append(server);
            continue;
        }
        const bool missing = FamilyMissing(address, *server);
        if (!missing) {
            error = server->errorString();
        }
        delete server;
        if (!missing) {
            Close();  // half a share would leave clients of the other address out, unsaid
            return false;
        }
    }
    return !servers_.isEmpty();
}

void ShareServer::Close() {
    const bool hadClients = !clients_.isEmpty();
    pending_.clear();
    qDeleteAll(clients_);
    clients_.clear();
    qDeleteAll(servers_);
    servers_.clear();
    if (hadClients) {
        emit ClientCountChanged(0);
    }
}

quint16 ShareServer::Port() const {
    return servers_.isEmpty() ? 0 : servers_.first()->serverPort();
}

void ShareServer::Accept(int fd) {
    if (clients_.size() >= kMaxClients) {
        ::close(fd);
        return;
    }
    auto* client = new ShareClient(fd, this);
    connect(client, &ShareClient::Gone, this, [this, client] { Drop(client); });
    clients_.append(client);
    emit ClientCountChanged(ClientCount());
}

void ShareServer::Drop(ShareClient* client) {
    if (!clients_.removeOne(client)) {
        return;
    }
    client->disconnect(this);
    client->deleteLater();  // it may be in the middle of its own signal
    emit ClientCountChanged(ClientCount());
}

void ShareServer::Publish(std::string_view line) {
    if (clients_.isEmpty()) {
        return;
    }
    // Flushed before it would pass a client's limit: a block a client cannot take at all
    // would drop every client, however fast it reads.
    if (pending_.size() + line.size() + 2 > kClientQueueLimit) {
        Flush();
    }
    pending_.append(line).append("\r\n");
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(this, &ShareServer::Flush, Qt::QueuedConnection);
    }
}

void ShareServer::Flush() {
    flushQueued_ = false;
    const std::string data = std::move(pending_);
    pending_.clear();
    // A copy: dropping a client changes the list.
    const QList<ShareClient*> clients = clients_;
    for (ShareClient* client : clients) {
        if (!data.empty() && !client->Send(data)) {
            Drop(client);
        }
    }
}
