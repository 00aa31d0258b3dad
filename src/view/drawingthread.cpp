#include "view/drawingthread.h"

#include <QElapsedTimer>

namespace orbelle {

DrawingThread::DrawingThread(Canvas& canvas, QObject* parent)
    : QObject(parent), m_canvas(canvas),
      m_draw(
          [](const DrawSettings& s, Canvas& c, const DrawProgress& p) { return draw(s, c, p); }) {
    qRegisterMetaType<orbelle::DrawResult>("orbelle::DrawResult");
}

DrawingThread::~DrawingThread() {
    {
        const std::lock_guard locker(m_control);
        m_abort = true;
        m_stop = true;
        m_wake.notify_one();
    }
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void DrawingThread::setDrawFunction(DrawFunction function) {
    const std::lock_guard locker(m_control);
    m_draw = std::move(function);
}

quint64 DrawingThread::request(const DrawSettings& settings) {
    const std::lock_guard locker(m_control);
    m_next = settings;
    const quint64 number = ++m_requestNumber;
    if (!m_worker.joinable()) {
        m_worker = std::thread([this] { run(); });
    } else {
        m_restart = true;
        m_stop = true;
        m_wake.notify_one();
    }
    return number;
}

void DrawingThread::cancel() {
    const std::lock_guard locker(m_control);
    m_cancelledUpTo = m_requestNumber;
}

DrawingThread::ReadLock::ReadLock(DrawingThread& thread) : m_thread(thread) {
    ++m_thread.m_readers;
    m_thread.m_canvasMutex.lock();
}

DrawingThread::ReadLock::~ReadLock() {
    --m_thread.m_readers;
    m_thread.m_canvasMutex.unlock();
    m_thread.m_readersDone.notify_all();
}

bool DrawingThread::boundary(std::unique_lock<std::mutex>& canvasLock, quint64 request) {
    if (m_readers.load() > 0) {
        m_readersDone.wait(canvasLock, [this] { return m_readers.load() == 0; });
    }
    return !m_stop.load() && m_cancelledUpTo.load() < request;
}

void DrawingThread::run() {
    forever {
        std::unique_lock control(m_control);
        const DrawSettings settings = m_next;
        const quint64 number = m_requestNumber;
        const DrawFunction drawFunction = m_draw;
        m_restart = false;
        m_stop = false;
        control.unlock();

        QElapsedTimer sinceReport;
        sinceReport.start();
        DrawResult result;
        {
            std::unique_lock<std::mutex> canvasLock(m_canvasMutex);
            result = drawFunction(settings, m_canvas, [&](std::int64_t done, std::int64_t total) {
                if (sinceReport.elapsed() >= 50) {
                    sinceReport.restart();
                    emit progressed(number, done, total);
                }
                return boundary(canvasLock, number);
            });
        }
        control.lock();
        if (m_abort) {
            return;
        }
        control.unlock();
        emit drawingEnded(number, result);

        control.lock();
        m_wake.wait(control, [this] { return m_restart || m_abort; });
        if (m_abort) {
            return;
        }
    }
}

} // namespace orbelle
