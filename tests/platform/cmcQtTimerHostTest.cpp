#include "runtime/qt/cmcQtTimerHost.h"

#include <gtest/gtest.h>

#include <string>

#include "WaitFor.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcTask.h"

TEST(cmcQtTimerHostTest, RunsATaskOnTheEventLoopUntilItStopsItself) {
    cmcQtTimerHost host;
    cmcTask task(host);
    int ticks = 0;
    task.SetHandler(cmcTask::Handler(&ticks, [&](cmcTask& self) {
        if (++ticks == 3) {
            self.SetInterval(-1);
        }
    }));
    const uint32_t start = host.NowMs();
    task.SetInterval(5);
    ASSERT_TRUE(WaitFor([&] { return ticks == 3; }));
    // Three intervals have passed; a timer never fires early.
    EXPECT_GE(host.NowMs() - start, 10u);
    EXPECT_EQ(task.Interval(), -1);
}

TEST(cmcQtTimerHostTest, DeliversPostedEvents) {
    cmcQtTimerHost host;
    cmcEvMan man(host);
    std::string heard;
    man.Listen(cmcEvMan::Listener(&heard, [&](const cmcEvent& e) { heard += e.Text(); }));
    man.PostData(4, 0, 0, "ready");
    EXPECT_EQ(heard, "");
    ASSERT_TRUE(WaitFor([&] { return !heard.empty(); }));
    EXPECT_EQ(heard, "ready");
}
