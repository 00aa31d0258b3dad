// orbelle-cli: prints a formula's points, renders a drawing to an image file,
// draws the frames of an animation between two drawings, or searches for a
// figure worth showing, on the same engine as the desktop program.
//
// Exit status: 0 done; 1 the output could not be written, or find found no
// figure; 2 the command line or the input was refused before any work. Every error is one line on
// standard error.

#include "cli/animate.h"
#include "cli/cliargs.h"
#include "cli/failure.h"
#include "cli/find.h"
#include "cli/formulalist.h"
#include "cli/librarymessages.h"
#include "cli/outputfolder.h"
#include "cli/renderimage.h"
#include "cli/usagetext.h"
#include "engine/canvas.h"
#include "formulas/formula.h"
#include "imageio/imageformat.h"
#include "imageio/imagewrite.h"

#include <QFile>
#include <QString>

#include <cstdio>
#include <memory>

using namespace orbelle;

namespace {

using cli::fail;
using cli::kRefused;
using cli::kWriteFailed;

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
    return cli::finishStandardOutput("the points");
}

int runRender(const cli::RenderCommand& cmd) {
    const QString path = QString::fromStdString(cmd.outputPath);
    const std::optional<ImageFormat> format = imageFormatNamed(QString::fromStdString(cmd.format));
    const bool toStandardOutput = cmd.outputPath == cli::kStandardOutput;
    if (!toStandardOutput) {
        if (const auto problem = cli::folderProblem(path)) {
            return fail(kRefused, "cannot write " + cmd.outputPath + ": " + *problem);
        }
    }

    // The canvas is made only for a drawing on it: --redraw draws at the
    // picture's side without one.
    std::unique_ptr<Canvas> canvas;
    if (!cmd.redraw) {
        canvas = std::make_unique<Canvas>();
    }
    const cli::RenderedImage rendered =
        cli::renderImage(cmd.settings, cmd.size, cmd.redraw, canvas.get());
    if (rendered.image.isNull()) {
        return fail(kRefused, "not enough memory for a picture of " + std::to_string(cmd.size) +
                                  " pixels a side");
    }
    const DrawResult& result = rendered.result;
    const SourceSquare& square = rendered.square;
    if (result.status == DrawStatus::SameColours) {
        return fail(kRefused, "the drawing colour and the background colour are the same");
    }
    if (toStandardOutput) {
        // The image is all that goes to standard output: no report follows.
        QFile out;
        out.open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
        cli::LibraryMessages libraries;
        const auto reason = writeImageTo(out, rendered.image, *format);
        const std::string said = libraries.finish();
        if (reason) {
            return fail(kWriteFailed, "cannot write the image to standard output: " +
                                          reason->toStdString() + cli::saidInParentheses(said));
        }
        return 0;
    }
    cli::LibraryMessages libraries;
    const auto reason = writeImage(rendered.image, path, *format);
    const std::string said = libraries.finish();
    if (reason) {
        return fail(kWriteFailed, "cannot write " + cmd.outputPath + ": " + reason->toStdString() +
                                      cli::saidInParentheses(said));
    }
    const FigureBounds& b = result.bounds;
    std::printf("bounds %.17g %.17g %.17g %.17g\n", b.minX, b.maxX, b.minY, b.maxY);
    std::printf("dots %lld\n", static_cast<long long>(result.dotCount));
    std::printf("square %d %d %d\n", square.left, square.top, square.side);
    std::printf("wrote %s\n", cmd.outputPath.c_str());
    return cli::finishStandardOutput("the report of " + cmd.outputPath + " to standard output");
}

int runList(const cli::ListCommand& cmd) {
    return cli::writeStandardOutput(cmd.json ? cli::formulaListJson() : cli::formulaListText(),
                                    "the list of formulas");
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
    if (const auto* help = std::get_if<cli::HelpCommand>(&command)) {
        const std::string usage =
            help->command.empty() ? cli::usageText() : cli::commandUsageText(help->command);
        return cli::writeStandardOutput(usage, "the usage");
    }
    if (std::holds_alternative<cli::VersionCommand>(command)) {
        std::printf("orbelle-cli %s\n", ORBELLE_VERSION_TEXT);
        return cli::finishStandardOutput("the version");
    }
    if (const auto* list = std::get_if<cli::ListCommand>(&command)) {
        return runList(*list);
    }
    if (const auto* points = std::get_if<cli::PointsCommand>(&command)) {
        return runPoints(*points);
    }
    if (const auto* animate = std::get_if<cli::AnimateCommand>(&command)) {
        // The frames are written on several threads: Qt's messages about
        // them are kept off standard error, which shows the progress.
        const cli::LibraryMessages libraries(cli::LibraryMessages::Catch::QtMessages);
        return cli::runAnimate(*animate);
    }
    if (const auto* find = std::get_if<cli::FindCommand>(&command)) {
        return cli::runFind(*find);
    }
    return runRender(std::get<cli::RenderCommand>(command));
}
