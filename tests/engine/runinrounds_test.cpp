#include "engine/runinrounds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

using namespace orbelle;

namespace {

// Items shared out one at a time through a counter, as bands are: each
// worker takes the next item, does it and counts it, until the round is over
// or no item is left.
class ItemWork {
  public:
    explicit ItemWork(int items) : m_doneTimes(static_cast<std::size_t>(items)) {}

    RoundWork work() {
        return [this](int, Round& round) {
            ++m_busy;
            for (;;) {
                if (round.over()) {
                    --m_busy;
                    return true;
                }
                const int item = m_next++;
                if (item >= static_cast<int>(m_doneTimes.size())) {
                    --m_busy;
                    return false;
                }
                ++m_doneTimes[static_cast<std::size_t>(item)];
                round.count(1);
            }
        };
    }

    int busy() const { return m_busy.load(); }
    int itemsDone() const {
        int n = 0;
        for (const auto& times : m_doneTimes)
            n += times.load();
        return n;
    }
    bool eachDoneOnce() const {
        for (const auto& times : m_doneTimes)
            if (times.load() != 1)
                return false;
        return true;
    }

  private:
    std::vector<std::atomic<int>> m_doneTimes;
    std::atomic<int> m_next{0};
    std::atomic<int> m_busy{0};
};

} // namespace

// Every item is done once, whatever the number of threads, and the pauses
// come between rounds while no worker works.
TEST(RunInRounds, SharesAllWorkAndPausesOnlyWhileNoWorkerRuns) {
    for (const int threads : {0, 1, 2, 4}) {
        ItemWork items(100000);
        int pauses = 0;
        const bool finished = runInRounds(threads, 1000, items.work(), [&] {
            EXPECT_EQ(items.busy(), 0);
            ++pauses;
            return true;
        });
        EXPECT_TRUE(finished);
        EXPECT_TRUE(items.eachDoneOnce()) << threads << " threads";
        // A round takes at least its quota, 1000 items a thread.
        const int perRound = 1000 * std::max(threads, 1);
        EXPECT_GE(pauses, 1);
        EXPECT_LE(pauses, 100000 / perRound) << threads << " threads";
    }
}

// A pause that says stop ends the work: every helper has ended when
// runInRounds returns, and nothing more is done after it.
TEST(RunInRounds, StopsWhenThePauseSaysSo) {
    ItemWork items(100000);
    int pauses = 0;
    EXPECT_FALSE(runInRounds(3, 500, items.work(), [&] { return ++pauses < 3; }));
    EXPECT_EQ(pauses, 3);
    EXPECT_EQ(items.busy(), 0);
    const int done = items.itemsDone();
    EXPECT_GE(done, 3 * 1500);
    EXPECT_LT(done, 100000);
}

// Without a pause function the work runs through; with no work at all it
// returns at once.
TEST(RunInRounds, RunsThroughWithoutPauseAndEndsWithoutWork) {
    ItemWork items(5000);
    EXPECT_TRUE(runInRounds(2, 10, items.work(), {}));
    EXPECT_TRUE(items.eachDoneOnce());

    ItemWork none(0);
    int pauses = 0;
    EXPECT_TRUE(runInRounds(2, 10, none.work(), [&] { return ++pauses > 0; }));
    EXPECT_EQ(pauses, 0);
}

// The calling thread has no share at all (as when every band is taken by the
// helpers): the helpers spend the quotas alone and end at different times,
// and the work still runs through with the pauses between rounds.
TEST(RunInRounds, HelpersAloneFinishTheWork) {
    ItemWork items(30000);
    const RoundWork shared = items.work();
    std::atomic<int> callerCalls{0};
    const RoundWork work = [&](int worker, Round& round) {
        if (worker == 0) {
            ++callerCalls;
            return false;
        }
        return shared(worker, round);
    };
    int pauses = 0;
    EXPECT_TRUE(runInRounds(3, 100, work, [&] {
        EXPECT_EQ(items.busy(), 0);
        ++pauses;
        return true;
    }));
    EXPECT_TRUE(items.eachDoneOnce());
    EXPECT_EQ(callerCalls.load(), pauses + 1);
}

// A share that says "more" only while an item is left: with one thread,
// 4000 items and rounds of 1000 there are exactly three pauses, none after
// the last item.
TEST(RunInRounds, NoPauseFollowsTheLastRound) {
    int next = 0;
    const RoundWork work = [&](int, Round& round) {
        for (;;) {
            if (next == 4000) {
                return false;
            }
            if (round.over()) {
                return true;
            }
            ++next;
            round.count(1);
        }
    };
    std::vector<int> seen;
    EXPECT_TRUE(runInRounds(1, 1000, work, [&] {
        seen.push_back(next);
        return true;
    }));
    EXPECT_EQ(seen, (std::vector<int>{1000, 2000, 3000}));
}

// A pause that throws (a progress function may) passes the error on once
// every helper has ended; no helper is left running or joinable.
TEST(RunInRounds, AThrowingPauseEndsTheHelpersFirst) {
    ItemWork items(100000);
    int pauses = 0;
    EXPECT_THROW(runInRounds(3, 500, items.work(),
                             [&]() -> bool {
                                 if (++pauses == 2) {
                                     throw std::runtime_error("progress failed");
                                 }
                                 return true;
                             }),
                 std::runtime_error);
    EXPECT_EQ(pauses, 2);
    EXPECT_EQ(items.busy(), 0);
    const int done = items.itemsDone();
    EXPECT_GE(done, 2 * 1500);
    EXPECT_LT(done, 100000);
}
