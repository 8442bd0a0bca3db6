#include "tools/sim/SimRadio.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

namespace {

constexpr uint8_t kStart = 0xFE;
constexpr uint8_t kEnd = 0xFD;
constexpr uint8_t kRadio = 0xEE;
constexpr uint8_t kPc = 0xEF;
constexpr uint8_t kIdentify = 0xE0;
constexpr uint8_t kIdentity = 0xE1;
constexpr uint8_t kRead = 0xE2;
constexpr uint8_t kWrite = 0xE3;
constexpr uint8_t kData = 0xE4;
constexpr uint8_t kEndOfData = 0xE5;
constexpr uint8_t kAccepted = 0xE6;
constexpr uint8_t kRefused = 0xFA;
constexpr uint8_t kNotGoOn = 0x06;
constexpr size_t kLongestFrame = 600;
constexpr char kEndText[] = "Norv Inc.";
constexpr uint8_t kNoise[] = {0x00, 0x55, 0x7F};

int HexValue(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void AppendHex(uint8_t value, std::vector<uint8_t>& out) {
    static const char kDigits[] = "0123456789ABCDEF";
    out.push_back(static_cast<uint8_t>(kDigits[value >> 4]));
    out.push_back(static_cast<uint8_t>(kDigits[value & 0x0F]));
}

}  // namespace

SimRadio::SimRadio(SimConfig config, std::vector<uint8_t> memory)
    : m_config(std::move(config)), m_memory(std::move(memory)) {
    m_memory.resize(static_cast<size_t>(m_config.imageSize), 0);
}

std::vector<uint8_t> SimRadio::DefaultInformation(uint8_t major, uint8_t minor) {
    std::vector<uint8_t> block(42, 0);
    block[0] = 42;
    block[1] = major;
    block[2] = static_cast<uint8_t>(minor << 4);
    return block;
}

std::vector<uint8_t> SimRadio::EncodeBlock(int32_t address, const uint8_t* data, size_t count) {
    std::vector<uint8_t> text;
    uint8_t sum = 0;
    const uint8_t head[] = {static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
                            static_cast<uint8_t>(count)};
    for (uint8_t b : head) {
        AppendHex(b, text);
        sum = static_cast<uint8_t>(sum + b);
    }
    for (size_t i = 0; i < count; ++i) {
        AppendHex(data[i], text);
        sum = static_cast<uint8_t>(sum + data[i]);
    }
    AppendHex(static_cast<uint8_t>(0x100 - sum), text);
    return text;
}

void SimRadio::Reset() {
    m_frame.clear();
    m_collecting = false;
    m_writing = false;
    m_stopped = false;
}

bool SimRadio::TakeCommitted() { return std::exchange(m_committed, false); }

std::vector<uint8_t> SimRadio::Feed(const uint8_t* bytes, size_t length) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < length; ++i) {
        if (m_config.faults.echo) out.push_back(bytes[i]);
        Collect(bytes[i], out);
    }
    return out;
}

void SimRadio::Collect(uint8_t byte, std::vector<uint8_t>& out) {
    if (byte == kStart) {
        m_frame.assign(1, byte);
        m_collecting = true;
        return;
    }
    if (!m_collecting) return;
    if (byte != kEnd) {
        m_frame.push_back(byte);
        if (m_frame.size() > kLongestFrame) m_collecting = false;
        return;
    }
    m_collecting = false;
    if (m_config.faults.silent || m_stopped) return;
    Handle(m_frame, out);
}

void SimRadio::Handle(const std::vector<uint8_t>& frame, std::vector<uint8_t>& out) {
    if (frame.size() < 4 || frame[1] != kRadio || frame[2] != kPc) return;
    switch (frame[3]) {
        case kIdentify: AnswerIdentify(out); break;
        case kRead: AnswerRead(out); break;
        case kWrite:
            m_writing = true;
            m_writeFrames = 0;
            m_pending = m_memory;
            break;
        case kData:
            if (m_writing) TakeData(frame, out);
            break;
        case kEndOfData:
            if (m_writing) EndWrite(out);
            break;
        default: break;
    }
}

void SimRadio::SendFrame(uint8_t command, const std::vector<uint8_t>& body,
                         std::vector<uint8_t>& out) {
    if (m_config.faults.noise) out.insert(out.end(), std::begin(kNoise), std::end(kNoise));
    out.insert(out.end(), {kStart, kStart, kPc, kRadio, command});
    out.insert(out.end(), body.begin(), body.end());
    out.push_back(kEnd);
}

void SimRadio::AnswerIdentify(std::vector<uint8_t>& out) {
    std::vector<uint8_t> body = {
        static_cast<uint8_t>(m_config.modelCode >> 8), static_cast<uint8_t>(m_config.modelCode),
        static_cast<uint8_t>(m_config.extraCode >> 8), static_cast<uint8_t>(m_config.extraCode)};
    body.insert(body.end(), m_config.information.begin(), m_config.information.end());
    SendFrame(kIdentity, body, out);
}

void SimRadio::SendDataFrame(int32_t address, int32_t count, size_t index,
                             std::vector<uint8_t>& out) {
    std::vector<uint8_t> data(static_cast<size_t>(count), 0);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t a = address + i;
        if (a >= 0 && a < m_config.imageSize) data[static_cast<size_t>(i)] = m_memory[static_cast<size_t>(a)];
    }
    std::vector<uint8_t> block = EncodeBlock(address, data.data(), data.size());
    if (index == 0 && m_config.faults.badChecksum) block.back() = block.back() == '0' ? '1' : '0';
    if (index == 0 && m_config.faults.lowercaseHex)
        for (uint8_t& c : block) c = static_cast<uint8_t>(std::tolower(c));
    SendFrame(kData, block, out);
}

void SimRadio::AnswerRead(std::vector<uint8_t>& out) {
    const int32_t step = std::max(1, std::min(m_config.frameSize, 255));
    size_t index = 0;
    const int32_t total = m_config.readLast - m_config.readFirst + 1;
    const size_t frames = static_cast<size_t>((std::max(total, 0) + step - 1) / step);
    for (int32_t a = m_config.readFirst; a <= m_config.readLast; a += step, ++index) {
        if (m_config.faults.stopMidway && index == frames / 2) {
            m_stopped = true;
            return;
        }
        if (m_config.faults.missingFrame && index == 1) continue;
        SendDataFrame(a, std::min(step, m_config.readLast - a + 1), index, out);
    }
    if (m_config.faults.extraAddress) SendDataFrame(m_config.readLast + 1, 1, index++, out);
    if (m_config.faults.beyondImage) SendDataFrame(m_config.imageSize - 1, 2, index++, out);
    SendFrame(kEndOfData, std::vector<uint8_t>(kEndText, kEndText + std::strlen(kEndText)), out);
    ++m_completed;
}

bool SimRadio::DecodeBlock(const std::vector<uint8_t>& frame, int32_t& address,
                           std::vector<uint8_t>& data) const {
    const size_t chars = frame.size() - 4;
    if (chars % 2 != 0 || chars < 8) return false;
    std::vector<uint8_t> bytes;
    uint8_t sum = 0;
    for (size_t i = 4; i + 1 < frame.size(); i += 2) {
        const int high = HexValue(frame[i]);
        const int low = HexValue(frame[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
        sum = static_cast<uint8_t>(sum + bytes.back());
    }
    if (sum != 0 || bytes[2] != bytes.size() - 4) return false;
    address = bytes[0] << 8 | bytes[1];
    if (address + bytes[2] > m_config.imageSize) return false;
    data.assign(bytes.begin() + 3, bytes.end() - 1);
    return true;
}

void SimRadio::TakeData(const std::vector<uint8_t>& frame, std::vector<uint8_t>& out) {
    int32_t address = 0;
    std::vector<uint8_t> data;
    if (!DecodeBlock(frame, address, data)) {
        out.push_back(kRefused);
        return;
    }
    std::copy(data.begin(), data.end(), m_pending.begin() + address);
    ++m_writeFrames;
    if (m_config.faults.stopMidway && m_writeFrames == 2) {
        m_stopped = true;
        return;
    }
    if (m_config.faults.refuse)
        out.push_back(kRefused);
    else if (m_config.faults.notGoOn)
        out.push_back(kNotGoOn);
    else
        out.push_back(m_config.ackByte);
}

void SimRadio::EndWrite(std::vector<uint8_t>& out) {
    m_writing = false;
    ++m_completed;
    if (m_config.faults.noAccepted) return;
    if (m_config.faults.acceptedOne) {
        SendFrame(kAccepted, {0x01}, out);
        return;
    }
    m_memory = m_pending;
    const int32_t bad = m_config.badCell;
    if (bad >= 0 && bad < m_config.imageSize) {
        m_memory[static_cast<size_t>(bad)] =
            static_cast<uint8_t>(~m_memory[static_cast<size_t>(bad)]);
    }
    m_committed = true;
    SendFrame(kAccepted, {0x00}, out);
}
