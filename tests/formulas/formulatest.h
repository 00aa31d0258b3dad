#pragma once
// Helpers shared by the formula family tests.

#include "catalog.h"
#include "formula.h"

#include <gtest/gtest.h>

#include <vector>

namespace orbelle::test {

/// The defaults of a formula with rows from P on at 0.
inline ParamRows defaultRows(FormulaId id) { return formulaInfo(id).defaults; }

/// The first n points of a formula run with the given rows.
inline std::vector<Point> firstPoints(FormulaId id, const ParamRows& rows, std::size_t n) {
    auto run = prepareFormula(id, rows);
    EXPECT_TRUE(run.has_value());
    std::vector<Point> points(n);
    if (run) {
        run->source->generate(points.data(), n);
    }
    return points;
}

inline std::vector<Point> firstPoints(FormulaId id, std::size_t n) {
    return firstPoints(id, defaultRows(id), n);
}

/// Number of dots a formula draws with its defaults (N + 1 - i0).
inline std::int64_t defaultDotCount(FormulaId id) {
    auto run = prepareFormula(id, defaultRows(id));
    return run ? run->iterations() : -1;
}

} // namespace orbelle::test
