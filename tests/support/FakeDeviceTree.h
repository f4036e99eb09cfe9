#pragma once

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

// A temporary stand-in for "/" with the sysfs and /dev entries serial port discovery reads.
struct FakeDeviceTree {
    using path = std::filesystem::path;

    FakeDeviceTree() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelmstar-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::filesystem::filesystem_error(
                "mkdtemp", std::error_code(errno, std::generic_category()));
        }
        root = pattern;
    }
    ~FakeDeviceTree() { std::filesystem::remove_all(root); }

    // A terminal: its /sys/class/tty entry and /dev node, and where given the hardware it
    // belongs to (under /sys/devices) and its UART type.
    void AddTty(const std::string& name, const std::string& device = "",
                const std::string& uartType = "") const {
        Put(root / "dev" / name, "");
        Put(root / "sys/class/tty" / name / "type", uartType);
        if (!device.empty()) {
            std::filesystem::create_directories(root / "sys/devices" / device);
            std::filesystem::create_directory_symlink(root / "sys/devices" / device,
                                                      root / "sys/class/tty" / name / "device");
        }
    }
    void AddUsbDevice(const path& device, const std::string& maker,
                      const std::string& product) const {
        Put(root / "sys/devices" / device / "idVendor", "1546");
        Put(root / "sys/devices" / device / "manufacturer", maker + "\n");
        Put(root / "sys/devices" / device / "product", product + "\n");
    }
    void AddStableLink(const std::string& link, const std::string& name) const {
        std::filesystem::create_directories(root / "dev/serial/by-id");
        std::filesystem::create_symlink("../../" + name, root / "dev/serial/by-id" / link);
    }
    void RemoveTty(const std::string& name) const {
        std::filesystem::remove_all(root / "sys/class/tty" / name);
        std::filesystem::remove(root / "dev" / name);
    }
    static void Put(const path& file, const std::string& text) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }

    path root;
};
