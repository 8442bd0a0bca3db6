#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/cmcTask.h"
#include "link/cmcSerialPort.h"
#include "util/cmcBuff.h"

class cmcPortMap;
class cmcTimerHost;

// The line a settings string such as "9600,N,8,1" asks for. Parity and stop
// bits keep the codes the settings strings have always meant: parity 0 none,
// 1 odd, 2 even, 3 mark; stop bits 0 one, 1 one and a half, 2 two.
struct cmcCommLine {
    int32_t baud = 9600;
    uint8_t dataBits = 8;
    uint8_t parity = 0;
    uint8_t stopBits = 0;
};

// A serial device through termios. Opened with exclusive access, raw, DTR
// off and RTS on where the device has modem lines. Reads take only what the
// driver already holds; writes go to our own buffer, which the pump hands to
// the driver in chunks of at most 1024 bytes, each only once the driver's
// own output queue has drained.
class cmcComm : public cmcSerialPort {
public:
    static constexpr size_t kOutputChunk = 1024;
    static constexpr int32_t kPumpRetryMs = 10;

    // Port numbers go through the process-wide map; the pump runs on the
    // process-wide timer host.
    cmcComm();
    cmcComm(cmcTimerHost& host, const cmcPortMap& map);
    ~cmcComm() override;
    cmcComm(const cmcComm&) = delete;
    cmcComm& operator=(const cmcComm&) = delete;

    // Four fields separated by "," (a "," that ends a double-byte character
    // does not separate); missing fields keep their defaults.
    static cmcCommLine ParseSettings(const std::string& settings);

    bool Open(int portNumber, const std::string& settings) override;
    // The same on a device path, for devices outside the port map.
    bool OpenPath(const std::string& path, const std::string& settings);
    void Close() override;
    bool IsOpen() const override { return m_fd >= 0; }

    void Write(const uint8_t* bytes, size_t length) override;
    size_t Read(uint8_t* buffer, size_t maximum) override;
    size_t InputCount() override;
    size_t OutputPending() override;
    bool HasWriteError() const override { return m_writeError; }
    bool CanWatchReads() const override { return true; }
    int ReadDescriptor() const override { return m_fd; }

    // One round of the output pump; the pump task calls it, and so may a
    // caller's own tick.
    void Pump();

    // The errno of the last failed open (0 after a successful one), so that a
    // caller can tell a permission problem from a missing device.
    int LastOpenError() const { return m_openErrno; }
    int PortNumber() const { return m_portNumber; }
    const cmcCommLine& Line() const { return m_line; }

    // Which of the numbers 1..256 open now, ascending, into ports; count
    // gets how many. True when at least one did.
    bool ScanPorts(int ports[256], int& count) const;

private:
    bool Configure();
    void SetModemLines();
    void OnPumpTask(cmcTask& task);
    void StopPump();
    size_t DriverOutputCount() const;

    const cmcPortMap& m_map;
    int m_fd = -1;
    int m_portNumber = 0;
    int m_openErrno = 0;
    bool m_writeError = false;
    cmcCommLine m_line;
    cmcBuff m_output;
    cmcTask m_pump;
};
