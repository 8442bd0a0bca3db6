#include "runtime/qt/cmcQtTimerHost.h"

#include <QTimerEvent>
#include <algorithm>
#include <limits>
#include <utility>

cmcQtTimerHost::cmcQtTimerHost(QObject* parent) : QObject(parent) {
    m_clock.start();
}

cmcQtTimerHost::~cmcQtTimerHost() {
    for (const auto& [id, callback] : m_callbacks) {
        killTimer(id);
    }
}

uint32_t cmcQtTimerHost::NowMs() const {
    return static_cast<uint32_t>(m_clock.elapsed());
}

int cmcQtTimerHost::StartTimer(uint32_t intervalMs, Callback callback) {
    // Precise timers: the tasks' intervals are a few milliseconds, and the
    // coarse kind may stretch them by several.
    const uint32_t interval =
        std::clamp<uint32_t>(intervalMs, 1, static_cast<uint32_t>(std::numeric_limits<int>::max()));
    const int id = startTimer(static_cast<int>(interval), Qt::PreciseTimer);
    if (id != 0) {
        m_callbacks.emplace(id, std::move(callback));
    }
    return id;
}

void cmcQtTimerHost::StopTimer(int id) {
    if (m_callbacks.erase(id) != 0) {
        killTimer(id);
    }
}

void cmcQtTimerHost::timerEvent(QTimerEvent* event) {
    auto found = m_callbacks.find(event->timerId());
    if (found == m_callbacks.end()) {
        QObject::timerEvent(event);
        return;
    }
    // The callback may stop its own timer, so it runs from a copy.
    Callback callback = found->second;
    callback();
}
