#include "link/cmcComm.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "PtyPair.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "files/cmcMemoryKeyStore.h"
#include "link/cmcPortMap.h"

namespace {

struct SettingsCase {
    const char* text;
    int32_t baud;
    uint8_t parity;
    uint8_t dataBits;
    uint8_t stopBits;
};

class CommSettings : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(CommSettings, ParsesEachField) {
    const SettingsCase& c = GetParam();
    const cmcCommLine line = cmcComm::ParseSettings(c.text);
    EXPECT_EQ(line.baud, c.baud);
    EXPECT_EQ(line.parity, c.parity);
    EXPECT_EQ(line.dataBits, c.dataBits);
    EXPECT_EQ(line.stopBits, c.stopBits);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommSettings,
    ::testing::Values(SettingsCase{"9600,n,8,1", 9600, 0, 8, 0},
                      SettingsCase{"38400,N,8,1", 38400, 0, 8, 0},
                      SettingsCase{"4800,E,7,2", 4800, 2, 7, 2},
                      SettingsCase{"1200,e,8,1.5", 1200, 2, 8, 1},
                      SettingsCase{"1200,o,8,1", 1200, 1, 8, 0},
                      SettingsCase{"1200,Odd,8,1", 1200, 1, 8, 0},
                      SettingsCase{"1200,M,8,1", 1200, 3, 8, 0},
                      SettingsCase{"1200,m,8,1", 1200, 3, 8, 0},
                      SettingsCase{"1200,S,8,1", 1200, 0, 8, 0},
                      SettingsCase{"9600,N,9,1", 9600, 0, 8, 0},
                      SettingsCase{"9600,N,3,1", 9600, 0, 4, 0},
                      SettingsCase{"9600,N,8,3", 9600, 0, 8, 0},
                      SettingsCase{"9600,N,8,1.50", 9600, 0, 8, 0},
                      SettingsCase{"19200", 19200, 0, 8, 0},
                      SettingsCase{"", 9600, 0, 8, 0},
                      // "\x95," is one double-byte character, so its "," does
                      // not end the parity field.
                      SettingsCase{"2400,\x95,E,7,2", 2400, 0, 7, 2}));

class CommOnPty : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pty.Ok()); }

    test::PtyPair pty;
    cmcVirtualTimerHost host;
    cmcPortMap map;
    cmcComm comm{host, map};
};

TEST_F(CommOnPty, OpensClosesAndReopens) {
    ASSERT_TRUE(comm.OpenPath(pty.SlavePath(), "9600,N,8,1"));
    EXPECT_TRUE(comm.IsOpen());
    EXPECT_EQ(comm.LastOpenError(), 0);
    comm.Close();
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_TRUE(comm.OpenPath(pty.SlavePath(), "9600,N,8,1"));
}

TEST_F(CommOnPty, SecondOpenFailsWithoutTouchingThePort) {
    ASSERT_TRUE(comm.OpenPath(pty.SlavePath(), "9600,N,8,1"));
    EXPECT_FALSE(comm.OpenPath(pty.SlavePath(), "38400,N,8,1"));
    EXPECT_FALSE(comm.Open(1, "38400,N,8,1"));
    EXPECT_TRUE(comm.IsOpen());
    EXPECT_EQ(comm.Line().baud, 9600);
}

TEST_F(CommOnPty, HoldsTheDeviceExclusivelyWhileOpen) {
    auto exclusive = [&] {
        int flag = -1;
        EXPECT_EQ(::ioctl(pty.Slave(), TIOCGEXCL, &flag), 0);
        return flag;
    };
    ASSERT_TRUE(comm.OpenPath(pty.SlavePath(), "9600,N,8,1"));
    EXPECT_EQ(exclusive(), 1);
    if (::geteuid() != 0) {
        cmcComm other{host, map};
        EXPECT_FALSE(other.OpenPath(pty.SlavePath(), "9600,N,8,1"));
        EXPECT_EQ(other.LastOpenError(), EBUSY);
    }
    comm.Close();
    EXPECT_EQ(exclusive(), 0);
}

TEST_F(CommOnPty, SetsTheLineRaw) {
    // A pseudo-terminal keeps 8 bits without parity whatever it is asked;
    // speed, stop bits and the raw mode show.
    ASSERT_TRUE(comm.OpenPath(pty.SlavePath(), "4800,N,8,2"));
    termios tio{};
    ASSERT_EQ(::tcgetattr(pty.Slave(), &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B4800));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_NE(tio.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | ICRNL), 0u);
}

TEST_F(CommOnPty, RefusesABaudRateTheDriverCannotSet) {
    EXPECT_FALSE(comm.OpenPath(pty.SlavePath(), "12345,N,8,1"));
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(comm.LastOpenError(), EINVAL);
}

TEST_F(CommOnPty, ReadsOnlyWhatHasArrived) {
    ASSERT_TRUE(comm.OpenPath(pty.SlavePath(), "9600,N,8,1"));
    uint8_t buffer[16] = {};
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0u);

    pty.Send({0xFE, 0xFE, 0xEF, 0xEE, 0xFD});
    ASSERT_TRUE(test::WaitFor([&] { return comm.InputCount() == 5; }));
    EXPECT_EQ(comm.Read(buffer, 3), 3u);
    EXPECT_EQ(comm.InputCount(), 2u);
    EXPECT_EQ(comm.Read(buffer + 3, sizeof buffer), 2u);
    EXPECT_EQ(buffer[2], 0xEF);
    EXPECT_EQ(buffer[4], 0xFD);
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0u);
}

TEST_F(CommOnPty, OpenDiscardsWhatArrivedBefore) {
    ASSERT_TRUE(comm.OpenPath(pty.SlavePath(), "9600,N,8,1"));
    comm.Close();
    pty.Send({1, 2, 3});
    ASSERT_TRUE(test::WaitFor([&] {
        int n = 0;
        return ::ioctl(pty.Slave(), FIONREAD, &n) == 0 && n == 3;
    }));
    ASSERT_TRUE(comm.OpenPath(pty.SlavePath(), "9600,N,8,1"));
    EXPECT_EQ(comm.InputCount(), 0u);
}

TEST_F(CommOnPty, PumpsOutputInChunksOfAtMost1024) {
    ASSERT_TRUE(comm.OpenPath(pty.SlavePath(), "9600,N,8,1"));
    std::vector<uint8_t> data(2500);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);

    comm.Write(data.data(), data.size());
    EXPECT_GE(comm.OutputPending(), data.size() - cmcComm::kOutputChunk);
    std::vector<uint8_t> got = pty.Drain();
    EXPECT_EQ(got.size(), cmcComm::kOutputChunk);

    host.Advance(cmcComm::kPumpRetryMs);
    std::vector<uint8_t> more = pty.Drain();
    EXPECT_EQ(more.size(), cmcComm::kOutputChunk);
    got.insert(got.end(), more.begin(), more.end());
    EXPECT_GT(comm.OutputPending(), 0u);

    host.Advance(cmcComm::kPumpRetryMs);
    more = pty.Drain();
    got.insert(got.end(), more.begin(), more.end());
    EXPECT_EQ(got, data);
    EXPECT_EQ(comm.OutputPending(), 0u);
    EXPECT_FALSE(comm.HasWriteError());
    EXPECT_EQ(host.RunningTimers(), 0u);
}

TEST_F(CommOnPty, CloseDropsUnsentOutputAndStopsThePump) {
    ASSERT_TRUE(comm.OpenPath(pty.SlavePath(), "9600,N,8,1"));
    std::vector<uint8_t> data(3000, 0x55);
    comm.Write(data.data(), data.size());
    comm.Close();
    EXPECT_EQ(comm.OutputPending(), 0u);
    EXPECT_EQ(host.RunningTimers(), 0u);
    pty.Drain();
    host.Advance(100);
    EXPECT_TRUE(pty.Drain().empty());
}

TEST_F(CommOnPty, ClosedPortReadsAndWritesNothing) {
    uint8_t byte = 0x42;
    comm.Write(&byte, 1);
    EXPECT_EQ(comm.OutputPending(), 0u);
    EXPECT_EQ(comm.Read(&byte, 1), 0u);
    EXPECT_EQ(comm.InputCount(), 0u);
}

TEST_F(CommOnPty, OpensByNumberThroughTheSettingsEntry) {
    cmcMemoryKeyStore store;
    store.WriteString("Root\\Ports", "COM200", pty.SlavePath());
    cmcPortMap mapped(&store, "Root");
    cmcComm byNumber(host, mapped);
    ASSERT_TRUE(byNumber.Open(200, "9600,N,8,1"));
    EXPECT_EQ(byNumber.PortNumber(), 200);

    int ports[256] = {};
    int count = -1;
    byNumber.Close();
    ASSERT_TRUE(byNumber.ScanPorts(ports, count));
    ASSERT_GE(count, 1);
    EXPECT_EQ(ports[count - 1], 200);
    EXPECT_TRUE(std::is_sorted(ports, ports + count));
}

TEST(CommOpen, KeepsTheReasonOfAFailedOpen) {
    cmcVirtualTimerHost host;
    cmcPortMap map;
    cmcComm comm(host, map);
    EXPECT_FALSE(comm.OpenPath("/nonexistent/ttyX9", "9600,N,8,1"));
    EXPECT_EQ(comm.LastOpenError(), ENOENT);
    EXPECT_FALSE(comm.Open(0, "9600,N,8,1"));
    EXPECT_FALSE(comm.IsOpen());

    if (::geteuid() == 0) GTEST_SKIP() << "root opens any file";
    const auto path = std::filesystem::temp_directory_path() / ("mx_comm_denied_" + std::to_string(::getpid()));
    std::ofstream(path).put('x');
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_FALSE(comm.OpenPath(path.string(), "9600,N,8,1"));
    EXPECT_EQ(comm.LastOpenError(), EACCES);
    std::filesystem::remove(path);
}

}  // namespace
