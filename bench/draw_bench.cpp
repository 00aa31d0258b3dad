// Benchmarks of the whole Draw ("ダイヤモンド", 100001 and 499501 dots; plain,
// gradient and density mode; pen 1 and 20) against two references measured in the same
// run: the floor (the formula loop producing the points, nothing plotted, plus
// a canvas clear) and a naive baseline drawing every dot with
// QPainter::drawEllipse on a 6000 x 6000 QImage, with a new pen and brush per
// dot in the gradient mode. The ratios are printed at the end. Thick pens paint
// on all cores, so the Draw benchmarks report wall time.

#include "engine/canvas.h"
#include "engine/colour.h"
#include "engine/coverageraster.h"
#include "engine/dotshape.h"
#include "engine/draw.h"
#include "formulas/formula.h"
#include "formulas/numeric.h"

#include <QImage>
#include <QPainter>

#include "timingreporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace orbelle;

namespace {

Canvas& sharedCanvas() {
    static auto canvas = std::make_unique<Canvas>();
    return *canvas;
}

DrawSettings diamond(int count, bool gradient, int penWidth) {
    DrawSettings s = DrawSettings::startup();
    s.params[0] = count;
    s.setDrawColourMode(gradient ? DrawColourMode::Gradient : DrawColourMode::Black);
    s.penWidth = penWidth;
    return s;
}

// The density mode against the plain drawing of the same dots.
void BM_DrawDensity(benchmark::State& state) {
    DrawSettings s =
        diamond(static_cast<int>(state.range(0)), false, static_cast<int>(state.range(1)));
    s.setDrawColourMode(DrawColourMode::Density);
    Canvas& canvas = sharedCanvas();
    for (auto _ : state) {
        const DrawResult r = draw(s, canvas);
        benchmark::DoNotOptimize(r.dotCount);
    }
}

void BM_Draw(benchmark::State& state) {
    const DrawSettings s = diamond(static_cast<int>(state.range(0)), state.range(1) != 0,
                                   static_cast<int>(state.range(2)));
    Canvas& canvas = sharedCanvas();
    for (auto _ : state) {
        const DrawResult r = draw(s, canvas);
        benchmark::DoNotOptimize(r.dotCount);
    }
}

// The same with a progress function, as the window's drawing thread passes:
// the painting threads then pause between rounds while it runs.
void BM_DrawReporting(benchmark::State& state) {
    const DrawSettings s = diamond(static_cast<int>(state.range(0)), state.range(1) != 0,
                                   static_cast<int>(state.range(2)));
    Canvas& canvas = sharedCanvas();
    std::int64_t reports = 0;
    const DrawProgress progress = [&reports](std::int64_t, std::int64_t) {
        ++reports;
        return true;
    };
    for (auto _ : state) {
        const DrawResult r = draw(s, canvas, progress);
        benchmark::DoNotOptimize(r.dotCount);
    }
    state.counters["reports"] =
        benchmark::Counter(static_cast<double>(reports), benchmark::Counter::kAvgIterations);
}

// The formula loop alone plus one canvas clear: what any Draw must spend.
void BM_Floor(benchmark::State& state) {
    const DrawSettings s = diamond(static_cast<int>(state.range(0)), false, 1);
    Canvas& canvas = sharedCanvas();
    constexpr std::size_t kChunk = 4096;
    static Point points[kChunk];
    for (auto _ : state) {
        // A full clear: every one of the 36 million pixels written.
        std::uint32_t* pixels = canvas.pixels();
        std::fill(pixels, pixels + static_cast<std::size_t>(Canvas::kSize) * Canvas::kSize,
                  Canvas::toPixel(kWhite));
        auto run = prepareFormula(s.formula(), s.params);
        double sum = 0;
        for (std::int64_t left = run->iterations(); left > 0; left -= kChunk) {
            const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kChunk, left));
            run->source->generate(points, n);
            for (std::size_t k = 0; k < n; ++k)
                sum += points[k].x;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(canvas.pixels());
    }
}

// The baseline the engine is measured against: every dot drawn as its own
// QPainter ellipse, with a new pen and brush per dot in the gradient mode.
void BM_NaiveQPainter(benchmark::State& state) {
    const bool gradient = state.range(1) != 0;
    const DrawSettings s = diamond(static_cast<int>(state.range(0)), gradient, 1);
    // Allocated and touched once, outside the timing, like the engine's canvas.
    static QImage image = [] {
        QImage img(Canvas::kSize, Canvas::kSize, QImage::Format_RGB32);
        img.fill(Qt::white);
        return img;
    }();
    GradientInputs inputs;
    inputs.colours = s.gradientColors;
    const ColourRamp ramp = buildSmoothRamp(inputs);
    constexpr std::size_t kChunk = 4096;
    static Point points[kChunk];
    const int w = s.penWidth;
    const int d = w + 1;
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(0, 0, Canvas::kSize, Canvas::kSize, Qt::white);
        painter.setPen(QPen(Qt::black, w));
        painter.setBrush(QBrush(Qt::black));
        auto run = prepareFormula(s.formula(), s.params);
        std::int64_t i = run->startIndex;
        for (std::int64_t left = run->iterations(); left > 0; left -= kChunk) {
            const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kChunk, left));
            run->source->generate(points, n);
            for (std::size_t k = 0; k < n; ++k, ++i) {
                const int x = trunc32(3000 + points[k].x);
                const int y = trunc32(3000 + points[k].y);
                if (gradient) {
                    const std::int32_t c = ramp[rampIndex(i, run->count, 1)];
                    const QColor colour(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
                    painter.setPen(QPen(colour, w));
                    painter.setBrush(QBrush(colour));
                }
                painter.drawEllipse(QRect(x, y, d, d));
            }
        }
    }
}

// The two rasters on the dots of "ダイヤモンド" r0 999 (plain colour): dot by
// dot (method 0) against the coverage raster (method 1), by pen width. This
// picks kCoverageMinPenWidth.
void BM_Raster(benchmark::State& state) {
    static const std::vector<std::pair<std::int32_t, std::int32_t>> dots = [] {
        const DrawSettings s = diamond(999, false, 1);
        auto run = prepareFormula(s.formula(), s.params);
        std::vector<Point> points(static_cast<std::size_t>(run->iterations()));
        run->source->generate(points.data(), points.size());
        std::vector<std::pair<std::int32_t, std::int32_t>> out;
        for (const Point& p : points)
            out.emplace_back(trunc32(3000 + p.x), trunc32(3000 + p.y));
        return out;
    }();
    const bool coverage = state.range(0) != 0;
    const DotShape shape(static_cast<int>(state.range(1)));
    Canvas& canvas = sharedCanvas();
    const std::uint32_t black = Canvas::toPixel(kBlack);
    for (auto _ : state) {
        canvas.clear(kWhite);
        if (coverage) {
            CoverageRaster raster(shape, canvas.rasterWorkspace());
            raster.reserve(dots.size());
            for (const auto& [x, y] : dots)
                raster.add(x, y, black);
            raster.paint(canvas, CoverageRaster::Order::LastOnTop);
        } else {
            for (const auto& [x, y] : dots)
                shape.plot(canvas, x, y, black);
        }
        benchmark::DoNotOptimize(canvas.pixels());
    }
}

BENCHMARK(BM_Raster)
    ->ArgNames({"coverage", "pen"})
    ->ArgsProduct({{0, 1}, {1, 4, 6, 7, 8, 10, 12, 16}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Draw)
    ->ArgNames({"r0", "gradient", "pen"})
    ->Args({200, 0, 1})
    ->Args({200, 1, 1})
    ->Args({999, 0, 1})
    ->Args({999, 1, 1})
    ->Args({200, 0, 20})
    ->Args({200, 1, 20})
    ->Args({999, 0, 20})
    ->Args({999, 1, 20})
    ->Args({999, 1, 100})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawReporting)
    ->ArgNames({"r0", "gradient", "pen"})
    ->Args({999, 1, 20})
    ->Args({999, 1, 100})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawDensity)
    ->ArgNames({"r0", "pen"})
    ->Args({999, 1})
    ->Args({999, 20})
    ->Args({999, 100})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor)->ArgNames({"r0"})->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NaiveQPainter)
    ->ArgNames({"r0", "gradient"})
    ->Args({200, 0})
    ->Args({200, 1})
    ->Unit(benchmark::kMillisecond);

void printRatios(const bench::TimingReporter& reporter) {
    const auto ms = [&](const std::string& name) { return reporter.time(name); };
    std::printf("\nRatios (pen width 1):\n");
    for (const char* r0 : {"200", "999"}) {
        const double floor = ms(std::string("BM_Floor/r0:") + r0);
        for (const char* g : {"0", "1"}) {
            const double whole = ms(std::string("BM_Draw/r0:") + r0 + "/gradient:" + g + "/pen:1");
            if (floor > 0 && whole > 0) {
                std::printf("  r0 %s %-8s Draw / (floor + clear) = %.2f  (target <= 1.30)\n", r0,
                            *g == '1' ? "gradient" : "plain", whole / floor);
            }
        }
    }
    for (const char* pen : {"1", "20"}) {
        const double plain = ms(std::string("BM_Draw/r0:999/gradient:0/pen:") + pen);
        const double density = ms(std::string("BM_DrawDensity/r0:999/pen:") + pen);
        if (plain > 0 && density > 0) {
            std::printf("  r0 999 pen %-3s density / plain = %.2f  (target <= 1.50)\n", pen,
                        density / plain);
        }
    }
    for (const char* g : {"0", "1"}) {
        const double naive = ms(std::string("BM_NaiveQPainter/r0:200/gradient:") + g);
        const double whole = ms(std::string("BM_Draw/r0:200/gradient:") + g + "/pen:1");
        if (naive > 0 && whole > 0) {
            std::printf("  r0 200 %-8s naive QPainter / Draw = %.2f  (target >= %s)\n",
                        *g == '1' ? "gradient" : "plain", naive / whole, *g == '1' ? "5" : "3");
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::TimingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
