// The clone driver fed by a radio that says whatever the input says. The
// first byte chooses the operation, the second the driver's options; then
// come the radio's answers, one to each frame the PC completes, each as a
// two-byte length, a delay in milliseconds and the bytes. Whatever comes,
// the operation ends, within its time-outs, in one of the driver's result
// codes, with the port closed.
#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "FuzzSupport.h"
#include "link/CloneResult.h"
#include "link/cmcCloneDrv.h"
#include "link/cmcSerialPort.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"
#include "runtime/cmcTimerHost.h"
#include "runtime/cmcVirtualTimerHost.h"

namespace {

constexpr int kDescriptor = 7;
// Longer than any operation's time-outs add up to: an operation still busy
// then hangs.
constexpr uint32_t kLimitMs = 600000;

struct Answer {
    uint32_t atMs;
    std::vector<uint8_t> bytes;
};

// A port whose radio answers each completed frame of the PC with the next
// answer of the input, after its delay; with echo on, it also hands back
// every byte sent, as a cable that loops the line does.
class ScriptedPort : public cmcSerialPort {
public:
    ScriptedPort(fuzz::Input& input, cmcVirtualTimerHost& host, bool echo, bool watch)
        : m_input(input), m_host(host), m_echo(echo), m_watch(watch) {}

    bool Open(int, const std::string&) override {
        if (m_open) {
            return false;
        }
        m_open = true;
        return true;
    }
    void Close() override { m_open = false; }
    bool IsOpen() const override { return m_open; }
    void Write(const uint8_t* bytes, size_t length) override {
        fuzz::Check(m_open);
        for (size_t i = 0; i < length; ++i) {
            if (m_echo) {
                m_arrived.push_back(bytes[i]);
            }
            if (bytes[i] == 0xFD && !m_input.Empty()) {
                const uint32_t length16 = m_input.Number(0);
                const uint32_t delay = m_input.Byte() * 8u;
                m_waiting.push_back({m_host.NowMs() + delay, Take(length16)});
            }
        }
    }
    size_t Read(uint8_t* buffer, size_t maximum) override {
        Deliver();
        size_t n = 0;
        while (n < maximum && !m_arrived.empty()) {
            buffer[n++] = m_arrived.front();
            m_arrived.pop_front();
        }
        return n;
    }
    size_t InputCount() override {
        Deliver();
        return m_arrived.size();
    }
    size_t OutputPending() override { return 0; }
    bool HasWriteError() const override { return false; }
    bool CanWatchReads() const override { return m_watch; }
    int ReadDescriptor() const override { return m_open ? kDescriptor : -1; }

    bool Readable() {
        Deliver();
        return m_open && !m_arrived.empty();
    }
    // The moment the next answer is due, if any waits.
    std::optional<uint32_t> NextDue() const {
        if (m_waiting.empty()) {
            return std::nullopt;
        }
        return m_waiting.front().atMs;
    }

private:
    std::vector<uint8_t> Take(uint32_t length) {
        std::vector<uint8_t> bytes;
        for (uint32_t i = 0; i < length && !m_input.Empty(); ++i) {
            bytes.push_back(m_input.Byte());
        }
        return bytes;
    }
    void Deliver() {
        while (!m_waiting.empty() && m_waiting.front().atMs <= m_host.NowMs()) {
            m_arrived.insert(m_arrived.end(), m_waiting.front().bytes.begin(),
                             m_waiting.front().bytes.end());
            m_waiting.pop_front();
        }
    }

    fuzz::Input& m_input;
    cmcVirtualTimerHost& m_host;
    bool m_echo;
    bool m_watch;
    bool m_open = false;
    std::deque<uint8_t> m_arrived;
    std::deque<Answer> m_waiting;
};

bool Start(cmcCloneDrv& drv, uint8_t operation, const cmcEeprom& image,
           cmcCloneDrv::Callback done) {
    namespace rules = indModelRules;
    switch (operation % 5) {
        case 0:
            return drv.StartProbe(done);
        case 1:
            return drv.StartIdentify(done);
        case 2:
            return drv.StartRead(rules::GetRangeList(rules::kRangeCloneRead), done);
        case 3:
            return drv.StartRead({}, done);
        default:
            return drv.StartWrite(image, rules::GetRangeList(rules::kRangeCloneWrite), done);
    }
}

bool KnownResult(int32_t result) {
    switch (result) {
        case cmcCloneDrv::kOk:
        case cmcCloneDrv::kOpenFailed:
        case cmcCloneDrv::kEchoError:
        case cmcCloneDrv::kTimeout:
        case cmcCloneDrv::kBadFrame:
        case cmcCloneDrv::kCountMismatch:
        case cmcCloneDrv::kMissingData:
        case cmcCloneDrv::kOverflow:
        case cmcCloneDrv::kNotAccepted:
        case cmcCloneDrv::kShortWrite:
            return true;
        default:
            return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CatchFatal();
    fuzz::Input input(data, size);
    const uint8_t operation = input.Byte();
    const uint8_t options = input.Byte();
    const uint8_t blockChoice = input.Byte();

    cmcVirtualTimerHost host;
    cmcTimerHost::Scope scope(host);
    const bool watch = (options & 0x80) != 0;
    auto owned = std::make_unique<ScriptedPort>(input, host, (options & 0x01) != 0, watch);
    ScriptedPort* port = owned.get();
    if (watch) {
        host.SetReadiness(kDescriptor, [port] { return port->Readable(); });
    }
    cmcCloneDrv drv(std::move(owned));
    drv.SetImageSize(indModelRules::kImageSize);
    drv.SetBlockSize(1 + blockChoice % 255);
    drv.SetPort(1, "9600,N,8,1");
    drv.SetRequestCodes(indModelRules::kModelCode, indModelRules::kExtraCode);
    drv.SetEchoCheck((options & 0x01) != 0);
    drv.SetCountOption((options & 0x02) != 0);
    drv.SetWaitReady((options & 0x04) != 0);
    drv.SetWaitAck((options & 0x08) != 0);
    drv.SetFixedSpeed((options & 0x10) != 0);
    drv.SetHighSpeed((options & 0x20) != 0);

    cmcEeprom image = fuzz::Patterned(3, 0);
    std::optional<int32_t> result;
    const cmcCloneDrv::Callback done(&result, [&result](CloneResult& r) { result = r.result; });
    if (!Start(drv, operation, image, done)) {
        return 0;
    }
    // Time goes by in steps that stop at each answer's moment, so that a
    // port that cannot be watched is still read when the answer is due.
    while (!result && host.NowMs() < kLimitMs) {
        uint32_t step = 10;
        if (const std::optional<uint32_t> due = port->NextDue(); due && *due > host.NowMs()) {
            step = std::min<uint32_t>(step, *due - host.NowMs());
        }
        host.Advance(step);
    }
    fuzz::Check(result.has_value());
    fuzz::Check(KnownResult(*result));
    fuzz::Check(!drv.IsBusy());
    fuzz::Check(!port->IsOpen());
    return 0;
}
