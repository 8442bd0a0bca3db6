#include "runtime/cmcVirtualTimerHost.h"

#include <gtest/gtest.h>

#include <string>

TEST(cmcVirtualTimerHostTest, FiresInTimeOrderAndStartOrderOnTies) {
    cmcVirtualTimerHost host;
    std::string log;
    auto note = [&](const char* name) {
        return
            [&log, &host, name] { log += std::string(name) + std::to_string(host.NowMs()) + " "; };
    };
    host.StartTimer(3, note("A"));
    host.StartTimer(2, note("B"));
    host.StartTimer(3, note("C"));
    host.Advance(6);
    EXPECT_EQ(log, "B2 A3 C3 B4 A6 B6 C6 ");
    EXPECT_EQ(host.NowMs(), 6u);
}

TEST(cmcVirtualTimerHostTest, AStoppedTimerNeverFiresEvenWhenDueAtTheSameInstant) {
    cmcVirtualTimerHost host;
    int fired = 0;
    int second = 0;
    host.StartTimer(5, [&] { host.StopTimer(second); });
    second = host.StartTimer(5, [&] { ++fired; });
    host.Advance(20);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(host.RunningTimers(), 1u);
}

TEST(cmcVirtualTimerHostTest, ZeroIntervalRunsEveryMillisecond) {
    cmcVirtualTimerHost host;
    int fired = 0;
    host.StartTimer(0, [&] { ++fired; });
    host.Advance(7);
    EXPECT_EQ(fired, 7);
}

TEST(cmcVirtualTimerHostTest, TheCounterWrapsAt32Bits) {
    cmcVirtualTimerHost host(0xFFFFFFF0u);
    host.Advance(0x20);
    EXPECT_EQ(host.NowMs(), 0x10u);
}

TEST(cmcVirtualTimerHostTest, WatchesRunWhileTheirDescriptorIsReadable) {
    cmcVirtualTimerHost host;
    int unread = 3;
    int calls = 0;
    host.SetReadiness(7, [&] { return unread > 0; });
    const int id = host.WatchReadable(7, [&] {
        ++calls;
        --unread;
    });
    ASSERT_NE(id, 0);
    host.Advance(0);
    EXPECT_EQ(calls, 3) << "called until everything was read";
    unread = 1;
    host.StartTimer(5, [] {});
    host.Advance(5);
    EXPECT_EQ(calls, 4) << "and again as soon as bytes came";
    unread = 1;
    host.StopWatch(id);
    host.Advance(10);
    EXPECT_EQ(calls, 4) << "a stopped watch is silent";
}
