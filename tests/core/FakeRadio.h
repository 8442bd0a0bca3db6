#pragma once
// A scripted serial port with a small radio behind it: it answers the PC's
// frames the moment they are written, so driver tests run on virtual time
// alone. Each answer can be replaced to stage a fault.
#include <cstdint>
#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/cmcCloneBlock.h"
#include "link/cmcSerialPort.h"
#include "model/AddrRange.h"

namespace test {

using Bytes = std::vector<uint8_t>;

inline constexpr AddrRange kEnd{1, 0};

inline Bytes RadioFrame(uint8_t command, const Bytes& body) {
    Bytes frame{0xFE, 0xFE, 0xEF, 0xEE, command};
    frame.insert(frame.end(), body.begin(), body.end());
    frame.push_back(0xFD);
    return frame;
}

inline Bytes InfoBlock(size_t length = 42) {
    Bytes block(length, 0x11);
    block[0] = static_cast<uint8_t>(length);
    return block;
}

inline Bytes IdentityFrame(Bytes codes = {0x40, 0x01, 0x00, 0x21}, const Bytes& info = InfoBlock()) {
    codes.insert(codes.end(), info.begin(), info.end());
    return RadioFrame(0xE1, codes);
}

inline Bytes DataFrame(int32_t address, const Bytes& data) {
    return RadioFrame(0xE4, cmcCloneBlock::Encode(address, data.data(), data.size()));
}

inline Bytes EndFrame(const std::string& tail = "Norv Inc.") {
    return RadioFrame(0xE5, Bytes(tail.begin(), tail.end()));
}

class FakeRadioPort : public cmcSerialPort {
public:
    // What the radio sends back for one complete frame from the PC.
    using Answer = std::function<Bytes(const Bytes& frame)>;

    bool Open(int portNumber, const std::string& settings) override {
        if (!openOk || open) {
            return false;
        }
        open = true;
        ++opens;
        lastPort = portNumber;
        lastSettings = settings;
        return true;
    }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    void Write(const uint8_t* bytes, size_t length) override {
        if (failWrites) {
            writeError = true;
            return;
        }
        for (size_t i = 0; i < length; ++i) {
            written.push_back(bytes[i]);
            if (echo) {
                input.push_back(static_cast<uint8_t>(bytes[i] ^ echoFlip));
            }
            collecting.push_back(bytes[i]);
            if (bytes[i] == 0xFD) {
                sent.push_back(collecting);
                if (answer) {
                    const Bytes reply = answer(collecting);
                    input.insert(input.end(), reply.begin(), reply.end());
                }
                collecting.clear();
            }
        }
    }
    size_t Read(uint8_t* buffer, size_t maximum) override {
        size_t n = 0;
        while (open && n < maximum && !input.empty()) {
            buffer[n++] = input.front();
            input.pop_front();
        }
        return n;
    }
    size_t InputCount() override { return input.size(); }
    size_t OutputPending() override { return pending; }
    bool HasWriteError() const override { return writeError; }
    // A descriptor number for hosts that watch readiness; -1: poll.
    bool CanWatchReads() const override { return descriptor >= 0; }
    int ReadDescriptor() const override { return open ? descriptor : -1; }

    void Feed(const Bytes& bytes) { input.insert(input.end(), bytes.begin(), bytes.end()); }

    int descriptor = -1;
    bool openOk = true;
    bool open = false;
    int opens = 0;
    int lastPort = 0;
    std::string lastSettings;
    bool echo = false;
    uint8_t echoFlip = 0;
    bool failWrites = false;
    bool writeError = false;
    size_t pending = 0;
    Answer answer;
    Bytes written;
    std::vector<Bytes> sent;  // every frame the PC sent, FE first
    Bytes collecting;
    std::deque<uint8_t> input;
};

// The usual radio: identifies itself, sends an image on a read request, takes
// data frames with a go-on byte and accepts the end of a write.
struct FakeRadio {
    Bytes identity = IdentityFrame();
    Bytes memory;
    int32_t readFirst = 0;
    int32_t readLast = -1;
    int32_t readBlock = 64;
    Bytes endOfRead = EndFrame();
    uint8_t ack = 0xF0;
    Bytes accepted = RadioFrame(0xE6, {0x00});
    std::vector<Bytes> dataFrames;  // write: the blocks received

    Bytes operator()(const Bytes& frame) {
        if (frame.size() < 5) {
            return {};
        }
        switch (frame[4]) {
            case 0xE0:
                return identity;
            case 0xE2:
                return ReadReply();
            case 0xE4:
                dataFrames.emplace_back(frame.begin() + 5, frame.end() - 1);
                return {ack};
            case 0xE5:
                return accepted;
            default:
                return {};
        }
    }

    Bytes ReadReply() const {
        Bytes reply;
        for (int32_t a = readFirst; a <= readLast; a += readBlock) {
            const int32_t n = std::min(readBlock, readLast - a + 1);
            const Bytes chunk(memory.begin() + a, memory.begin() + a + n);
            const Bytes frame = DataFrame(a, chunk);
            reply.insert(reply.end(), frame.begin(), frame.end());
        }
        reply.insert(reply.end(), endOfRead.begin(), endOfRead.end());
        return reply;
    }
};

}  // namespace test
