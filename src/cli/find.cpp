#include "cli/find.h"

#include "cli/failure.h"
#include "formulas/catalog.h"

#include <random>

namespace orbelle::cli {

FigureSearch searchOf(const FindCommand& cmd, std::uint64_t seed) {
    const DrawSettings& s = cmd.settings;
    const FormulaInfo& info = formulaInfo(s.formula());
    FigureSearch search;
    search.formula = s.formula();
    for (int i = 0; i < kRowCount; ++i) {
        search.rows[i] =
            WalkRow{i < info.paramCount, s.paramLocked[i] != 0, info.ranges[i], s.params[i]};
    }
    search.seed = seed;
    search.placement = FigurePlacement::of(s);
    search.maxTries = cmd.tries;
    return search;
}

std::string paramsText(const FigureSearch& search, const SearchResult& result) {
    std::string text;
    for (int i = 0; i < kRowCount && search.rows[i].active; ++i) {
        if (i > 0) {
            text += ',';
        }
        text += std::to_string(result.rows[i].value);
    }
    return text;
}

int runFind(const FindCommand& cmd) {
    std::uint64_t seed = cmd.seed;
    if (!cmd.seedGiven) {
        std::random_device device;
        seed = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    }
    const FigureSearch search = searchOf(cmd, seed);
    const SearchResult result = searchFigure(search);
    if (result.end != SearchEnd::Found) {
        return fail(kNothingFound, "no figure worth showing in " + std::to_string(result.tries) +
                                       " tries from seed " + std::to_string(seed) +
                                       " (the last try: " + result.verdict.reason() + ")");
    }
    return writeStandardOutput(paramsText(search, result) + "\n", "the rows found");
}

} // namespace orbelle::cli
