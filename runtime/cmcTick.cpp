#include "runtime/cmcTick.h"

#include "runtime/cmcTimerHost.h"

void cmcTick::Start(uint32_t ms) {
    m_duration = ms;
    m_start = cmcTimerHost::Current().NowMs();
    m_active = true;
}

uint32_t cmcTick::Remaining() {
    if (!m_active) {
        return 0;
    }
    // Unsigned subtraction is the modulo 2^32 difference.
    const uint32_t elapsed = cmcTimerHost::Current().NowMs() - m_start;
    if (elapsed < m_duration) {
        return m_duration - elapsed;
    }
    m_active = false;
    return 0;
}
