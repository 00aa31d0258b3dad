// Fuzz target: the command line of orbelle-cli, the input split into
// arguments at every NUL byte. A parsed command must hold only what the parser
// promises: a formula of the catalog, parameters within their rows' ranges, a
// limit of 0 or more, an output path and a size of 1 to 6000, two records of
// one formula, a frame count of 1 to 9999 and a folder; an error always
// carries a message. A request for help carries nothing to check.

#include "cli/cliargs.h"
#include "formulas/catalog.h"
#include "fuzz/fuzzscratch.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace orbelle;
using orbelle::fuzz::require;

namespace {

void checkParams(FormulaId id, const ParamRows& params) {
    const FormulaInfo& info = formulaInfo(id);
    for (int r = 0; r < info.paramCount; ++r) {
        require(params[r] >= info.ranges[r].min && params[r] <= info.ranges[r].max);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kMaxArgs = 16;
    std::vector<std::string> args(1);
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == 0) {
            if (args.size() == kMaxArgs) {
                break;
            }
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[k]);
        }
    }
    if (size == 0) {
        args.clear();
    }
    const cli::Command command = cli::parseCommandLine(args);
    if (const auto* points = std::get_if<cli::PointsCommand>(&command)) {
        require(isValidFormula(points->formula));
        checkParams(points->formula, points->params);
        require(!points->limit || *points->limit >= 0);
    } else if (const auto* render = std::get_if<cli::RenderCommand>(&command)) {
        require(isValidFormula(render->settings.formula()));
        require(!render->outputPath.empty());
        require(render->size >= 1 && render->size <= 6000);
    } else if (const auto* animate = std::get_if<cli::AnimateCommand>(&command)) {
        require(isValidFormula(animate->from.formula()));
        require(animate->from.formula() == animate->to.formula());
        checkParams(animate->from.formula(), animate->from.params);
        checkParams(animate->to.formula(), animate->to.params);
        require(!animate->folder.empty());
        require(animate->frames >= 1 && animate->frames <= cli::kMaxAnimationFrames);
        require(animate->size >= 1 && animate->size <= 6000);
    } else if (const auto* error = std::get_if<cli::UsageError>(&command)) {
        require(!error->message.empty());
    }
    return 0;
}
