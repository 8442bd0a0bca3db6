#include "link/cmcPortMap.h"

#include <gtest/gtest.h>

#include "files/cmcMemoryKeyStore.h"

namespace {

struct PathCase {
    int port;
    const char* path;
};

class PortMapDefault : public ::testing::TestWithParam<PathCase> {};

TEST_P(PortMapDefault, NamesTheDevice) {
    const PathCase& c = GetParam();
    EXPECT_EQ(cmcPortMap().DevicePath(c.port), c.path);
    if (*c.path) {
        EXPECT_EQ(cmcPortMap::DefaultNumber(std::string(c.path).substr(5)), c.port);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, PortMapDefault,
                         ::testing::Values(PathCase{1, "/dev/ttyS0"}, PathCase{32, "/dev/ttyS31"},
                                           PathCase{33, "/dev/ttyUSB0"},
                                           PathCase{64, "/dev/ttyUSB31"},
                                           PathCase{65, "/dev/ttyACM0"},
                                           PathCase{96, "/dev/ttyACM31"}, PathCase{97, ""},
                                           PathCase{256, ""}, PathCase{0, ""},
                                           PathCase{-3, ""}, PathCase{257, ""}));

TEST(PortMap, DeviceNamesOutsideTheTableHaveNoNumber) {
    for (const char* name : {"ttyS32", "ttyUSB", "ttyS01", "ttyAMA0", "ttyUSB1x", "tty1", ""})
        EXPECT_EQ(cmcPortMap::DefaultNumber(name), 0) << name;
}

TEST(PortMap, SettingsEntryWinsOverTheTable) {
    cmcMemoryKeyStore store;
    store.WriteString("Soft\\App\\Ports", "COM3", "/dev/pts/7");
    store.WriteString("Soft\\App\\Ports", "COM150", "/dev/ttyAMA0");
    store.WriteString("Soft\\App\\Ports", "COM300", "/dev/pts/9");
    store.WriteString("Soft\\App\\Ports", "COM4", "");
    store.WriteInt("Soft\\App\\Ports", "COM5", 7);
    const cmcPortMap map(&store, "Soft\\App");
    EXPECT_EQ(map.DevicePath(3), "/dev/pts/7");
    EXPECT_EQ(map.DevicePath(150), "/dev/ttyAMA0");
    EXPECT_EQ(map.DevicePath(300), "");
    EXPECT_EQ(map.DevicePath(4), "/dev/ttyS3");
    EXPECT_EQ(map.DevicePath(5), "/dev/ttyS4");
    EXPECT_EQ(map.DevicePath(151), "");
}

TEST(PortMap, ProcessMapIsReplaceable) {
    cmcMemoryKeyStore store;
    store.WriteString("K\\Ports", "COM2", "/dev/pts/1");
    cmcPortMap::SetProcess(cmcPortMap(&store, "K"));
    EXPECT_EQ(cmcPortMap::Process().DevicePath(2), "/dev/pts/1");
    cmcPortMap::SetProcess(cmcPortMap());
    EXPECT_EQ(cmcPortMap::Process().DevicePath(2), "/dev/ttyS1");
}

}  // namespace
