#pragma once
// Draws on a worker thread, one for the object's lifetime once started. A new request supersedes
// the running drawing (which stops at its next batch of dots), nothing queues up; cancel() stops
// the running drawing; the thread waits for work in between and is stopped
// and joined on destruction.
//
// The worker holds the canvas while it draws and lets go of it only at batch
// boundaries: a thread that wants to read the canvas takes a ReadLock, which
// waits until the worker stands at a boundary and keeps it there while it
// lives. So the canvas is never read while it is written.

#include "engine/canvas.h"
#include "engine/draw.h"
#include "engine/drawsettings.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace orbelle {

class DrawingThread : public QObject {
    Q_OBJECT
  public:
    using DrawFunction =
        std::function<DrawResult(const DrawSettings&, Canvas&, const DrawProgress&)>;

    DrawingThread(Canvas& canvas, QObject* parent = nullptr);
    ~DrawingThread() override;

    void setDrawFunction(DrawFunction function);

    /// Starts drawing settings, abandoning any running drawing; returns the
    /// number of the request (rising from 1).
    quint64 request(const DrawSettings& settings);
    /// Stops the running drawing at its next batch of dots.
    void cancel();

    /// While it lives the worker does not write the canvas.
    class ReadLock {
      public:
        explicit ReadLock(DrawingThread& thread);
        ~ReadLock();
        ReadLock(const ReadLock&) = delete;
        ReadLock& operator=(const ReadLock&) = delete;

      private:
        DrawingThread& m_thread;
    };

  signals:
    /// Progress of a request, in dots (at most every 50 ms).
    void progressed(quint64 request, qint64 done, qint64 total);
    /// A request ended: Drawn, or Cancelled when cancel() or a newer request
    /// stopped it.
    void drawingEnded(quint64 request, const orbelle::DrawResult& result);

  private:
    void run();
    bool boundary(std::unique_lock<std::mutex>& canvasLock, quint64 request);

    Canvas& m_canvas;
    DrawFunction m_draw;
    // Request hand-over (the Mandelbrot example's shape).
    // Standard mutexes throughout: the race detector sees them.
    std::mutex m_control;
    std::condition_variable m_wake;
    DrawSettings m_next;
    quint64 m_requestNumber = 0;
    bool m_restart = false;
    bool m_abort = false;
    std::atomic<bool> m_stop{false};         // a newer request or the end is pending
    std::atomic<quint64> m_cancelledUpTo{0}; // requests up to this one are stopped
    // Canvas hand-over to readers.
    std::mutex m_canvasMutex;
    std::condition_variable m_readersDone;
    std::atomic<int> m_readers{0};
    // A standard thread, so that the race detector sees its start and join.
    std::thread m_worker;
};

} // namespace orbelle
