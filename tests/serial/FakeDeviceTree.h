#pragma once

#include <filesystem>
#include <string>

// A temporary stand-in for "/" with the sysfs and /dev entries serial port discovery reads.
class FakeDeviceTree {
public:
    FakeDeviceTree();
    ~FakeDeviceTree();
    FakeDeviceTree(const FakeDeviceTree&) = delete;
    FakeDeviceTree& operator=(const FakeDeviceTree&) = delete;

    const std::filesystem::path& Root() const { return root_; }

    // A terminal: its /sys/class/tty entry and /dev node; `device` (under /sys/devices) is
    // the hardware it belongs to, `uartType` its UART type attribute; either may be empty.
    void AddTty(const std::string& name, const std::string& device = "",
                const std::string& uartType = "");
    // A USB device directory under /sys/devices with its descriptor strings.
    void AddUsbDevice(const std::string& device, const std::string& manufacturer,
                      const std::string& product);
    void AddStableLink(const std::string& link, const std::string& name);
    void RemoveTty(const std::string& name);

private:
    void Write(const std::filesystem::path& file, const std::string& text) const;

    std::filesystem::path root_;
};
