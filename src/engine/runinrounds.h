#pragma once
// Work shared out to the calling thread and helper threads in rounds. Each
// worker does its share until the round's quota of units is spent (counted by
// all workers together) or it has no work left; then the workers wait, and
// the calling thread runs the pause function while none of them works. That
// is where progress is reported and where another thread may read what the
// workers write. Used only inside the engine.

#include <atomic>
#include <cstddef>
#include <functional>

namespace orbelle {

/// The round under way, as a worker sees it.
class Round {
  public:
    explicit Round(std::size_t quota) : m_quota(quota) {}
    Round(const Round&) = delete;
    Round& operator=(const Round&) = delete;

    /// True once the round's quota is spent: the worker should return.
    bool over() const { return m_over.load(std::memory_order_relaxed); }

    /// Counts units a worker has done.
    void count(std::size_t units) {
        if (m_counted.fetch_add(units, std::memory_order_relaxed) + units >= m_quota) {
            m_over.store(true, std::memory_order_relaxed);
        }
    }

    /// Ends the round at once: every worker returns at its next look.
    void end() { m_over.store(true, std::memory_order_relaxed); }

    /// Starts the next round (only while no worker runs).
    void restart() {
        m_counted.store(0, std::memory_order_relaxed);
        m_over.store(false, std::memory_order_relaxed);
    }

  private:
    // The flag every worker reads often and the count they add to now and
    // then lie on cache lines of their own.
    alignas(64) std::atomic<bool> m_over{false};
    alignas(64) std::atomic<std::size_t> m_counted{0};
    std::size_t m_quota;
};

/// Does worker number worker's share (0 is the calling thread) until
/// round.over() or it has nothing left; returns true only when it has more
/// (else a pause follows with nothing left to do). Fewer helpers may start
/// than asked for, so the workers take their work from a common store rather
/// than each from a part of its own. It runs on helper threads, where it must
/// not throw.
using RoundWork = std::function<bool(int worker, Round& round)>;

/// Runs between rounds on the calling thread; false stops the work.
using RoundPause = std::function<bool()>;

/// Runs work on the calling thread and threads - 1 helper threads (fewer when
/// the system gives no more), with a quota of unitsPerWorker * threads units
/// a round, until no worker has work left. pause (if set) runs after every
/// round that ends with work left. Returns false when pause stopped the work;
/// every helper has ended when it returns either way, and when the calling
/// thread's work or pause throws.
bool runInRounds(int threads, std::size_t unitsPerWorker, const RoundWork& work,
                 const RoundPause& pause);

} // namespace orbelle
