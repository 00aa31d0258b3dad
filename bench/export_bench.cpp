// Benchmarks of image export, offscreen: the start-up figure written at 1000
// and 6000 pixels as PNG, JPEG and BMP, and drawn afresh at 16000 pixels.
// Besides the time, each case reports how far the export raised the
// program's peak resident memory above what it held before ("rise_MB"),
// against the size of the output picture ("image_MB").
//
// The heavy figure (the start-up figure with "回数" 999, pen 100, the
// gradient and X軸回転 30) is made into a picture both ways: drawn on a
// canvas and stretched ("Scaled"), and drawn afresh ("Redraw"), at 4000 and
// 16000 pixels, drawing only; the encoding of the 16000-pixel picture is
// timed on its own.

#include "engine/drawscaled.h"
#include "engine/stretch.h"
#include "imageio/imageformat.h"
#include "imageio/imagewrite.h"
#include "imageio/picture.h"
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

DrawSettings heavyFigure() {
    DrawSettings s = DrawSettings::startup();
    s.params[0] = 999;
    s.penWidth = 100;
    s.setDrawColourMode(DrawColourMode::Gradient);
    s.rotX = 30;
    return s;
}

// Runs make once per iteration with the peak memory rise measured round it.
template <class Make> void pictureCase(benchmark::State& state, int side, Make make) {
    double rise = 0;
    for (auto _ : state) {
        resetPeak();
        const long before = statusKiB("VmRSS");
        make();
        rise = std::max(rise, (statusKiB("VmHWM") - before) / 1024.0);
    }
    state.counters["rise_MB"] = rise;
    state.counters["image_MB"] = side * static_cast<double>(side) * 4 / (1024 * 1024);
}

Canvas& benchCanvas() {
    static Canvas canvas;
    return canvas;
}

void BM_ScaledPicture(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const DrawSettings s = heavyFigure();
    Canvas& canvas = benchCanvas();
    pictureCase(state, side, [&] {
        const DrawResult r = draw(s, canvas);
        QImage image = newPicture(side);
        stretchCanvasOnto(image, canvas, sourceSquare(r.bounds, s.zoom));
        benchmark::DoNotOptimize(image.constBits());
    });
}

void BM_RedrawPicture(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const DrawSettings s = heavyFigure();
    const SourceSquare square = sourceSquare(measureFigure(s), s.zoom);
    pictureCase(state, side, [&] {
        QImage image = newPicture(side);
        redrawOnto(image, s, square);
        benchmark::DoNotOptimize(image.constBits());
    });
}

// Encoding the re-drawn 16000-pixel picture, the drawing left out.
void encodeCase(benchmark::State& state, const char* suffix) {
    const int side = static_cast<int>(state.range(0));
    const DrawSettings s = heavyFigure();
    QImage image = newPicture(side);
    redrawOnto(image, s, sourceSquare(measureFigure(s), s.zoom));
    const QString path = g_folder + QStringLiteral("/encoded.") + QString::fromLatin1(suffix);
    const std::optional<ImageFormat> format = writableImageFormatFor(path);
    for (auto _ : state) {
        if (writeImage(image, path, *format)) {
            state.SkipWithError("writing failed");
            break;
        }
    }
    QFile::remove(path);
}
void BM_EncodePng(benchmark::State& state) { encodeCase(state, "png"); }
void BM_EncodeBmp(benchmark::State& state) { encodeCase(state, "bmp"); }

BENCHMARK(BM_ScaledPicture)
    ->ArgName("side")
    ->Arg(4000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawPicture)
    ->ArgName("side")
    ->Arg(4000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawPicture)
    ->ArgName("side")
    ->Arg(16000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodePng)->ArgName("side")->Arg(16000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeBmp)->ArgName("side")->Arg(16000)->Iterations(1)->Unit(benchmark::kMillisecond);

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
    const double scaled = reporter.time("BM_ScaledPicture/side:4000/iterations:3");
    const double redrawn = reporter.time("BM_RedrawPicture/side:4000/iterations:3");
    if (scaled > 0 && redrawn > 0) {
        std::printf("  4000-pixel re-draw / scaled picture = %.2f  (target <= 3)\n",
                    redrawn / scaled);
    }
    const double large = reporter.time("BM_RedrawPicture/side:16000/iterations:1");
    if (large > 0) {
        std::printf("  16000-pixel re-draw = %.0f ms  (target < 15000)\n", large);
    }
    benchmark::Shutdown();
    return 0;
}
