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

// Kernel name prefixes listed first, in this order; every other serial driver's ports
// (ttymxc, ttyPS, ttySC, ttyLP, ttyO, ttyMSM, ttySAC, ttySTM, ttyAML, ttyMV, ttyCH343USB,
// ttyXRUSB ...) follow, by name.
constexpr std::array<std::string_view, 6> kKinds{"ttyUSB", "ttyACM", "ttyS",
                                                 "ttyAMA", "ttyTHS", "rfcomm"};
constexpr std::size_t kUartKind = 2;
// Terminals with hardware behind them that are no serial line to a receiver: USB gadget
// ports (this machine is the device) and hypervisor consoles.
constexpr std::array<std::string_view, 2> kNotLines{"ttyGS", "hvc"};
// ttyS0..ttyS3 are offered as COM1..COM4 already.
constexpr unsigned kComPorts = 4;
// A USB serial port's USB device is its interface's parent (ttyACM) or grandparent (ttyUSB).
constexpr int kUsbDeviceDepth = 3;

struct KernelName {
    std::size_t kind;  // index into kKinds, or kKinds.size() for any other driver
    std::string prefix;
    unsigned number;
};

// "ttyUSB12" is kind 0, number 12; a name must end in its port number.
std::optional<KernelName> Classify(std::string_view name) {
    std::size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') {
        --digits;
    }
    unsigned number = 0;
    const char* last = name.data() + name.size();
    const auto [end, error] = std::from_chars(name.data() + digits, last, number);
    if (digits == 0 || digits == name.size() || error != std::errc() || end != last) {
        return std::nullopt;
    }
    const std::string_view prefix = name.substr(0, digits);
    const auto known = std::find(kKinds.begin(), kKinds.end(), prefix);
    return KernelName{static_cast<std::size_t>(known - kKinds.begin()), std::string(prefix),
                      number};
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

// The known kinds are serial ports by their names (bound Bluetooth links are virtual but
// serial all the same). Any other driver's terminal is one when it has hardware behind it
// (a "device" link); consoles and pseudo-terminals have none.
bool Listed(const KernelName& name, const fs::path& ttyDir) {
    if (name.kind == kUartKind) {
        return name.number >= kComPorts && UartPresent(ttyDir);
    }
    if (name.kind < kKinds.size()) {
        return true;
    }
    std::error_code ec;
    return fs::exists(ttyDir / "device", ec) &&
           std::find(kNotLines.begin(), kNotLines.end(), name.prefix) == kNotLines.end();
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
        return std::tie(a.first.kind, a.first.prefix, a.first.number) <
               std::tie(b.first.kind, b.first.prefix, b.first.number);
    });
    std::vector<DetectedPort> ports;
    for (auto& [name, port] : found) {
        ports.push_back(std::move(port));
    }
    return ports;
}
