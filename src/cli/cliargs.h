#pragma once
// Command-line parsing of orbelle-cli, kept apart from main so tests can call it.

#include "engine/drawsettings.h"

#include <cstdint>
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

/// The path "-" names standard output for render's image.
inline constexpr const char* kStandardOutput = "-";

struct RenderCommand {
    DrawSettings settings;
    std::string outputPath; // kStandardOutput: the image goes to standard output
    std::string format;     // "png", "bmp", "jpg" or "jpeg": --format, else the extension
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

/// A search for a figure worth showing from a record's rows, as the desktop
/// program's figure finder runs it.
struct FindCommand {
    DrawSettings settings;  // the start: rows, locks (paramLocked) and placement
    std::uint64_t seed = 0; // --seed, else drawn afresh
    bool seedGiven = false;
    int tries = 200; // 1..kMaxFindTries
};

constexpr int kMaxFindTries = 100000;

/// Every formula of the catalog, as lines or as JSON.
struct ListCommand {
    bool json = false;
};

/// The usage: of every command (command empty) or of the command named.
struct HelpCommand {
    std::string command;
};

struct VersionCommand {};

struct UsageError {
    std::string message;
};

using Command = std::variant<PointsCommand, RenderCommand, AnimateCommand, FindCommand, ListCommand,
                             HelpCommand, VersionCommand, UsageError>;

/// Parses argv[1...]: the command word first, then its options and
/// positional arguments in any order. An option's value follows it as the
/// next argument or after "=" (--size=500); "--" ends the options. Files
/// named for render and animate (a settings file, or a PNG or JPEG image
/// carrying the settings line) are read here, so an unreadable or damaged
/// settings file, an image without the line, a record holding a value outside
/// its range, or two records of animate naming different formulas, is a
/// UsageError too. "--help" or "-h" as the first argument asks for the usage
/// of every command, after a command for that command's; "--version" as the
/// first argument asks for the version.
Command parseCommandLine(const std::vector<std::string>& args);

} // namespace orbelle::cli
