#pragma once
// A pseudo-terminal pair for tests of the serial port: the test plays the
// far end on the master while the code under test opens the slave by path.
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace test {

class PtyPair {
public:
    PtyPair() {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0) m_path = name;
    }
    ~PtyPair() {
        if (m_master >= 0) ::close(m_master);
        if (m_slave >= 0) ::close(m_slave);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return !m_path.empty(); }
    const std::string& SlavePath() const { return m_path; }
    // Our own slave descriptor keeps the pair alive between opens.
    int Slave() const { return m_slave; }

    void Send(const std::vector<uint8_t>& bytes) const {
        (void)!::write(m_master, bytes.data(), bytes.size());
    }

    // Reads from the master until `count` bytes came or a second passed.
    std::vector<uint8_t> Receive(size_t count) const {
        std::vector<uint8_t> got;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (got.size() < count && std::chrono::steady_clock::now() < until) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            uint8_t buffer[4096];
            const ssize_t n = ::read(m_master, buffer, std::min(sizeof buffer, count - got.size()));
            if (n > 0) got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

    // Bytes the master can read without waiting.
    std::vector<uint8_t> Drain() const {
        std::vector<uint8_t> got;
        for (;;) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) return got;
            uint8_t buffer[4096];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0) return got;
            got.insert(got.end(), buffer, buffer + n);
        }
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

// Waits (for real: the kernel moves pty bytes on its own time) until pred
// holds or a second passed.
template <class Pred>
bool WaitFor(Pred pred) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace test
