#include "runtime/cmcTask.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int32_t kReleaseInterval = 1;

}  // namespace

cmcTask::cmcTask() : cmcTask(cmcTimerHost::Current()) {}

cmcTask::cmcTask(cmcTimerHost& host) : m_host(host) {}

cmcTask::~cmcTask() {
    *m_alive = false;
    StopTimer();
}

void cmcTask::SetInterval(int32_t ms) {
    StopTimer();
    m_interval = ms;
    if (ms < 0) {
        return;
    }
    const uint32_t interval = static_cast<uint32_t>(std::max(ms, 1));
    m_timerId = m_host.StartTimer(interval, [this] { Tick(); });
}

void cmcTask::Detach() {
    m_handler = Handler();
    SetInterval(-1);
}

void cmcTask::Release(std::unique_ptr<cmcTask> task) {
    if (!task) {
        return;
    }
    cmcTask* self = task.get();
    self->m_deleteRequest = std::move(task);
    // A stopped task would never see the tick that deletes it.
    if (self->m_timerId == 0) {
        self->SetInterval(kReleaseInterval);
    }
}

void cmcTask::Tick() {
    if (m_running) {
        return;
    }
    if (m_deleteRequest) {
        // Destroys this object; nothing of it may be touched afterwards.
        std::unique_ptr<cmcTask> self = std::move(m_deleteRequest);
        return;
    }
    if (!m_handler) {
        return;
    }
    std::shared_ptr<bool> alive = m_alive;
    m_running = true;
    m_handler(*this);
    if (*alive) {
        m_running = false;
    }
}

void cmcTask::StopTimer() {
    if (m_timerId != 0) {
        m_host.StopTimer(m_timerId);
        m_timerId = 0;
    }
}
