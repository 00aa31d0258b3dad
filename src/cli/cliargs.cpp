#include "cli/cliargs.h"

#include "cli/librarymessages.h"
#include "engine/canvas.h"
#include "engine/drawscaled.h"
#include "engine/settingsranges.h"
#include "formulas/catalog.h"
#include "imageio/fileread.h"
#include "imageio/imageformat.h"
#include "imageio/imagesettings.h"
#include "store/settingsfile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <charconv>
#include <cstring>
#include <sstream>

namespace orbelle::cli {
namespace {

// A PNG or JPEG path, whose image carries the settings line.
bool isImagePath(const std::string& path) { return carriesSettings(QString::fromStdString(path)); }

// The line a failed read of a record gives; `said` is what the image
// libraries said meanwhile.
std::string describeRead(const StoreStatus& status, const std::string& said = {}) {
    const std::string path = status.path().string();
    switch (status.error()) {
    case StoreError::NotRegularFile:
        return "cannot read " + path + ": not a regular file";
    case StoreError::TooLarge:
        return isImagePath(path) ? "cannot read " + path + ": larger than " +
                                       std::to_string(kMaxImageFileBytes >> 20) + " MiB"
                                 : path + ": not a settings file (longer than 1 MiB)";
    case StoreError::NotSettingsFile:
        return path + ": not a settings file (wrong field count or failing sum)";
    case StoreError::NotImage:
        return "cannot read " + path + ": not a PNG or JPEG image" +
               saidInParentheses(said.empty() ? status.detail() : said);
    case StoreError::NoImageSettings:
        return path + ": no readable image carrying Orbelle drawing settings" +
               saidInParentheses(said);
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

// Reads CATEGORY ITEM.
std::variant<FormulaId, UsageError> parseFormula(const std::string& categoryText,
                                                 const std::string& itemText) {
    const auto category = parseInteger(categoryText);
    const auto item = parseInteger(itemText);
    if (!category || !item) {
        return UsageError{"CATEGORY and ITEM must be whole numbers: '" + categoryText + "' '" +
                          itemText + "'"};
    }
    if (*category < 0 || *category >= kCategoryCount || *item < 0 ||
        *item >= itemCount(static_cast<int>(*category))) {
        return UsageError{"no formula " + categoryText + " " + itemText +
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
    // Colours are taken as written, so that the range check refuses a
    // negative one or one above 16777215.
    const StoreResult<DrawSettings> read = readSettingsFile(path, ColourBits::AsWritten);
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

// The record of a settings file or of an image carrying the settings line,
// refused when a field lies outside its range.
std::variant<DrawSettings, UsageError> readRecord(const std::string& path) {
    if (isImagePath(path)) {
        LibraryMessages libraries;
        const StoreResult<DrawSettings> read =
            readImageSettings(QString::fromStdString(path), ColourBits::AsWritten);
        const std::string said = libraries.finish();
        if (!read.ok()) {
            return UsageError{describeRead(read.status, said)};
        }
        if (const auto problem = checkRanges(read.value)) {
            return UsageError{path + ": " + *problem};
        }
        return read.value;
    }
    return readSettings(path);
}

bool isRecordPath(const std::string& path) {
    return endsWith(path, ".orbdr") || carriesSettings(QString::fromStdString(path));
}

std::string formulaText(const DrawSettings& s) {
    return std::to_string(s.category) + " " + std::to_string(s.item) + " (" +
           formulaInfo(s.formula()).name + ")";
}

// ---- One command's options ------------------------------------------------

// Arguments pass through the parser as Latin-1, one character per byte, so
// every byte of a file name comes back as it was given, UTF-8 or not.
QString toParser(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromParser(const QString& text) { return text.toLatin1().toStdString(); }

// An option of a command: its names ("o", "size") and, for one that takes a
// value, a name for the value (the parser gives a value to an option that has
// one).
struct OptionSpec {
    QStringList names;
    QString valueName;
};

// The options and positional arguments of one command line, parsed.
class CommandOptions {
  public:
    // Parses args[1...] (args[0] is the command) for the options given plus
    // -h/--help. Returns the error, or nothing.
    std::optional<UsageError> parse(const std::vector<std::string>& args,
                                    const std::vector<OptionSpec>& options) {
        m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
        for (const OptionSpec& option : options) {
            m_parser.addOption(QCommandLineOption(option.names, QString(), option.valueName));
        }
        m_parser.addOption(
            QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
        // The parser takes its first argument for the program's name.
        QStringList list{QStringLiteral("orbelle-cli")};
        for (std::size_t k = 1; k < args.size(); ++k) {
            list.append(toParser(args[k]));
        }
        if (!m_parser.parse(list)) {
            const QStringList unknown = m_parser.unknownOptionNames();
            if (!unknown.isEmpty()) {
                return UsageError{"unknown option '" + asTyped(args, fromParser(unknown.first())) +
                                  "' for " + args[0]};
            }
            return UsageError{readable(fromParser(m_parser.errorText()))};
        }
        for (const QString& positional : m_parser.positionalArguments()) {
            m_positionals.push_back(fromParser(positional));
        }
        return std::nullopt;
    }

    bool isSet(const char* name) const { return m_parser.isSet(QString::fromLatin1(name)); }

    // The value of an option, or nothing when it is not given; the last one
    // counts when it is given twice.
    std::optional<std::string> value(const char* name) const {
        if (!isSet(name)) {
            return std::nullopt;
        }
        return fromParser(m_parser.value(QString::fromLatin1(name)));
    }

    const std::vector<std::string>& positionals() const { return m_positionals; }

  private:
    // The option as the command line wrote it, with its dashes ("-x",
    // "--long").
    static std::string asTyped(const std::vector<std::string>& args, const std::string& name) {
        for (std::size_t k = 1; k < args.size() && args[k] != "--"; ++k) {
            const std::string& arg = args[k];
            const std::size_t dashes = arg.rfind("--", 0) == 0 ? 2 : 1;
            if (arg.size() > dashes && arg[0] == '-' &&
                arg.substr(dashes, arg.find('=') - dashes) == name) {
                return arg.substr(0, dashes) + name;
            }
        }
        return (name.size() == 1 ? "-" : "--") + name;
    }

    // The parser's message as this tool writes its messages: lower case at
    // the start, no full stop at the end.
    static std::string readable(std::string message) {
        if (!message.empty() && message.back() == '.') {
            message.pop_back();
        }
        if (!message.empty() && message[0] >= 'A' && message[0] <= 'Z') {
            message[0] = static_cast<char>(message[0] - 'A' + 'a');
        }
        return message;
    }

    QCommandLineParser m_parser;
    std::vector<std::string> m_positionals;
};

OptionSpec valueOption(const char* name, const char* valueName) {
    return {{QString::fromLatin1(name)}, QString::fromLatin1(valueName)};
}

OptionSpec flagOption(const char* name) { return {{QString::fromLatin1(name)}, QString()}; }

// Refuses positional arguments beyond the first `count`.
std::optional<UsageError> refuseExtra(const std::vector<std::string>& positionals,
                                      std::size_t count) {
    if (positionals.size() > count) {
        return UsageError{"unexpected argument '" + positionals[count] + "'"};
    }
    return std::nullopt;
}

std::optional<int> parseSize(const std::string& text, int max) {
    const auto size = parseInteger(text);
    if (!size || *size < 1 || *size > max) {
        return std::nullopt;
    }
    return static_cast<int>(*size);
}

// The record render and find start from: a settings file or an image
// carrying the settings, or CATEGORY ITEM with the start-up settings and the
// formula's defaults, which --params may replace.
std::variant<DrawSettings, UsageError> startOf(const CommandOptions& options,
                                               const std::string& command) {
    const auto& positionals = options.positionals();
    if (!positionals.empty() && isRecordPath(positionals[0])) {
        if (auto error = refuseExtra(positionals, 1)) {
            return *error;
        }
        if (options.isSet("params")) {
            return UsageError{"--params goes with CATEGORY ITEM, not with the record " +
                              positionals[0]};
        }
        return readRecord(positionals[0]);
    }
    if (positionals.size() < 2) {
        return UsageError{command + " expects FILE.orbdr, IMAGE.png|.jpg or CATEGORY ITEM"};
    }
    if (auto error = refuseExtra(positionals, 2)) {
        return *error;
    }
    auto formula = parseFormula(positionals[0], positionals[1]);
    if (auto* error = std::get_if<UsageError>(&formula)) {
        return *error;
    }
    const FormulaId id = std::get<FormulaId>(formula);
    DrawSettings settings = DrawSettings::startup();
    settings.category = id.category;
    settings.item = id.item;
    settings.params = defaultParams(id);
    if (const auto params = options.value("params")) {
        if (auto error = parseParams(*params, id, settings.params)) {
            return *error;
        }
    }
    return settings;
}

// ---- The commands ---------------------------------------------------------

Command parsePoints(const std::vector<std::string>& args) {
    CommandOptions options;
    if (auto error =
            options.parse(args, {valueOption("params", "v0,v1,..."), valueOption("limit", "K")})) {
        return *error;
    }
    if (options.isSet("help")) {
        return HelpCommand{"points"};
    }
    const auto& positionals = options.positionals();
    if (positionals.size() < 2) {
        return UsageError{"points expects CATEGORY ITEM"};
    }
    if (auto error = refuseExtra(positionals, 2)) {
        return *error;
    }
    auto formula = parseFormula(positionals[0], positionals[1]);
    if (auto* error = std::get_if<UsageError>(&formula)) {
        return *error;
    }
    PointsCommand cmd;
    cmd.formula = std::get<FormulaId>(formula);
    cmd.params = defaultParams(cmd.formula);
    if (const auto params = options.value("params")) {
        if (auto error = parseParams(*params, cmd.formula, cmd.params)) {
            return *error;
        }
    }
    if (const auto text = options.value("limit")) {
        const auto limit = parseInteger(*text);
        if (!limit || *limit < 0) {
            return UsageError{"--limit takes a whole number of 0 or more: '" + *text + "'"};
        }
        cmd.limit = *limit;
    }
    return cmd;
}

// The row of the image format table --format names: png, jpg (or jpeg) or bmp.
std::optional<ImageFormat> formatNamed(const std::string& name) {
    return imageFormatNamed(QString::fromStdString(name));
}

Command parseRender(const std::vector<std::string>& args) {
    CommandOptions options;
    if (auto error = options.parse(args, {valueOption("o", "OUT"), valueOption("size", "N"),
                                          flagOption("redraw"), valueOption("params", "v0,v1,..."),
                                          valueOption("format", "FORMAT")})) {
        return *error;
    }
    if (options.isSet("help")) {
        return HelpCommand{"render"};
    }
    RenderCommand cmd;
    auto start = startOf(options, "render");
    if (auto* error = std::get_if<UsageError>(&start)) {
        return *error;
    }
    cmd.settings = std::get<DrawSettings>(start);
    if (const auto size = options.value("size")) {
        const auto side = parseSize(*size, kMaxRedrawSide);
        if (!side) {
            return UsageError{"--size takes a whole number from 1 to 6000 (16000 with "
                              "--redraw): '" +
                              *size + "'"};
        }
        cmd.size = *side;
    }
    cmd.redraw = options.isSet("redraw");
    cmd.outputPath = options.value("o").value_or("");
    if (cmd.outputPath.empty()) {
        return UsageError{"render needs -o OUT.png|.bmp|.jpg, or -o - for standard output"};
    }
    if (!cmd.redraw && cmd.size > 6000) {
        return UsageError{"--size above 6000 needs --redraw: '" + std::to_string(cmd.size) + "'"};
    }
    // Standard output takes PNG unless --format says otherwise; a file takes
    // the format of its extension, which --format may repeat.
    const bool toStandardOutput = cmd.outputPath == kStandardOutput;
    std::optional<ImageFormat> format =
        toStandardOutput ? formatNamed("png")
                         : imageFormatFor(QString::fromStdString(cmd.outputPath));
    if (const auto name = options.value("format")) {
        const std::optional<ImageFormat> named = formatNamed(*name);
        if (!named) {
            return UsageError{"--format takes png, jpg or bmp: '" + *name + "'"};
        }
        if (!toStandardOutput && (!format || format->writerFormat != named->writerFormat)) {
            return UsageError{"--format " + *name + " does not agree with the extension of " +
                              cmd.outputPath};
        }
        if (toStandardOutput) {
            format = named;
        }
    }
    if (!format) {
        return UsageError{"the output must end in .png, .bmp, .jpg or .jpeg: " + cmd.outputPath};
    }
    cmd.format = format->extension.toStdString();
    return cmd;
}

Command parseAnimate(const std::vector<std::string>& args) {
    CommandOptions options;
    if (auto error = options.parse(args, {valueOption("frames", "N"), valueOption("o", "FOLDER"),
                                          valueOption("size", "S"), valueOption("video", "OUT")})) {
        return *error;
    }
    if (options.isSet("help")) {
        return HelpCommand{"animate"};
    }
    const auto& positionals = options.positionals();
    if (positionals.size() < 2 || !isRecordPath(positionals[0]) || !isRecordPath(positionals[1])) {
        return UsageError{"animate needs two records, FROM.orbdr TO.orbdr (or images carrying "
                          "the settings), then --frames N -o FOLDER"};
    }
    if (auto error = refuseExtra(positionals, 2)) {
        return *error;
    }
    AnimateCommand cmd;
    auto from = readRecord(positionals[0]);
    if (auto* error = std::get_if<UsageError>(&from)) {
        return *error;
    }
    auto to = readRecord(positionals[1]);
    if (auto* error = std::get_if<UsageError>(&to)) {
        return *error;
    }
    cmd.from = std::get<DrawSettings>(from);
    cmd.to = std::get<DrawSettings>(to);
    if (cmd.from.formula() != cmd.to.formula()) {
        return UsageError{"the two records draw different formulas: " + positionals[0] + " draws " +
                          formulaText(cmd.from) + ", " + positionals[1] + " draws " +
                          formulaText(cmd.to)};
    }
    if (const auto text = options.value("frames")) {
        const auto frames = parseSize(*text, kMaxAnimationFrames);
        if (!frames) {
            return UsageError{"--frames takes a whole number from 1 to 9999: '" + *text + "'"};
        }
        cmd.frames = *frames;
    }
    cmd.folder = options.value("o").value_or("");
    if (const auto text = options.value("size")) {
        const auto size = parseSize(*text, Canvas::kSize);
        if (!size) {
            return UsageError{"--size takes a whole number from 1 to 6000: '" + *text + "'"};
        }
        cmd.size = *size;
    }
    if (const auto video = options.value("video")) {
        cmd.videoPath = *video;
        if (!endsWith(cmd.videoPath, ".mp4") && !endsWith(cmd.videoPath, ".mkv") &&
            !endsWith(cmd.videoPath, ".mov")) {
            return UsageError{"--video takes a file ending in .mp4, .mkv or .mov: '" +
                              cmd.videoPath + "'"};
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

Command parseFind(const std::vector<std::string>& args) {
    CommandOptions options;
    if (auto error =
            options.parse(args, {valueOption("params", "v0,v1,..."), valueOption("lock", "r,r,..."),
                                 valueOption("seed", "S"), valueOption("tries", "N")})) {
        return *error;
    }
    if (options.isSet("help")) {
        return HelpCommand{"find"};
    }
    FindCommand cmd;
    auto start = startOf(options, "find");
    if (auto* error = std::get_if<UsageError>(&start)) {
        return *error;
    }
    cmd.settings = std::get<DrawSettings>(start);
    if (const auto rows = options.value("lock")) {
        const int count = formulaInfo(cmd.settings.formula()).paramCount;
        std::stringstream stream(*rows);
        std::string row;
        while (std::getline(stream, row, ',')) {
            const auto r = parseInteger(row);
            if (!r || *r < 0 || *r >= count) {
                return UsageError{"--lock takes row numbers from 0 to " +
                                  std::to_string(count - 1) + ", separated by commas: '" + *rows +
                                  "'"};
            }
            cmd.settings.paramLocked[static_cast<std::size_t>(*r)] = 1;
        }
    }
    if (const auto text = options.value("seed")) {
        std::uint64_t seed = 0;
        const auto [ptr, ec] = std::from_chars(text->data(), text->data() + text->size(), seed);
        if (ec != std::errc() || ptr != text->data() + text->size() || text->empty()) {
            return UsageError{"--seed takes a whole number from 0 to 18446744073709551615: '" +
                              *text + "'"};
        }
        cmd.seed = seed;
        cmd.seedGiven = true;
    }
    if (const auto text = options.value("tries")) {
        const auto tries = parseSize(*text, kMaxFindTries);
        if (!tries) {
            return UsageError{"--tries takes a whole number from 1 to " +
                              std::to_string(kMaxFindTries) + ": '" + *text + "'"};
        }
        cmd.tries = *tries;
    }
    return cmd;
}

Command parseList(const std::vector<std::string>& args) {
    CommandOptions options;
    if (auto error = options.parse(args, {flagOption("json")})) {
        return *error;
    }
    if (options.isSet("help")) {
        return HelpCommand{"list"};
    }
    if (auto error = refuseExtra(options.positionals(), 0)) {
        return *error;
    }
    return ListCommand{options.isSet("json")};
}

} // namespace

Command parseCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) {
        return UsageError{"no command given"};
    }
    const std::string& first = args[0];
    if (first == "--help" || first == "-h") {
        return HelpCommand{};
    }
    if (first == "--version") {
        return VersionCommand{};
    }
    if (first == "points") {
        return parsePoints(args);
    }
    if (first == "render") {
        return parseRender(args);
    }
    if (first == "animate") {
        return parseAnimate(args);
    }
    if (first == "find") {
        return parseFind(args);
    }
    if (first == "list") {
        return parseList(args);
    }
    if (first.size() > 1 && first[0] == '-') {
        return UsageError{"unknown option '" + first + "' (a command comes first)"};
    }
    return UsageError{"unknown command '" + first + "'"};
}

} // namespace orbelle::cli
