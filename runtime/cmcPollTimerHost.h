#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "runtime/cmcTimerHost.h"

// Timers and descriptor watches on poll(2) and the monotonic clock, for a
// program without an event loop of its own (the command-line tool): it
// sleeps in poll until a watched descriptor has bytes or a timer falls due.
class cmcPollTimerHost : public cmcTimerHost {
public:
    cmcPollTimerHost();

    uint32_t NowMs() const override;
    int StartTimer(uint32_t intervalMs, Callback callback) override;
    void StopTimer(int id) override;
    int WatchReadable(int descriptor, Callback callback) override;
    bool CanWatch() const override { return true; }
    void StopWatch(int id) override;

    // Waits for the next readable descriptor or due timer and runs what is
    // ready; returns at once when nothing is armed.
    void RunOnce();
    // Runs until done() holds, or until nothing is armed any more.
    void RunUntil(const std::function<bool()>& done);

    size_t Armed() const { return m_timers.size() + m_watches.size(); }

private:
    struct Timer {
        uint64_t due;
        uint32_t interval;
        Callback callback;
    };
    struct Watch {
        int descriptor;
        Callback callback;
    };

    uint64_t Elapsed() const;
    // Milliseconds until the earliest timer; -1 when there is none.
    int NextTimeout() const;
    void RunReadable(const std::vector<int>& ready);
    void RunDueTimers();

    std::chrono::steady_clock::time_point m_start;
    int m_nextId = 1;
    std::map<int, Timer> m_timers;
    std::map<int, Watch> m_watches;
};
