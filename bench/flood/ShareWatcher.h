#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// A client of the program's share, on a thread of its own: reads everything as fast as it
// comes (connecting again if the share drops it) and notes when each marker sentence
// ("$GPTXT,...,FLOOD-BENCH <word>*hh") first came through.
class ShareWatcher {
public:
    using Clock = std::chrono::steady_clock;

    static std::string MarkerSentence(const std::string& word);

    explicit ShareWatcher(std::uint16_t port);
    ~ShareWatcher();
    ShareWatcher(const ShareWatcher&) = delete;
    ShareWatcher& operator=(const ShareWatcher&) = delete;

    // When the marker `word` came through, waiting up to `timeout` for it.
    std::optional<Clock::time_point> WaitFor(const std::string& word,
                                             std::chrono::milliseconds timeout);
    int Connections() const { return connections_; }

private:
    void Run();
    void Scan(const std::string& text);

    const std::uint16_t port_;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::mutex mutex_;
    std::condition_variable seenChanged_;
    std::map<std::string, Clock::time_point> seen_;
    std::thread thread_;
};
