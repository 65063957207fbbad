#pragma once
// Waiting on Qt's event loop in integration tests, so timers and port notifiers run meanwhile.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>

namespace selvir::test {

// Runs Qt's event loop until `done` is true or `timeoutMs` has passed. Returns `done()`.
inline bool runEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return done();
}

inline void runEventsFor(int ms) {
    runEventsUntil([] { return false; }, ms);
}

} // namespace selvir::test
