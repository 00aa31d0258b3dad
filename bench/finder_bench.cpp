// The figure finder: what judging a figure costs against computing its dots
// and against drawing them (start-up figure, 100001 and 499501 dots), and,
// printed at the end, how many tries the search takes from ten random starts
// the verdict refuses (a random formula with every row drawn from its range)
// and from the dust of "定数H" -998 with ten seeds.

#include "engine/canvas.h"
#include "engine/draw.h"
#include "engine/figurequality.h"
#include "engine/figuresearch.h"
#include "engine/figuresearchstep.h"
#include "formulas/catalog.h"
#include "formulas/formula.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace orbelle;

namespace {

std::vector<Point> startupDots(int count) {
    ParamRows rows = formulaInfo({0, 0}).defaults;
    rows[0] = count;
    std::optional<FormulaRun> run = prepareFormula({0, 0}, rows);
    std::vector<Point> dots(static_cast<std::size_t>(run->iterations()));
    run->source->generate(dots.data(), dots.size());
    return dots;
}

void BM_ComputeDots(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(startupDots(static_cast<int>(state.range(0))).data());
    }
}

void BM_JudgeDots(benchmark::State& state) {
    const std::vector<Point> dots = startupDots(static_cast<int>(state.range(0)));
    const auto count = static_cast<std::int32_t>(state.range(0) * 500);
    for (auto _ : state) {
        benchmark::DoNotOptimize(judgeFigure(dots, 0, count, FigurePlacement{}).coveredCells);
    }
}

void BM_Draw(benchmark::State& state) {
    static auto canvas = std::make_unique<Canvas>();
    DrawSettings s = DrawSettings::startup();
    s.params[0] = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(draw(s, *canvas).dotCount);
    }
}

ParamRows valuesOf(const std::array<WalkRow, kRowCount>& rows) {
    ParamRows v{};
    for (int i = 0; i < kRowCount; ++i) {
        v[i] = rows[i].value;
    }
    return v;
}

void printTries(const std::string& what, const SearchResult& r) {
    std::printf("%-40s %s after %3d tries\n", what.c_str(),
                r.end == SearchEnd::Found ? "found" : "none ", r.tries);
}

void reportTries() {
    std::printf("\nTries of the figure finder (at most 200):\n");
    SearchRandom pick(20261210);
    int starts = 0;
    while (starts < 10) {
        const int category = static_cast<int>(pick.between(0, kCategoryCount - 1));
        const FormulaId id{category, static_cast<int>(pick.between(0, itemCount(category) - 1))};
        const FormulaInfo& info = formulaInfo(id);
        FigureSearch search;
        search.formula = id;
        search.seed = static_cast<std::uint64_t>(starts + 1);
        for (int i = 0; i < kRowCount; ++i) {
            search.rows[i] = WalkRow{i < info.paramCount, false, info.ranges[i], 0};
            if (i < info.paramCount) {
                search.rows[i].value =
                    static_cast<std::int32_t>(pick.between(info.ranges[i].min, info.ranges[i].max));
            }
        }
        const FigureVerdict start = *judgeRows(id, valuesOf(search.rows), search.placement);
        if (start.worthShowing()) {
            continue;
        }
        ++starts;
        const std::string what = std::to_string(id.category) + " " + std::to_string(id.item) + " " +
                                 info.name + " (" + start.reason() + ")";
        printTries(what, searchFigure(search));
    }
    FigureSearch dust;
    dust.formula = {0, 0};
    const FormulaInfo& diamond = formulaInfo(dust.formula);
    for (int i = 0; i < kRowCount; ++i) {
        dust.rows[i] = WalkRow{true, false, diamond.ranges[i], diamond.defaults[i]};
    }
    dust.rows[13].value = -998;
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        dust.seed = seed;
        const std::string what = "0 0 定数H -998, seed " + std::to_string(seed);
        printTries(what, searchFigure(dust));
    }
}

} // namespace

BENCHMARK(BM_ComputeDots)->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JudgeDots)->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Draw)->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    reportTries();
    return 0;
}
