#include "runtime/cmcTask.h"

#include <gtest/gtest.h>

#include <memory>

#include "runtime/cmcVirtualTimerHost.h"

namespace {

// Counts its ticks; optionally runs a nested event loop from inside one.
struct Worker {
    void OnTick(cmcTask& task) {
        ++ticks;
        lastTask = &task;
        if (nestedMs > 0 && ticks == 1) {
            host->Advance(nestedMs);
            ticksSeenInside = ticks;
        }
    }

    cmcVirtualTimerHost* host = nullptr;
    uint32_t nestedMs = 0;
    int ticks = 0;
    int ticksSeenInside = 0;
    cmcTask* lastTask = nullptr;
};

}  // namespace

TEST(cmcTaskTest, IntervalsStartAndStop) {
    struct Case {
        int32_t interval;
        uint32_t advance;
        int ticks;
    };
    const Case cases[] = {
        {10, 35, 3},
        {0, 5, 5},  // 0 runs as often as the timer allows: every millisecond
        {1, 5, 5},
        {-1, 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        cmcVirtualTimerHost host;
        Worker worker;
        cmcTask task(host);
        task.SetHandler(cmcTask::Handler(&worker, &Worker::OnTick));
        task.SetInterval(c.interval);
        host.Advance(c.advance);
        EXPECT_EQ(worker.ticks, c.ticks);
        EXPECT_EQ(worker.lastTask, c.ticks > 0 ? &task : nullptr);
    }
}

TEST(cmcTaskTest, StoppingAndDetachingEndTheTicks) {
    cmcVirtualTimerHost host;
    Worker worker;
    cmcTask task(host);
    task.SetHandler(cmcTask::Handler(&worker, &Worker::OnTick));
    task.SetInterval(10);
    host.Advance(10);
    task.SetInterval(-1);
    host.Advance(50);
    EXPECT_EQ(worker.ticks, 1);
    EXPECT_EQ(host.RunningTimers(), 0u);

    task.SetInterval(10);
    host.Advance(10);
    EXPECT_EQ(worker.ticks, 2);
    task.Detach();
    task.SetInterval(10);
    host.Advance(50);
    EXPECT_EQ(worker.ticks, 2) << "a detached task has no handler left";
}

TEST(cmcTaskTest, AHandlerRunningANestedLoopIsNotEnteredAgain) {
    cmcVirtualTimerHost host;
    Worker worker;
    worker.host = &host;
    worker.nestedMs = 50;
    cmcTask task(host);
    task.SetHandler(cmcTask::Handler(&worker, &Worker::OnTick));
    task.SetInterval(10);
    host.Advance(10);
    EXPECT_EQ(worker.ticksSeenInside, 1);
    EXPECT_FALSE(task.IsRunning());
    host.Advance(10);
    EXPECT_EQ(worker.ticks, 2) << "ticks resume once the handler has returned";
}

TEST(cmcTaskTest, AReleasedTaskDeletesItselfAtItsNextTickWithoutCallingTheHandler) {
    struct Case {
        const char* name;
        int32_t interval;
    };
    const Case cases[] = {{"running", 10}, {"stopped", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cmcVirtualTimerHost host;
        Worker worker;
        auto task = std::make_unique<cmcTask>(host);
        task->SetHandler(cmcTask::Handler(&worker, &Worker::OnTick));
        task->SetInterval(c.interval);
        cmcTask::Release(std::move(task));
        EXPECT_EQ(host.RunningTimers(), 1u);
        host.Advance(10);
        EXPECT_EQ(host.RunningTimers(), 0u) << "the task is gone with its timer";
        EXPECT_EQ(worker.ticks, 0);
    }
}

TEST(cmcTaskTest, ATaskReleasedByItsRunningHandlerOutlivesTheHandler) {
    cmcVirtualTimerHost host;
    auto owned = std::make_unique<cmcTask>(host);
    size_t timersInside = 0;
    bool runningAfterNestedLoop = false;
    owned->SetHandler(cmcTask::Handler(owned.get(), [&](cmcTask& self) {
        cmcTask::Release(std::move(owned));
        // Ticks that arrive during a nested loop must not delete the task
        // under the running handler.
        host.Advance(30);
        timersInside = host.RunningTimers();
        runningAfterNestedLoop = self.IsRunning();
    }));
    owned->SetInterval(10);
    host.Advance(10);
    EXPECT_EQ(timersInside, 1u);
    EXPECT_TRUE(runningAfterNestedLoop);
    host.Advance(10);
    EXPECT_EQ(host.RunningTimers(), 0u);
}

TEST(cmcTaskTest, AHandlerMayDestroyItsOwnTask) {
    cmcVirtualTimerHost host;
    auto owned = std::make_unique<cmcTask>(host);
    int ticks = 0;
    owned->SetHandler(cmcTask::Handler(owned.get(), [&](cmcTask&) {
        ++ticks;
        owned.reset();
    }));
    owned->SetInterval(5);
    host.Advance(50);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(host.RunningTimers(), 0u);
}

TEST(cmcTaskTest, DestructionStopsTheTimer) {
    cmcVirtualTimerHost host;
    {
        cmcTask task(host);
        task.SetInterval(10);
        EXPECT_EQ(host.RunningTimers(), 1u);
    }
    EXPECT_EQ(host.RunningTimers(), 0u);
}

TEST(cmcTaskTest, TheDefaultHostIsTheCurrentOne) {
    cmcVirtualTimerHost host;
    cmcTimerHost::Scope scope(host);
    Worker worker;
    cmcTask task;
    task.SetHandler(cmcTask::Handler(&worker, &Worker::OnTick));
    task.SetInterval(10);
    host.Advance(20);
    EXPECT_EQ(worker.ticks, 2);
}
