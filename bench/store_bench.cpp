// Benchmarks of the stores on full-size files in a temporary folder: the
// history's append with trimming, loading its oldest entry and cleaning it,
// and the favorites' add, rename, move and clean on 5000 entries. Every
// changing case runs without (argument 0) and with (argument 1) the flush to
// disk, so the store's own work can be told from the disk's.

#include "store/favoritesstore.h"
#include "store/historystore.h"
#include "store/settingsline.h"
#include "store/storefile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace orbelle;

namespace {

constexpr int kFavoriteEntries = 5000;

std::filesystem::path makeFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orbelle-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

// Removes the folder when the benchmark ends.
struct Folder {
    std::filesystem::path path = makeFolder();
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

Durability durabilityOf(const benchmark::State& state) {
    return state.range(0) != 0 ? Durability::Flush : Durability::NoFlush;
}

DrawSettings numbered(int n) {
    DrawSettings s = DrawSettings::startup();
    s.params[0] = n;
    return s;
}

std::vector<std::string> historyLines(int count) {
    std::vector<std::string> lines;
    for (int n = 0; n < count; ++n) {
        lines.push_back(formatLine(LineVariant::History, numbered(n)));
    }
    return lines;
}

// Writes a starting store, flushed, so that no write-back of it falls into
// the timed part.
void writeContent(const std::filesystem::path& path, const std::string& content) {
    if (!replaceFile(path, content, TargetKind::NamedFile, Durability::Flush)) {
        std::abort();
    }
}

// Root, 50 folders in the root, the rest favorites spread over the folders.
std::vector<std::string> favoriteLines(int count) {
    std::vector<std::string> lines = {formatFolderLine(1, 0, kRootFolderName, true)};
    for (int id = 2; id <= 51; ++id) {
        lines.push_back(formatFolderLine(id, 1, "folder" + std::to_string(id), true));
    }
    for (int id = 52; id <= count; ++id) {
        lines.push_back(
            formatFavoriteLine(id, 2 + id % 50, "favorite" + std::to_string(id), numbered(id)));
    }
    return lines;
}

void historyAppendFull(benchmark::State& state) {
    Folder folder;
    const HistoryStore store(folder.path, durabilityOf(state));
    writeContent(store.filePath(), joinLines(historyLines(HistoryStore::kCapacity)));
    int n = HistoryStore::kCapacity;
    for (auto _ : state) {
        if (!store.append(numbered(n++))) {
            state.SkipWithError("append failed");
        }
    }
}
BENCHMARK(historyAppendFull)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void historyLoadOldest(benchmark::State& state) {
    Folder folder;
    const HistoryStore store(folder.path);
    writeContent(store.filePath(), joinLines(historyLines(HistoryStore::kCapacity)));
    for (auto _ : state) {
        auto entry = store.entry(999);
        if (!entry.value) {
            state.SkipWithError("entry 999 missing");
        }
        benchmark::DoNotOptimize(entry);
    }
}
BENCHMARK(historyLoadOldest)->Unit(benchmark::kMillisecond);

void historyCleanTenBroken(benchmark::State& state) {
    Folder folder;
    const HistoryStore store(folder.path, durabilityOf(state));
    std::vector<std::string> lines = historyLines(HistoryStore::kCapacity);
    for (int k = 0; k < 10; ++k) {
        lines[static_cast<std::size_t>(k) * 97].pop_back(); // a wrong sum
    }
    const std::string dirty = joinLines(lines);
    for (auto _ : state) {
        state.PauseTiming();
        writeContent(store.filePath(), dirty);
        state.ResumeTiming();
        if (store.clean().value != 10) {
            state.SkipWithError("clean did not drop ten lines");
        }
    }
}
BENCHMARK(historyCleanTenBroken)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void favoritesAdd(benchmark::State& state) {
    Folder folder;
    const FavoritesStore store(folder.path, durabilityOf(state));
    const std::string start = joinLines(favoriteLines(kFavoriteEntries));
    int added = 0;
    for (auto _ : state) {
        if (added++ % 50 == 0) {
            state.PauseTiming(); // keep the store near 5000 entries
            writeContent(store.filePath(), start);
            state.ResumeTiming();
        }
        if (!store.addFavorite(7, "新しいお気に入り", numbered(added)).ok()) {
            state.SkipWithError("add failed");
        }
    }
}
BENCHMARK(favoritesAdd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void favoritesRename(benchmark::State& state) {
    Folder folder;
    const FavoritesStore store(folder.path, durabilityOf(state));
    writeContent(store.filePath(), joinLines(favoriteLines(kFavoriteEntries)));
    int n = 0;
    for (auto _ : state) {
        if (!store.rename(2500, "名前" + std::to_string(n++)).value) {
            state.SkipWithError("rename failed");
        }
    }
}
BENCHMARK(favoritesRename)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void favoritesMove(benchmark::State& state) {
    Folder folder;
    const FavoritesStore store(folder.path, durabilityOf(state));
    writeContent(store.filePath(), joinLines(favoriteLines(kFavoriteEntries)));
    for (auto _ : state) {
        // The last favorite goes first into folder 2, shifting every line after it.
        if (!store.moveFavorite(kFavoriteEntries, 2).value) {
            state.SkipWithError("move failed");
        }
    }
}
BENCHMARK(favoritesMove)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void favoritesCleanTenBroken(benchmark::State& state) {
    Folder folder;
    const FavoritesStore store(folder.path, durabilityOf(state));
    std::vector<std::string> lines = favoriteLines(kFavoriteEntries);
    for (int k = 1; k <= 10; ++k) {
        lines[static_cast<std::size_t>(k) * 450].pop_back(); // a wrong sum
    }
    const std::string dirty = joinLines(lines);
    for (auto _ : state) {
        state.PauseTiming();
        writeContent(store.filePath(), dirty);
        state.ResumeTiming();
        if (!store.clean().value.changed) {
            state.SkipWithError("clean changed nothing");
        }
    }
}
BENCHMARK(favoritesCleanTenBroken)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
