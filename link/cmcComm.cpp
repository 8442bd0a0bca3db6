#include "link/cmcComm.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <utility>

#include "runtime/cmcTimerHost.h"
#include "link/cmcPortMap.h"
#include "util/Cp932.h"
#include "util/cmcStr.h"

namespace {

struct BaudCode {
    int32_t baud;
    speed_t code;
};

constexpr std::array<BaudCode, 15> kBauds{{{300, B300},
                                           {600, B600},
                                           {1200, B1200},
                                           {1800, B1800},
                                           {2400, B2400},
                                           {4800, B4800},
                                           {9600, B9600},
                                           {19200, B19200},
                                           {38400, B38400},
                                           {57600, B57600},
                                           {115200, B115200},
                                           {230400, B230400},
                                           {460800, B460800},
                                           {500000, B500000},
                                           {921600, B921600}}};

bool SpeedCode(int32_t baud, speed_t& code) {
    for (const BaudCode& entry : kBauds) {
        if (entry.baud == baud) {
            code = entry.code;
            return true;
        }
    }
    return false;
}

// termios has no 4-bit characters; 5 is the nearest it can do.
tcflag_t SizeFlag(uint8_t dataBits) {
    switch (dataBits) {
        case 8: return CS8;
        case 7: return CS7;
        case 6: return CS6;
        default: return CS5;
    }
}

tcflag_t ParityFlags(uint8_t parity) {
    switch (parity) {
        case 1: return PARENB | PARODD;
        case 2: return PARENB;
        case 3: return PARENB | PARODD | CMSPAR;
        default: return 0;
    }
}

uint8_t ParityCode(std::string_view field) {
    const char first = field.empty() ? '\0' : field.front();
    switch (first) {
        case 'E': case 'e': return 2;
        case 'O': case 'o': return 1;
        case 'M': case 'm': return 3;
        default: return 0;
    }
}

uint8_t StopCode(std::string_view field) {
    if (field == "1.5") return 1;
    if (field == "2") return 2;
    return 0;
}

// Opens the device without becoming its controlling terminal and without
// waiting for carrier; -1 with errno set on failure.
int OpenDevice(const std::string& path) {
    if (path.empty()) {
        errno = ENOENT;
        return -1;
    }
    return ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

// Another process may open the device only after we let go of it.
bool TakeExclusive(int fd) { return ::ioctl(fd, TIOCEXCL) == 0; }

void ReleaseAndClose(int fd) {
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
}

}  // namespace

cmcComm::cmcComm() : cmcComm(cmcTimerHost::Current(), cmcPortMap::Process()) {}

cmcComm::cmcComm(cmcTimerHost& host, const cmcPortMap& map) : m_map(map), m_pump(host) {
    m_pump.SetHandler(cmcTask::Handler(this, &cmcComm::OnPumpTask));
}

cmcComm::~cmcComm() {
    Close();
    m_pump.Detach();
}

cmcCommLine cmcComm::ParseSettings(const std::string& settings) {
    cmcCommLine line;
    const std::vector<std::string_view> fields = Cp932::Split(settings, ',');
    if (fields.size() > 0 && !fields[0].empty()) line.baud = cmcStr::AtoI(fields[0]);
    if (fields.size() > 1) line.parity = ParityCode(fields[1]);
    if (fields.size() > 2) {
        const int32_t bits = std::clamp(cmcStr::AtoI(fields[2]), 4, 8);
        line.dataBits = static_cast<uint8_t>(bits);
    }
    if (fields.size() > 3) line.stopBits = StopCode(fields[3]);
    return line;
}

bool cmcComm::Open(int portNumber, const std::string& settings) {
    if (IsOpen()) return false;
    m_portNumber = portNumber;
    return OpenPath(m_map.DevicePath(portNumber), settings);
}

bool cmcComm::OpenPath(const std::string& path, const std::string& settings) {
    if (IsOpen()) return false;
    m_writeError = false;
    m_line = ParseSettings(settings);
    m_fd = OpenDevice(path);
    if (m_fd < 0) {
        m_openErrno = errno;
        return false;
    }
    // A device someone else holds exclusively refuses the open above with
    // EBUSY; one we cannot lock or configure is no use to the link.
    if (!TakeExclusive(m_fd) || ::tcflush(m_fd, TCIOFLUSH) != 0 || !Configure()) {
        m_openErrno = errno;
        ReleaseAndClose(m_fd);
        m_fd = -1;
        return false;
    }
    SetModemLines();
    m_openErrno = 0;
    return true;
}

bool cmcComm::Configure() {
    speed_t speed = 0;
    if (!SpeedCode(m_line.baud, speed)) {
        errno = EINVAL;
        return false;
    }
    termios tio{};
    if (::tcgetattr(m_fd, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    tio.c_iflag |= IGNBRK;
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD | SizeFlag(m_line.dataBits) | ParityFlags(m_line.parity);
    // termios knows one or two stop bits; one and a half becomes two, which a
    // receiver expecting one and a half accepts.
    if (m_line.stopBits != 0) tio.c_cflag |= CSTOPB;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return false;
    return ::tcsetattr(m_fd, TCSANOW, &tio) == 0;
}

// The cable is powered from RTS and must not see DTR. Pseudo-terminals and
// some adapters have no modem lines; they work without.
void cmcComm::SetModemLines() {
    int dtr = TIOCM_DTR;
    int rts = TIOCM_RTS;
    ::ioctl(m_fd, TIOCMBIC, &dtr);
    ::ioctl(m_fd, TIOCMBIS, &rts);
}

void cmcComm::Close() {
    StopPump();
    if (IsOpen()) ReleaseAndClose(m_fd);
    m_fd = -1;
    m_output.Clear();
    m_writeError = false;
}

size_t cmcComm::InputCount() {
    if (!IsOpen()) return 0;
    int count = 0;
    if (::ioctl(m_fd, FIONREAD, &count) != 0 || count < 0) return 0;
    return static_cast<size_t>(count);
}

size_t cmcComm::Read(uint8_t* buffer, size_t maximum) {
    const size_t wanted = std::min(InputCount(), maximum);
    if (wanted == 0) return 0;
    const ssize_t got = ::read(m_fd, buffer, wanted);
    return got > 0 ? static_cast<size_t>(got) : 0;
}

size_t cmcComm::DriverOutputCount() const {
    int count = 0;
    if (::ioctl(m_fd, TIOCOUTQ, &count) != 0 || count < 0) return 0;
    return static_cast<size_t>(count);
}

size_t cmcComm::OutputPending() {
    if (!IsOpen()) return m_output.Length();
    return DriverOutputCount() + m_output.Length();
}

void cmcComm::Write(const uint8_t* bytes, size_t length) {
    if (!IsOpen()) return;
    StopPump();
    m_output.Append(bytes, length);
    m_pump.SetInterval(0);
    Pump();
}

void cmcComm::Pump() {
    if (!IsOpen() || m_output.Empty()) {
        StopPump();
        return;
    }
    // The driver gets more only once it has sent what it holds, so that
    // OutputPending stays honest and a close never drops a large backlog.
    if (DriverOutputCount() != 0) {
        m_pump.SetInterval(kPumpRetryMs);
        return;
    }
    const size_t chunk = std::min(kOutputChunk, m_output.Length());
    const ssize_t written = ::write(m_fd, m_output.Data(), chunk);
    if (written < 0 || static_cast<size_t>(written) < chunk) {
        // The bytes not taken stay in the buffer; the clone driver sees the
        // flag on its next tick and ends the job.
        if (written > 0) m_output.Drop(static_cast<size_t>(written));
        m_writeError = true;
        StopPump();
        return;
    }
    m_output.Drop(chunk);
    if (m_output.Empty())
        StopPump();
    else
        m_pump.SetInterval(kPumpRetryMs);
}

void cmcComm::OnPumpTask(cmcTask&) { Pump(); }

void cmcComm::StopPump() {
    if (m_pump.Interval() >= 0) m_pump.SetInterval(-1);
}

bool cmcComm::ScanPorts(int ports[256], int& count) const {
    count = 0;
    for (int port = cmcPortMap::kFirstPort; port <= cmcPortMap::kLastPort; ++port) {
        const int fd = OpenDevice(m_map.DevicePath(port));
        if (fd < 0) continue;
        ::close(fd);
        ports[count++] = port;
    }
    return count > 0;
}
