#include "runtime/cmcPollTimerHost.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace {

// The command-line tool's loop: a byte written by a timer wakes the watch
// of the pipe's other end; with nothing armed the loop returns.
TEST(cmcPollTimerHostTest, SleepsUntilADescriptorIsReadableOrATimerIsDue) {
    cmcPollTimerHost host;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::string got;
    const int watch = host.WatchReadable(fds[0], [&] {
        char c = 0;
        if (::read(fds[0], &c, 1) == 1) {
            got += c;
        }
    });
    ASSERT_NE(watch, 0);
    int fired = 0;
    const int timer = host.StartTimer(5, [&] {
        if (++fired == 2) {
            EXPECT_EQ(::write(fds[1], "x", 1), 1);
        }
    });
    host.RunUntil([&] { return got == "x"; });
    EXPECT_EQ(got, "x");
    EXPECT_EQ(fired, 2) << "the byte came from the second tick";
    host.StopTimer(timer);
    host.StopWatch(watch);
    EXPECT_EQ(host.Armed(), 0u);
    host.RunUntil([] { return false; });
    EXPECT_EQ(host.WatchReadable(-1, [] {}), 0) << "nothing to watch";
    ::close(fds[0]);
    ::close(fds[1]);
}

}  // namespace
