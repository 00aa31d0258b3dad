// Stores under sudden death: a child process changes a store in a loop and is
// killed with SIGKILL at random moments. After every kill one cleaning must
// give a clean store holding exactly the changes completed before the kill
// (and perhaps the one under way), with nothing older lost or reordered.
// The children flush to disk as the program does; most of a rewrite's time is
// then spent flushing the replacement file before its rename, so many kills
// leave that file behind, which must never be taken for the store and which
// the cleaning at the next start removes.

#include "store/favoritesstore.h"
#include "store/filereplacement.h"
#include "store/historystore.h"
#include "store/settingsline.h"
#include "store/storefile.h"
#include "store/storetest.h"

#include <chrono>
#include <functional>
#include <random>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orbelle;
using namespace orbelle::test;

namespace {

constexpr int kKills = 36;

// Stores large enough that writing a replacement takes a while, so that a
// store rewritten in place would be caught half-written by some kills.
constexpr int kFavoritesAtStart = 1500;

struct ChildRun {
    int lastReported = -1; // the last step the child finished, -1 for none
    bool killed = false;   // ended by our SIGKILL, not by a failure of its own
};

// Runs `work` in a child process; the child writes the number of every step it
// has finished to the pipe it is given. The child is killed `delay` after its
// first finished step (or after ten seconds without one).
ChildRun runAndKill(const std::function<void(int)>& work, std::chrono::microseconds delay) {
    ChildRun run;
    int fds[2];
    if (::pipe(fds) != 0) {
        return run;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        work(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    const auto drain = [&](int timeoutMs) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0) {
            return false;
        }
        int buffer[256];
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        for (ssize_t k = 0; k < got / static_cast<ssize_t>(sizeof(int)); ++k) {
            run.lastReported = buffer[k];
        }
        return got > 0;
    };
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (run.lastReported < 0 && std::chrono::steady_clock::now() < giveUp) {
        drain(100);
    }
    const auto deadline = std::chrono::steady_clock::now() + delay;
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        drain(static_cast<int>(left.count() / 1000));
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    while (drain(0)) {
    }
    ::close(fds[0]);
    run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    return run;
}

// The temporary files a killed rewrite left in folder.
int leftoverCount(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        count += isTemporaryFileName(entry.path().filename().string()) ? 1 : 0;
    }
    return count;
}

void report(int fd, int step) {
    if (::write(fd, &step, sizeof step) != static_cast<ssize_t>(sizeof step)) {
        ::_exit(4);
    }
}

// One change of the favorites store, chosen by the step number and the
// store's state, so that a replay of the same steps gives the same store.
bool favoriteStep(const FavoritesStore& store, int step) {
    const auto entries = store.load();
    if (!entries.ok()) {
        return false;
    }
    const int count = static_cast<int>(entries.value.size());
    int lastFolder = 1;
    for (const FavoriteEntry& e : entries.value) {
        lastFolder = e.isFolder ? e.id : lastFolder;
    }
    const std::string name = "s" + std::to_string(step);
    switch (step % 6) {
    case 0:
        return store.addFolder(1, name).ok();
    case 1:
        return store.addFavorite(lastFolder, name, numbered(step)).ok();
    case 2:
        return count < 3 || store.moveFavorite(count, 2 + step % (count - 1)).ok();
    case 3:
        return count < 2 || store.rename(2 + step % (count - 1), name).ok();
    case 4:
        return count > 14 ? store.remove(2).ok() : store.addFavorite(1, name, numbered(step)).ok();
    default:
        return store.saveExpansion({{1, step % 4 == 1}, {lastFolder, step % 4 == 3}}).ok();
    }
}

} // namespace

TEST(StoreCrash, HistoryAppendsAndTrimsSurviveKills) {
    TempFolder folder;
    constexpr int kCapacity = HistoryStore::kCapacity;
    {
        // A full store: every append trims.
        std::string full;
        for (int n = 0; n < kCapacity; ++n) {
            full += formatLine(LineVariant::History, numbered(n)) + "\r\n";
        }
        writeFile(folder / HistoryStore::kFileName, full);
    }
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> delayUs(0, 20000);
    int next = kCapacity;
    int killsWithProgress = 0;
    int killsLeavingTemporary = 0;
    for (int round = 0; round < kKills; ++round) {
        const int start = next;
        const ChildRun run = runAndKill(
            [&](int fd) {
                const HistoryStore store(folder.path(), Durability::Flush, kCapacity);
                for (int n = start;; ++n) {
                    if (!store.append(numbered(n)).ok()) {
                        ::_exit(3);
                    }
                    report(fd, n);
                }
            },
            std::chrono::microseconds(delayUs(random)));
        ASSERT_TRUE(run.killed) << "round " << round;
        killsWithProgress += run.lastReported >= 0 ? 1 : 0;

        killsLeavingTemporary += leftoverCount(folder.path());
        const HistoryStore store(folder.path(), Durability::Flush, kCapacity);
        ASSERT_TRUE(store.clean().ok());
        EXPECT_EQ(store.clean().value, 0) << "round " << round;
        EXPECT_EQ(leftoverCount(folder.path()), 0) << "round " << round;

        const std::vector<std::string> lines = splitLines(readFile(store.filePath()));
        const int count = static_cast<int>(lines.size());
        std::vector<int> numbers;
        for (const std::string& line : lines) {
            const auto entry = settingsFromLine(parseLine(line), LineVariant::History);
            ASSERT_TRUE(entry) << "round " << round << " line " << line;
            numbers.push_back(entry->params[0]);
        }
        const int confirmed = run.lastReported >= 0 ? run.lastReported : start - 1;
        const int newest = numbers.empty() ? -1 : numbers.back();
        EXPECT_TRUE(newest == confirmed || newest == confirmed + 1)
            << "round " << round << ": newest " << newest << ", confirmed " << confirmed;
        EXPECT_EQ(count, std::min(kCapacity, newest + 1)) << "round " << round;
        for (std::size_t k = 1; k < numbers.size(); ++k) {
            EXPECT_EQ(numbers[k], numbers[0] + static_cast<int>(k)) << "round " << round;
        }
        next = newest + 1;
    }
    EXPECT_EQ(killsWithProgress, kKills);
    RecordProperty("killsLeavingTemporary", killsLeavingTemporary);
}

TEST(StoreCrash, FavoriteRewritesSurviveKills) {
    TempFolder folder;
    TempFolder replay;
    std::mt19937 random(7051);
    std::uniform_int_distribution<int> delayUs(0, 20000);
    const std::filesystem::path storePath = folder / FavoritesStore::kFileName;
    const std::filesystem::path replayPath = replay / FavoritesStore::kFileName;
    {
        std::vector<std::string> lines = {formatFolderLine(1, 0, kRootFolderName, true),
                                          formatFolderLine(2, 1, "big", true)};
        for (int id = 3; id < kFavoritesAtStart; ++id) {
            lines.push_back(formatFavoriteLine(id, 2, "f" + std::to_string(id), numbered(id)));
        }
        writeFile(storePath, joinLines(lines));
    }
    int next = 0;
    int killsWithProgress = 0;
    int killsLeavingTemporary = 0;
    for (int round = 0; round < kKills; ++round) {
        const std::string before = readFile(storePath);
        const int start = next;
        const ChildRun run = runAndKill(
            [&](int fd) {
                const FavoritesStore store(folder.path());
                for (int n = start;; ++n) {
                    if (!favoriteStep(store, n)) {
                        ::_exit(3);
                    }
                    report(fd, n);
                }
            },
            std::chrono::microseconds(delayUs(random)));
        ASSERT_TRUE(run.killed) << "round " << round;
        killsWithProgress += run.lastReported >= 0 ? 1 : 0;

        killsLeavingTemporary += leftoverCount(folder.path());
        const FavoritesStore store(folder.path());
        ASSERT_TRUE(store.clean().ok());
        EXPECT_FALSE(store.clean().value.changed) << "round " << round;
        EXPECT_EQ(leftoverCount(folder.path()), 0) << "round " << round;
        const std::string after = readFile(storePath);

        // Replay the finished steps on a copy of the store as it was.
        writeFile(replayPath, before);
        const FavoritesStore reference(replay.path(), Durability::NoFlush);
        const int confirmed = run.lastReported >= 0 ? run.lastReported : start - 1;
        for (int n = start; n <= confirmed; ++n) {
            ASSERT_TRUE(favoriteStep(reference, n));
        }
        if (readFile(replayPath) == after) {
            next = confirmed + 1;
        } else {
            ASSERT_TRUE(favoriteStep(reference, confirmed + 1));
            ASSERT_EQ(readFile(replayPath), after)
                << "round " << round << ": the store matches neither step " << confirmed
                << " nor the one after it";
            next = confirmed + 2;
        }
    }
    EXPECT_EQ(killsWithProgress, kKills);
    RecordProperty("killsLeavingTemporary", killsLeavingTemporary);
}
