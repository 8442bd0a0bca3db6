#pragma once
#include <cstdint>
#include <functional>

// Where time comes from. The core never reads a clock or sleeps: it asks the
// host for the millisecond counter and for interval timers. The application
// runs a host on its event loop; tests run a virtual one and advance it.
class cmcTimerHost {
public:
    using Callback = std::function<void()>;

    virtual ~cmcTimerHost() = default;

    // Milliseconds since some fixed point; wraps around at 2^32 like the
    // system counter it stands for.
    virtual uint32_t NowMs() const = 0;

    // Calls back every intervalMs (at least 1) until stopped. Returns an id
    // other than 0, or 0 when the host cannot run a timer.
    virtual int StartTimer(uint32_t intervalMs, Callback callback) = 0;
    // Stopping an unknown or already stopped id does nothing; a callback may
    // stop its own timer.
    virtual void StopTimer(int id) = 0;

    // Calls back whenever the descriptor has bytes to read, until stopped, so
    // that a reader sleeps until data arrives instead of polling. Returns an
    // id other than 0, or 0 when this host cannot watch descriptors: the
    // caller then polls on a timer as before.
    virtual int WatchReadable(int descriptor, Callback callback);
    virtual bool CanWatch() const { return false; }
    // Stopping an unknown or already stopped watch does nothing; a callback
    // may stop its own watch.
    virtual void StopWatch(int id);

    // The process-wide host that time-outs read. Fatal when none is set.
    static cmcTimerHost& Current();
    static bool HasCurrent();
    // Installs a host (or none) and returns the previous one.
    static cmcTimerHost* SetCurrent(cmcTimerHost* host);

    // Makes a host current for the guard's lifetime, then restores the one
    // that was current before.
    class Scope {
    public:
        explicit Scope(cmcTimerHost& host) : m_previous(SetCurrent(&host)) {}
        ~Scope() { SetCurrent(m_previous); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        cmcTimerHost* m_previous;
    };
};
