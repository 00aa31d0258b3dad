// Live drawing while a slider is dragged, offscreen: the main window with
// "自動描画" on takes value changes through the slider of "Y軸回転" (100 on
// the start-up figure, 30 on the thick one). Each change is timed until the
// view has painted its drawing; a change superseded before its drawing was
// painted counts as dropped. Counters: painted frames per second over the
// drag, dropped changes, the mean and longest time from a change to its
// painted frame, the processor time (all threads) per painted frame, which
// tells what the machine paints when other work leaves it the processors, and
// the resident memory after the drag and at its highest so far.
//
// mouse:1 delivers the changes at 100 per second, as a drag does; mouse:0
// delivers the next change as soon as the last one is painted, the most the
// window paints. figure:0 is the start-up figure (pen 1), figure:1 the same
// with "回数" 999 and pen 100.
//
// BM_ResidentAfterDrawings draws the thick figure 150 times live, one after
// the other, and reports the resident memory before them, right after them,
// at its highest and once the window has been idle for a while (in MiB).

#include "app/mainwindow.h"
#include "app/startup.h"
#include "panes/colourpane.h"
#include "panes/commandid.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"
#include "view/mainview.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>

using namespace orbelle;

namespace {

constexpr int kMouseIntervalMs = 10;
constexpr int kDeadlineMs = 60000;

MainWindow* g_window = nullptr; // owned by main

// A field of /proc/self/status in MiB ("VmRSS", "VmHWM"); 0 when unknown.
double statusMiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::atof(line.c_str() + field.size() + 1) / 1024.0;
        }
    }
    return 0;
}

// The start-up figure (thick = false) or the same with "回数" 999 and pen 100,
// drawn and shown at 0 degrees with "自動描画" off; then the command is on.
void drawStartingFigure(MainWindow& window, QSlider* slider, bool thick) {
    window.command(CommandId::LiveDrawing)->setChecked(false);
    slider->setValue(0);
    window.settingsPane()->setParamValue(0, thick ? 999 : 200);
    window.colourPane()->setPenWidth(thick ? 100 : 1);
    window.drawFigure();
    window.waitForDrawing();
    QApplication::processEvents();
    window.command(CommandId::LiveDrawing)->setChecked(true);
}

// Notes, after each repaint of the view, which value of the slider the
// painted drawing shows and when it was first painted.
class PaintProbe : public QObject {
  public:
    PaintProbe(MainView& view, QElapsedTimer& clock) : m_view(view), m_clock(clock) {
        view.viewport()->installEventFilter(this);
    }
    ~PaintProbe() override { m_view.viewport()->removeEventFilter(this); }

    std::map<int, qint64> painted; // value -> ms on the clock
    std::function<void(int)> onPainted;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            // The zero timer runs once the paint event has been handled.
            QTimer::singleShot(0, this, [this] { notePaint(); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void notePaint() {
        const std::optional<DrawSettings> shown = m_view.shownSettings();
        if (!shown || painted.contains(shown->rotY)) {
            return;
        }
        painted.emplace(shown->rotY, m_clock.elapsed());
        if (onPainted) {
            onPainted(shown->rotY);
        }
    }

    MainView& m_view;
    QElapsedTimer& m_clock;
};

void BM_LiveSliderDrag(benchmark::State& state) {
    MainWindow& window = *g_window;
    const bool mouseRate = state.range(0) == 1;
    const bool thick = state.range(1) == 1;
    const int changes = thick ? 30 : 100;
    QSlider* slider = window.transformPane()->findChild<QSlider*>(QStringLiteral("slider11211"));
    double fps = 0;
    double dropped = 0;
    double meanLatency = 0;
    double worstLatency = 0;
    double cpuPerFrame = 0;
    int runs = 0;
    for (auto _ : state) {
        // Each drag starts from its figure drawn and shown at 0 degrees.
        drawStartingFigure(window, slider, thick);
        const std::clock_t cpuBefore = std::clock();
        QElapsedTimer clock;
        clock.start();
        PaintProbe probe(*window.view(), clock);
        std::map<int, qint64> issued;
        QEventLoop loop;
        int next = 1;
        const auto change = [&] {
            if (next > changes) {
                return;
            }
            issued.emplace(next, clock.elapsed());
            slider->setValue(next);
            ++next;
        };
        QTimer mouse;
        mouse.setInterval(kMouseIntervalMs);
        QObject::connect(&mouse, &QTimer::timeout, change);
        probe.onPainted = [&](int value) {
            if (value == changes) {
                loop.quit();
            } else if (!mouseRate && value == next - 1) {
                change();
            }
        };
        QTimer::singleShot(kDeadlineMs, &loop, &QEventLoop::quit);
        slider->setSliderDown(true);
        change();
        if (mouseRate) {
            mouse.start();
        }
        loop.exec();
        mouse.stop();
        const std::clock_t cpuAfter = std::clock();
        slider->setSliderDown(false);
        window.waitForDrawing();

        int paintedCount = 0;
        double latencySum = 0;
        qint64 lastPaint = 0;
        for (const auto& [value, at] : probe.painted) {
            if (!issued.contains(value)) {
                continue; // the figure at the start
            }
            ++paintedCount;
            const double latency = static_cast<double>(at - issued.at(value));
            latencySum += latency;
            worstLatency = std::max(worstLatency, latency);
            lastPaint = std::max(lastPaint, at);
        }
        const double seconds = static_cast<double>(lastPaint - issued.at(1)) / 1000.0;
        fps += seconds > 0 ? paintedCount / seconds : 0;
        dropped += changes - paintedCount;
        meanLatency += paintedCount > 0 ? latencySum / paintedCount : 0;
        // Both threads' processor time: what a frame costs on an idle machine.
        cpuPerFrame += paintedCount > 0 ? 1000.0 * static_cast<double>(cpuAfter - cpuBefore) /
                                              CLOCKS_PER_SEC / paintedCount
                                        : 0;
        ++runs;
    }
    state.counters["painted_fps"] = fps / runs;
    state.counters["dropped"] = dropped / runs;
    state.counters["latency_mean_ms"] = meanLatency / runs;
    state.counters["latency_max_ms"] = worstLatency;
    state.counters["cpu_ms_per_frame"] = cpuPerFrame / runs;
    state.counters["rss_mb"] = statusMiB("VmRSS");
    state.counters["peak_rss_mb"] = statusMiB("VmHWM");
}

BENCHMARK(BM_LiveSliderDrag)
    ->ArgNames({"mouse", "figure"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_ResidentAfterDrawings(benchmark::State& state) {
    MainWindow& window = *g_window;
    QSlider* slider = window.transformPane()->findChild<QSlider*>(QStringLiteral("slider11211"));
    constexpr int kDrawings = 150;
    state.counters["rss_before_mb"] = statusMiB("VmRSS");
    for (auto _ : state) {
        drawStartingFigure(window, slider, true);
        for (int degrees = 1; degrees <= kDrawings; ++degrees) {
            slider->setValue(degrees);
            QApplication::processEvents(); // the live drawing starts
            window.waitForDrawing();
        }
        QApplication::processEvents();
    }
    state.counters["rss_mb"] = statusMiB("VmRSS");
    state.counters["peak_rss_mb"] = statusMiB("VmHWM");
    // The view gives the thick-pen raster's working memory back once no
    // drawing has run for two seconds.
    QDeadlineTimer pause(3000);
    while (!pause.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    state.counters["rss_idle_mb"] = statusMiB("VmRSS");
}

BENCHMARK(BM_ResidentAfterDrawings)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // A folder of its own for the settings and the data files, never the
    // real home.
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
        setenv(name, qPrintable(home.path()), 1);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    setApplicationNames();
    auto window = std::make_unique<MainWindow>(home.path() + QLatin1Char('/'));
    window->resize(1400, 1000);
    window->show();
    window->command(CommandId::LiveDrawing)->setChecked(true);
    QApplication::processEvents();
    g_window = window.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
