#include "runtime/cmcVirtualTimerHost.h"

#include <algorithm>
#include <utility>
#include <vector>

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

int cmcVirtualTimerHost::WatchReadable(int descriptor, Callback callback) {
    const int id = m_nextId++;
    m_watches.emplace(id, Watch{descriptor, std::move(callback)});
    return id;
}

void cmcVirtualTimerHost::StopWatch(int id) {
    m_watches.erase(id);
}

void cmcVirtualTimerHost::SetReadiness(int descriptor, std::function<bool()> readable) {
    m_readiness[descriptor] = std::move(readable);
}

void cmcVirtualTimerHost::RunReadyWatches() {
    // A reader that leaves its bytes unread would be called for ever, as a
    // real loop would; the bound turns that into a finite test failure.
    constexpr int kMaxRounds = 10000;
    for (int round = 0; round < kMaxRounds; ++round) {
        bool fired = false;
        std::vector<int> ids;
        for (const auto& [id, watch] : m_watches) {
            ids.push_back(id);
        }
        for (int id : ids) {
            auto found = m_watches.find(id);
            if (found == m_watches.end()) {
                continue;  // stopped by an earlier callback
            }
            auto readiness = m_readiness.find(found->second.descriptor);
            if (readiness == m_readiness.end() || !readiness->second()) {
                continue;
            }
            Callback callback = found->second.callback;
            callback();
            fired = true;
        }
        if (!fired) {
            return;
        }
    }
}

void cmcVirtualTimerHost::Advance(uint32_t ms) {
    const uint64_t target = m_elapsed + ms;
    RunReadyWatches();
    for (auto next = NextDue(target); next != m_timers.end(); next = NextDue(target)) {
        Timer& timer = next->second;
        m_elapsed = std::max(m_elapsed, timer.due);
        timer.due += timer.interval;
        // The callback may stop its own timer, so it runs from a copy.
        Callback callback = timer.callback;
        callback();
        RunReadyWatches();
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
