#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "serial/LineSettings.h"

class DeviceFactory;

// Finds the speed a receiver sends at: opens the device at each candidate speed in turn,
// listens for a while, and takes the first speed at which whole sentences with correct
// checksums arrive. At a wrong speed the UART delivers garbage, which fails its checksums.
// A speed at which one good sentence came is listened to until the next one had time to
// come, so that a receiver sending one sentence a second is found too.
class LineSpeedDetector {
public:
    // CannotOpen: the device cannot be opened, or failed or hung up while listening.
    enum class Outcome { Found, NotFound, CannotOpen, Cancelled };
    struct Result {
        Outcome outcome = Outcome::NotFound;
        std::int32_t baudRate = 0;  // the speed found, when Found
    };

    // Speeds receivers commonly use, most common first.
    static constexpr std::int32_t kCommonRates[] = {4800,  9600,   19200, 38400,
                                                    57600, 115200, 230400};
    static constexpr std::chrono::milliseconds kListenTime{1500};
    static constexpr int kSentencesNeeded = 2;
    // Once one sentence with a correct checksum came, how long to wait for the next at
    // least: a receiver that sends one sentence a second sends it within this time.
    static constexpr std::chrono::milliseconds kNextSentenceWait{1500};

    // Called before each speed is tried, with that speed.
    using Progress = std::function<void(std::int32_t baudRate)>;
    // Asked often (every few tens of milliseconds); true ends the search as Cancelled.
    using StopRequested = std::function<bool()>;

    explicit LineSpeedDetector(DeviceFactory& factory,
                               std::chrono::milliseconds listenTime = kListenTime);

    // Tries `path` at the speeds of CandidateRates(first, others).
    Result Detect(const std::string& path, std::int32_t first, std::span<const std::int32_t> others,
                  const Progress& progress, const StopRequested& stopRequested);

    // How a line is set up only to listen: 8N1 at `baudRate`, no flow control (garbage read
    // at a wrong speed is full of XOFF bytes), DTR and RTS up (some receivers draw power
    // from them).
    static LineSettings ListeningSettings(std::int32_t baudRate);

    // `first`, then the common rates, then `others`, each once; rates of 0 or less left out.
    static std::vector<std::int32_t> CandidateRates(std::int32_t first,
                                                    std::span<const std::int32_t> others);

private:
    enum class Trial { Sentences, Silence, CannotOpen, Cancelled };
    Trial Listen(const std::string& path, std::int32_t baudRate,
                 const StopRequested& stopRequested);

    DeviceFactory& factory_;
    std::chrono::milliseconds listenTime_;
};
