// Benchmark of the favorites pane, offscreen: filling the tree again from a
// store of 5000 entries (50 folders, each of the first half expanded, and
// 4950 favorites spread over them and the root), as after every change.
#include "engine/drawsettings.h"
#include "panes/favoritespane.h"
#include "store/favoriteslines.h"
#include "store/storefile.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "timingreporter.h"
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace orbelle;

namespace {

constexpr int kEntries = 5000;
constexpr int kFolders = 50;

FavoritesPane* g_pane = nullptr; // owned by main, destroyed before the application

// Root, 50 folders in the root, then favorites in folders 1..51 in turn.
std::string storeContent() {
    std::vector<std::string> lines;
    lines.push_back(formatFolderLine(1, 0, kRootFolderName, true));
    for (int id = 2; id <= kFolders + 1; ++id) {
        lines.push_back(formatFolderLine(id, 1, "folder " + std::to_string(id), id % 2 == 0));
    }
    DrawSettings settings = DrawSettings::startup();
    for (int id = kFolders + 2; id <= kEntries; ++id) {
        settings.rotZ = id % 360;
        lines.push_back(formatFavoriteLine(id, 1 + id % (kFolders + 1),
                                           "favorite " + std::to_string(id), settings));
    }
    return joinLines(lines);
}

void BM_RefillTree(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(g_pane->refill(2).ok());
    }
    state.counters["entries"] = static_cast<double>(g_pane->entries().size());
}

BENCHMARK(BM_RefillTree)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const std::filesystem::path store =
        std::filesystem::path(QFile::encodeName(folder.path()).toStdString()) / "csv_okiniiri0";
    if (!folder.isValid() ||
        !replaceFile(store, storeContent(), TargetKind::OwnFile, Durability::NoFlush).ok()) {
        std::fprintf(stderr, "cannot write the benchmark store\n");
        return 1;
    }
    auto pane = std::make_unique<FavoritesPane>(folder.path() + QLatin1Char('/'));
    pane->resize(300, 800);
    pane->show();
    if (!pane->open().ok() || pane->entries().size() != kEntries) {
        std::fprintf(stderr, "the benchmark store did not load\n");
        return 1;
    }
    QApplication::processEvents();
    g_pane = pane.get();
    benchmark::Initialize(&argc, argv);
    bench::TimingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double refill = reporter.time("BM_RefillTree");
    if (refill > 0) {
        std::printf("\n  refill of the tree with %d entries = %.2f ms  (target < 100)\n", kEntries,
                    refill);
    }
    benchmark::Shutdown();
    return 0;
}
