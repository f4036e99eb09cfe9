#include "LineSpeedDetector.h"

#include <poll.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "LineStatistics.h"
#include "serial/DeviceFactory.h"
#include "serial/PollWait.h"

namespace {

// How long one wait lasts at most, so that a stop request is seen promptly.
constexpr std::chrono::milliseconds kStopLook{50};
constexpr std::size_t kReadSize = 512;

}  // namespace

LineSettings LineSpeedDetector::ListeningSettings(std::int32_t baudRate) {
    LineSettings settings;
    settings.baudRate = baudRate;
    settings.outxXonXoffFlow = false;
    settings.inxXonXoffFlow = false;
    return settings;
}

LineSpeedDetector::LineSpeedDetector(DeviceFactory& factory, std::chrono::milliseconds listenTime)
    : factory_(factory), listenTime_(listenTime) {}

std::vector<std::int32_t> LineSpeedDetector::CandidateRates(std::int32_t first,
                                                            std::span<const std::int32_t> others) {
    std::vector<std::int32_t> rates;
    const auto add = [&rates](std::int32_t rate) {
        if (rate > 0 && std::find(rates.begin(), rates.end(), rate) == rates.end()) {
            rates.push_back(rate);
        }
    };
    add(first);
    std::for_each(std::begin(kCommonRates), std::end(kCommonRates), add);
    std::for_each(others.begin(), others.end(), add);
    return rates;
}

LineSpeedDetector::Result LineSpeedDetector::Detect(const std::string& path, std::int32_t first,
                                                    std::span<const std::int32_t> others,
                                                    const Progress& progress,
                                                    const StopRequested& stopRequested) {
    for (const std::int32_t rate : CandidateRates(first, others)) {
        if (stopRequested()) {
            return {Outcome::Cancelled, 0};
        }
        if (progress) {
            progress(rate);
        }
        switch (Listen(path, rate, stopRequested)) {
            case Trial::Sentences:
                return {Outcome::Found, rate};
            case Trial::CannotOpen:
                return {Outcome::CannotOpen, 0};
            case Trial::Cancelled:
                return {Outcome::Cancelled, 0};
            case Trial::Silence:
                break;
        }
    }
    return {Outcome::NotFound, 0};
}

LineSpeedDetector::Trial LineSpeedDetector::Listen(const std::string& path, std::int32_t baudRate,
                                                   const StopRequested& stopRequested) {
    OpenResult opened = factory_.Open(path);
    if (!opened.device) {
        return Trial::CannotOpen;
    }
    SerialDevice& device = *opened.device;
    device.ApplyLineSettings(ListeningSettings(baudRate));
    // What arrived before the speed was set was read at another one.
    device.Purge(PurgeDirection::Input);
    LineStatistics statistics;
    std::array<char, kReadSize> buffer{};
    auto end = std::chrono::steady_clock::now() + listenTime_;
    bool waitedForNext = false;
    while (std::chrono::steady_clock::now() < end) {
        if (stopRequested()) {
            return Trial::Cancelled;
        }
        pollfd ready{device.Handle(), POLLIN, 0};
        const int n =
            PollWait({&ready, 1}, std::min(end, std::chrono::steady_clock::now() + kStopLook));
        const bool readable = (ready.revents & POLLIN) != 0;
        if (n < 0 || (!readable && (ready.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)) {
            return Trial::CannotOpen;
        }
        if (!readable) {
            continue;
        }
        const IoResult got = device.Read(buffer);
        if ((got.Ok() && got.count == 0) || (!got.Ok() && got.error != EAGAIN)) {
            return Trial::CannotOpen;  // hung up or failed
        }
        statistics.Add(buffer.data(), got.count);
        const std::uint64_t good = statistics.Counts().checksumOk;
        if (good >= kSentencesNeeded) {
            return Trial::Sentences;
        }
        if (good > 0 && !waitedForNext) {
            waitedForNext = true;
            end = std::max(end, std::chrono::steady_clock::now() + kNextSentenceWait);
        }
    }
    return Trial::Silence;
}
