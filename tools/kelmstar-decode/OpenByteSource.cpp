#include "OpenByteSource.h"

#include <sys/stat.h>

#include "FileByteSource.h"
#include "LineSpeedDetector.h"
#include "NetworkByteSource.h"
#include "NetworkSourceName.h"
#include "SerialByteSource.h"
#include "serial/PosixDeviceFactory.h"

namespace {

bool IsCharacterDevice(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

OpenedSource OpenFile(const DecodeOptions& options) {
    if (options.input == "-") {
        return {std::make_unique<FileByteSource>(), {}, std::nullopt};
    }
    auto file = std::make_unique<FileByteSource>(options.input);
    if (!file->Valid()) {
        return {nullptr, "cannot open " + ShownName(options.input) + ": " + file->ErrorText(),
                std::nullopt};
    }
    return {std::move(file), {}, std::nullopt};
}

OpenedSource OpenSerial(const DecodeOptions& options, OpenResult opened,
                        const std::function<bool()>& stopRequested) {
    std::int32_t rate = options.baudRate.value_or(DecodeOptions::kDefaultBaudRate);
    if (options.detectBaudRate) {
        // The search opens the device itself at each speed.
        opened.device.reset();
        PosixDeviceFactory factory;
        const LineSpeedDetector::Result found =
            LineSpeedDetector(factory).Detect(options.input, rate, {}, nullptr, stopRequested);
        switch (found.outcome) {
            case LineSpeedDetector::Outcome::Found:
                break;
            case LineSpeedDetector::Outcome::NotFound:
                return {
                    nullptr, "no NMEA sentences at any speed on " + ShownName(options.input), {}};
            case LineSpeedDetector::Outcome::CannotOpen:
                return {nullptr, "cannot read " + ShownName(options.input), {}};
            case LineSpeedDetector::Outcome::Cancelled:
                return {nullptr, "stopped while looking for the line speed", {}};
        }
        rate = found.baudRate;
        opened = factory.Open(options.input);
        if (!opened.device) {
            return {nullptr, "cannot open " + ShownName(options.input), {}};
        }
    }
    auto source = std::make_unique<SerialByteSource>(std::move(opened.device), rate);
    const std::int32_t applied = source->BaudRate();
    return {std::move(source), {}, applied, options.detectBaudRate};
}

}  // namespace

OpenedSource OpenByteSource(const DecodeOptions& options,
                            const std::function<bool()>& stopRequested) {
    const bool network = IsNetworkInput(options.input);
    const bool device = !network && options.input != "-" && IsCharacterDevice(options.input);
    if (!device && (options.baudRate || options.detectBaudRate)) {
        return {nullptr, "--baud applies to serial devices only", std::nullopt};
    }
    if (network) {
        std::string error;
        std::unique_ptr<ByteSource> source = OpenNetworkSource(options.input, error);
        return {std::move(source), error, std::nullopt};
    }
    if (!device) {
        return OpenFile(options);
    }
    PosixDeviceFactory factory;
    OpenResult opened = factory.Open(options.input);
    switch (opened.failure) {
        case OpenFailure::None:
            return OpenSerial(options, std::move(opened), stopRequested);
        case OpenFailure::NotCommHandle:
            return OpenFile(options);  // /dev/null and the like
        case OpenFailure::CannotOpen:
        case OpenFailure::CannotSetup:
            break;
    }
    return {nullptr,
            "cannot open " + ShownName(options.input) + " (missing, or in use by another program)",
            std::nullopt};
}
