#include "app/handoverqueue.h"

#include <QApplication>

#include <utility>

namespace orbelle {

HandoverQueue::HandoverQueue(Opener open, QObject* parent)
    : QObject(parent), m_open(std::move(open)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &HandoverQueue::drain);
}

void HandoverQueue::add(const QString& path) {
    m_waiting.append(path);
    while (m_waiting.size() > kMaxWaiting) {
        m_waiting.removeFirst();
    }
    if (!m_timer.isActive()) {
        m_timer.start(0);
    }
}

bool HandoverQueue::openNext() {
    if (m_waiting.isEmpty() || m_opening || QApplication::activeModalWidget() != nullptr) {
        return false;
    }
    const QString path = m_waiting.takeFirst();
    m_opening = true;
    m_open(path); // may run a message box's event loop
    m_opening = false;
    return true;
}

void HandoverQueue::drain() {
    if (m_waiting.isEmpty()) {
        return;
    }
    // The next file follows from the event loop, after what the last one
    // set off has been shown; a modal widget is waited for.
    m_timer.start(openNext() ? 0 : kModalPollMs);
}

} // namespace orbelle
