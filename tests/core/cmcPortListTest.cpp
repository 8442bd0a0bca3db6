#include "link/cmcPortList.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "files/cmcMemoryKeyStore.h"
#include "link/cmcPortMap.h"

namespace fs = std::filesystem;

namespace {

// A small sysfs and by-id tree: USB adapters with and without maker strings,
// on-board ports, a virtual console without hardware, and a device that only
// the settings entry gives a number.
class PortListTree : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("mx_sysfs_" + std::to_string(::getpid()));
        fs::remove_all(root);
        sys = root / "sys";
        byId = root / "by-id";
        Device("ttyUSB0", "devices/usb1/1-1/1-1:1.0/ttyUSB0");
        Write("devices/usb1/1-1/product", "USB Serial\n");
        Write("devices/usb1/1-1/manufacturer", "Maker Co\n");
        Device("ttyACM0", "devices/usb1/1-2/1-2:1.0");
        Write("devices/usb1/1-2/product", "Modem\n");
        Device("ttyS0", "devices/platform/serial8250/tty0");
        Device("ttyS8", "devices/platform/serial8250/tty8");
        Device("ttyS9", "devices/platform/serial8250/tty9");
        Device("ttyAMA0", "devices/platform/amba/uart0");
        fs::create_directories(sys / "class/tty/tty0");
        fs::create_directories(byId);
        fs::create_directory_symlink("../../ttyS0", byId / "usb-Board_Serial-if00");

        store.WriteString("App\\Ports", "COM200", "/dev/ttyAMA0");
    }
    void TearDown() override { fs::remove_all(root); }

    void Device(const std::string& tty, const std::string& devicePath) {
        fs::create_directories(sys / devicePath);
        fs::create_directories(sys / "class/tty" / tty);
        fs::create_directory_symlink(sys / devicePath, sys / "class/tty" / tty / "device");
    }
    void Write(const std::string& relative, const std::string& text) {
        std::ofstream(sys / relative) << text;
    }

    fs::path root, sys, byId;
    cmcMemoryKeyStore store;
    cmcPortMap map{&store, "App"};
};

TEST_F(PortListTree, ListsHardwarePortsInNumericOrder) {
    EXPECT_EQ(cmcPortList::ListRegistryPorts(map, sys.string()),
              (std::vector<std::string>{"1", "9", "10", "33", "65", "200"}));
}

TEST_F(PortListTree, NamesPortsByUsbStringsThenById) {
    const std::vector<std::string> numbers = {"200", "65", "5", "33", "1", "9"};
    EXPECT_EQ(cmcPortList::ListNamedPorts(numbers, map, sys.string(), byId.string()),
              (std::vector<std::string>{"1: usb-Board_Serial-if00 (COM1)",
                                        "33: Maker Co USB Serial (COM33)", "65: Modem (COM65)"}));
}

TEST_F(PortListTree, MissingSourcesGiveEmptyLists) {
    EXPECT_TRUE(cmcPortList::ListRegistryPorts(map, (root / "none").string()).empty());
    EXPECT_TRUE(
        cmcPortList::ListNamedPorts({"33"}, map, (root / "none").string(), (root / "none").string())
            .empty());
}

TEST_F(PortListTree, DevicePortsAreTheNumbersWhoseDeviceExists) {
    std::ofstream(root / "fake0").put('x');
    store.WriteString("App\\Ports", "COM150", (root / "fake0").string());
    store.WriteString("App\\Ports", "COM151", (root / "fake1").string());
    const std::vector<std::string> list = cmcPortList::ListDevicePorts(map);
    EXPECT_NE(std::find(list.begin(), list.end(), "150"), list.end());
    EXPECT_EQ(std::find(list.begin(), list.end(), "151"), list.end());
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), [](const auto& a, const auto& b) {
        return std::stoi(a) < std::stoi(b);
    }));
}

// The settings' entries stand beside the hardware ports: a pseudo-terminal
// has no sysfs device but is listed once its entry points at it.
TEST_F(PortListTree, PortsTheSettingsMapToAnExistingDeviceAreListed) {
    std::ofstream(root / "pty7").put('x');
    store.WriteString("App\\Ports", "COM5", (root / "pty7").string());
    store.WriteString("App\\Ports", "COM150", (root / "pty7").string());
    store.WriteString("App\\Ports", "COM151", (root / "gone").string());
    EXPECT_EQ(cmcPortList::ListRegistryPorts(map, sys.string()),
              (std::vector<std::string>{"1", "5", "9", "10", "33", "65", "150", "200"}));
    EXPECT_EQ(map.MappedPorts(), (std::vector<int>{5, 150, 151, 200}));
}

TEST(PortList, PortNumberOfText) {
    const std::pair<const char*, int> cases[] = {
        {"COM12", 12}, {"COM3: x", 3}, {"com4", 0}, {"3: USB Serial (COM3)", 3},
        {"  7", 7},    {"abc", 0},     {"COM", 0},  {"256", 256}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(cmcPortList::PortNumberOfText(text), number) << text;
}

}  // namespace
