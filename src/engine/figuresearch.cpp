#include "engine/figuresearch.h"

#include "engine/figuresearchstep.h"
#include "formulas/formula.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orbelle {
namespace {

// A count beyond the catalog's ranges is judged on its first dots only:
// "回数" 999 gives 499501.
constexpr std::int64_t kMostJudgedDots = std::int64_t{999} * 500 + 1;

ParamRows paramsOf(const std::array<WalkRow, kRowCount>& rows) {
    ParamRows params{};
    for (int i = 0; i < kRowCount; ++i) {
        params[i] = rows[i].value;
    }
    return params;
}

// Computes the dots of run into dots and judges them; stops early on a dot
// that is not finite, and returns nothing when proceed says stop.
std::optional<FigureVerdict> judgeRun(FormulaRun& run, const FigurePlacement& placement,
                                      std::vector<Point>& dots,
                                      const std::function<bool()>& proceed) {
    constexpr std::size_t kChunk = 4096;
    const auto total =
        static_cast<std::size_t>(std::min<std::int64_t>(run.iterations(), kMostJudgedDots));
    dots.resize(total);
    for (std::size_t k = 0; k < total; k += kChunk) {
        if (proceed && k > 0 && !proceed()) {
            return std::nullopt;
        }
        const std::size_t n = std::min(kChunk, total - k);
        run.source->generate(dots.data() + k, n);
        // One dot that is not finite already fails the figure.
        for (std::size_t j = k; j < k + n; ++j) {
            if (!std::isfinite(dots[j].x) || !std::isfinite(dots[j].y)) {
                dots.resize(j + 1);
                FigureVerdict escaped;
                escaped.finite = false;
                return escaped;
            }
        }
    }
    return judgeFigure(dots, run.startIndex, run.count, placement);
}

} // namespace

std::optional<FigureVerdict> judgeRows(FormulaId formula, const ParamRows& rows,
                                       const FigurePlacement& placement) {
    std::optional<FormulaRun> run = prepareFormula(formula, rows);
    if (!run) {
        return std::nullopt;
    }
    std::vector<Point> dots;
    return judgeRun(*run, placement, dots, {});
}

SearchResult searchFigure(const FigureSearch& search, const std::function<bool(int)>& proceed) {
    SearchResult result;
    result.rows = search.rows;
    if (!isValidFormula(search.formula)) {
        return result;
    }
    SearchRandom random(search.seed);
    std::vector<Point> dots;
    for (int t = 1; t <= search.maxTries; ++t) {
        if (proceed && !proceed(t)) {
            result.end = SearchEnd::Cancelled;
            return result;
        }
        searchStep(result.rows, t - 1, random);
        result.tries = t;
        std::optional<FormulaRun> run = prepareFormula(search.formula, paramsOf(result.rows));
        if (!run) {
            continue;
        }
        std::function<bool()> goOn;
        if (proceed) {
            goOn = [&] { return proceed(t); };
        }
        const std::optional<FigureVerdict> verdict = judgeRun(*run, search.placement, dots, goOn);
        if (!verdict) {
            result.end = SearchEnd::Cancelled;
            return result;
        }
        result.verdict = *verdict;
        if (verdict->worthShowing()) {
            result.end = SearchEnd::Found;
            return result;
        }
    }
    return result;
}

} // namespace orbelle
