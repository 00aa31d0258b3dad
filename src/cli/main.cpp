// orbelle-cli: prints a formula's points or renders a drawing to an image
// file, on the same engine as the desktop program.
//
// Exit status: 0 done; 1 the output could not be written; 2 the command line
// or the input was refused before any work. Every error is one line on
// standard error.

#include "cli/cliargs.h"
#include "engine/draw.h"
#include "engine/drawscaled.h"
#include "engine/sourcesquare.h"
#include "engine/stretch.h"
#include "formulas/formula.h"
#include "store/imagetext.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace orbelle;

namespace {

constexpr int kRefused = 2;
constexpr int kWriteFailed = 1;

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "orbelle-cli: %s\n", message.c_str());
    return status;
}

int runPoints(const cli::PointsCommand& cmd) {
    std::optional<FormulaRun> run = prepareFormula(cmd.formula, cmd.params);
    if (!run) {
        return fail(kRefused, "this formula is not available in this build");
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
        if (std::ferror(stdout)) {
            break; // a full device or a closed pipe: stop at once
        }
    }
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        return fail(kWriteFailed, std::string("cannot write the points: ") +
                                      (error != 0 ? std::strerror(error) : "write error"));
    }
    return 0;
}

// Tells why no file can be made in the folder of path, or nothing when one
// can: a trial file is made there and removed at once.
std::optional<std::string> folderProblem(const QString& path) {
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    if (!folder.exists()) {
        return "the folder " + folder.path().toStdString() + " does not exist";
    }
    if (target.isDir()) {
        return "it is a folder";
    }
    QTemporaryFile trial(folder.filePath(QStringLiteral(".orbelle-cli-XXXXXX")));
    if (!trial.open()) {
        return "the folder " + folder.path().toStdString() +
               " is not writable: " + trial.errorString().toStdString();
    }
    return std::nullopt;
}

// The reason of a failed file operation: the system's own words when it set
// errno, else Qt's (which reads "Unknown error" for a failed write).
std::string reasonOf(int error, const QString& qtReason) {
    return error != 0 ? std::strerror(error) : qtReason.toStdString();
}

// Encodes the image in memory, then writes it through a temporary file beside
// the target, which replaces the target only when complete; a failed write
// leaves an existing file as it was and removes the temporary file. Encoding
// first keeps write errors away from the image plug-ins, which would print
// lines of their own.
std::optional<std::string> writeImage(const QImage& image, const QString& path,
                                      const QByteArray& format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpeg") {
        writer.setQuality(95);
    }
    if (!writer.write(image)) {
        return writer.errorString().toStdString();
    }
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return reasonOf(errno, file.errorString());
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        file.cancelWriting();
        return reasonOf(error, file.errorString());
    }
    errno = 0;
    if (!file.commit()) {
        return reasonOf(errno, file.errorString());
    }
    return std::nullopt;
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
        return fail(kRefused,
                    "the output must end in .png, .bmp, .jpg or .jpeg: " + cmd.outputPath);
    }
    if (const auto problem = folderProblem(path)) {
        return fail(kRefused, "cannot write " + cmd.outputPath + ": " + *problem);
    }

    QImage image(cmd.size, cmd.size, QImage::Format_RGB32);
    if (image.isNull()) {
        return fail(kRefused, "not enough memory for a picture of " + std::to_string(cmd.size) +
                                  " pixels a side");
    }
    auto* pixels = reinterpret_cast<std::uint32_t*>(image.bits());
    const auto stride = static_cast<std::size_t>(image.bytesPerLine() / 4);
    DrawResult result;
    SourceSquare square;
    if (cmd.redraw) {
        // The figure drawn afresh at the chosen side over the square the
        // canvas drawing would show: no 6000 x 6000 canvas.
        square = sourceSquare(measureFigure(cmd.settings), cmd.settings.zoom);
        result = drawScaled(cmd.settings, square, cmd.size, pixels, stride);
    } else {
        auto canvas = std::make_unique<Canvas>();
        result = draw(cmd.settings, *canvas);
        square = sourceSquare(result.bounds, cmd.settings.zoom);
        if (result.status == DrawStatus::Drawn) {
            stretchRegion(*canvas, square, cmd.size, 0, 0, cmd.size, cmd.size, pixels, stride);
        }
    }
    if (result.status == DrawStatus::SameColours) {
        return fail(kRefused, "the drawing colour and the background colour are the same");
    }
    // The image carries the record it was drawn from, with the colours used,
    // as the desktop program's exports do.
    DrawSettings record = cmd.settings;
    record.drawColor = result.drawColor;
    record.backColor = result.backColor;
    image.setText(QString::fromLatin1(kImageSettingsKey),
                  QString::fromStdString(imageSettingsText(record)));
    if (const auto reason = writeImage(image, path, format)) {
        return fail(kWriteFailed, "cannot write " + cmd.outputPath + ": " + *reason);
    }
    const FigureBounds& b = result.bounds;
    std::printf("bounds %.17g %.17g %.17g %.17g\n", b.minX, b.maxX, b.minY, b.maxY);
    std::printf("dots %lld\n", static_cast<long long>(result.dotCount));
    std::printf("square %d %d %d\n", square.left, square.top, square.side);
    std::printf("wrote %s\n", cmd.outputPath.c_str());
    return std::fflush(stdout) == 0 ? 0 : kWriteFailed;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs(cli::usageText(), stderr);
        return kRefused;
    }
    const cli::Command command = cli::parseCommandLine(args);
    if (const auto* error = std::get_if<cli::UsageError>(&command)) {
        return fail(kRefused, error->message);
    }
    if (std::holds_alternative<cli::HelpCommand>(command)) {
        std::fputs(cli::usageText(), stdout);
        return std::fflush(stdout) == 0 ? 0 : kWriteFailed;
    }
    if (std::holds_alternative<cli::VersionCommand>(command)) {
        std::printf("orbelle-cli %s\n", ORBELLE_VERSION_TEXT);
        return std::fflush(stdout) == 0 ? 0 : kWriteFailed;
    }
    if (const auto* points = std::get_if<cli::PointsCommand>(&command)) {
        return runPoints(*points);
    }
    return runRender(std::get<cli::RenderCommand>(command));
}
