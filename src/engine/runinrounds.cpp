#include "engine/runinrounds.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace orbelle {
namespace {

// What the calling thread and the helpers share besides the round.
struct Crew {
    std::mutex mutex;
    std::condition_variable nextRound; // helpers wait here between rounds
    std::condition_variable arrived;   // the calling thread waits here for them
    std::uint64_t round = 0;
    int working = 0; // helpers that still have work
    int waiting = 0; // of those, the ones done with the current round
    bool quit = false;
};

} // namespace

bool runInRounds(int threads, std::size_t unitsPerWorker, const RoundWork& work,
                 const RoundPause& pause) {
    if (threads < 1) {
        threads = 1;
    }
    Round round(unitsPerWorker * static_cast<std::size_t>(threads));
    Crew crew;
    const auto helper = [&](int worker) {
        std::uint64_t seen = 0;
        for (;;) {
            const bool more = work(worker, round);
            std::unique_lock lock(crew.mutex);
            if (!more) {
                --crew.working;
                crew.arrived.notify_one();
                return;
            }
            ++crew.waiting;
            crew.arrived.notify_one();
            crew.nextRound.wait(lock, [&] { return crew.quit || crew.round != seen; });
            if (crew.quit) {
                return;
            }
            seen = crew.round;
        }
    };

    std::vector<std::thread> helpers;
    // Ends the helpers however the calling thread leaves, a pause or its
    // share of the work that throws included: the round is cut short, so
    // that a helper at work returns soon, and every helper is joined.
    struct Ender {
        Crew& crew;
        Round& round;
        std::vector<std::thread>& helpers;
        ~Ender() {
            {
                std::lock_guard lock(crew.mutex);
                crew.quit = true;
                round.end();
                crew.nextRound.notify_all();
            }
            for (std::thread& t : helpers) {
                t.join();
            }
        }
    } ender{crew, round, helpers};
    helpers.reserve(static_cast<std::size_t>(threads - 1));
    for (int worker = 1; worker < threads; ++worker) {
        {
            std::lock_guard lock(crew.mutex);
            ++crew.working;
        }
        try {
            helpers.emplace_back(helper, worker);
        } catch (const std::system_error&) {
            // No more threads to be had: the workers there are do it all.
            std::lock_guard lock(crew.mutex);
            --crew.working;
            break;
        } catch (const std::bad_alloc&) {
            std::lock_guard lock(crew.mutex);
            --crew.working;
            break;
        }
    }

    bool finished = true;
    for (;;) {
        const bool more = work(0, round);
        std::unique_lock lock(crew.mutex);
        crew.arrived.wait(lock, [&] { return crew.waiting == crew.working; });
        if (!more && crew.working == 0) {
            break;
        }
        lock.unlock();
        // Every helper waits for the next round: nothing is written now.
        if (pause && !pause()) {
            finished = false;
            break;
        }
        lock.lock();
        crew.waiting = 0;
        round.restart();
        ++crew.round;
        crew.nextRound.notify_all();
    }
    return finished;
}

} // namespace orbelle
