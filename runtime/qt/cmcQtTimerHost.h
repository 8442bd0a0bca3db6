#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <map>

#include "runtime/cmcTimerHost.h"

class QSocketNotifier;
class QTimerEvent;

// Timers on the Qt event loop of the thread that owns this object. Needs a
// running QCoreApplication (or QApplication) before the first timer starts.
class cmcQtTimerHost : public QObject, public cmcTimerHost {
    Q_OBJECT

public:
    explicit cmcQtTimerHost(QObject* parent = nullptr);
    ~cmcQtTimerHost() override;

    // Milliseconds since this host was made, wrapped to 32 bits.
    uint32_t NowMs() const override;
    int StartTimer(uint32_t intervalMs, Callback callback) override;
    void StopTimer(int id) override;
    int WatchReadable(int descriptor, Callback callback) override;
    bool CanWatch() const override { return true; }
    void StopWatch(int id) override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QElapsedTimer m_clock;
    std::map<int, Callback> m_callbacks;
    int m_nextWatch = 1;
    std::map<int, QSocketNotifier*> m_watches;
};
