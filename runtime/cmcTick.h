#pragma once
#include <cstdint>

// A one-shot time-out read from the process-wide timer host's millisecond
// counter. Elapsed time is taken modulo 2^32, so a time-out started just
// before the counter wraps still runs out after its duration.
class cmcTick {
public:
    void Start(uint32_t ms);
    // Milliseconds left; 0 once run out (the tick is then inactive) or when it
    // was never started.
    uint32_t Remaining();
    bool IsActive() const { return m_active; }

private:
    uint32_t m_duration = 0;
    uint32_t m_start = 0;
    bool m_active = false;
};
