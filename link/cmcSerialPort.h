#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// What the clone driver needs of a serial port. cmcComm is the real one on a
// device; tests script a fake. Nothing here ever blocks: reads take only what
// has arrived, writes are queued and pumped by a timer.
class cmcSerialPort {
public:
    virtual ~cmcSerialPort() = default;

    // Opens port number 1..256 with a settings string such as "9600,N,8,1".
    // Fails when already open or when the device cannot be opened.
    virtual bool Open(int portNumber, const std::string& settings) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Queues bytes for sending; a short write shows in HasWriteError.
    virtual void Write(const uint8_t* bytes, size_t length) = 0;
    // Reads at most `maximum` bytes of what has arrived; 0 when none.
    virtual size_t Read(uint8_t* buffer, size_t maximum) = 0;

    // Bytes waiting in the input queue.
    virtual size_t InputCount() = 0;
    // Bytes not yet sent: the driver's queue plus our own output buffer.
    virtual size_t OutputPending() = 0;
    virtual bool HasWriteError() const = 0;

    // Whether arriving bytes can be watched for (then ReadDescriptor names
    // what to watch while the port is open); otherwise the reader polls.
    virtual bool CanWatchReads() const { return false; }
    virtual int ReadDescriptor() const { return -1; }
};
