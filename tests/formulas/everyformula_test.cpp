// Every formula of the catalog with its defaults: where its orbit starts, how
// many dots it draws, and that its first points make a finite figure that
// spreads out. The thresholds are each formula's own, in the table below.

#include "formulas/catalog.h"
#include "formulas/formula.h"
#include "formulas/formulatest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace orbelle;
using namespace orbelle::test;

namespace {

struct SweepCase {
    FormulaId id;
    int startIndex;        // i0 of the orbit
    std::int64_t dots;     // N + 1 - i0 written out; 0 where only the rule is checked
    std::size_t sampled;   // first points looked at
    std::size_t minPixels; // distinct whole-number positions, more than this
    double minWidth;       // x extent, more than this (0: not checked)
    bool mustMove;         // some point differs from the first
};

const SweepCase kSweep[] = {
    // Gem
    {{0, 0}, 0, 100001, 2000, 500, 0.0, false},
    {{0, 1}, 0, 100001, 2000, 500, 0.0, false},
    {{0, 2}, 1, 150000, 2000, 500, 0.0, false},
    {{0, 3}, 0, 100001, 2000, 500, 0.0, false},
    {{0, 4}, 0, 100001, 2000, 500, 0.0, false},
    {{0, 5}, 0, 100001, 2000, 500, 0.0, false},
    {{0, 6}, 0, 100001, 2000, 500, 0.0, false},
    {{0, 7}, 0, 100001, 2000, 500, 0.0, false},
    {{0, 8}, 1, 100000, 2000, 500, 0.0, false},
    {{0, 9}, 1, 150000, 2000, 500, 0.0, false},
    {{0, 10}, 1, 100000, 2000, 500, 0.0, false},
    {{0, 11}, 1, 150000, 2000, 500, 0.0, false},
    {{0, 12}, 1, 100000, 2000, 500, 0.0, false},
    {{0, 13}, 1, 150000, 2000, 500, 0.0, false},
    {{0, 14}, 1, 150000, 2000, 500, 0.0, false},
    {{0, 15}, 1, 100000, 2000, 500, 0.0, false},
    {{0, 16}, 1, 100000, 2000, 500, 0.0, false},
    {{0, 17}, 1, 100000, 2000, 500, 0.0, false},
    {{0, 18}, 1, 100000, 2000, 500, 0.0, false},
    // Galaxy
    {{1, 0}, 1, 100000, 2000, 200, 0.0, false},
    {{1, 1}, 1, 150000, 2000, 200, 0.0, false},
    {{1, 2}, 1, 100000, 2000, 200, 0.0, false},
    {{1, 3}, 0, 100001, 2000, 200, 0.0, false},
    {{1, 4}, 1, 100000, 2000, 200, 0.0, false},
    {{1, 5}, 0, 100001, 2000, 200, 0.0, false},
    {{1, 6}, 1, 100000, 2000, 200, 0.0, false},
    {{1, 7}, 1, 100000, 2000, 200, 0.0, false},
    {{1, 8}, 0, 100001, 2000, 200, 0.0, false},
    {{1, 9}, 1, 100000, 2000, 200, 0.0, false},
    {{1, 10}, 1, 100000, 2000, 200, 0.0, false},
    {{1, 11}, 1, 200000, 2000, 200, 0.0, false},
    {{1, 12}, 1, 100000, 2000, 200, 0.0, false},
    {{1, 13}, 1, 150000, 2000, 200, 0.0, false},
    {{1, 14}, 1, 100000, 2000, 200, 0.0, false},
    {{1, 15}, 1, 100000, 2000, 200, 0.0, false},
    {{1, 16}, 0, 100001, 2000, 200, 0.0, false},
    {{1, 17}, 1, 50000, 2000, 200, 0.0, false},
    // Flower
    {{2, 0}, 1, 0, 2000, 0, 10.0, false},
    {{2, 1}, 1, 0, 2000, 0, 10.0, false},
    {{2, 2}, 1, 0, 2000, 0, 10.0, false},
    {{2, 3}, 1, 105500, 2000, 0, 10.0, false},
    {{2, 4}, 1, 0, 2000, 0, 10.0, false},
    {{2, 5}, 1, 0, 2000, 0, 10.0, false},
    {{2, 6}, 1, 0, 2000, 0, 10.0, false},
    {{2, 7}, 1, 0, 2000, 0, 10.0, false},
    {{2, 8}, 1, 0, 2000, 0, 10.0, false},
    {{2, 9}, 1, 0, 2000, 0, 10.0, false},
    {{2, 10}, 1, 0, 2000, 0, 10.0, false},
    {{2, 11}, 1, 0, 2000, 0, 10.0, false},
    {{2, 12}, 1, 0, 2000, 0, 10.0, false},
    {{2, 13}, 1, 0, 2000, 0, 10.0, false},
    {{2, 14}, 1, 0, 2000, 0, 10.0, false},
    {{2, 15}, 1, 0, 2000, 0, 10.0, false},
    {{2, 16}, 1, 0, 2000, 0, 10.0, false},
    {{2, 17}, 1, 0, 2000, 0, 10.0, false},
    // Astrology
    {{3, 0}, 1, 0, 2000, 0, 10.0, false},
    {{3, 1}, 1, 0, 2000, 0, 10.0, false},
    {{3, 2}, 1, 0, 2000, 0, 10.0, false},
    {{3, 3}, 1, 0, 2000, 0, 10.0, false},
    {{3, 4}, 1, 0, 2000, 0, 10.0, false},
    {{3, 5}, 1, 0, 2000, 0, 10.0, false},
    {{3, 6}, 1, 0, 2000, 0, 10.0, false},
    {{3, 7}, 1, 0, 2000, 0, 10.0, false},
    {{3, 8}, 1, 0, 2000, 0, 10.0, false},
    {{3, 9}, 1, 0, 2000, 0, 10.0, false},
    {{3, 10}, 1, 0, 2000, 0, 10.0, false},
    {{3, 11}, 1, 0, 2000, 0, 10.0, false},
    {{3, 12}, 1, 0, 2000, 0, 10.0, false},
    {{3, 13}, 1, 0, 2000, 0, 10.0, false},
    {{3, 14}, 1, 0, 2000, 0, 10.0, false},
    {{3, 15}, 1, 0, 2000, 0, 10.0, false},
    {{3, 16}, 1, 0, 2000, 0, 10.0, false},
    {{3, 17}, 0, 200001, 2000, 0, 10.0, false},
    // Game
    {{4, 0}, 1, 0, 2000, 20, 0.0, false},
    {{4, 1}, 1, 0, 2000, 20, 0.0, false},
    {{4, 2}, 1, 0, 2000, 20, 0.0, false},
    {{4, 3}, 1, 0, 2000, 20, 0.0, false},
    {{4, 4}, 1, 0, 2000, 20, 0.0, false},
    {{4, 5}, 1, 0, 2000, 20, 0.0, false},
    {{4, 6}, 1, 0, 2000, 20, 0.0, false},
    {{4, 7}, 1, 0, 2000, 20, 0.0, false},
    {{4, 8}, 1, 0, 2000, 20, 0.0, false},
    {{4, 9}, 1, 0, 2000, 20, 0.0, false},
    {{4, 10}, 1, 0, 2000, 20, 0.0, false},
    {{4, 11}, 1, 0, 2000, 20, 0.0, false},
    {{4, 12}, 1, 0, 2000, 20, 0.0, false},
    {{4, 13}, 1, 0, 2000, 20, 0.0, false},
    {{4, 14}, 1, 0, 2000, 20, 0.0, false},
    {{4, 15}, 1, 150000, 2000, 20, 0.0, false},
    {{4, 16}, 1, 0, 2000, 20, 0.0, false},
    // Metal
    {{5, 0}, 1, 150000, 2000, 20, 0.0, false},
    {{5, 1}, 1, 0, 2000, 20, 0.0, false},
    {{5, 2}, 1, 0, 2000, 20, 0.0, false},
    {{5, 3}, 1, 0, 2000, 20, 0.0, false},
    {{5, 4}, 1, 0, 2000, 20, 0.0, false},
    {{5, 5}, 1, 0, 2000, 20, 0.0, false},
    {{5, 6}, 1, 0, 2000, 20, 0.0, false},
    {{5, 7}, 1, 0, 2000, 20, 0.0, false},
    {{5, 8}, 1, 0, 2000, 20, 0.0, false},
    {{5, 9}, 1, 0, 2000, 20, 0.0, false},
    {{5, 10}, 1, 0, 2000, 20, 0.0, false},
    {{5, 11}, 1, 0, 2000, 20, 0.0, false},
    {{5, 12}, 1, 0, 2000, 20, 0.0, false},
    {{5, 13}, 1, 0, 2000, 20, 0.0, false},
    {{5, 14}, 1, 0, 2000, 20, 0.0, false},
    {{5, 15}, 1, 50000, 2000, 20, 0.0, false},
    // Music
    {{6, 0}, 1, 0, 2000, 0, 0.0, true},
    {{6, 1}, 1, 0, 2000, 0, 0.0, true},
    {{6, 2}, 1, 0, 2000, 0, 0.0, true},
    {{6, 3}, 1, 0, 2000, 0, 0.0, true},
    {{6, 4}, 1, 0, 2000, 0, 0.0, true},
    {{6, 5}, 0, 100001, 2000, 0, 0.0, true},
    {{6, 6}, 0, 100001, 2000, 0, 0.0, true},
    {{6, 7}, 1, 0, 2000, 0, 0.0, true},
    {{6, 8}, 1, 0, 2000, 0, 0.0, true},
    {{6, 9}, 1, 0, 2000, 0, 0.0, true},
    {{6, 10}, 1, 151000, 2000, 0, 0.0, true},
    {{6, 11}, 1, 0, 2000, 0, 0.0, true},
    {{6, 12}, 1, 0, 2000, 0, 0.0, true},
    {{6, 13}, 1, 0, 2000, 0, 0.0, true},
    {{6, 14}, 1, 0, 2000, 0, 0.0, true},
    {{6, 15}, 1, 0, 2000, 0, 0.0, true},
    // Wheel
    {{7, 0}, 0, 100001, 2000, 0, 0.0, true},
    {{7, 1}, 0, 100001, 2000, 0, 0.0, true},
    {{7, 2}, 0, 100001, 2000, 0, 0.0, true},
    {{7, 3}, 0, 100001, 2000, 0, 0.0, true},
    {{7, 4}, 0, 100001, 2000, 0, 0.0, true},
    {{7, 5}, 0, 100001, 2000, 0, 0.0, true},
    {{7, 6}, 0, 100001, 2000, 0, 0.0, true},
    {{7, 7}, 0, 100001, 2000, 0, 0.0, true},
    {{7, 8}, 1, 150000, 2000, 0, 0.0, true},
    {{7, 9}, 1, 150000, 2000, 0, 0.0, true},
    {{7, 10}, 1, 150000, 2000, 0, 0.0, true},
    {{7, 11}, 1, 150000, 2000, 0, 0.0, true},
    {{7, 12}, 0, 100001, 2000, 0, 0.0, true},
    {{7, 13}, 0, 100001, 2000, 0, 0.0, true},
    {{7, 14}, 0, 100001, 2000, 0, 0.0, true},
    // City
    {{8, 0}, 1, 0, 500, 20, 0.0, false},
    {{8, 1}, 1, 0, 500, 20, 0.0, false},
    {{8, 2}, 1, 0, 500, 20, 0.0, false},
    {{8, 3}, 1, 150000, 500, 20, 0.0, false},
    {{8, 4}, 1, 0, 500, 20, 0.0, false},
    {{8, 5}, 1, 75000, 500, 20, 0.0, false},
    {{8, 6}, 1, 0, 500, 20, 0.0, false},
    {{8, 7}, 1, 0, 500, 20, 0.0, false},
    {{8, 8}, 1, 0, 500, 20, 0.0, false},
    {{8, 9}, 1, 0, 500, 20, 0.0, false},
    {{8, 10}, 1, 0, 500, 20, 0.0, false},
    {{8, 11}, 1, 0, 500, 20, 0.0, false},
    {{8, 12}, 1, 0, 500, 20, 0.0, false},
    {{8, 13}, 1, 0, 500, 20, 0.0, false},
    // Virtue
    {{9, 0}, 1, 0, 500, 20, 0.0, false},
    {{9, 1}, 1, 0, 500, 20, 0.0, false},
    {{9, 2}, 1, 0, 500, 20, 0.0, false},
    {{9, 3}, 1, 0, 500, 20, 0.0, false},
    {{9, 4}, 1, 0, 500, 20, 0.0, false},
    {{9, 5}, 1, 145000, 500, 20, 0.0, false},
    {{9, 6}, 1, 0, 500, 20, 0.0, false},
    {{9, 7}, 1, 0, 500, 20, 0.0, false},
    {{9, 8}, 1, 0, 500, 20, 0.0, false},
    {{9, 9}, 1, 0, 500, 20, 0.0, false},
    {{9, 10}, 1, 0, 500, 20, 0.0, false},
    {{9, 11}, 1, 0, 500, 20, 0.0, false},
    {{9, 12}, 1, 0, 500, 20, 0.0, false},
    {{9, 13}, 1, 0, 500, 20, 0.0, false},
    {{9, 14}, 1, 0, 500, 20, 0.0, false},
};

class EveryFormula : public ::testing::TestWithParam<SweepCase> {};

std::string caseName(const ::testing::TestParamInfo<SweepCase>& info) {
    return "Category" + std::to_string(info.param.id.category) + "Item" +
           std::to_string(info.param.id.item);
}

} // namespace

TEST(EveryFormulaTable, CoversTheCatalog) {
    int covered = 0;
    for (int category = 0; category < kCategoryCount; ++category) {
        for (int item = 0; item < itemCount(category); ++item) {
            EXPECT_EQ(kSweep[covered].id, (FormulaId{category, item})) << covered;
            ++covered;
        }
    }
    EXPECT_EQ(covered, 166);
    EXPECT_EQ(std::size(kSweep), 166u);
}

TEST_P(EveryFormula, DrawsItsDotsAsAFiniteSpreadFigure) {
    const SweepCase& c = GetParam();
    const ParamRows rows = defaultRows(c.id);
    auto run = prepareFormula(c.id, rows);
    ASSERT_TRUE(run);
    // N = r0 x 500 and the orbit runs i0 ... N: N + 1 dots from 0, N from 1.
    const std::int64_t n = std::int64_t{rows[0]} * 500;
    EXPECT_EQ(run->startIndex, c.startIndex);
    EXPECT_EQ(run->count, n);
    EXPECT_EQ(defaultDotCount(c.id), c.startIndex == 0 ? n + 1 : n);
    if (c.dots != 0) {
        EXPECT_EQ(defaultDotCount(c.id), c.dots);
    }

    const FigureSpread figure = figureSpread(c.id, c.sampled);
    ASSERT_TRUE(figure.allFinite);
    EXPECT_GT(figure.pixels, c.minPixels);
    if (c.minWidth > 0) {
        EXPECT_GT(figure.widthX, c.minWidth);
    }
    if (c.mustMove) {
        EXPECT_TRUE(figure.moved);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalog, EveryFormula, ::testing::ValuesIn(kSweep), caseName);
