#include "NetworkPeers.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <QTcpServer>
#include <stdexcept>

namespace {

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// One-line reader of many connections: what the clients of a share do, minus the use.
constexpr char kClients[] = R"(
import selectors, socket, sys, time
port, count = int(sys.argv[1]), int(sys.argv[2])
sel = selectors.DefaultSelector()
for _ in range(count):
    s = socket.create_connection(("127.0.0.1", port))
    sel.register(s, selectors.EVENT_READ)
print("connected", flush=True)
while True:
    for key, _ in sel.select(1):
        if not key.fileobj.recv(65536):
            sys.exit(0)
)";

}  // namespace

NetworkPeers::~NetworkPeers() {
    stop_ = true;
    if (bridge_.joinable()) {
        bridge_.join();
    }
    for (QProcess* process : {&gpsd_, &clients_}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            process->waitForFinished(3000);
        }
    }
}

std::string NetworkPeers::StartGpsd(const std::string& link) {
    const QString port = QString::number(FreePort());
    // -b: read only, so gpsd leaves the simulator's line as it is.
    gpsd_.start("/usr/sbin/gpsd", {"-N", "-n", "-b", "-S", port, QString::fromStdString(link)});
    if (!gpsd_.waitForStarted(5000)) {
        throw std::runtime_error("gpsd did not start");
    }
    return "gpsd://127.0.0.1:" + port.toStdString();
}

std::string NetworkPeers::StartTcpBridge(const std::string& link) {
    const int tty = ::open(link.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    if (tty < 0 || ::tcgetattr(tty, &raw) != 0) {
        throw std::runtime_error("the bridge cannot open " + link);
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(tty, TCSANOW, &raw);
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(listener, 1) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("the bridge cannot listen");
    }
    bridge_ = std::thread([this, listener, tty] { Bridge(listener, tty); });
    return "tcp://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
}

// Copies the terminal to the one client, as a serial-to-network bridge does.
void NetworkPeers::Bridge(int listener, int tty) {
    int client = -1;
    char buffer[4096];
    while (!stop_) {
        pollfd fds[2] = {{client < 0 ? listener : tty, POLLIN, 0}, {-1, 0, 0}};
        if (::poll(fds, 1, 100) <= 0) {
            continue;
        }
        if (client < 0) {
            client = ::accept(listener, nullptr, nullptr);
            continue;
        }
        const ssize_t n = ::read(tty, buffer, sizeof buffer);
        if (n <= 0 || ::send(client, buffer, static_cast<std::size_t>(n), MSG_NOSIGNAL) != n) {
            break;
        }
    }
    ::close(client);
    ::close(listener);
    ::close(tty);
}

void NetworkPeers::StartShareClients(quint16 port, int count) {
    clients_.start("python3", {"-c", kClients, QString::number(port), QString::number(count)});
    if (!clients_.waitForReadyRead(10000)) {
        throw std::runtime_error("the share clients did not connect");
    }
}
