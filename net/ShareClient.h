#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <string>
#include <string_view>

#include "serial/FileDescriptor.h"

// One program reading the share, served on its connected socket. Sentences are written as the
// socket takes them, the rest queued up to kQueueLimit. What the program sends is read in
// large pieces at a bounded pace and thrown away, so that a client that floods costs little
// and is slowed by TCP; once it has shut its sending side it goes on receiving.
class ShareClient : public QObject {
    Q_OBJECT

public:
    static constexpr std::size_t kQueueLimit = 64 * 1024;
    static constexpr std::size_t kReadPiece = 64 * 1024;
    static constexpr int kReadPause = 100;  // ms after each piece read

    // Takes the socket over.
    ShareClient(int fd, QObject* parent);

    // Queues the bytes; false when the client is gone or has fallen kQueueLimit behind.
    bool Send(std::string_view data);

signals:
    // The connection failed or was reset; the owner drops the client.
    void Gone();

private:
    void Readable();
    void Writable();
    bool Flush();

    FileDescriptor fd_;
    QSocketNotifier reading_;
    QSocketNotifier writing_;
    QTimer readPause_;
    std::string queue_;
    std::size_t queueSent_ = 0;
};
