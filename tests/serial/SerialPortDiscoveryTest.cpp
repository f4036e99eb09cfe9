#include <gtest/gtest.h>

#include "FakeDeviceTree.h"
#include "serial/SerialPortDiscovery.h"

namespace {

TEST(SerialPortDiscoveryTest, ListsThePresentSerialDevicesOnly) {
    FakeDeviceTree tree;
    EXPECT_TRUE(FindSerialPorts(tree.root).empty());  // no sysfs at all
    tree.AddUsbDevice("usb1/1-3", "FTDI", "FT232R USB UART");
    tree.AddTty("ttyUSB0", "usb1/1-3/1-3:1.0/ttyUSB0");
    tree.AddStableLink("usb-FTDI_FT232R_USB_UART_A9-if00-port0", "ttyUSB0");
    tree.AddUsbDevice("usb1/1-2", "u-blox AG", "u-blox 7");
    tree.AddTty("ttyACM0", "usb1/1-2/1-2:1.0");
    tree.AddTty("ttyS0", "platform/serial8250", "4");  // COM1
    tree.AddTty("ttyS12", "platform/serial8250", "4");
    tree.AddTty("ttyS4", "platform/serial8250", "4");
    tree.AddTty("ttyS5", "platform/serial8250", "0");  // no UART behind it
    // Embedded UARTs and vendor USB drivers; a USB gadget port is this machine's own.
    tree.AddTty("ttymxc1", "platform/30890000.serial");
    tree.AddTty("ttyPS0", "platform/ff000000.serial");
    tree.AddUsbDevice("usb1/1-4", "WCH", "USB Single Serial");
    tree.AddTty("ttyCH343USB0", "usb1/1-4/1-4:1.0");
    tree.AddTty("ttyGS0", "platform/gadget");
    for (const char* name : {"rfcomm0", "tty1", "console", "ptmx", "ptyp0", "ttyp0", "ttySAC"}) {
        tree.AddTty(name);
    }
    const std::vector<DetectedPort> expected{
        {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9-if00-port0", "/dev/ttyUSB0",
         "FTDI FT232R USB UART (/dev/ttyUSB0)"},
        {"/dev/ttyACM0", "/dev/ttyACM0", "u-blox AG u-blox 7 (/dev/ttyACM0)"},
        {"/dev/ttyS4", "/dev/ttyS4", "/dev/ttyS4"},
        {"/dev/ttyS12", "/dev/ttyS12", "/dev/ttyS12"},
        {"/dev/rfcomm0", "/dev/rfcomm0", "/dev/rfcomm0"},
        {"/dev/ttyCH343USB0", "/dev/ttyCH343USB0", "WCH USB Single Serial (/dev/ttyCH343USB0)"},
        {"/dev/ttyPS0", "/dev/ttyPS0", "/dev/ttyPS0"},
        {"/dev/ttymxc1", "/dev/ttymxc1", "/dev/ttymxc1"}};
    EXPECT_EQ(FindSerialPorts(tree.root), expected);

    // Unplugged devices leave their by-id links dangling and their entries gone.
    tree.RemoveTty("ttyUSB0");
    tree.RemoveTty("ttyACM0");
    EXPECT_EQ(FindSerialPorts(tree.root), std::vector(expected.begin() + 2, expected.end()));
}

}  // namespace
