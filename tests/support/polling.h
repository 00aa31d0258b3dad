#pragma once
// Waiting without fixed sleeps: events are processed until a condition holds
// or a deadline passes.

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace orbelle::test {

/// Processes events until `done()` holds or `timeoutMs` have passed; returns
/// whether it held.
template <typename Done> bool waitFor(Done done, int timeoutMs = 2000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace orbelle::test
