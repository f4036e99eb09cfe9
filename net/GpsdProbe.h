#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QTcpSocket;

// Asks, without waiting, whether a gpsd answers on this computer's port 2947: it greets
// every client with its VERSION report. `onAnswer` runs on the calling thread only when one
// does, within kTimeoutMs; a new Start forgets the previous question.
class GpsdProbe : public QObject {
    Q_OBJECT

public:
    static constexpr int kTimeoutMs = 1500;
    static constexpr const char* kLocalGpsd = "gpsd://localhost:2947";

    explicit GpsdProbe(QObject* parent = nullptr);

    void Start(std::function<void()> onAnswer);

private:
    void Finish();

    QTcpSocket* socket_ = nullptr;
    QTimer timeout_;
    QByteArray greeting_;
    std::function<void()> onAnswer_;
};
