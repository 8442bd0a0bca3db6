#include "runtime/cmcTick.h"

#include <gtest/gtest.h>

#include "runtime/cmcVirtualTimerHost.h"

TEST(cmcTickTest, CountsDownAndRunsOutAfterItsDurationAcrossTheWrap) {
    // Starts well inside the counter and just before it wraps.
    for (uint32_t start : {0u, 1000u, 0xFFFFFFFFu - 5u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(start);
        cmcVirtualTimerHost host(start);
        cmcTimerHost::Scope scope(host);
        cmcTick tick;
        tick.Start(100);
        EXPECT_EQ(tick.Remaining(), 100u);
        host.Advance(30);
        EXPECT_EQ(tick.Remaining(), 70u);
        host.Advance(69);
        EXPECT_EQ(tick.Remaining(), 1u);
        EXPECT_TRUE(tick.IsActive());
        host.Advance(1);
        EXPECT_EQ(tick.Remaining(), 0u);
        EXPECT_FALSE(tick.IsActive());
    }
}

TEST(cmcTickTest, ARunOutTickStaysRunOut) {
    cmcVirtualTimerHost host;
    cmcTimerHost::Scope scope(host);
    cmcTick tick;
    tick.Start(10);
    host.Advance(10);
    EXPECT_EQ(tick.Remaining(), 0u);
    // Were it still active, the counter's next lap would bring it back.
    host.Advance(0xFFFFFFFFu);
    host.Advance(5);
    EXPECT_EQ(tick.Remaining(), 0u);
}

TEST(cmcTickTest, NeverStartedOrZeroLengthTicksHaveRunOut) {
    cmcVirtualTimerHost host;
    cmcTimerHost::Scope scope(host);
    cmcTick idle;
    EXPECT_EQ(idle.Remaining(), 0u);
    cmcTick zero;
    zero.Start(0);
    EXPECT_EQ(zero.Remaining(), 0u);
    EXPECT_FALSE(zero.IsActive());
}

TEST(cmcTickTest, RestartingBeginsAFreshTimeOut) {
    cmcVirtualTimerHost host;
    cmcTimerHost::Scope scope(host);
    cmcTick tick;
    tick.Start(50);
    host.Advance(40);
    tick.Start(50);
    host.Advance(40);
    EXPECT_EQ(tick.Remaining(), 10u);
}
