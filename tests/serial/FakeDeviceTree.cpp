#include "FakeDeviceTree.h"

#include <unistd.h>

#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

FakeDeviceTree::FakeDeviceTree() {
    std::string pattern = (fs::temp_directory_path() / "kelmstar-devices-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp");
    }
    root_ = pattern;
}

FakeDeviceTree::~FakeDeviceTree() {
    std::error_code ec;
    fs::remove_all(root_, ec);
}

void FakeDeviceTree::AddTty(const std::string& name, const std::string& device,
                            const std::string& uartType) {
    const fs::path entry = root_ / "sys/class/tty" / name;
    fs::create_directories(entry);
    Write(root_ / "dev" / name, "");
    if (!device.empty()) {
        fs::create_directories(root_ / "sys/devices" / device);
        fs::create_directory_symlink(root_ / "sys/devices" / device, entry / "device");
    }
    if (!uartType.empty()) {
        Write(entry / "type", uartType + "\n");
    }
}

void FakeDeviceTree::AddUsbDevice(const std::string& device, const std::string& manufacturer,
                                  const std::string& product) {
    const fs::path dir = root_ / "sys/devices" / device;
    fs::create_directories(dir);
    Write(dir / "idVendor", "1546\n");
    Write(dir / "manufacturer", manufacturer + "\n");
    Write(dir / "product", product + "\n");
}

void FakeDeviceTree::AddStableLink(const std::string& link, const std::string& name) {
    fs::create_directories(root_ / "dev/serial/by-id");
    fs::create_symlink("../../" + name, root_ / "dev/serial/by-id" / link);
}

void FakeDeviceTree::RemoveTty(const std::string& name) {
    fs::remove_all(root_ / "sys/class/tty" / name);
    fs::remove(root_ / "dev" / name);
}

void FakeDeviceTree::Write(const fs::path& file, const std::string& text) const {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}
