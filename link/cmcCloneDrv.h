#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/cmcTask.h"
#include "runtime/cmcTick.h"
#include "link/CloneResult.h"
#include "link/cmcFramer.h"
#include "link/cmcSerialPort.h"
#include "model/AddrRange.h"
#include "util/cmcBuff.h"
#include "util/cmcMethod.h"

// Speaks the radio's cloning protocol over one port, one operation at a time,
// as a step machine run by the timer host. Between steps it sleeps until the
// step can go on (bytes arrived, output drained, a delay over) or its
// time-out falls due; on a port or host that cannot say when bytes arrive it
// polls every 10 ms instead. It shows nothing: every outcome is a result
// code in the record handed to the callback.
class cmcCloneDrv {
public:
    enum Operation { kProbe = 1, kIdentify = 2, kRead = 3, kWrite = 4 };
    enum Result {
        kOk = 0,
        kOpenFailed = 2,
        kEchoError = 3,
        kTimeout = 4,
        kBadFrame = 5,
        kCountMismatch = 6,
        kMissingData = 7,
        kOverflow = 8,
        kNotAccepted = 10,
        kShortWrite = 11,
    };
    // The record may be changed by the callee (acceptance checks do).
    using Callback = cmcMethod<CloneResult&>;

    explicit cmcCloneDrv(std::unique_ptr<cmcSerialPort> port);
    ~cmcCloneDrv();
    cmcCloneDrv(const cmcCloneDrv&) = delete;
    cmcCloneDrv& operator=(const cmcCloneDrv&) = delete;

    void SetRequestCodes(int32_t codeA, int32_t codeB);
    void SetPort(int32_t portNumber, const std::string& settings);
    void SetImageSize(int32_t bytes) { m_imageSize = bytes; }
    void SetBlockSize(int32_t bytes);
    void SetEchoCheck(bool on) { m_echoCheck = on; }
    void SetCountOption(bool on) { m_countOption = on; }
    void SetWaitReady(bool on) { m_waitReady = on; }
    void SetWaitAck(bool on) { m_waitAck = on; }
    void SetFixedSpeed(bool on) { m_fixedSpeed = on; }
    // The application-wide values a speed change reads.
    void SetHighSpeed(bool on) { m_highSpeed = on; }
    void SetSelectedPort(int32_t portNumber) { m_selectedPort = portNumber; }

    bool StartProbe(Callback done);
    bool StartIdentify(Callback done);
    // An empty list reads whatever the radio sends, without a coverage check.
    bool StartRead(const AddrRangeList& ranges, Callback done);
    bool StartWrite(const cmcEeprom& image, const AddrRangeList& ranges, Callback done);

    bool IsBusy() const { return m_step != Step::Idle; }
    int32_t DataBytes() const { return m_dataBytes; }
    int32_t BytesReceived() const { return m_bytesReceived; }
    int32_t PortNumber() const { return m_portNumber; }
    // Runs one step; the step timer calls it.
    void Tick();

private:
    enum class Step {
        Idle, Begin, Open, Settle, SpeedUp, Reopen, SendIdentify, AwaitIdentity, SendRead,
        ReceiveData, SendWrite, AwaitReady, SendData, AwaitAck, SendEnd, AwaitAccepted,
        Finish, Done,
    };
    bool Start(Operation operation, const AddrRangeList& ranges, Callback done);
    void RunTick();
    // Arms what wakes the machine for its next step.
    void Schedule();
    void StopWaiting();
    bool WaitsForData() const;
    // Milliseconds until the step that does not wait for data can go on.
    uint32_t NextStepMs();
    uint32_t DrainMs(size_t bytes) const;
    bool EchoOwedTooMuch();
    bool RunStep();
    bool StepOpen();
    bool StepSettle();
    bool StepAwaitIdentity();
    bool StepReceiveData();
    bool StepAwaitGoOn(Step next);
    bool StepSendData();
    bool StepAwaitAccepted();
    bool StepFinish();
    void Complete();
    bool GoTo(Step next);
    bool Fail(int32_t result);
    Step AfterOpen() const;
    Step FirstRequest() const;
    bool UsesSpeedFrames() const;
    void Send(const std::vector<uint8_t>& frame);
    void SendRequest(uint8_t command);
    void SendSpeed(uint16_t mode);
    void Pull();
    std::vector<std::vector<uint8_t>> CollectFrames(bool& overflow);
    // The last frame completed now; none yet, or an overflow (which fails).
    std::optional<std::vector<uint8_t>> LastFrame();
    bool StoreDataFrame(const std::vector<uint8_t>& frame);
    int32_t CheckEndFrame(const std::vector<uint8_t>& frame) const;
    int32_t CoverageResult() const;
    bool BuildNextFrame();
    void ClearBuffers();

    std::unique_ptr<cmcSerialPort> m_port;
    int32_t m_codeA = 0;
    int32_t m_codeB = 0;
    int32_t m_portNumber = 1;
    std::string m_settings = "9600,n,8,1";
    int32_t m_imageSize = 0;
    int32_t m_blockSize = 16;
    bool m_echoCheck = false;
    bool m_countOption = false;
    bool m_waitReady = false;
    bool m_waitAck = true;
    bool m_fixedSpeed = true;
    bool m_highSpeed = false;
    int32_t m_selectedPort = 1;

    Step m_step = Step::Idle;
    Operation m_operation = kProbe;
    Callback m_done;
    std::unique_ptr<CloneResult> m_record;
    std::vector<AddrRange> m_ranges;  // the valid spans of the caller's list
    bool m_checkCoverage = false;
    size_t m_rangeIndex = 0;
    int32_t m_nextAddress = 0;
    cmcBuff m_rx;
    cmcFramer m_framer;
    cmcBuff m_echo;
    cmcBuff m_send;
    int32_t m_bytesReceived = 0;
    int32_t m_frames = 0;
    int32_t m_dataBytes = 0;
    bool m_speedBackSent = false;
    bool m_speedRaised = false;
    cmcTick m_timeout;
    cmcTick m_settle;
    cmcTimerHost& m_host;
    cmcTask m_timer;  // the 10 ms poll, where nothing can be watched
    int m_watch = 0;  // bytes arriving on the port
    int m_watchedDescriptor = -1;
    int m_wake = 0;         // the next step's moment
    bool m_sleeps = false;  // between steps; false: the 10 ms poll
    bool m_ticking = false;
};
