#include "runtime/cmcPollTimerHost.h"

#include <poll.h>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

cmcPollTimerHost::cmcPollTimerHost() : m_start(std::chrono::steady_clock::now()) {}

uint64_t cmcPollTimerHost::Elapsed() const {
    const auto elapsed = std::chrono::steady_clock::now() - m_start;
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

uint32_t cmcPollTimerHost::NowMs() const {
    return static_cast<uint32_t>(Elapsed());
}

int cmcPollTimerHost::StartTimer(uint32_t intervalMs, Callback callback) {
    const uint32_t interval = std::max<uint32_t>(intervalMs, 1);
    const int id = m_nextId++;
    m_timers.emplace(id, Timer{Elapsed() + interval, interval, std::move(callback)});
    return id;
}

void cmcPollTimerHost::StopTimer(int id) {
    m_timers.erase(id);
}

int cmcPollTimerHost::WatchReadable(int descriptor, Callback callback) {
    if (descriptor < 0) {
        return 0;
    }
    const int id = m_nextId++;
    m_watches.emplace(id, Watch{descriptor, std::move(callback)});
    return id;
}

void cmcPollTimerHost::StopWatch(int id) {
    m_watches.erase(id);
}

int cmcPollTimerHost::NextTimeout() const {
    if (m_timers.empty()) {
        return -1;
    }
    uint64_t due = std::numeric_limits<uint64_t>::max();
    for (const auto& [id, timer] : m_timers) {
        due = std::min(due, timer.due);
    }
    const uint64_t now = Elapsed();
    const uint64_t wait = due > now ? due - now : 0;
    return static_cast<int>(std::min<uint64_t>(wait, std::numeric_limits<int>::max()));
}

void cmcPollTimerHost::RunOnce() {
    if (m_timers.empty() && m_watches.empty()) {
        return;
    }
    std::vector<pollfd> fds;
    std::vector<int> ids;
    for (const auto& [id, watch] : m_watches) {
        fds.push_back(pollfd{watch.descriptor, POLLIN, 0});
        ids.push_back(id);
    }
    const int n = ::poll(fds.data(), fds.size(), NextTimeout());
    std::vector<int> ready;
    if (n > 0) {
        for (size_t i = 0; i < fds.size(); ++i) {
            // A hang-up or an error is news for the reader as well.
            if (fds[i].revents != 0) {
                ready.push_back(ids[i]);
            }
        }
    }
    RunReadable(ready);
    RunDueTimers();
}

void cmcPollTimerHost::RunReadable(const std::vector<int>& ready) {
    for (int id : ready) {
        // An earlier callback may have stopped this watch.
        auto found = m_watches.find(id);
        if (found != m_watches.end()) {
            Callback callback = found->second.callback;
            callback();
        }
    }
}

void cmcPollTimerHost::RunDueTimers() {
    const uint64_t now = Elapsed();
    std::vector<int> due;
    for (const auto& [id, timer] : m_timers) {
        if (timer.due <= now) {
            due.push_back(id);
        }
    }
    for (int id : due) {
        auto found = m_timers.find(id);
        if (found == m_timers.end()) {
            continue;
        }
        // Late ticks are not made up for, as with the event loop's timers.
        found->second.due = now + found->second.interval;
        Callback callback = found->second.callback;
        callback();
    }
}

void cmcPollTimerHost::RunUntil(const std::function<bool()>& done) {
    while (!done() && (!m_timers.empty() || !m_watches.empty())) {
        RunOnce();
    }
}
