// A write to the simulator lands in its .rcf memory, and a read gives it back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iterator>
#include <thread>
#include <vector>

#include "SimProcess.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "link/cmcComm.h"
#include "link/cmcPortMap.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Reads until `done` says the bytes so far are enough, or time runs out.
template <class Done>
Bytes ReceiveUntil(cmcComm& comm, Done done) {
    Bytes got;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!done(got) && std::chrono::steady_clock::now() < until) {
        uint8_t buffer[256];
        const size_t n = comm.Read(buffer, sizeof buffer);
        got.insert(got.end(), buffer, buffer + n);
        if (n == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return got;
}

void Send(cmcComm& comm, Bytes frame) {
    comm.Write(frame.data(), frame.size());
}

Bytes Frame(std::initializer_list<uint8_t> head, const std::string& text = {}) {
    // Sized once and filled by index: GCC 12 misreads an insert after an
    // initializer list as writing out of bounds.
    static const uint8_t kPreamble[] = {0xFE, 0xFE, 0xEE, 0xEF};
    Bytes frame(sizeof kPreamble + head.size() + text.size() + 1);
    auto at = std::copy(std::begin(kPreamble), std::end(kPreamble), frame.begin());
    at = std::copy(head.begin(), head.end(), at);
    std::copy(text.begin(), text.end(), at);
    frame.back() = 0xFD;
    return frame;
}

bool EndsWith(const Bytes& got, const Bytes& tail) {
    return got.size() >= tail.size() &&
           std::equal(tail.begin(), tail.end(), got.end() - tail.size());
}

TEST(SimMemory, WriteIsKeptInTheFileAndReadBack) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("mx_sim_memory_" + std::to_string(::getpid()) + ".rcf");
    std::filesystem::remove(file);
    const Bytes accepted = {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD};
    const std::string endText = "Norv Inc.";
    {
        test::SimProcess sim({"--no-pace", "--memory", file.string()});
        ASSERT_FALSE(sim.Path().empty());
        cmcVirtualTimerHost host;
        cmcPortMap map;
        cmcComm comm(host, map);
        ASSERT_TRUE(comm.OpenPath(sim.Path(), "9600,N,8,1"));
        Send(comm, Frame({0xE3, 0x40, 0x01, 0, 0}));
        Send(comm, Frame({0xE4}, "02BC040102030434"));
        EXPECT_EQ(ReceiveUntil(comm, [](const Bytes& b) { return !b.empty(); }), Bytes{0xF0});
        Send(comm, Frame({0xE5}, endText));
        EXPECT_EQ(ReceiveUntil(comm, [&](const Bytes& b) { return EndsWith(b, accepted); }),
                  accepted);
        comm.Close();
        // The simulator saves as it answers; the file is in place before E6.
        EXPECT_TRUE(std::filesystem::exists(file));
    }
    // A new simulator starts from the file.
    test::SimProcess sim({"--no-pace", "--memory", file.string(), "--frame-size", "4"});
    ASSERT_FALSE(sim.Path().empty());
    cmcVirtualTimerHost host;
    cmcPortMap map;
    cmcComm comm(host, map);
    ASSERT_TRUE(comm.OpenPath(sim.Path(), "9600,N,8,1"));
    Send(comm, Frame({0xE2, 0, 0, 0, 0}));
    const Bytes got = ReceiveUntil(comm, [&](const Bytes& b) {
        return b.size() > endText.size() && EndsWith(b, Bytes{'.', 0xFD});
    });
    const std::string text(got.begin(), got.end());
    EXPECT_NE(text.find("02BC040102030434"), std::string::npos);
    std::filesystem::remove(file);
}

TEST(SimMemory, HearsAFrameOnlyOnceItHasComeDownTheLine) {
    // 300 baud: the write request and a 4-byte data frame, 32 bytes, take
    // 1.07 s on the wire; the go-on byte cannot come before they have.
    test::SimProcess sim({"--baud", "300"});
    ASSERT_FALSE(sim.Path().empty());
    cmcVirtualTimerHost host;
    cmcPortMap map;
    cmcComm comm(host, map);
    ASSERT_TRUE(comm.OpenPath(sim.Path(), "300,N,8,1"));
    const auto start = std::chrono::steady_clock::now();
    Send(comm, Frame({0xE3, 0x40, 0x01, 0, 0}));
    Send(comm, Frame({0xE4}, "02BC040102030434"));
    EXPECT_EQ(ReceiveUntil(comm, [](const Bytes& b) { return !b.empty(); }), Bytes{0xF0});
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    EXPECT_GE(ms, 950);
}

}  // namespace
