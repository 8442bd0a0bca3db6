#include "tools/sim/SimReceiveLine.h"

#include <algorithm>

namespace {

// Start bit, eight data bits, stop bit.
constexpr int64_t kBitsPerByte = 10;

}  // namespace

SimReceiveLine::SimReceiveLine(int32_t baud, bool paced)
    : m_baud(std::max<int64_t>(1, baud)), m_paced(paced) {}

void SimReceiveLine::Put(const uint8_t* bytes, size_t length, Clock::time_point now) {
    for (size_t i = 0; i < length; ++i) {
        if (!m_paced) {
            m_bytes.push_back({bytes[i], now});
            continue;
        }
        // A byte put in while the line is idle starts a new run now; one put
        // in while it is busy waits behind the bytes before it.
        if (m_runLength == 0 || m_lineFree <= now) {
            m_runStart = now;
            m_runLength = 0;
        }
        ++m_runLength;
        const auto wire =
            std::chrono::nanoseconds(m_runLength * kBitsPerByte * 1'000'000'000 / m_baud);
        m_lineFree = m_runStart + std::chrono::duration_cast<Clock::duration>(wire);
        m_bytes.push_back({bytes[i], m_lineFree});
    }
}

std::vector<uint8_t> SimReceiveLine::Take(Clock::time_point now) {
    std::vector<uint8_t> arrived;
    while (!m_bytes.empty() && m_bytes.front().arrival <= now) {
        arrived.push_back(m_bytes.front().value);
        m_bytes.pop_front();
    }
    return arrived;
}

std::optional<SimReceiveLine::Clock::time_point> SimReceiveLine::NextArrival() const {
    if (m_bytes.empty())
        return std::nullopt;
    return m_bytes.front().arrival;
}
