#include "runtime/qt/cmcQtTimerHost.h"

#include <QSocketNotifier>
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
    for (const auto& [id, notifier] : m_watches) {
        delete notifier;
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

int cmcQtTimerHost::WatchReadable(int descriptor, Callback callback) {
    if (descriptor < 0) {
        return 0;
    }
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read);
    const int id = m_nextWatch++;
    m_watches.emplace(id, notifier);
    connect(notifier, &QSocketNotifier::activated, this,
            [callback = std::move(callback)] { callback(); });
    return id;
}

void cmcQtTimerHost::StopWatch(int id) {
    auto found = m_watches.find(id);
    if (found == m_watches.end()) {
        return;
    }
    // It may be the notifier whose signal is being delivered right now.
    found->second->setEnabled(false);
    found->second->deleteLater();
    m_watches.erase(found);
}
