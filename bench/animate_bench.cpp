// Animation frames as orbelle-cli animate makes them: 120 frames of the
// start-up figure at 1000 pixels on all cores, written to a temporary folder
// (the target is under 10 s), and one frame's drawing and PNG encoding on
// one core.

#include "cli/animate.h"
#include "cli/renderimage.h"
#include "engine/canvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace orbelle;

namespace {

void animate120Frames(benchmark::State& state) {
    QTemporaryDir folder;
    cli::AnimateCommand cmd;
    cmd.from = DrawSettings::startup();
    cmd.to = DrawSettings::startup();
    cmd.to.rotZ = 90;
    cmd.frames = 120;
    cmd.size = 1000;
    cmd.folder = folder.path().toStdString();
    for (auto _ : state) {
        if (cli::runAnimate(cmd) != 0) {
            state.SkipWithError("animate failed");
        }
    }
}
BENCHMARK(animate120Frames)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void oneFrameDrawn(benchmark::State& state) {
    auto canvas = std::make_unique<Canvas>();
    for (auto _ : state) {
        const cli::RenderedImage frame =
            cli::renderImage(DrawSettings::startup(), 1000, false, canvas.get());
        benchmark::DoNotOptimize(frame.image.constBits());
    }
}
BENCHMARK(oneFrameDrawn)->Unit(benchmark::kMillisecond);

void oneFrameEncoded(benchmark::State& state) {
    auto canvas = std::make_unique<Canvas>();
    const cli::RenderedImage frame =
        cli::renderImage(DrawSettings::startup(), 1000, false, canvas.get());
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(frame.image);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(oneFrameEncoded)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
