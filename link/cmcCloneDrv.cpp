#include "link/cmcCloneDrv.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "link/cmcCloneBlock.h"
#include "link/cmcComm.h"

namespace {

constexpr uint32_t kTickMs = 10;
constexpr uint32_t kStepTimeoutMs = 1000;
constexpr uint32_t kAcceptTimeoutMs = 2000;
constexpr uint32_t kSettleMs = 100;
constexpr size_t kReadChunk = 256;
constexpr size_t kEchoSlackWhileSending = 128;
constexpr size_t kPendingFactor = 4;
constexpr uint16_t kSpeedUp = 0x3031;
constexpr uint16_t kSpeedBack = 0x3030;
const char kHighSpeedSettings[] = "38400,N,8,1";
const uint8_t kEndText[] = {'N', 'o', 'r', 'v', ' ', 'I', 'n', 'c', '.'};
constexpr size_t kEndTextLength = sizeof(kEndText);

using Frame = std::vector<uint8_t>;

Frame Header(uint8_t command) { return {0xFE, 0xFE, 0xEE, 0xEF, command}; }

void AppendWord(Frame& frame, int32_t value) {
    frame.push_back(static_cast<uint8_t>(value >> 8));
    frame.push_back(static_cast<uint8_t>(value));
}

// A received frame as the framer keeps it: FE, then the radio's address pair.
bool IsFromRadio(const Frame& frame, uint8_t command) {
    return frame.size() >= 4 && frame[0] == 0xFE && frame[1] == 0xEF && frame[2] == 0xEE &&
           frame[3] == command;
}

bool IsDecimalByte(uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; }

bool IsGoOn(int b) { return (b >= 0xF0 && b <= 0xF9) || b == 0xFB; }

}  // namespace

cmcCloneDrv::cmcCloneDrv(std::unique_ptr<cmcSerialPort> port)
    : m_port(std::move(port)), m_host(cmcTimerHost::Current()), m_timer(m_host) {
    m_timer.SetHandler(cmcTask::Handler(this, [this](cmcTask&) { Tick(); }));
}

cmcCloneDrv::~cmcCloneDrv() {
    StopWaiting();
    m_timer.Detach();
    m_port->Close();
}

void cmcCloneDrv::SetRequestCodes(int32_t codeA, int32_t codeB) {
    m_codeA = codeA;
    m_codeB = codeB;
}

void cmcCloneDrv::SetPort(int32_t portNumber, const std::string& settings) {
    m_portNumber = portNumber;
    m_settings = settings;
}

void cmcCloneDrv::SetBlockSize(int32_t bytes) {
    if (bytes >= 1) {
        // A frame's count is one byte.
        m_blockSize = std::min(bytes, 255);
    }
}

bool cmcCloneDrv::StartProbe(Callback done) { return Start(kProbe, {}, std::move(done)); }

bool cmcCloneDrv::StartIdentify(Callback done) { return Start(kIdentify, {}, std::move(done)); }

bool cmcCloneDrv::StartRead(const AddrRangeList& ranges, Callback done) {
    return Start(kRead, ranges, std::move(done));
}

bool cmcCloneDrv::StartWrite(const cmcEeprom& image, const AddrRangeList& ranges, Callback done) {
    if (!Start(kWrite, ranges, std::move(done))) {
        return false;
    }
    // Later edits of the caller's image must not reach the radio.
    const int32_t n = std::min(image.GetSize(), m_record->image.GetSize());
    m_record->image.SetBlock(0, image.Data(), n);
    return true;
}

bool cmcCloneDrv::Start(Operation operation, const AddrRangeList& ranges, Callback done) {
    if (IsBusy()) {
        return false;
    }
    m_operation = operation;
    m_done = std::move(done);
    m_record = std::make_unique<CloneResult>();
    m_record->operation = operation;
    m_record->modelCode = m_codeA;
    m_record->extraCode = m_codeB;
    m_record->image.SetSize(m_imageSize);
    // Spans reaching outside the image end the list, so a write never reads
    // past the image and a read never expects what cannot arrive.
    m_ranges.clear();
    ForEachValidRange(ranges, m_imageSize, [this](const AddrRange& r) { m_ranges.push_back(r); });
    m_checkCoverage = !ranges.empty();
    m_rangeIndex = 0;
    m_nextAddress = m_ranges.empty() ? 0 : m_ranges.front().first;
    ClearBuffers();
    m_bytesReceived = 0;
    m_frames = 0;
    m_dataBytes = 0;
    m_speedBackSent = false;
    m_speedRaised = false;
    m_timeout = cmcTick();
    m_step = Step::Begin;
    m_sleeps = m_port->CanWatchReads() && m_host.CanWatch();
    Schedule();
    return true;
}

void cmcCloneDrv::Tick() {
    // A step never runs inside another, whatever woke it.
    if (m_ticking || !IsBusy()) {
        return;
    }
    m_ticking = true;
    const CloneResult* running = m_record.get();
    RunTick();
    m_ticking = false;
    if (IsBusy() && m_record.get() == running) {
        Schedule();
    }
}

void cmcCloneDrv::RunTick() {
    const bool expired = m_timeout.Remaining() == 0;
    const CloneResult* running = m_record.get();
    bool progress = false;
    if (!EchoOwedTooMuch()) {
        progress = RunStep();
    }
    if (m_record.get() != running) {
        return;  // completed inside the step, and perhaps a new one started
    }
    if (progress) {
        m_timeout.Start(m_step == Step::AwaitAccepted ? kAcceptTimeoutMs : kStepTimeoutMs);
    } else if (expired) {
        if (m_step == Step::Finish) {
            // The result is already set; a port that never drains must not hold
            // the operation forever.
            Complete();
            return;
        }
        Fail(m_echoCheck && !m_echo.Empty() ? kEchoError : kTimeout);
    }
    if (m_port->HasWriteError()) {
        m_record->result = kShortWrite;
        Complete();
    }
}

// Compares what came back with what was sent. True when the step must wait.
bool cmcCloneDrv::EchoOwedTooMuch() {
    if (!m_echoCheck) {
        m_echo.Clear();
        return false;
    }
    if (m_step == Step::Finish || m_step == Step::Done || m_echo.Empty()) {
        return false;
    }
    Pull();
    while (!m_echo.Empty() && !m_rx.Empty()) {
        if (m_rx[0] != m_echo[0]) {
            m_echo.Clear();
            Fail(kEchoError);
            return true;
        }
        m_rx.Drop(1);
        m_echo.Drop(1);
    }
    const size_t allowed = m_step == Step::SendData ? kEchoSlackWhileSending : 0;
    return m_echo.Length() > allowed;
}

bool cmcCloneDrv::RunStep() {
    switch (m_step) {
        case Step::Idle:
            return false;
        case Step::Begin:
            return GoTo(Step::Open);
        case Step::Open:
            return StepOpen();
        case Step::Reopen:
            return StepOpen();
        case Step::Settle:
            return StepSettle();
        case Step::SpeedUp:
            SendSpeed(kSpeedUp);
            m_portNumber = m_selectedPort;
            m_settings = kHighSpeedSettings;
            m_speedRaised = true;
            return GoTo(Step::Reopen);
        case Step::SendIdentify:
            SendRequest(0xE0);
            return GoTo(Step::AwaitIdentity);
        case Step::AwaitIdentity:
            return StepAwaitIdentity();
        case Step::SendRead:
            SendRequest(0xE2);
            return GoTo(Step::ReceiveData);
        case Step::ReceiveData:
            return StepReceiveData();
        case Step::SendWrite:
            SendRequest(0xE3);
            return GoTo(m_waitReady ? Step::AwaitReady : Step::SendData);
        case Step::AwaitReady:
        case Step::AwaitAck:
            return StepAwaitGoOn(Step::SendData);
        case Step::SendData:
            return StepSendData();
        case Step::SendEnd: {
            Frame frame = Header(0xE5);
            frame.insert(frame.end(), kEndText, kEndText + kEndTextLength);
            if (m_countOption) {
                cmcCloneBlock::AppendHexByte(frame, static_cast<uint8_t>(m_frames));
            }
            frame.push_back(0xFD);
            Send(frame);
            return GoTo(Step::AwaitAccepted);
        }
        case Step::AwaitAccepted:
            return StepAwaitAccepted();
        case Step::Finish:
            return StepFinish();
        case Step::Done:
            Complete();
            return true;
    }
    return false;
}

bool cmcCloneDrv::StepOpen() {
    m_port->Close();
    if (!m_port->Open(m_portNumber, m_settings)) {
        return Fail(kOpenFailed);
    }
    // The cable may emit noise while the lines settle; let it pass first.
    m_settle.Start(kSettleMs);
    return GoTo(Step::Settle);
}

bool cmcCloneDrv::StepSettle() {
    if (m_settle.Remaining() > 0) {
        return true;  // waiting on purpose, not silence
    }
    uint8_t scratch[kReadChunk];
    while (m_port->Read(scratch, sizeof(scratch)) > 0) {
    }
    ClearBuffers();
    return GoTo(AfterOpen());
}

bool cmcCloneDrv::UsesSpeedFrames() const { return !m_fixedSpeed && m_highSpeed; }

cmcCloneDrv::Step cmcCloneDrv::AfterOpen() const {
    if (m_operation == kProbe || !UsesSpeedFrames() || m_speedRaised) {
        return FirstRequest();
    }
    return Step::SpeedUp;
}

cmcCloneDrv::Step cmcCloneDrv::FirstRequest() const {
    switch (m_operation) {
        case kRead:
            return Step::SendRead;
        case kWrite:
            return Step::SendWrite;
        default:
            return Step::SendIdentify;
    }
}

std::optional<Frame> cmcCloneDrv::LastFrame() {
    bool overflow = false;
    std::vector<Frame> frames = CollectFrames(overflow);
    if (overflow) {
        Fail(kBadFrame);
        return std::nullopt;
    }
    if (frames.empty()) {
        return std::nullopt;
    }
    // Several answers in one tick: the radio's last word counts.
    return std::move(frames.back());
}

bool cmcCloneDrv::StepAwaitIdentity() {
    const std::optional<Frame> last = LastFrame();
    if (!last) {
        return m_step == Step::Finish;
    }
    const Frame& f = *last;
    if (!IsFromRadio(f, 0xE1) || f.size() < 8 ||
        !std::all_of(f.begin() + 4, f.begin() + 8, IsDecimalByte)) {
        return Fail(kBadFrame);
    }
    m_record->modelCode = f[4] * 256 + f[5];
    m_record->extraCode = f[6] * 256 + f[7];
    m_record->information.Clear();
    m_record->information.Append(f.data() + 8, f.size() - 8);
    return Fail(kOk);
}

bool cmcCloneDrv::StepReceiveData() {
    const size_t before = m_rx.Length();
    Pull();
    m_bytesReceived += static_cast<int32_t>(m_rx.Length() - before);
    bool progress = false;
    while (!m_rx.Empty()) {
        const uint8_t byte = static_cast<uint8_t>(m_rx.TakeFirst());
        const cmcFramer::Event event = m_framer.Push(byte);
        if (event == cmcFramer::Event::Overflow) {
            return Fail(kBadFrame);
        }
        if (event != cmcFramer::Event::Frame) {
            continue;
        }
        const Frame& frame = m_framer.Frame();
        if (IsFromRadio(frame, 0xE4)) {
            if (!StoreDataFrame(frame)) {
                return true;  // failed and moved to finish
            }
            progress = true;
        } else if (IsFromRadio(frame, 0xE5)) {
            const int32_t end = CheckEndFrame(frame);
            return Fail(end != kOk || !m_checkCoverage ? end : CoverageResult());
        } else {
            return Fail(kBadFrame);
        }
    }
    return progress;
}

bool cmcCloneDrv::StoreDataFrame(const Frame& frame) {
    const auto block = cmcCloneBlock::Decode(frame.data() + 4, frame.size() - 4);
    if (!block) {
        Fail(kBadFrame);
        return false;
    }
    const int32_t count = static_cast<int32_t>(block->data.size());
    if (block->address + count > m_imageSize) {
        Fail(kOverflow);
        return false;
    }
    m_record->image.SetBlock(block->address, block->data.data(), count);
    cmcBuff& map = m_record->receivedMap;
    for (int32_t a = block->address; a < block->address + count; ++a) {
        if (map.Length() <= static_cast<size_t>(a / 8)) {
            map.SetLength(static_cast<size_t>(a / 8) + 1);
        }
        map[static_cast<size_t>(a / 8)] |= static_cast<uint8_t>(1u << (a % 8));
    }
    ++m_frames;
    m_dataBytes += count;
    return true;
}

int32_t cmcCloneDrv::CheckEndFrame(const Frame& frame) const {
    const size_t want = kEndTextLength + (m_countOption ? 2 : 0);
    if (frame.size() - 4 != want || !std::equal(kEndText, kEndText + kEndTextLength, frame.begin() + 4)) {
        return kBadFrame;
    }
    if (m_countOption) {
        Frame count;
        cmcCloneBlock::AppendHexByte(count, static_cast<uint8_t>(m_frames));
        if (!std::equal(count.begin(), count.end(), frame.end() - 2)) {
            return kCountMismatch;
        }
    }
    return kOk;
}

int32_t cmcCloneDrv::CoverageResult() const {
    cmcBuff expected;
    for (const AddrRange& r : m_ranges) {
        expected.SetLength(std::max(expected.Length(), static_cast<size_t>(r.last / 8) + 1));
        for (int32_t a = r.first; a <= r.last; ++a) {
            expected[static_cast<size_t>(a / 8)] |= static_cast<uint8_t>(1u << (a % 8));
        }
    }
    const cmcBuff& got = m_record->receivedMap;
    const size_t n = std::max(expected.Length(), got.Length());
    bool missing = false;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t e = i < expected.Length() ? expected[i] : 0;
        const uint8_t g = i < got.Length() ? got[i] : 0;
        if (g & ~e) {
            return kOverflow;
        }
        missing = missing || (e & ~g) != 0;
    }
    return missing ? kMissingData : kOk;
}

bool cmcCloneDrv::StepAwaitGoOn(Step next) {
    Pull();
    const int byte = m_rx.TakeFirst();
    if (IsGoOn(byte)) {
        GoTo(next);
        // Build the next frame now: one tick per frame is all the radio waits.
        StepSendData();
        return true;
    }
    if (byte == 0xFA) {
        return Fail(kBadFrame);
    }
    return false;
}

bool cmcCloneDrv::StepSendData() {
    const bool built = BuildNextFrame();
    const bool allDone = m_rangeIndex >= m_ranges.size();
    if (!m_send.Empty() && m_port->OutputPending() <= kPendingFactor * m_send.Length()) {
        m_echo.Append(m_send.Data(), m_send.Length());
        m_port->Write(m_send.Data(), m_send.Length());
        m_send.Clear();
        if (m_waitAck) {
            return GoTo(Step::AwaitAck);
        }
        return true;
    }
    if (allDone && m_send.Empty() && m_port->OutputPending() == 0) {
        return GoTo(Step::SendEnd);
    }
    return built;
}

bool cmcCloneDrv::BuildNextFrame() {
    if (m_rangeIndex >= m_ranges.size()) {
        return false;
    }
    const AddrRange& range = m_ranges[m_rangeIndex];
    if (m_nextAddress > range.last) {
        ++m_rangeIndex;
        if (m_rangeIndex < m_ranges.size()) {
            m_nextAddress = m_ranges[m_rangeIndex].first;
        }
        return false;
    }
    const int32_t n = std::min(m_blockSize - m_nextAddress % m_blockSize, range.last - m_nextAddress + 1);
    Frame frame = Header(0xE4);
    const Frame text = cmcCloneBlock::Encode(m_nextAddress, m_record->image.Data() + m_nextAddress,
                                             static_cast<size_t>(n));
    frame.insert(frame.end(), text.begin(), text.end());
    frame.push_back(0xFD);
    m_send.Append(frame.data(), frame.size());
    ++m_frames;
    m_nextAddress += n;
    m_dataBytes += n;
    return true;
}

bool cmcCloneDrv::StepAwaitAccepted() {
    const std::optional<Frame> last = LastFrame();
    if (!last) {
        return m_step == Step::Finish;
    }
    const Frame& f = *last;
    return Fail(IsFromRadio(f, 0xE6) && f.size() == 5 && f[4] == 0x00 ? kOk : kNotAccepted);
}

bool cmcCloneDrv::StepFinish() {
    if (UsesSpeedFrames() && !m_speedBackSent) {
        // Once: repeating it each tick would keep the output from draining.
        SendSpeed(kSpeedBack);
        m_speedBackSent = true;
    }
    if (m_port->OutputPending() == 0) {
        return GoTo(Step::Done);
    }
    return false;
}

void cmcCloneDrv::Complete() {
    StopWaiting();
    m_port->Close();
    m_step = Step::Idle;
    m_timer.SetInterval(-1);
    // The callback may start the next operation, which schedules itself.
    m_ticking = false;
    ClearBuffers();
    // Tidy up before the call, which may start the next operation at once.
    std::unique_ptr<CloneResult> record = std::move(m_record);
    Callback done = std::move(m_done);
    m_done = Callback();
    if (done) {
        done(*record);
    }
}

bool cmcCloneDrv::GoTo(Step next) {
    m_step = next;
    return true;
}

bool cmcCloneDrv::Fail(int32_t result) {
    m_record->result = result;
    return GoTo(Step::Finish);
}

void cmcCloneDrv::Send(const Frame& frame) {
    m_echo.Append(frame.data(), frame.size());
    m_port->Write(frame.data(), frame.size());
}

void cmcCloneDrv::SendRequest(uint8_t command) {
    Frame frame = Header(command);
    AppendWord(frame, m_codeA);
    AppendWord(frame, m_codeB);
    frame.push_back(0xFD);
    Send(frame);
    m_rx.Clear();
    m_framer.Reset();
}

void cmcCloneDrv::SendSpeed(uint16_t mode) {
    Frame frame = Header(0xE8);
    AppendWord(frame, m_codeA);
    AppendWord(frame, m_codeB);
    frame.push_back(0xAA);
    frame.push_back(0x81);
    AppendWord(frame, mode);
    frame.push_back(0xFD);
    Send(frame);
}

void cmcCloneDrv::Pull() {
    uint8_t chunk[kReadChunk];
    const size_t n = m_port->Read(chunk, sizeof(chunk));
    m_rx.Append(chunk, n);
}

std::vector<Frame> cmcCloneDrv::CollectFrames(bool& overflow) {
    Pull();
    std::vector<Frame> frames;
    while (!m_rx.Empty()) {
        const cmcFramer::Event event = m_framer.Push(static_cast<uint8_t>(m_rx.TakeFirst()));
        if (event == cmcFramer::Event::Overflow) {
            overflow = true;
            return frames;
        }
        if (event == cmcFramer::Event::Frame) {
            frames.push_back(m_framer.Frame());
        }
    }
    return frames;
}

void cmcCloneDrv::ClearBuffers() {
    m_rx.Clear();
    m_framer.Reset();
    m_echo.Clear();
    m_send.Clear();
}

// Waiting.

void cmcCloneDrv::Schedule() {
    if (!m_sleeps) {
        if (m_timer.Interval() != static_cast<int32_t>(kTickMs)) {
            m_timer.SetInterval(kTickMs);
        }
        return;
    }
    const int descriptor = m_port->ReadDescriptor();
    const bool forData = WaitsForData();
    if (m_wake != 0) {
        m_host.StopTimer(m_wake);
        m_wake = 0;
    }
    if (m_watch != 0 && (!forData || descriptor != m_watchedDescriptor)) {
        m_host.StopWatch(m_watch);
        m_watch = 0;
    }
    if (forData && m_watch == 0 && descriptor >= 0) {
        m_watch = m_host.WatchReadable(descriptor, [this] { Tick(); });
        m_watchedDescriptor = descriptor;
    }
    // Bytes that cannot be watched for after all are polled for.
    uint32_t ms = !forData ? NextStepMs() : m_watch != 0 ? UINT32_MAX : kTickMs;
    if (m_timeout.IsActive()) {
        ms = std::min(ms, m_timeout.Remaining());
    }
    if (ms != UINT32_MAX) {
        m_wake = m_host.StartTimer(ms, [this] {
            m_host.StopTimer(m_wake);
            m_wake = 0;
            Tick();
        });
    }
}

void cmcCloneDrv::StopWaiting() {
    if (m_wake != 0) {
        m_host.StopTimer(m_wake);
        m_wake = 0;
    }
    if (m_watch != 0) {
        m_host.StopWatch(m_watch);
        m_watch = 0;
    }
}

bool cmcCloneDrv::WaitsForData() const {
    if (m_step == Step::Finish || m_step == Step::Done) {
        return false;
    }
    const size_t echoAllowed = m_step == Step::SendData ? kEchoSlackWhileSending : 0;
    if (m_echoCheck && m_echo.Length() > echoAllowed) {
        return true;
    }
    switch (m_step) {
        case Step::AwaitIdentity:
        case Step::ReceiveData:
        case Step::AwaitReady:
        case Step::AwaitAck:
        case Step::AwaitAccepted:
            return true;
        default:
            return false;
    }
}

uint32_t cmcCloneDrv::NextStepMs() {
    switch (m_step) {
        case Step::Settle:
            return m_settle.Remaining();
        case Step::SendData: {
            if (m_send.Empty() && m_rangeIndex < m_ranges.size()) {
                return 0;  // the next frame is built at once
            }
            const size_t allowed = m_send.Empty() ? 0 : kPendingFactor * m_send.Length();
            const size_t pending = m_port->OutputPending();
            return pending > allowed ? DrainMs(pending - allowed) : 0;
        }
        case Step::Finish: {
            const size_t pending = m_port->OutputPending();
            return pending > 0 ? DrainMs(pending) : 0;
        }
        default:
            return 0;
    }
}

// The line's time for the bytes, but never longer than the poll it stands
// for: a device that drains faster (a pseudo-terminal) is not kept waiting.
uint32_t cmcCloneDrv::DrainMs(size_t bytes) const {
    const int32_t baud = std::max(cmcComm::ParseSettings(m_settings).baud, 1);
    const uint64_t ms =
        (static_cast<uint64_t>(bytes) * 10 * 1000 + static_cast<uint64_t>(baud) - 1) /
        static_cast<uint64_t>(baud);
    return static_cast<uint32_t>(std::clamp<uint64_t>(ms, 1, kTickMs));
}
