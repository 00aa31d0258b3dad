// Benchmarks of image export, offscreen: the start-up figure written at 1000
// and 6000 pixels as PNG, JPEG and BMP, and drawn afresh at 16000 pixels.
// Besides the time, each case reports how far the export raised the
// program's peak resident memory above what it held before ("rise_MB"),
// against the size of the output picture ("image_MB").

#include "view/imageexporter.h"
#include "view/mainview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "timingreporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

using namespace orbelle;

namespace {

MainView* g_view = nullptr; // owned by main, destroyed before the application
QString g_folder;

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long statusKiB(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string key;
    while (in >> key) {
        if (key == std::string(field) + ":") {
            long value = 0;
            in >> value;
            return value;
        }
        in.ignore(4096, '\n');
    }
    return 0;
}

// Resets the peak resident size to the current one (Linux 4.0 and later).
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void exportCase(benchmark::State& state, const char* suffix, bool redraw) {
    const int side = static_cast<int>(state.range(0));
    ImageExporter exporter(*g_view, g_view);
    const QString path = g_folder + QStringLiteral("/export.") + QString::fromLatin1(suffix);
    double rise = 0;
    for (auto _ : state) {
        QFile::remove(path);
        resetPeak();
        const long before = statusKiB("VmRSS");
        if (!exporter.exportTo(path, side, redraw)) {
            state.SkipWithError("export failed");
            break;
        }
        rise = std::max(rise, (statusKiB("VmHWM") - before) / 1024.0);
    }
    state.counters["rise_MB"] = rise;
    state.counters["image_MB"] = side * static_cast<double>(side) * 4 / (1024 * 1024);
    QFile::remove(path);
}

void BM_ExportPng(benchmark::State& state) { exportCase(state, "png", false); }
void BM_ExportJpeg(benchmark::State& state) { exportCase(state, "jpg", false); }
void BM_ExportBmp(benchmark::State& state) { exportCase(state, "bmp", false); }
void BM_RedrawExportPng(benchmark::State& state) { exportCase(state, "png", true); }
void BM_RedrawExportJpeg(benchmark::State& state) { exportCase(state, "jpg", true); }

BENCHMARK(BM_ExportPng)->ArgName("side")->Arg(1000)->Arg(6000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportJpeg)->ArgName("side")->Arg(1000)->Arg(6000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportBmp)->ArgName("side")->Arg(1000)->Arg(6000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawExportPng)
    ->ArgName("side")
    ->Arg(16000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawExportJpeg)
    ->ArgName("side")
    ->Arg(16000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QTemporaryDir folder;
    g_folder = folder.path();
    auto view = std::make_unique<MainView>();
    view->resize(800, 800);
    view->show();
    view->drawFigure(DrawSettings::startup());
    QApplication::processEvents();
    g_view = view.get();
    benchmark::Initialize(&argc, argv);
    bench::TimingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double bmp = reporter.time("BM_ExportBmp/side:6000");
    if (bmp > 0) {
        std::printf("\n  6000-pixel BMP export = %.0f ms  (target < 1000)\n", bmp);
    }
    benchmark::Shutdown();
    return 0;
}
