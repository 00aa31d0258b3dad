// Benchmarks of the main view, offscreen: from the Draw command to the view
// having painted the new figure, against the engine's Draw alone, and one
// repaint of an unchanged view at the 800-pixel display size.

#include "engine/canvas.h"
#include "engine/draw.h"
#include "imageio/imageformat.h"
#include "view/mainview.h"
#include "view/redrawexport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "timingreporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

using namespace orbelle;

namespace {

DrawSettings diamond(int count) {
    DrawSettings s = DrawSettings::startup();
    s.params[0] = count;
    return s;
}

MainView* g_view = nullptr; // owned by main, destroyed before the application

MainView& sharedView() { return *g_view; }

void BM_EngineDraw(benchmark::State& state) {
    static auto canvas = std::make_unique<Canvas>();
    const DrawSettings s = diamond(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(draw(s, *canvas).dotCount);
    }
}

// The Draw command's work in the view, then a synchronous paint of the new
// figure (every scaled tile rebuilt from the new canvas).
void BM_DrawToPainted(benchmark::State& state) {
    MainView& view = sharedView();
    const DrawSettings s = diamond(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.drawFigure(s).dotCount);
        view.viewport()->repaint();
    }
}

void BM_RepaintUnchanged(benchmark::State& state) {
    MainView& view = sharedView();
    view.drawFigure(diamond(200));
    view.viewport()->repaint();
    for (auto _ : state) {
        view.viewport()->repaint();
    }
}

// A repaint that must rebuild the whole scaled picture (the shown square
// changes between two zoom values), without drawing.
void BM_RepaintRebuilt(benchmark::State& state) {
    MainView& view = sharedView();
    view.drawFigure(diamond(200));
    int zoom = 100;
    view.setZoomSource([&zoom] { return zoom; });
    for (auto _ : state) {
        zoom = zoom == 100 ? 101 : 100;
        view.viewport()->repaint();
    }
    view.setZoomSource(nullptr);
}

// A 5 ms timer on the user-interface thread that keeps the longest gap
// between two of its ticks (the longest the thread was kept from its events)
// in worstGap and asks the view to repaint at each tick, so that repaints
// run while the work under measure goes on.
class GapTicker {
  public:
    GapTicker(MainView& view, double& worstGap) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this, &view, &worstGap] {
            const qint64 now = m_clock.elapsed();
            worstGap = std::max(worstGap, static_cast<double>(now - m_lastTick));
            m_lastTick = now;
            view.viewport()->update();
        });
    }

    void start() {
        m_clock.start();
        m_lastTick = 0;
        m_timer.start();
    }
    void stop() { m_timer.stop(); }

  private:
    QElapsedTimer m_clock;
    qint64 m_lastTick = 0;
    QTimer m_timer;
};

// A background drawing of r0 999, pen 100, gradient, with a 5 ms timer on the
// user-interface thread: the longest gap between two ticks (the longest the
// thread was kept from its events) and the time from a cancel to the
// cancelled signal, as counters (ms). cancel:2 runs the timer without a
// drawing: the gaps the machine's load alone causes.
void BM_BackgroundDrawingKeepsTheUiResponsive(benchmark::State& state) {
    MainView& view = sharedView();
    DrawSettings s = diamond(999);
    s.penWidth = 100;
    s.drawColorMode = 3;
    const bool cancel = state.range(0) == 1;
    const bool idle = state.range(0) == 2; // no drawing: the machine's own gaps
    double worstGap = 0;
    double cancelMs = 0;
    for (auto _ : state) {
        GapTicker ticker(view, worstGap);
        ticker.start();
        if (idle) {
            QEventLoop wait;
            QTimer::singleShot(1500, &wait, &QEventLoop::quit);
            wait.exec();
        } else {
            view.startDrawing(s);
        }
        if (cancel) {
            QEventLoop wait;
            QTimer::singleShot(400, &wait, &QEventLoop::quit);
            wait.exec();
            QElapsedTimer sinceCancel;
            sinceCancel.start();
            view.cancelDrawing();
            view.waitForDrawing();
            cancelMs = std::max(cancelMs, static_cast<double>(sinceCancel.elapsed()));
        } else {
            view.waitForDrawing();
        }
        ticker.stop();
    }
    state.counters["worst_ui_gap_ms"] = worstGap;
    if (cancel) {
        state.counters["cancel_ms"] = cancelMs;
    }
}

BENCHMARK(BM_BackgroundDrawingKeepsTheUiResponsive)
    ->ArgName("cancel")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
// A re-drawn export of r0 999, pen 100, gradient at the given side, written
// as a PNG on the export's worker, with the same 5 ms timer on the
// user-interface thread: the longest gap between two ticks (ms).
void BM_RedrawnExportKeepsTheUiResponsive(benchmark::State& state) {
    MainView& view = sharedView();
    DrawSettings s = diamond(999);
    s.penWidth = 100;
    s.drawColorMode = 3;
    view.drawFigure(s);
    QTemporaryDir folder;
    double worstGap = 0;
    for (auto _ : state) {
        RedrawExport::Job job;
        job.settings = view.shownSettings();
        job.square = view.shownSquare();
        job.side = static_cast<int>(state.range(0));
        job.path = folder.filePath(QStringLiteral("redrawn.png"));
        job.format = *writableImageFormatFor(job.path);
        RedrawExport redraw(std::move(job));
        GapTicker ticker(view, worstGap);
        QEventLoop wait;
        QObject::connect(&redraw, &RedrawExport::finished, &wait, &QEventLoop::quit,
                         Qt::QueuedConnection);
        ticker.start();
        redraw.start();
        wait.exec();
        ticker.stop();
    }
    state.counters["worst_ui_gap_ms"] = worstGap;
}

BENCHMARK(BM_RedrawnExportKeepsTheUiResponsive)
    ->ArgName("side")
    ->Arg(4000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineDraw)->ArgName("r0")->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawToPainted)->ArgName("r0")->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintUnchanged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintRebuilt)->Unit(benchmark::kMillisecond);

void printRatios(const bench::TimingReporter& reporter) {
    const auto ms = [&](const std::string& name) { return reporter.time(name); };
    std::printf("\n");
    for (const char* r0 : {"200", "999"}) {
        const double engine = ms(std::string("BM_EngineDraw/r0:") + r0);
        const double painted = ms(std::string("BM_DrawToPainted/r0:") + r0);
        if (engine > 0 && painted > 0) {
            std::printf("  r0 %s Draw-to-painted / engine Draw = %.2f  (target <= 1.50)\n", r0,
                        painted / engine);
        }
    }
    const double repaint = ms("BM_RepaintUnchanged");
    if (repaint > 0) {
        std::printf("  repaint of an unchanged view at 800 px = %.2f ms  (target < 16)\n", repaint);
    }
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    auto view = std::make_unique<MainView>();
    view->resize(1000, 1000);
    view->show();
    QApplication::processEvents();
    g_view = view.get();
    benchmark::Initialize(&argc, argv);
    bench::TimingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
