#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>

#include "runtime/cmcTimerHost.h"

// Time that moves only when told to. Advance fires the timers that fall due
// in time order, so a test of a 1000 ms time-out runs in microseconds and
// always gives the same answer.
class cmcVirtualTimerHost : public cmcTimerHost {
public:
    // The counter starts at startMs; start it near 2^32 to cross the wrap.
    explicit cmcVirtualTimerHost(uint32_t startMs = 0) : m_start(startMs) {}

    uint32_t NowMs() const override;
    int StartTimer(uint32_t intervalMs, Callback callback) override;
    void StopTimer(int id) override;
    // Watches are simulated: a descriptor is readable while the test's fake
    // device says so (SetReadiness); then its watches are called at the
    // current instant, before any timer, as often as it stays readable.
    int WatchReadable(int descriptor, Callback callback) override;
    bool CanWatch() const override { return true; }
    void StopWatch(int id) override;
    void SetReadiness(int descriptor, std::function<bool()> readable);
    size_t Watches() const { return m_watches.size(); }

    // Moves time forward by ms. Each due firing happens at its own instant,
    // earliest first, timers due at the same instant in the order they were
    // started. A callback may start and stop timers, or advance time itself
    // the way a nested event loop would.
    void Advance(uint32_t ms);

    size_t RunningTimers() const { return m_timers.size(); }

private:
    struct Timer {
        uint64_t due;
        uint32_t interval;
        Callback callback;
    };

    // The timer that fires next at or before limit; none when nothing is due.
    std::map<int, Timer>::iterator NextDue(uint64_t limit);
    void RunReadyWatches();

    uint32_t m_start;
    uint64_t m_elapsed = 0;
    int m_nextId = 1;
    std::map<int, Timer> m_timers;
    struct Watch {
        int descriptor;
        Callback callback;
    };
    std::map<int, Watch> m_watches;
    std::map<int, std::function<bool()>> m_readiness;
};
