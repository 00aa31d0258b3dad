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

struct HelpCommand {};

struct VersionCommand {};

struct UsageError {
    std::string message;
};

using Command = std::variant<PointsCommand, RenderCommand, HelpCommand, VersionCommand, UsageError>;

/// Parses argv[1...]. Files named for render (a settings file, or a PNG or
/// JPEG image carrying the settings line) are read here, so an unreadable or
/// damaged settings file, an image without the line, or a record holding a
/// value outside its range, is a UsageError too. "--help" or "-h" as the first
/// argument asks for the usage, "--version" for the version.
Command parseCommandLine(const std::vector<std::string>& args);

/// The usage lines.
const char* usageText();

} // namespace orbelle::cli
