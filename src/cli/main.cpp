// orbelle-cli: prints a formula's points or renders a drawing to an image
// file, on the same engine as the desktop program.

#include "cli/cliargs.h"
#include "engine/draw.h"
#include "engine/sourcesquare.h"
#include "engine/stretch.h"
#include "formulas/formula.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QString>

#include <cstdio>
#include <memory>

using namespace orbelle;

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "orbelle-cli: %s\n%s", message.c_str(), cli::usageText());
    return 2;
}

int runPoints(const cli::PointsCommand& cmd) {
    std::optional<FormulaRun> run = prepareFormula(cmd.formula, cmd.params);
    if (!run) {
        return fail("this formula is not available in this build");
    }
    std::int64_t remaining = run->iterations();
    if (cmd.limit && *cmd.limit < remaining) {
        remaining = *cmd.limit;
    }
    constexpr std::size_t kChunk = 4096;
    Point points[kChunk];
    std::int64_t i = run->startIndex;
    while (remaining > 0) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kChunk, remaining));
        run->source->generate(points, n);
        for (std::size_t k = 0; k < n; ++k, ++i) {
            std::printf("%lld %.17g %.17g\n", static_cast<long long>(i), points[k].x, points[k].y);
        }
        remaining -= static_cast<std::int64_t>(n);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int runRender(const cli::RenderCommand& cmd) {
    const QString path = QString::fromStdString(cmd.outputPath);
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray format;
    if (suffix == "png") {
        format = "png";
    } else if (suffix == "bmp") {
        format = "bmp";
    } else if (suffix == "jpg" || suffix == "jpeg") {
        format = "jpeg";
    } else {
        return fail("the output must end in .png, .bmp, .jpg or .jpeg: " + cmd.outputPath);
    }

    auto canvas = std::make_unique<Canvas>();
    const DrawResult result = draw(cmd.settings, *canvas);
    if (result.status == DrawStatus::SameColours) {
        return fail("the drawing colour and the background colour are the same");
    }
    const SourceSquare square = sourceSquare(result.bounds, cmd.settings.zoom);
    std::vector<std::uint32_t> pixels = stretchSquare(*canvas, square, cmd.size);
    const QImage image(reinterpret_cast<const uchar*>(pixels.data()), cmd.size, cmd.size,
                       cmd.size * 4, QImage::Format_RGB32);
    QImageWriter writer(path, format);
    if (format == "jpeg") {
        writer.setQuality(95);
    }
    if (!writer.write(image)) {
        return fail("cannot write " + cmd.outputPath + ": " + writer.errorString().toStdString());
    }
    const FigureBounds& b = result.bounds;
    std::printf("bounds %.17g %.17g %.17g %.17g\n", b.minX, b.maxX, b.minY, b.maxY);
    std::printf("dots %lld\n", static_cast<long long>(result.dotCount));
    std::printf("square %d %d %d\n", square.left, square.top, square.side);
    std::printf("wrote %s\n", cmd.outputPath.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const cli::Command command = cli::parseCommandLine(args);
    if (const auto* error = std::get_if<cli::UsageError>(&command)) {
        return fail(error->message);
    }
    if (const auto* points = std::get_if<cli::PointsCommand>(&command)) {
        return runPoints(*points);
    }
    return runRender(std::get<cli::RenderCommand>(command));
}
