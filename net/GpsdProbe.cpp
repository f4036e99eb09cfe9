#include "GpsdProbe.h"

#include <QTcpSocket>

#include "NetworkSourceName.h"

namespace {

constexpr int kLongestGreeting = 4096;

}  // namespace

GpsdProbe::GpsdProbe(QObject* parent) : QObject(parent) {
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, &GpsdProbe::Finish);
}

void GpsdProbe::Start(std::function<void()> onAnswer) {
    Finish();
    onAnswer_ = std::move(onAnswer);
    greeting_.clear();
    socket_ = new QTcpSocket(this);
    connect(socket_, &QTcpSocket::readyRead, this, [this] {
        greeting_ += socket_->readAll();
        if (greeting_.contains("\"class\":\"VERSION\"")) {
            const std::function<void()> answer = std::move(onAnswer_);
            Finish();
            answer();
        } else if (greeting_.size() > kLongestGreeting) {
            Finish();
        }
    });
    connect(socket_, &QTcpSocket::errorOccurred, this, &GpsdProbe::Finish);
    socket_->connectToHost("localhost", kGpsdDefaultPort);
    timeout_.start(kTimeoutMs);
}

void GpsdProbe::Finish() {
    timeout_.stop();
    onAnswer_ = nullptr;
    if (socket_ != nullptr) {
        socket_->disconnect(this);
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
    }
}
