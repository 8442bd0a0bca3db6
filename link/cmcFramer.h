#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Cuts received bytes into frames. Every 0xFE starts a frame afresh (so the
// preamble leaves one 0xFE in front), bytes outside a frame are dropped and
// 0xFD ends it without being kept.
class cmcFramer {
public:
    enum class Event { None, Frame, Overflow };
    // After the leading 0xFE: a data frame of 255 bytes fits exactly.
    static constexpr size_t kMaxBody = 521;

    Event Push(uint8_t byte);
    // The frame just completed by Push, 0xFE first.
    const std::vector<uint8_t>& Frame() const { return m_done; }
    void Reset();

private:
    std::vector<uint8_t> m_frame;
    std::vector<uint8_t> m_done;
    bool m_collecting = false;
};
