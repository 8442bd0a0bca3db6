#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/sim/SimConfig.h"

// The radio's side of the cloning protocol, without any I/O: bytes from the
// PC go in, the bytes the radio answers come out. The memory is the radio's
// own; a write lands in it only when the whole write ended well.
class SimRadio {
public:
    SimRadio(SimConfig config, std::vector<uint8_t> memory);

    // Takes received bytes and returns what the radio sends in answer.
    std::vector<uint8_t> Feed(const uint8_t* bytes, size_t length);
    std::vector<uint8_t> Feed(const std::vector<uint8_t>& bytes) {
        return Feed(bytes.data(), bytes.size());
    }

    // A new session (the PC closed and reopened the line): half-received
    // frames and a write in progress are forgotten.
    void Reset();

    const std::vector<uint8_t>& Memory() const { return m_memory; }
    // True once after each write that changed the memory.
    bool TakeCommitted();
    // Reads and writes that reached their end.
    int Completed() const { return m_completed; }

    // The 42-byte information block a radio of this revision reports.
    static std::vector<uint8_t> DefaultInformation(uint8_t major, uint8_t minor);
    // Data block characters for `count` bytes at `address`, uppercase.
    static std::vector<uint8_t> EncodeBlock(int32_t address, const uint8_t* data, size_t count);

private:
    void Collect(uint8_t byte, std::vector<uint8_t>& out);
    void Handle(const std::vector<uint8_t>& frame, std::vector<uint8_t>& out);
    void AnswerIdentify(std::vector<uint8_t>& out);
    void AnswerRead(std::vector<uint8_t>& out);
    void TakeData(const std::vector<uint8_t>& frame, std::vector<uint8_t>& out);
    void EndWrite(std::vector<uint8_t>& out);
    void SendFrame(uint8_t command, const std::vector<uint8_t>& body, std::vector<uint8_t>& out);
    void SendDataFrame(int32_t address, int32_t count, size_t index, std::vector<uint8_t>& out);
    bool DecodeBlock(const std::vector<uint8_t>& frame, int32_t& address,
                     std::vector<uint8_t>& data) const;

    SimConfig m_config;
    std::vector<uint8_t> m_memory;
    std::vector<uint8_t> m_pending;  // the memory as a running write leaves it
    std::vector<uint8_t> m_frame;
    bool m_collecting = false;
    bool m_writing = false;
    bool m_stopped = false;
    bool m_committed = false;
    int m_writeFrames = 0;
    int m_completed = 0;
};
