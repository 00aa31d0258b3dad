#include "engine/figuresearch.h"

#include "engine/figurequality.h"
#include "formulas/formula.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orbelle {
namespace {

ParamRows paramsOf(const std::array<WalkRow, kRowCount>& rows) {
    ParamRows params{};
    for (int i = 0; i < kRowCount; ++i) {
        params[i] = rows[i].value;
    }
    return params;
}

} // namespace

SearchResult searchFigure(const FigureSearch& search, const std::function<bool(int)>& proceed,
                          const SeededDraw& draw) {
    SearchResult result;
    result.rows = search.rows;
    if (!isValidFormula(search.formula)) {
        return result;
    }
    constexpr std::size_t kChunk = 4096;
    std::vector<Point> dots;
    for (int t = 1; t <= search.maxTries; ++t) {
        if (proceed && !proceed(t)) {
            result.end = SearchEnd::Cancelled;
            return result;
        }
        randomWalk(result.rows, search.tick + static_cast<std::uint32_t>(t - 1), draw);
        result.tries = t;
        std::optional<FormulaRun> run = prepareFormula(search.formula, paramsOf(result.rows));
        if (!run) {
            continue;
        }
        // A count beyond the catalog's ranges is judged on its first dots only.
        const auto total = static_cast<std::size_t>(
            std::min<std::int64_t>(run->iterations(), std::int64_t{999} * 500 + 1));
        dots.resize(total);
        bool escaped = false;
        for (std::size_t k = 0; k < total && !escaped; k += kChunk) {
            if (proceed && k > 0 && !proceed(t)) {
                result.end = SearchEnd::Cancelled;
                return result;
            }
            const std::size_t n = std::min(kChunk, total - k);
            run->source->generate(dots.data() + k, n);
            // One dot that is not finite already fails the figure.
            for (std::size_t j = k; j < k + n; ++j) {
                if (!std::isfinite(dots[j].x) || !std::isfinite(dots[j].y)) {
                    dots.resize(j + 1);
                    escaped = true;
                    break;
                }
            }
        }
        if (judgeFigure(dots, search.zoom, search.displaySide).worthShowing()) {
            result.end = SearchEnd::Found;
            return result;
        }
    }
    return result;
}

} // namespace orbelle
