#include "cli/cliargs.h"

#include "engine/canvas.h"
#include "engine/drawscaled.h"
#include "engine/settingsranges.h"
#include "formulas/catalog.h"
#include "imageio/imageformat.h"
#include "imageio/imagesettings.h"
#include "store/settingsfile.h"

#include <QString>

#include <charconv>
#include <cstring>
#include <sstream>

namespace orbelle::cli {
namespace {

// The line a failed settings file read gives.
std::string describeRead(const StoreStatus& status) {
    const std::string path = status.path().string();
    switch (status.error()) {
    case StoreError::NotRegularFile:
        return "cannot read " + path + ": not a regular file";
    case StoreError::TooLarge:
        return path + ": not a settings file (longer than 1 MiB)";
    case StoreError::NotSettingsFile:
        return path + ": not a settings file (wrong field count or failing sum)";
    default:
        return "cannot read " + path + ": " + std::strerror(status.errorNumber());
    }
}

std::optional<long long> parseInteger(const std::string& text) {
    long long value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// Reads CATEGORY ITEM at args[pos], args[pos + 1].
std::variant<FormulaId, UsageError> parseFormula(const std::vector<std::string>& args,
                                                 std::size_t pos) {
    if (pos + 1 >= args.size()) {
        return UsageError{"expected CATEGORY ITEM"};
    }
    const auto category = parseInteger(args[pos]);
    const auto item = parseInteger(args[pos + 1]);
    if (!category || !item) {
        return UsageError{"CATEGORY and ITEM must be whole numbers: '" + args[pos] + "' '" +
                          args[pos + 1] + "'"};
    }
    if (*category < 0 || *category >= kCategoryCount || *item < 0 ||
        *item >= itemCount(static_cast<int>(*category))) {
        return UsageError{"no formula " + args[pos] + " " + args[pos + 1] +
                          " (categories 0-9, items per category 19 18 18 18 17 16 16 15 14 15)"};
    }
    return FormulaId{static_cast<int>(*category), static_cast<int>(*item)};
}

// Fills params from "v0,v1,..." over the formula's defaults; rows from P on stay 0.
std::optional<UsageError> parseParams(const std::string& list, FormulaId id, ParamRows& params) {
    const FormulaInfo& info = formulaInfo(id);
    std::vector<std::string> values;
    std::stringstream stream(list);
    std::string value;
    while (std::getline(stream, value, ',')) {
        values.push_back(value);
    }
    if (!list.empty() && list.back() == ',') {
        values.emplace_back();
    }
    if (static_cast<int>(values.size()) > info.paramCount) {
        return UsageError{"too many params: " + std::to_string(values.size()) + " given, " +
                          info.name + " has " + std::to_string(info.paramCount)};
    }
    for (std::size_t r = 0; r < values.size(); ++r) {
        const auto v = parseInteger(values[r]);
        if (!v) {
            return UsageError{"param " + std::to_string(r) + " is not a whole number: '" +
                              values[r] + "'"};
        }
        const ParamRange range = info.ranges[r];
        if (*v < range.min || *v > range.max) {
            return UsageError{"param " + std::to_string(r) + " (" + rowLabel(static_cast<int>(r)) +
                              ") = " + values[r] + " is outside " + std::to_string(range.min) +
                              ".." + std::to_string(range.max)};
        }
        params[r] = static_cast<std::int32_t>(*v);
    }
    return std::nullopt;
}

ParamRows defaultParams(FormulaId id) {
    const FormulaInfo& info = formulaInfo(id);
    ParamRows params{};
    for (int r = 0; r < info.paramCount; ++r) {
        params[r] = info.defaults[r];
    }
    return params;
}

std::variant<DrawSettings, UsageError> readSettings(const std::string& path) {
    const StoreResult<DrawSettings> read = readSettingsFile(path);
    if (!read.ok()) {
        return UsageError{describeRead(read.status)};
    }
    // A record from a file is drawn only when every field lies in the range
    // the program's own controls allow.
    if (const auto problem = checkRanges(read.value)) {
        return UsageError{path + ": " + *problem};
    }
    return read.value;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

Command parsePoints(const std::vector<std::string>& args) {
    auto formula = parseFormula(args, 1);
    if (auto* error = std::get_if<UsageError>(&formula)) {
        return *error;
    }
    PointsCommand cmd;
    cmd.formula = std::get<FormulaId>(formula);
    cmd.params = defaultParams(cmd.formula);
    for (std::size_t k = 3; k < args.size(); ++k) {
        if (args[k] == "--params" && k + 1 < args.size()) {
            if (auto error = parseParams(args[++k], cmd.formula, cmd.params)) {
                return *error;
            }
        } else if (args[k] == "--limit" && k + 1 < args.size()) {
            const auto limit = parseInteger(args[++k]);
            if (!limit || *limit < 0) {
                return UsageError{"--limit takes a whole number of 0 or more: '" + args[k] + "'"};
            }
            cmd.limit = *limit;
        } else {
            return UsageError{"unexpected argument '" + args[k] + "'"};
        }
    }
    return cmd;
}

// The record of a settings file or of an image carrying the settings line,
// refused when a field lies outside its range.
std::variant<DrawSettings, UsageError> readRecord(const std::string& path) {
    if (carriesSettings(QString::fromStdString(path))) {
        const auto settings = settingsFromImageFile(QString::fromStdString(path));
        if (!settings) {
            return UsageError{path + ": no readable image carrying Orbelle drawing settings"};
        }
        if (const auto problem = checkRanges(*settings)) {
            return UsageError{path + ": " + *problem};
        }
        return *settings;
    }
    return readSettings(path);
}

bool isRecordPath(const std::string& path) {
    return endsWith(path, ".orbdr") || carriesSettings(QString::fromStdString(path));
}

Command parseRender(const std::vector<std::string>& args) {
    RenderCommand cmd;
    std::size_t k = 1;
    if (k < args.size() && isRecordPath(args[k])) {
        auto settings = readRecord(args[k]);
        if (auto* error = std::get_if<UsageError>(&settings)) {
            return *error;
        }
        cmd.settings = std::get<DrawSettings>(settings);
        k += 1;
    } else {
        auto formula = parseFormula(args, k);
        if (auto* error = std::get_if<UsageError>(&formula)) {
            return *error;
        }
        const FormulaId id = std::get<FormulaId>(formula);
        cmd.settings = DrawSettings::startup();
        cmd.settings.category = id.category;
        cmd.settings.item = id.item;
        cmd.settings.params = defaultParams(id);
        k += 2;
        if (k + 1 < args.size() && args[k] == "--params") {
            if (auto error = parseParams(args[k + 1], id, cmd.settings.params)) {
                return *error;
            }
            k += 2;
        }
    }
    for (; k < args.size(); ++k) {
        if (args[k] == "-o" && k + 1 < args.size()) {
            cmd.outputPath = args[++k];
        } else if (args[k] == "--size" && k + 1 < args.size()) {
            const auto size = parseInteger(args[++k]);
            if (!size || *size < 1 || *size > kMaxRedrawSide) {
                return UsageError{"--size takes a whole number from 1 to 6000 (16000 with "
                                  "--redraw): '" +
                                  args[k] + "'"};
            }
            cmd.size = static_cast<int>(*size);
        } else if (args[k] == "--redraw") {
            cmd.redraw = true;
        } else {
            return UsageError{"unexpected argument '" + args[k] + "'"};
        }
    }
    if (cmd.outputPath.empty()) {
        return UsageError{"render needs -o OUT.png|.bmp|.jpg"};
    }
    if (!cmd.redraw && cmd.size > 6000) {
        return UsageError{"--size above 6000 needs --redraw: '" + std::to_string(cmd.size) + "'"};
    }
    return cmd;
}

std::string formulaText(const DrawSettings& s) {
    return std::to_string(s.category) + " " + std::to_string(s.item) + " (" +
           formulaInfo(s.formula()).name + ")";
}

Command parseAnimate(const std::vector<std::string>& args) {
    if (args.size() < 3 || !isRecordPath(args[1]) || !isRecordPath(args[2])) {
        return UsageError{"animate needs two records, FROM.orbdr TO.orbdr (or images carrying "
                          "the settings), then --frames N -o FOLDER"};
    }
    AnimateCommand cmd;
    auto from = readRecord(args[1]);
    if (auto* error = std::get_if<UsageError>(&from)) {
        return *error;
    }
    auto to = readRecord(args[2]);
    if (auto* error = std::get_if<UsageError>(&to)) {
        return *error;
    }
    cmd.from = std::get<DrawSettings>(from);
    cmd.to = std::get<DrawSettings>(to);
    if (cmd.from.formula() != cmd.to.formula()) {
        return UsageError{"the two records draw different formulas: " + args[1] + " draws " +
                          formulaText(cmd.from) + ", " + args[2] + " draws " + formulaText(cmd.to)};
    }
    for (std::size_t k = 3; k < args.size(); ++k) {
        if (args[k] == "--frames" && k + 1 < args.size()) {
            const auto frames = parseInteger(args[++k]);
            if (!frames || *frames < 1 || *frames > kMaxAnimationFrames) {
                return UsageError{"--frames takes a whole number from 1 to 9999: '" + args[k] +
                                  "'"};
            }
            cmd.frames = static_cast<int>(*frames);
        } else if (args[k] == "-o" && k + 1 < args.size()) {
            cmd.folder = args[++k];
        } else if (args[k] == "--size" && k + 1 < args.size()) {
            const auto size = parseInteger(args[++k]);
            if (!size || *size < 1 || *size > Canvas::kSize) {
                return UsageError{"--size takes a whole number from 1 to 6000: '" + args[k] + "'"};
            }
            cmd.size = static_cast<int>(*size);
        } else if (args[k] == "--video" && k + 1 < args.size()) {
            cmd.videoPath = args[++k];
            if (!endsWith(cmd.videoPath, ".mp4") && !endsWith(cmd.videoPath, ".mkv") &&
                !endsWith(cmd.videoPath, ".mov")) {
                return UsageError{"--video takes a file ending in .mp4, .mkv or .mov: '" +
                                  cmd.videoPath + "'"};
            }
        } else {
            return UsageError{"unexpected argument '" + args[k] + "'"};
        }
    }
    if (cmd.frames == 0) {
        return UsageError{"animate needs --frames N (1 to 9999)"};
    }
    if (cmd.folder.empty()) {
        return UsageError{"animate needs -o FOLDER"};
    }
    return cmd;
}

} // namespace

const char* usageText() {
    return "usage: orbelle-cli points CATEGORY ITEM [--params v0,v1,...] [--limit K]\n"
           "       orbelle-cli render (FILE.orbdr | IMAGE.png|.jpg | CATEGORY ITEM "
           "[--params ...]) -o OUT [--size N] [--redraw]\n"
           "       orbelle-cli animate FROM.orbdr TO.orbdr --frames N -o FOLDER [--size S] "
           "[--video OUT.mp4]\n"
           "       orbelle-cli --help | --version\n";
}

Command parseCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) {
        return UsageError{"no command given"};
    }
    if (args[0] == "--help" || args[0] == "-h") {
        return HelpCommand{};
    }
    if (args[0] == "--version") {
        return VersionCommand{};
    }
    if (args[0] == "points") {
        return parsePoints(args);
    }
    if (args[0] == "render") {
        return parseRender(args);
    }
    if (args[0] == "animate") {
        return parseAnimate(args);
    }
    return UsageError{"unknown command '" + args[0] + "'"};
}

} // namespace orbelle::cli
