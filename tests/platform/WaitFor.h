#pragma once
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <functional>

// Runs the event loop until done() holds. The deadline only keeps a broken
// build from hanging; a passing test returns as soon as the event arrives.
inline bool WaitFor(const std::function<bool()>& done, int limitMs = 5000) {
    QDeadlineTimer deadline(limitMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}
