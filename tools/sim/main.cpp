// r77c-sim: a simulated radio on a pseudo-terminal or a serial device.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/cmcRcfFile.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "tools/sim/SimOptions.h"
#include "tools/sim/SimRadio.h"
#include "tools/sim/SimReceiveLine.h"

namespace {

volatile sig_atomic_t g_stop = 0;

void OnSignal(int) {
    g_stop = 1;
}

cmcGTex& Table() {
    static cmcGTex table;
    static bool loaded = table.SetLines(BuiltinTable::Lines());
    (void)loaded;
    return table;
}

std::vector<uint8_t> LoadMemory(const SimOptions& o) {
    std::vector<uint8_t> memory(static_cast<size_t>(o.radio.imageSize), 0);
    if (o.memoryFile.empty() || !std::filesystem::exists(o.memoryFile))
        return memory;
    cmcEeprom image;
    image.SetSize(o.radio.imageSize);
    cmcRcfFile file(Table(), nullptr);
    file.SetImage(&image);
    file.SetIds(o.radio.modelCode, o.radio.extraCode);
    file.SetMapRevCheck([](int32_t) { return true; });
    file.SetModelCheck([](uint32_t, uint32_t, int&) { return true; });
    if (file.ReadImage(o.memoryFile) != 0) {
        std::fprintf(stderr, "r77c-sim: cannot read %s, starting from zeros\n",
                     o.memoryFile.c_str());
        return memory;
    }
    std::copy(image.Data(), image.Data() + image.GetSize(), memory.begin());
    return memory;
}

void SaveMemory(const SimOptions& o, const std::vector<uint8_t>& memory) {
    if (o.memoryFile.empty())
        return;
    cmcEeprom image;
    image.SetSize(o.radio.imageSize);
    image.SetBlock(0, memory.data(), o.radio.imageSize);
    cmcRcfFile file(Table(), nullptr);
    file.SetImage(&image);
    file.SetIds(o.radio.modelCode, o.radio.extraCode);
    file.SetMapRev(1);
    // Saved as the program saves a document, so the file opens and checks
    // like any other clone image.
    if (file.WriteImage(o.memoryFile, indModelRules::GetRangeList(indModelRules::kRangeSave)) != 0)
        std::fprintf(stderr, "r77c-sim: cannot write %s\n", o.memoryFile.c_str());
}

void MakeRaw(int fd, int32_t baud) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    (void)baud;
    ::tcsetattr(fd, TCSANOW, &tio);
}

// The line: our end's descriptor, and for a pseudo-terminal the slave we keep
// open ourselves so that clients may come and go without hanging it up.
struct Line {
    int fd = -1;
    int keepSlave = -1;
};

bool OpenLine(const SimOptions& o, Line& line) {
    if (!o.device.empty()) {
        line.fd = ::open(o.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (line.fd < 0)
            return false;
        MakeRaw(line.fd, o.baud);
        return true;
    }
    line.fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (line.fd < 0 || ::grantpt(line.fd) != 0 || ::unlockpt(line.fd) != 0)
        return false;
    const char* name = ::ptsname(line.fd);
    if (!name)
        return false;
    line.keepSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (line.keepSlave < 0)
        return false;
    MakeRaw(line.keepSlave, o.baud);
    std::printf("%s\n", name);
    std::fflush(stdout);
    return true;
}

class Pacer {
public:
    Pacer(int32_t baud, bool on) : m_bytesPerSecond(std::max(1, baud / 10)), m_on(on) {}

    // How many bytes the line may carry now; a frame's worth never waits for
    // a long idle time to be spent at once.
    size_t Allowance() {
        if (!m_on)
            return SIZE_MAX;
        const auto now = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(now - m_last).count();
        m_last = now;
        m_credit = std::min(m_credit + seconds * m_bytesPerSecond, 16.0);
        return static_cast<size_t>(m_credit);
    }
    void Spent(size_t n) {
        if (m_on)
            m_credit -= static_cast<double>(n);
    }

private:
    double m_bytesPerSecond;
    bool m_on;
    double m_credit = 0;
    std::chrono::steady_clock::time_point m_last = std::chrono::steady_clock::now();
};

// How long poll may sleep: until the next received byte has come down the
// line (to the microsecond: a frame is answered the moment it is whole),
// briefly while answers wait for the line out, and otherwise until the PC
// sends (or a signal ends the run): a radio at rest costs nothing.
std::optional<std::chrono::nanoseconds> PollTimeout(const SimReceiveLine& inbox, bool sending) {
    std::optional<std::chrono::nanoseconds> timeout;
    if (sending)
        timeout = std::chrono::milliseconds(1);
    if (const auto next = inbox.NextArrival()) {
        const auto wait =
            std::chrono::ceil<std::chrono::microseconds>(*next - SimReceiveLine::Clock::now());
        const std::chrono::nanoseconds left = std::max(wait, decltype(wait)::zero());
        timeout = timeout ? std::min(*timeout, left) : left;
    }
    return timeout;
}

void WaitReadable(int fd, std::optional<std::chrono::nanoseconds> timeout) {
    pollfd p{fd, POLLIN, 0};
    if (!timeout) {
        ::ppoll(&p, 1, nullptr, nullptr);
        return;
    }
    const auto seconds = std::chrono::floor<std::chrono::seconds>(*timeout);
    const timespec ts{static_cast<time_t>(seconds.count()),
                      static_cast<long>((*timeout - seconds).count())};
    ::ppoll(&p, 1, &ts, nullptr);
}

int Run(const SimOptions& o) {
    Line line;
    if (!OpenLine(o, line)) {
        std::perror("r77c-sim: cannot open the line");
        return 1;
    }
    SimRadio radio(o.radio, LoadMemory(o));
    Pacer pacer(o.baud, o.pace);
    // The radio hears a frame only when its last byte would have come down
    // the cable, so a write costs the PC's bytes as well as our answers.
    SimReceiveLine inbox(o.baud, o.pace);
    std::vector<uint8_t> pending;
    while (!g_stop) {
        WaitReadable(line.fd, PollTimeout(inbox, !pending.empty()));
        uint8_t buffer[512];
        const ssize_t got = ::read(line.fd, buffer, sizeof buffer);
        if (got > 0)
            inbox.Put(buffer, static_cast<size_t>(got), SimReceiveLine::Clock::now());
        const std::vector<uint8_t> arrived = inbox.Take(SimReceiveLine::Clock::now());
        if (!arrived.empty()) {
            const std::vector<uint8_t> answer = radio.Feed(arrived);
            pending.insert(pending.end(), answer.begin(), answer.end());
            if (radio.TakeCommitted())
                SaveMemory(o, radio.Memory());
        }
        const size_t n = std::min(pending.size(), pacer.Allowance());
        if (n > 0) {
            const ssize_t sent = ::write(line.fd, pending.data(), n);
            if (sent > 0) {
                pending.erase(pending.begin(), pending.begin() + sent);
                pacer.Spent(static_cast<size_t>(sent));
            }
        }
        if (o.once && radio.Completed() > 0 && pending.empty())
            break;
    }
    if (line.keepSlave >= 0)
        ::close(line.keepSlave);
    ::close(line.fd);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    if (!SimOptions::Parse(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "r77c-sim: %s\n%s", error.c_str(), SimOptions::HelpText());
        return 2;
    }
    if (options.help) {
        std::fputs(SimOptions::HelpText(), stdout);
        return 0;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    return Run(options);
}
