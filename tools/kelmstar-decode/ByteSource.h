#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// Where kelmstar-decode reads from: a file, standard input, a serial device or a network
// source. A read never waits longer than it is told, so that the caller can stop on a
// signal or when its duration has run out.
class ByteSource {
public:
    enum class Status {
        Data,    // `count` bytes were read
        Idle,    // nothing arrived within the timeout; the source is still there
        End,     // end of input: nothing more will come
        Failed,  // the source failed; ErrorText() says why
    };
    struct ReadResult {
        Status status = Status::Idle;
        std::size_t count = 0;
    };

    virtual ~ByteSource() = default;

    // Waits at most `timeout` for bytes and reads up to `size` of them into `buffer`.
    virtual ReadResult Read(char* buffer, std::size_t size, std::chrono::milliseconds timeout) = 0;

    // What went wrong after Failed, in words for the user ("Connection refused").
    virtual std::string ErrorText() const { return {}; }
    // What ended the input after End, when the user would not know otherwise ("gpsd at
    // localhost:2947 closed the connection"); empty for the end of a file.
    virtual std::string EndText() const { return {}; }

    // Whether Write can send to the far end: a serial device or a TCP source.
    virtual bool Writable() const { return false; }

    // Writes all `size` bytes, waiting at most `timeout` for the line to take them; false,
    // with ErrorText() saying why, when that fails.
    virtual bool Write(const char* data, std::size_t size, std::chrono::milliseconds timeout) {
        (void)data;
        (void)size;
        (void)timeout;
        return false;
    }
};
