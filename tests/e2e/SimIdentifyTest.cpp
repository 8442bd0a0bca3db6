// The simulator on a pseudo-terminal, spoken to through cmcComm.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "SimProcess.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "link/cmcComm.h"
#include "link/cmcPortMap.h"

namespace {

const std::vector<uint8_t> kIdentify = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0, 0, 0, 0, 0xFD};

// Collects what the port receives until a frame end arrives or time runs out.
std::vector<uint8_t> ReceiveFrame(cmcComm& comm, int timeoutMs) {
    std::vector<uint8_t> got;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < until) {
        uint8_t buffer[256];
        const size_t n = comm.Read(buffer, sizeof buffer);
        got.insert(got.end(), buffer, buffer + n);
        if (!got.empty() && got.back() == 0xFD) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return got;
}

std::vector<uint8_t> Identify(const std::string& path, int timeoutMs) {
    cmcVirtualTimerHost host;
    cmcPortMap map;
    cmcComm comm(host, map);
    if (!comm.OpenPath(path, "9600,N,8,1")) return {};
    comm.Write(kIdentify.data(), kIdentify.size());
    return ReceiveFrame(comm, timeoutMs);
}

TEST(SimIdentify, AnswersOnThePtyAcrossSessions) {
    test::SimProcess sim({"--no-pace", "--revision", "2.3"});
    ASSERT_FALSE(sim.Path().empty());
    for (int session = 0; session < 2; ++session) {
        const std::vector<uint8_t> answer = Identify(sim.Path(), 2000);
        ASSERT_EQ(answer.size(), 5u + 4u + 42u + 1u) << "session " << session;
        EXPECT_EQ(std::vector<uint8_t>(answer.begin(), answer.begin() + 9),
                  (std::vector<uint8_t>{0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x40, 0x01, 0x00, 0x21}));
        EXPECT_EQ(answer[9], 42);
        EXPECT_EQ(answer[10], 0x02);
        EXPECT_EQ(answer[11], 0x30);
    }
    const int status = sim.Stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(SimIdentify, PacesAtTheLineRate) {
    test::SimProcess sim({"--baud", "1200"});
    ASSERT_FALSE(sim.Path().empty());
    const auto start = std::chrono::steady_clock::now();
    const std::vector<uint8_t> answer = Identify(sim.Path(), 3000);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    ASSERT_EQ(answer.size(), 52u);
    // 52 bytes at 120 bytes a second take over 400 ms.
    EXPECT_GE(ms, 350);
}

TEST(SimIdentify, SilentRadioSaysNothing) {
    test::SimProcess sim({"--no-pace", "--silent"});
    ASSERT_FALSE(sim.Path().empty());
    EXPECT_TRUE(Identify(sim.Path(), 300).empty());
}

}  // namespace
