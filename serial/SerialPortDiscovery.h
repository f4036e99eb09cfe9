#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A serial device present on this machine.
struct DetectedPort {
    // What to open: the device's /dev/serial/by-id link where udev made one (it survives
    // unplugging and replugging), otherwise its /dev node.
    std::string path;
    // The kernel's name for it, for example "/dev/ttyACM0".
    std::string device;
    // USB manufacturer and product where known, then the kernel device in brackets.
    std::string description;

    bool operator==(const DetectedPort&) const = default;
};

// The serial devices present under `root` (the machine's "/"; tests pass a fake tree): every
// terminal with hardware behind it (USB adapters and modems ttyUSB*, ttyACM*; on-board UARTs
// that really exist, ttyS* from ttyS4 on as ttyS0..3 are the COM ports; platform UARTs
// ttyAMA*, ttyTHS*, ttymxc*, ttyPS* and the rest) and bound Bluetooth serial links
// (rfcomm*). Pseudo-terminals, consoles and USB gadget ports never appear. Paths are as seen
// from `root`, so they always begin with "/dev/". Sorted by kind in the order above (other
// drivers last, by name), then by number. Reads sysfs and /dev only; what cannot be read is
// skipped.
std::vector<DetectedPort> FindSerialPorts(const std::filesystem::path& root = "/");
