// The simulator's receive line on a made-up clock: bytes the PC wrote come
// out only when the line could have carried them.
#include <gtest/gtest.h>

#include <numeric>

#include "tools/sim/SimReceiveLine.cpp"

namespace {

using Clock = SimReceiveLine::Clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using Bytes = std::vector<uint8_t>;

const Clock::time_point kStart = Clock::time_point{} + std::chrono::hours(1);

Bytes Count(size_t n) {
    Bytes bytes(n);
    std::iota(bytes.begin(), bytes.end(), uint8_t{0});
    return bytes;
}

TEST(SimReceiveLine, AFrameArrivesWhenItsLastByteHas) {
    // 1200 baud: 120 bytes a second, so 12 bytes take 100 ms.
    SimReceiveLine line(1200, true);
    const Bytes frame = Count(12);
    line.Put(frame.data(), frame.size(), kStart);
    EXPECT_TRUE(line.Take(kStart).empty());
    EXPECT_EQ(line.Take(kStart + milliseconds(50)), Count(6));
    EXPECT_EQ(line.Take(kStart + milliseconds(100) - microseconds(10)).size(), 5u);
    ASSERT_TRUE(line.NextArrival().has_value());
    EXPECT_EQ(*line.NextArrival(), kStart + milliseconds(100));
    EXPECT_EQ(line.Take(kStart + milliseconds(100)), Bytes{11});
    EXPECT_TRUE(line.Empty());
    EXPECT_FALSE(line.NextArrival().has_value());
}

TEST(SimReceiveLine, BytesWrittenWhileTheLineIsBusyQueueBehind) {
    SimReceiveLine line(1200, true);
    const Bytes bytes = Count(12);
    line.Put(bytes.data(), 6, kStart);
    // Written 10 ms later, but the first six still need 50 ms of line.
    line.Put(bytes.data() + 6, 6, kStart + milliseconds(10));
    EXPECT_EQ(line.Take(kStart + milliseconds(99)).size(), 11u);
    EXPECT_EQ(line.Take(kStart + milliseconds(100)).size(), 1u);
}

TEST(SimReceiveLine, AnIdleLineStartsAfreshWithTheNextByte) {
    SimReceiveLine line(1200, true);
    const Bytes bytes = Count(2);
    line.Put(bytes.data(), 1, kStart);
    EXPECT_EQ(line.Take(kStart + std::chrono::seconds(1)).size(), 1u);
    // A second later the line has long been idle: no credit for the pause.
    const auto later = kStart + std::chrono::seconds(1);
    line.Put(bytes.data() + 1, 1, later);
    EXPECT_TRUE(line.Take(later + milliseconds(8)).empty());
    EXPECT_EQ(line.Take(later + microseconds(8334)), Bytes{1});
}

TEST(SimReceiveLine, ALongWriteKeepsTheLineRate) {
    // A whole write at 9600 baud: 5000 bytes take 5.208333 s, not a rounding
    // error more or less per byte.
    SimReceiveLine line(9600, true);
    const Bytes bytes(5000, 0x30);
    for (size_t i = 0; i < bytes.size(); i += 100)
        line.Put(bytes.data() + i, 100, kStart);
    EXPECT_EQ(line.Take(kStart + microseconds(5208332)).size(), 4999u);
    EXPECT_EQ(line.Take(kStart + microseconds(5208334)).size(), 1u);
}

TEST(SimReceiveLine, UnpacedBytesArriveAtOnce) {
    SimReceiveLine line(1200, false);
    const Bytes frame = Count(12);
    line.Put(frame.data(), frame.size(), kStart);
    EXPECT_EQ(line.Take(kStart), frame);
}

}  // namespace
