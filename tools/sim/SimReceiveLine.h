#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// The line from the PC to the radio. A pseudo-terminal hands over whatever
// the PC writes at once; a cable carries it one byte after another at the
// line rate. Bytes put in here come out only when their last bit would have
// arrived: the line drains like a queue at baud / 10 bytes a second. No I/O
// and no clock of its own: the caller says what time it is.
class SimReceiveLine {
public:
    using Clock = std::chrono::steady_clock;

    // paced false: every byte arrives the moment it is put in.
    SimReceiveLine(int32_t baud, bool paced);

    // Bytes the PC wrote, taken off the port at `now`.
    void Put(const uint8_t* bytes, size_t length, Clock::time_point now);
    // The bytes that have wholly arrived by `now`, in order; they leave the line.
    std::vector<uint8_t> Take(Clock::time_point now);
    // When the next byte on the line will have arrived; none when the line is empty.
    std::optional<Clock::time_point> NextArrival() const;
    bool Empty() const { return m_bytes.empty(); }

private:
    struct Byte {
        uint8_t value;
        Clock::time_point arrival;
    };

    int64_t m_baud;
    bool m_paced;
    std::deque<Byte> m_bytes;
    // The current run of back-to-back bytes: when its first byte began, and
    // how many it holds. Times come from the run's start, so no rounding
    // builds up over a long write.
    Clock::time_point m_runStart{};
    int64_t m_runLength = 0;
    Clock::time_point m_lineFree{};  // when the last byte put in has arrived
};
