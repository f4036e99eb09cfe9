#include "serial/SerialPortDiscovery.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>
#include <tuple>

namespace fs = std::filesystem;

namespace {

// Kernel name prefixes of serial devices, in listing order. Virtual consoles (tty1),
// pseudo-terminals (/dev/pts/*, ptyp0, ttyp0) and the like match none of them.
constexpr std::array<std::string_view, 6> kKinds{"ttyUSB", "ttyACM", "ttyS",
                                                 "ttyAMA", "ttyTHS", "rfcomm"};
constexpr std::size_t kUartKind = 2;
// ttyS0..ttyS3 are offered as COM1..COM4 already.
constexpr unsigned kComPorts = 4;
// A USB serial port's USB device is its interface's parent (ttyACM) or grandparent (ttyUSB).
constexpr int kUsbDeviceDepth = 3;

struct KernelName {
    std::size_t kind;
    unsigned number;
};

// "ttyUSB12" is kind 0, number 12; names with anything after the number are not serial ports.
std::optional<KernelName> Classify(std::string_view name) {
    for (std::size_t kind = 0; kind < kKinds.size(); ++kind) {
        if (!name.starts_with(kKinds[kind]) || name.size() == kKinds[kind].size()) {
            continue;
        }
        unsigned number = 0;
        const char* last = name.data() + name.size();
        const auto [end, error] = std::from_chars(name.data() + kKinds[kind].size(), last, number);
        if (error == std::errc() && end == last) {
            return KernelName{kind, number};
        }
    }
    return std::nullopt;
}

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) {
        line.pop_back();
    }
    return line;
}

// The 8250 driver registers ttyS ports that have no UART behind them; their type is 0
// (PORT_UNKNOWN), and opening them fails.
bool UartPresent(const fs::path& ttyDir) {
    const std::string type = FirstLine(ttyDir / "type");
    int value = 0;
    const auto [end, error] = std::from_chars(type.data(), type.data() + type.size(), value);
    return error == std::errc() && value > 0;
}

std::string UsbName(const fs::path& ttyDir) {
    std::error_code ec;
    fs::path dir = fs::canonical(ttyDir / "device", ec);
    for (int depth = 0; !ec && depth < kUsbDeviceDepth && dir.has_relative_path(); ++depth) {
        if (fs::exists(dir / "idVendor", ec)) {
            const std::string manufacturer = FirstLine(dir / "manufacturer");
            const std::string product = FirstLine(dir / "product");
            const char* gap = manufacturer.empty() || product.empty() ? "" : " ";
            return manufacturer + gap + product;
        }
        dir = dir.parent_path();
    }
    return {};
}

// Kernel name -> its /dev/serial/by-id link (the first by name where there are several).
std::map<std::string, std::string> StableLinks(const fs::path& root) {
    std::map<std::string, std::string> links;
    std::error_code ec;
    for (fs::directory_iterator it(root / "dev/serial/by-id", ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(it->path(), linkError);
        if (linkError) {
            continue;
        }
        const std::string link = "/dev/serial/by-id/" + it->path().filename().string();
        const auto [entry, added] = links.emplace(target.filename().string(), link);
        if (!added && link < entry->second) {
            entry->second = link;
        }
    }
    return links;
}

bool Listed(const KernelName& name, const fs::path& ttyDir) {
    return name.kind != kUartKind || (name.number >= kComPorts && UartPresent(ttyDir));
}

}  // namespace

std::vector<DetectedPort> FindSerialPorts(const fs::path& root) {
    const std::map<std::string, std::string> stableLinks = StableLinks(root);
    std::vector<std::pair<KernelName, DetectedPort>> found;
    std::error_code ec;
    for (fs::directory_iterator it(root / "sys/class/tty", ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::optional<KernelName> kernelName = Classify(name);
        std::error_code devError;
        if (!kernelName || !Listed(*kernelName, it->path()) ||
            !fs::exists(root / "dev" / name, devError)) {
            continue;
        }
        DetectedPort port;
        port.device = "/dev/" + name;
        const auto link = stableLinks.find(name);
        port.path = link != stableLinks.end() ? link->second : port.device;
        const std::string usbName = UsbName(it->path());
        port.description = usbName.empty() ? port.device : usbName + " (" + port.device + ")";
        found.emplace_back(*kernelName, std::move(port));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first.kind, a.first.number) < std::tie(b.first.kind, b.first.number);
    });
    std::vector<DetectedPort> ports;
    for (auto& [name, port] : found) {
        ports.push_back(std::move(port));
    }
    return ports;
}
