#pragma once
// Command-line parsing of orbelle-cli, kept apart from main so tests can call it.

#include "engine/drawsettings.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace orbelle::cli {

struct PointsCommand {
    FormulaId formula;
    ParamRows params{};
    std::optional<long long> limit;
};

struct RenderCommand {
    DrawSettings settings;
    std::string outputPath;
    int size = 1000;
    bool redraw = false; // draw afresh at size (up to 16000) instead of scaling the canvas
};

/// Frames between two records of one formula, written as FOLDER/frame0001.png
/// and on, and optionally encoded into a video.
struct AnimateCommand {
    DrawSettings from;
    DrawSettings to;
    int frames = 0;        // 1..kMaxAnimationFrames
    std::string folder;    // made when missing
    int size = 1000;       // 1..6000
    std::string videoPath; // empty: no video
};

/// Frame names hold four digits, so at most 9999 frames.
constexpr int kMaxAnimationFrames = 9999;

struct HelpCommand {};

struct VersionCommand {};

struct UsageError {
    std::string message;
};

using Command = std::variant<PointsCommand, RenderCommand, AnimateCommand, HelpCommand,
                             VersionCommand, UsageError>;

/// Parses argv[1...]. Files named for render and animate (a settings file, or
/// a PNG or JPEG image carrying the settings line) are read here, so an
/// unreadable or damaged settings file, an image without the line, a record
/// holding a value outside its range, or two records of animate naming
/// different formulas, is a UsageError too. "--help" or "-h" as the first
/// argument asks for the usage, "--version" for the version.
Command parseCommandLine(const std::vector<std::string>& args);

/// The usage lines.
const char* usageText();

} // namespace orbelle::cli
