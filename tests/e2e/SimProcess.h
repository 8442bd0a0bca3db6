#pragma once
// Starts r77c-sim on a pseudo-terminal for a test and reads the slave path it
// prints; the destructor ends it with SIGTERM and reaps it.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace test {

class SimProcess {
public:
    // args are r77c-sim options, e.g. {"--no-pace", "--memory", path}.
    explicit SimProcess(const std::vector<std::string>& args) {
        int out[2];
        if (::pipe(out) != 0) return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            const std::string program = std::string(MX_BIN_DIR) + "/r77c-sim";
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        m_out = ::fdopen(out[0], "r");
        if (!m_out) return;
        char line[256] = {};
        if (std::fgets(line, sizeof line, m_out)) {
            m_path = line;
            while (!m_path.empty() && (m_path.back() == '\n' || m_path.back() == '\r'))
                m_path.pop_back();
        }
    }
    ~SimProcess() { Stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The slave path; empty when the simulator did not start.
    const std::string& Path() const { return m_path; }
    pid_t Pid() const { return m_pid; }

    // Ends the simulator and returns its exit status (-1 if it was not running).
    int Stop() {
        int status = -1;
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, &status, 0);
            m_pid = -1;
        }
        if (m_out) {
            std::fclose(m_out);
            m_out = nullptr;
        }
        return status;
    }

    // Waits for a simulator that ends by itself (--once).
    int Wait() {
        int status = -1;
        if (m_pid > 0 && ::waitpid(m_pid, &status, 0) == m_pid) m_pid = -1;
        return status;
    }

private:
    pid_t m_pid = -1;
    FILE* m_out = nullptr;
    std::string m_path;
};

}  // namespace test
