#include "runtime/cmcVirtualTimerHost.h"

#include <algorithm>
#include <utility>

uint32_t cmcVirtualTimerHost::NowMs() const {
    return static_cast<uint32_t>(m_start + m_elapsed);
}

int cmcVirtualTimerHost::StartTimer(uint32_t intervalMs, Callback callback) {
    const uint32_t interval = std::max<uint32_t>(intervalMs, 1);
    const int id = m_nextId++;
    m_timers.emplace(id, Timer{m_elapsed + interval, interval, std::move(callback)});
    return id;
}

void cmcVirtualTimerHost::StopTimer(int id) {
    m_timers.erase(id);
}

void cmcVirtualTimerHost::Advance(uint32_t ms) {
    const uint64_t target = m_elapsed + ms;
    for (auto next = NextDue(target); next != m_timers.end(); next = NextDue(target)) {
        Timer& timer = next->second;
        m_elapsed = std::max(m_elapsed, timer.due);
        timer.due += timer.interval;
        // The callback may stop its own timer, so it runs from a copy.
        Callback callback = timer.callback;
        callback();
    }
    m_elapsed = std::max(m_elapsed, target);
}

std::map<int, cmcVirtualTimerHost::Timer>::iterator cmcVirtualTimerHost::NextDue(uint64_t limit) {
    auto best = m_timers.end();
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->second.due <= limit &&
            (best == m_timers.end() || it->second.due < best->second.due)) {
            best = it;
        }
    }
    return best;
}
