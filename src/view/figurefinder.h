#pragma once
// Runs the figure finder's search (engine/figuresearch.h) on a worker thread,
// one search at a time, so the window stays responsive through up to 200
// tries of up to half a million points each. cancel() stops the search at its
// next batch of points. The worker reports through signals, which reach
// receivers on other threads (the window's) queued, as the drawing thread's.

#include "engine/figuresearch.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

namespace orbelle {

class FigureFinder : public QObject {
    Q_OBJECT
  public:
    explicit FigureFinder(QObject* parent = nullptr);
    /// Stops a running search and waits for its thread.
    ~FigureFinder() override;

    /// Starts a search; false (and nothing done) while one runs.
    bool start(const FigureSearch& search);
    /// Stops the running search; finished then reports Cancelled.
    void cancel();
    bool isRunning() const { return m_running; }

    /// Called on the worker thread with the try under way, before each try
    /// and between batches of its points (tests hold the search here).
    void setTryObserver(std::function<void(int)> observer);

  signals:
    /// A try began (1..200); emitted on the worker thread.
    void tried(int tryNumber);
    /// The search ended; the worker thread is gone. Emitted on the finder's
    /// own thread.
    void finished(const orbelle::SearchResult& result);
    /// The worker's last act (internal: the finder ends the search on it).
    void workerDone(const orbelle::SearchResult& result);

  private:
    void end(const SearchResult& result);

    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    bool m_running = false;
    std::function<void(int)> m_observer;
};

} // namespace orbelle
