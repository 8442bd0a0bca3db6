#pragma once
#include <cstdint>
#include <memory>

#include "runtime/cmcTimerHost.h"
#include "util/cmcMethod.h"

// An interval timer that calls its handler on the host's event loop. A handler
// that runs longer than the interval, or that runs a nested event loop, is
// never entered a second time: ticks that arrive meanwhile are dropped.
class cmcTask {
public:
    using Handler = cmcMethod<cmcTask&>;

    // Runs on the process-wide timer host.
    cmcTask();
    explicit cmcTask(cmcTimerHost& host);
    ~cmcTask();
    cmcTask(const cmcTask&) = delete;
    cmcTask& operator=(const cmcTask&) = delete;

    void SetHandler(Handler handler) { m_handler = std::move(handler); }
    // 0 or more starts the timer (0 counts as 1 ms); a negative value stops it.
    void SetInterval(int32_t ms);
    // Clears the handler and stops the timer.
    void Detach();

    // Hands the task over to itself: it deletes itself at its next tick, once
    // its handler is not running, which is how a handler ends its own task.
    static void Release(std::unique_ptr<cmcTask> task);

    int32_t Interval() const { return m_interval; }
    bool IsRunning() const { return m_running; }

private:
    void Tick();
    void StopTimer();

    cmcTimerHost& m_host;
    Handler m_handler;
    int32_t m_interval = -1;
    int m_timerId = 0;
    bool m_running = false;
    std::unique_ptr<cmcTask> m_deleteRequest;
    // Cleared by the destructor, so a handler that destroys its own task
    // does not leave the tick writing into freed memory.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
